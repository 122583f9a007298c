// The rows of the catalogue lists, in the order the main window shows them
// (名称 ascending, the database's byte order), and finding an entry by name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/CatalogueStore.h"
#include "text/AsciiFold.h"

namespace declarium {

// An id with its 名称, as the lists show them.
struct EntryRow {
  int id = 0;        // id
  std::string name;  // 名称
};

struct ConstantRow {
  int id = 0;                // id
  std::string name;          // 名称
  std::string decimalValue;  // 十进制值
  std::string hexValue;      // 十六进制值
  std::string remark;        // 备注
  std::string type;          // 类型
};

// The rows of any query whose first two columns are id and 名称, its
// placeholders given values. False when it cannot be prepared or fails part way.
bool ListIdAndName(CatalogueStore& store, const std::string& sql, std::vector<EntryRow>& rows, SqlValues values = {});
// "select id,名称 from " + table + " order by 名称 asc" (函数表 or 数据类型表).
// False, with rows empty, when the query cannot be prepared; false as well
// when it fails part way, with the rows read before.
bool ListEntries(CatalogueStore& store, std::string_view table, std::vector<EntryRow>& rows);
// Every constant, with the columns of the constants page, in the same order;
// limit (" limit ?,?", with the offset and count as values) reads one
// stretch of them.
bool ListConstants(CatalogueStore& store, std::vector<ConstantRow>& rows, std::string_view limit = {},
                   SqlValues values = {});
// The select of those columns, for a query to go on from ("where …").
extern const std::string_view kConstantColumns;  // EntryQueries.cpp
// Appends the rows of such a query; false when it was not prepared or fails part way.
bool ReadConstantRows(CatalogueStore& store, Statement& stmt, std::vector<ConstantRow>& rows);
// The categories (类别表), in the same order.
bool ListCategories(CatalogueStore& store, std::vector<EntryRow>& rows);

// Index of the first row whose 名称 begins with prefix / equals name, ASCII
// letter case not counting; -1 when there is none.
template <class Row>
int FirstRowWithPrefix(const std::vector<Row>& rows, std::string_view prefix) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (StartsWithIgnoringAsciiCase(rows[i].name, prefix)) return static_cast<int>(i);
  return -1;
}
template <class Row>
int FirstRowNamed(const std::vector<Row>& rows, std::string_view name) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (EqualsIgnoringAsciiCase(rows[i].name, name)) return static_cast<int>(i);
  return -1;
}

// The id of the first row in list order of table whose 名称 is exactly name
// (compared as the database compares text); 0 when there is none. False when
// the query fails.
bool FindEntryByName(CatalogueStore& store, std::string_view table, std::string_view name, int& id);

}  // namespace declarium
