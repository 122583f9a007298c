// The six tables of the catalogue and their columns, id first, as the schema
// makes them. Names are GBK; they are for the core, whose literals are GBK.
#pragma once

#include <span>
#include <string_view>

namespace declarium {

class CatalogueStore;

struct TableColumns {
  std::string_view table;
  std::span<const std::string_view> columns;
};

// 函数表, 函数参数表, 数据类型表, 数据类型成员表, 常量表, 类别表.
std::span<const TableColumns> CatalogueTables();
// The table's columns; empty for a name that is no table of the catalogue.
std::span<const std::string_view> ColumnsOf(std::string_view table);

// The columns the program adds to the schema (数值, 原生类型) are declared
// with a type of their own, so that a column of that name another tool made
// is told apart: it is neither read nor written.
inline constexpr std::string_view kOwnNumberType = "DECLARIUM_NUMBER";  // numeric affinity
inline constexpr std::string_view kOwnTextType = "DECLARIUM_TEXT";      // text affinity
// Whether table has column, declared with type.
bool HasOwnColumn(CatalogueStore& store, std::string_view table, std::string_view column, std::string_view type);

}  // namespace declarium
