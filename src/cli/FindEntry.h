// The entry a command names, looked up as the list shows it.
#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "store/CatalogueStore.h"

namespace declarium::cli {

// The id of the first entry of table whose 名称 is the UTF-8 name given;
// on failure prints "获取数据错误！" or "没有找到记录！" and gives 0.
int FindNamedEntry(const GlobalOptions& options, CatalogueStore& store, const char* table, const std::string& utf8Name);

}  // namespace declarium::cli
