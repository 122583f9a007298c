// The six tables of the catalogue and their columns, id first, as the schema
// makes them. Names are GBK; they are for the core, whose literals are GBK.
#pragma once

#include <span>
#include <string_view>

namespace declarium {

struct TableColumns {
  std::string_view table;
  std::span<const std::string_view> columns;
};

// 函数表, 函数参数表, 数据类型表, 数据类型成员表, 常量表, 类别表.
std::span<const TableColumns> CatalogueTables();
// The table's columns; empty for a name that is no table of the catalogue.
std::span<const std::string_view> ColumnsOf(std::string_view table);

}  // namespace declarium
