// The HTML detail page of a function or data type.
#pragma once

#include <string>
#include <string_view>

#include "store/Records.h"

namespace declarium {

class CatalogueStore;

// The style sheet that opens every page.
const std::string& DetailStyleSheet();

// The table of a function or data type page for syntax v (without the style
// sheet); native64: C# or VB types as the syntax's 64-bit setting writes
// them (DeclarationStyle's Native64).
std::string BuildFunctionPage(const FunctionRecord& record, SyntaxKind v, bool native64 = false);
std::string BuildDataTypePage(const DataTypeRecord& record, SyntaxKind v, bool native64 = false);

struct DetailDocument {
  bool shown = false;     // false for a table name other than 函数表 / 数据类型表
  std::string html;       // style sheet + table
  std::string remark;     // 备注, for the second part of the status bar
  std::string entryText;  // 函数说明 of a function, 名称 of a data type
  std::string name;       // 名称, for the first part of the status bar
};

// Loads the entry of table (函数表 or 数据类型表) and builds its page. False
// when the load fails; the caller then shows "获取数据错误！".
bool BuildDetailDocument(CatalogueStore& store, std::string_view table, int id, SyntaxKind v, DetailDocument& out,
                         bool native64 = false);

}  // namespace declarium
