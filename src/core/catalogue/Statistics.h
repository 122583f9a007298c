// The catalogue statistics shown by the "查看信息" command.
#pragma once

#include <string>

namespace declarium {

class CatalogueStore;

// "函数：F个\r\n数据类型：T个\r\n常量：C个"; a count whose query fails counts as 0.
std::string StatisticsText(CatalogueStore& store);

}  // namespace declarium
