// The constants view shows one page of 30 constants at a time, in 名称 order;
// paging and positioning go through a count query and a limited page query,
// so the table is never read whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntryQueries.h"
#include "store/CatalogueStore.h"

namespace declarium {

constexpr int kPageSize = 30;

// Pages hold ConstantRow (browse/EntryQueries.h); the list shows name, hex, decimal, remark.

// Number of constants; 0 when the query fails.
int CountConstants(CatalogueStore& store);

// The page of at most 30 constants after the first offset ones. False when the
// query cannot be prepared; rows is then left as it was.
bool LoadConstantPage(CatalogueStore& store, int offset, std::vector<ConstantRow>& rows);

// 1-based place of name in 名称 order: how many stored names sort at or
// before it (0 when none does, for example for an empty name).
int ConstantPosition(CatalogueStore& store, std::string_view name);

// Offset of the page holding position p (p 30 is on the first page, 31 on the second).
int PageOffsetFor(int position);

// 名称 of the constant with that id; empty when there is none.
std::string ConstantNameById(CatalogueStore& store, int id);

// Result of a paging command: the new offset, and whether the page must be refreshed.
struct PageMove {
  int offset = 0;
  bool changed = false;
};

PageMove FirstPage(int offset);
PageMove PreviousPage(int offset);
PageMove NextPage(int offset, int count);
PageMove LastPage(int offset, int count);

// "第 k / n 页（共 N 个常量）" for the page at offset of count constants (an
// empty catalogue is one empty page).
std::string PageCaption(int offset, int count);

// Where positioning on a named constant leads: false when no stored name
// sorts at or before it (the page stays); otherwise the offset of its page.
bool PageMoveToConstant(CatalogueStore& store, std::string_view name, int offset, PageMove& move);
// A page row is found by FirstRowNamed and FirstRowWithPrefix (catalogue/EntryQueries.h).

}  // namespace declarium
