// The catalogue statistics shown by the "查看信息" command.
#pragma once

#include <string>

namespace declarium {

class CatalogueStore;

// "函数：F个\r\n数据类型：T个\r\n常量：C个"; false, with text untouched,
// when a count fails.
bool StatisticsText(CatalogueStore& store, std::string& text);

// Whether the catalogue holds no function, data type or constant at all; a
// catalogue that cannot be read is not taken as empty.
bool HoldsNoEntries(CatalogueStore& store);

}  // namespace declarium
