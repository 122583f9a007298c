// Writing the declarations of many entries into a text file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "output/DeclarationStyle.h"
#include "store/Records.h"

namespace declarium {

class CatalogueStore;

// The export's sections are the entry kinds.
using ExportKind = EntryKind;

// The columns a condition may name, per kind, and the seven operators.
const std::vector<std::string>& ExportFields(ExportKind kind);
const std::vector<std::string>& ExportOperators();

struct ExportCondition {
  std::string field;  // one of ExportFields(kind)
  std::string op;     // one of ExportOperators()
  std::string value;  // any text; made safe when the row is built
};

// field + " " + op + " '" + value + "'", the value's quotes made safe. Empty
// when field or operator is not one of the fixed lists.
std::string ExportConditionRow(ExportKind kind, const ExportCondition& condition);

struct ExportRequest {
  bool functions = false;
  bool dataTypes = false;
  bool constants = false;
  std::vector<ExportCondition> functionConditions;
  std::vector<ExportCondition> dataTypeConditions;
  std::vector<ExportCondition> constantConditions;
  SyntaxKind target = SyntaxKind::E;
};

// What the export window does while the export runs.
class ExportObserver {
 public:
  virtual ~ExportObserver() = default;
  // The section's title: "正在导出函数..." and so on.
  virtual void SectionStarted(std::string_view title) { (void)title; }
  // 0 to 100.
  virtual void Progress(int percent) { (void)percent; }
  // Called before every record; true stops the export there (the window is gone).
  virtual bool ShouldStop() { return false; }
};

enum class ExportResult {
  Done,           // message "导出完毕！" (information icon)
  NothingChosen,  // message "请至少选择要导出的 【函数】、【数据类型】 或 【常量】 的其中一种！"
  Stopped,  // the observer asked to stop; the older file stays as it was; no message
  Failed,   // message is the failure text (error icon)
};

// Writes the file (GBK, CR LF), replacing an existing one only once it is
// complete: an export that fails, is stopped or is killed leaves the older
// file exactly as it was. The catalogue itself is never written over.
// message receives the text to show for Done, NothingChosen and Failed (a
// file that cannot be created or written is a failure too); it is empty for
// Stopped. Nothing chosen creates no file.
ExportResult ExportDeclarations(CatalogueStore& store, const std::filesystem::path& path, const ExportRequest& request,
                                const DeclarationStyle& style, ExportObserver* observer, std::string& message);

}  // namespace declarium
