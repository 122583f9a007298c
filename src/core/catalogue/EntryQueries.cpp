#include "catalogue/EntryQueries.h"

#include <string>

#include "store/CatalogueStore.h"

namespace declarium {

const std::string_view kConstantColumns = "select id,名称,十进制值,十六进制值,备注,类型 from 常量表";
bool ListIdAndName(CatalogueStore& store, const std::string& sql, std::vector<EntryRow>& rows, SqlValues values) {
  rows.clear();
  Statement stmt = store.PrepareWith(sql, values);
  if (!stmt) return false;
  while (store.NextRow(stmt)) {
    EntryRow row;
    row.id = store.ColumnInt(stmt, 0);
    row.name = store.ColumnText(stmt, 1);
    rows.push_back(std::move(row));
  }
  return store.Finalize(stmt);
}

bool ListEntries(CatalogueStore& store, std::string_view table, std::vector<EntryRow>& rows) {
  return ListIdAndName(store, "select id,名称 from " + std::string(table) + " order by 名称 asc", rows);
}

bool ListCategories(CatalogueStore& store, std::vector<EntryRow>& rows) {
  return ListIdAndName(store, "select id,名称 from 类别表 order by 名称 asc", rows);
}

bool ListConstants(CatalogueStore& store, std::vector<ConstantRow>& rows, std::string_view limit, SqlValues values) {
  rows.clear();
  Statement stmt = store.PrepareWith(std::string(kConstantColumns) + " order by 名称 asc" + std::string(limit), values);
  return ReadConstantRows(store, stmt, rows);
}

bool ReadConstantRows(CatalogueStore& store, Statement& stmt, std::vector<ConstantRow>& rows) {
  if (!stmt) return false;
  while (store.NextRow(stmt)) {
    ConstantRow row;
    row.id = store.ColumnInt(stmt, 0);
    row.name = store.ColumnText(stmt, 1);
    row.decimalValue = store.ColumnText(stmt, 2);
    row.hexValue = store.ColumnText(stmt, 3);
    row.remark = store.ColumnText(stmt, 4);
    row.type = store.ColumnText(stmt, 5);
    rows.push_back(std::move(row));
  }
  return store.Finalize(stmt);
}

bool FindEntryByName(CatalogueStore& store, std::string_view table, std::string_view name, int& id) {
  id = 0;
  // The same ordering as the list query, so that among equal names the row
  // found is the one the list shows first; "id asc" settles what the
  // ordering leaves open, as the name index does for the list.
  Statement stmt = store.PrepareWith(
      "select id from " + std::string(table) + " where 名称=? order by 名称 asc, id asc limit 1", {name});
  if (!stmt) return false;
  if (store.NextRow(stmt)) id = store.ColumnInt(stmt, 0);
  return store.Finalize(stmt);
}

}  // namespace declarium
