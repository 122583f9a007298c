#include "catalogue/ConstantPaging.h"

namespace declarium {

int CountConstants(CatalogueStore& store) { return store.QueryInt("select count(1) from 常量表", 0); }

bool LoadConstantPage(CatalogueStore& store, int offset, std::vector<ConstantRow>& rows) {
  std::vector<ConstantRow> page;
  if (!ListConstants(store, page, " limit ?,?", {offset, kPageSize})) return false;
  rows = std::move(page);
  return true;
}

int ConstantPosition(CatalogueStore& store, std::string_view name) {
  return store.QueryIntWith("select count(1) from 常量表 where 名称<=? order by 名称 asc", {name}, 0);
}

int PageOffsetFor(int position) {
  if (position % kPageSize == 0) return (position / kPageSize - 1) * kPageSize;
  return (position / kPageSize) * kPageSize;
}

std::string ConstantNameById(CatalogueStore& store, int id) {
  return store.QueryTextWith("select 名称 from 常量表 where id=?", {id});
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

std::string PageCaption(int offset, int count) {
  const int pages = count <= 0 ? 1 : (count - 1) / kPageSize + 1;
  const int page = offset / kPageSize + 1;
  return "第 " + std::to_string(page) + " / " + std::to_string(pages) + " 页（共 " + std::to_string(count) +
         " 个常量）";
}

}  // namespace declarium
