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

// Who made a column of the name the program adds: none is there, the program
// did (declared with its type, or as its earlier version made 数值), or
// another tool did, whose column is neither read nor written.
enum class ColumnOwner { None, Program, Other };

struct OwnColumns {
  ColumnOwner constantNumber = ColumnOwner::None;  // 数值 of 常量表
  // 原生类型 of each table NativeTypeTables() names, in its order.
  ColumnOwner nativeType[4] = {};
  // That of table; None for a table that has no such column.
  ColumnOwner NativeType(std::string_view table) const;
};

// 函数表, 函数参数表, 数据类型表, 数据类型成员表: the tables that may keep native types.
std::span<const std::string_view> NativeTypeTables();

// Looks in the open file, whatever an earlier look found; the store keeps
// the answer (CatalogueStore::Columns).
OwnColumns DetectOwnColumns(CatalogueStore& store);

}  // namespace declarium
