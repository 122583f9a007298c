// The window "导出数据": which kinds to export, conditions per kind, the
// syntax, and the export run with its progress.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "model/Settings.h"
#include "output/Export.h"

namespace declarium {

class CatalogueStore;
class Window;
struct WindowTemplate;

// Controls of the export window: per kind a check box, the frame of its
// conditions, field, operator and value, the add button and the list of
// conditions; then the syntax, the progress bar and the two buttons.
namespace export_control {
inline constexpr int kFunctions = 1501;
inline constexpr int kFunctionGroup = 1502;
inline constexpr int kFunctionField = 1503;
inline constexpr int kFunctionOp = 1504;
inline constexpr int kFunctionValue = 1505;
inline constexpr int kFunctionAdd = 1506;
inline constexpr int kFunctionConditions = 1507;
inline constexpr int kDataTypes = 1508;
inline constexpr int kDataTypeGroup = 1509;
inline constexpr int kDataTypeAdd = 1510;
inline constexpr int kDataTypeValue = 1511;
inline constexpr int kDataTypeOp = 1512;
inline constexpr int kDataTypeField = 1513;
inline constexpr int kDataTypeConditions = 1514;
inline constexpr int kConstants = 1515;
inline constexpr int kConstantGroup = 1516;
inline constexpr int kConstantAdd = 1517;
inline constexpr int kConstantValue = 1518;
inline constexpr int kConstantOp = 1519;
inline constexpr int kConstantField = 1520;
inline constexpr int kConstantConditions = 1521;
inline constexpr int kProgress = 1522;
inline constexpr int kExport = 1523;
inline constexpr int kClose = 1524;
inline constexpr int kSyntax = 1525;
}  // namespace export_control

// Template 1500.
extern const WindowTemplate kExportWindowTemplate;

class ExportWindow : public QObject {
  Q_OBJECT
 public:
  // Told the new syntax when the user changes the window's syntax box.
  using SyntaxChanged = std::function<void(SyntaxKind syntax)>;

  // Opens the window modally over owner and returns when it is closed.
  static void Run(QWidget* owner, CatalogueStore& store, const Settings& settings, SyntaxChanged onSyntax);

  // Binds an already built window of template 1500 and fills it.
  ExportWindow(Window& window, CatalogueStore& store, const Settings& settings, SyntaxChanged onSyntax);

  // The "添加条件" button of a kind.
  void AddExportCondition(ExportKind kind);
  // The "导出" button.
  void ExportButton();

 private:
  friend class ExportProgress;
  struct Group {
    int check, box, field, op, value, add, list;
  };
  static const Group& GroupOf(ExportKind kind);

  void FillCombos();
  void EnableGroup(ExportKind kind, bool enabled);
  ExportRequest BuildRequest() const;
  bool Closed() const;

  QPointer<Window> window_;
  CatalogueStore& store_;
  const Settings& settings_;
  SyntaxChanged onSyntax_;
  std::vector<ExportCondition> conditions_[3];
  bool exporting_ = false;
  bool closed_ = false;
};

}  // namespace declarium
