#include "catalogue/ConstantPaging.h"

#include "store/SqlText.h"
#include "text/AsciiFold.h"

namespace declarium {

int CountConstants(CatalogueStore& store) { return store.QueryInt("select count(1) from 常量表", 0); }

bool LoadConstantPage(CatalogueStore& store, int offset, std::vector<ConstantRow>& rows) {
  Statement stmt = store.Prepare(
      "select id,名称,十进制值,十六进制值,备注,类型 from 常量表 order by 名称 asc limit " +
      std::to_string(offset) + "," + std::to_string(kPageSize));
  if (!stmt) return false;
  std::vector<ConstantRow> page;
  while (store.NextRow(stmt)) {
    ConstantRow row;
    row.id = store.ColumnInt(stmt, 0);
    row.name = store.ColumnText(stmt, 1);
    row.decimalValue = store.ColumnText(stmt, 2);
    row.hexValue = store.ColumnText(stmt, 3);
    row.remark = store.ColumnText(stmt, 4);
    row.type = store.ColumnText(stmt, 5);
    page.push_back(std::move(row));
  }
  store.Finalize(stmt);
  rows = std::move(page);
  return true;
}

int ConstantPosition(CatalogueStore& store, std::string_view name) {
  return store.QueryInt("select count(1) from 常量表 where 名称<='" + SqlEscape(name) +
                            "' order by 名称 asc",
                        0);
}

int PageOffsetFor(int position) {
  if (position % kPageSize == 0) return (position / kPageSize - 1) * kPageSize;
  return (position / kPageSize) * kPageSize;
}

std::string ConstantNameById(CatalogueStore& store, int id) {
  return store.QueryText("select 名称 from 常量表 where id=" + std::to_string(id));
}

PageMove FirstPage(int offset) {
  if (offset == 0) return {offset, false};
  return {0, true};
}

PageMove PreviousPage(int offset) {
  if (offset == 0) return {offset, false};
  return {offset - kPageSize, true};
}

PageMove NextPage(int offset, int count) {
  if (static_cast<double>(offset) + kPageSize - static_cast<double>(count) < -0.0000001) {
    return {offset + kPageSize, true};
  }
  return {offset, false};
}

PageMove LastPage(int offset, int count) {
  const int last = count <= 0 ? 0 : (count - 1) / kPageSize * kPageSize;
  return {last, last != offset};
}

bool PageMoveToConstant(CatalogueStore& store, std::string_view name, int offset, PageMove& move) {
  const int position = ConstantPosition(store, name);
  if (position <= 0) return false;
  const int target = PageOffsetFor(position);
  move = {target, target != offset};
  return true;
}

int PageRowNamed(const std::vector<ConstantRow>& rows, std::string_view name) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (EqualsIgnoringAsciiCase(rows[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

int PageRowWithPrefix(const std::vector<ConstantRow>& rows, std::string_view prefix) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (StartsWithIgnoringAsciiCase(rows[i].name, prefix)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace declarium
