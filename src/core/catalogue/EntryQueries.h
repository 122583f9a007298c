// The rows of the catalogue lists, in the order the main window shows them
// (名称 ascending, the database's byte order), and finding an entry by name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace declarium {

class CatalogueStore;

struct EntryRow {
  int id = 0;         // id
  std::string name;   // 名称
};

struct ConstantRow {
  int id = 0;                // id
  std::string name;          // 名称
  std::string decimalValue;  // 十进制值
  std::string hexValue;      // 十六进制值
  std::string remark;        // 备注
  std::string type;          // 类型
};

// "select id,名称 from " + table + " order by 名称 asc" (函数表 or 数据类型表).
// False, with rows empty, when the query cannot be prepared.
bool ListEntries(CatalogueStore& store, std::string_view table, std::vector<EntryRow>& rows);
// Every constant, with the columns of the constants page, in the same order.
bool ListConstants(CatalogueStore& store, std::vector<ConstantRow>& rows);
// The categories (类别表), in the same order.
bool ListCategories(CatalogueStore& store, std::vector<EntryRow>& rows);

// The id of the first row in list order of table whose 名称 is exactly name
// (compared as the database compares text); 0 when there is none. False when
// the query cannot be prepared.
bool FindEntryByName(CatalogueStore& store, std::string_view table, std::string_view name, int& id);

}  // namespace declarium
