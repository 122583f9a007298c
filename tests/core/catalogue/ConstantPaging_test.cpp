#include "catalogue/ConstantPaging.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/Catalogue.h"

namespace declarium {
namespace {

using test::TestCatalogue;

// Names C000 ... sort in insertion order.
void AddConstants(TestCatalogue& cat, int n) {
  cat.Run("BEGIN");
  for (int i = 0; i < n; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "C%03d", i);
    cat.add().Constant(test::NewConstant(name, "1", "0x1").Remark("备注"));
  }
  cat.Run("COMMIT");
}

TEST(ConstantPaging, SixtyConstantsHaveTwoPages) {
  TestCatalogue cat;
  AddConstants(cat, 60);
  const int n = CountConstants(cat.store());
  EXPECT_EQ(n, 60);
  PageMove next = NextPage(0, n);
  EXPECT_TRUE(next.changed);
  EXPECT_EQ(next.offset, 30);
  next = NextPage(30, n);  // 30 + 30 is not below 60
  EXPECT_FALSE(next.changed);
  EXPECT_EQ(next.offset, 30);
  EXPECT_EQ(LastPage(0, n).offset, 30);
  EXPECT_FALSE(LastPage(30, n).changed);
  EXPECT_EQ(PreviousPage(30).offset, 0);
  EXPECT_FALSE(PreviousPage(0).changed);
  EXPECT_TRUE(FirstPage(30).changed);
  EXPECT_FALSE(FirstPage(0).changed);
}

TEST(ConstantPaging, LastPageOfSixtyOneHoldsOneRow) {
  TestCatalogue cat;
  AddConstants(cat, 61);
  const PageMove last = LastPage(0, CountConstants(cat.store()));
  EXPECT_EQ(last.offset, 60);
  std::vector<ConstantRow> rows;
  ASSERT_TRUE(LoadConstantPage(cat.store(), last.offset, rows));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "C060");
  ASSERT_TRUE(LoadConstantPage(cat.store(), 30, rows));
  ASSERT_EQ(rows.size(), 30u);
  EXPECT_EQ(rows[0].name, "C030");
  EXPECT_EQ(rows[0].hexValue, "0x1");
  EXPECT_EQ(rows[0].decimalValue, "1");
  EXPECT_EQ(rows[0].remark, "备注");
  EXPECT_NE(rows[0].id, 0);
}

TEST(ConstantPaging, CaptionCountsPagesAndConstants) {
  EXPECT_EQ(PageCaption(0, 0), "第 1 / 1 页（共 0 个常量）");
  EXPECT_EQ(PageCaption(30, 61), "第 2 / 3 页（共 61 个常量）");
  EXPECT_EQ(PageCaption(30, 60), "第 2 / 2 页（共 60 个常量）");
}

TEST(ConstantPaging, EmptyCatalogueNeverMoves) {
  TestCatalogue cat;
  const int n = CountConstants(cat.store());
  EXPECT_EQ(n, 0);
  EXPECT_FALSE(FirstPage(0).changed);
  EXPECT_FALSE(PreviousPage(0).changed);
  EXPECT_FALSE(NextPage(0, n).changed);
  EXPECT_FALSE(LastPage(0, n).changed);
  std::vector<ConstantRow> rows(1);
  ASSERT_TRUE(LoadConstantPage(cat.store(), 0, rows));
  EXPECT_TRUE(rows.empty());
}

TEST(ConstantPaging, PositionsMapToThePageHoldingThem) {
  EXPECT_EQ(PageOffsetFor(1), 0);
  EXPECT_EQ(PageOffsetFor(30), 0);
  EXPECT_EQ(PageOffsetFor(31), 30);
  EXPECT_EQ(PageOffsetFor(60), 30);
  EXPECT_EQ(PageOffsetFor(61), 60);
}

TEST(ConstantPaging, PositionOfANameWithAQuote) {
  TestCatalogue cat;
  AddConstants(cat, 31);
  cat.add().Constant("C029'X");  // sorts after C029
  EXPECT_EQ(ConstantPosition(cat.store(), "C029'X"), 31);
  EXPECT_EQ(ConstantPosition(cat.store(), "C029"), 30);
  EXPECT_EQ(ConstantPosition(cat.store(), ""), 0);
  PageMove move;
  ASSERT_TRUE(PageMoveToConstant(cat.store(), "C029'X", 0, move));
  EXPECT_EQ(move.offset, 30);
  EXPECT_TRUE(move.changed);
  ASSERT_TRUE(PageMoveToConstant(cat.store(), "C029", 0, move));
  EXPECT_FALSE(move.changed);
  EXPECT_FALSE(PageMoveToConstant(cat.store(), "", 0, move));

  std::vector<ConstantRow> rows;
  ASSERT_TRUE(LoadConstantPage(cat.store(), move.offset, rows));
  EXPECT_EQ(FirstRowNamed(rows, "c029"), 29);
  EXPECT_EQ(FirstRowWithPrefix(rows, "c02"), 20);
  EXPECT_EQ(FirstRowNamed(rows, "C029'X"), -1);  // on the next page
}

TEST(ConstantPaging, NameById) {
  TestCatalogue cat;
  const int id = cat.add().Constant("窗口常量");
  EXPECT_EQ(ConstantNameById(cat.store(), id), "窗口常量");
  EXPECT_EQ(ConstantNameById(cat.store(), id + 1), "");
}

TEST(ConstantPaging, UnreadablePageLeavesRows) {
  TestCatalogue cat;
  cat.Run("drop table 常量表");
  std::vector<ConstantRow> rows(2);
  EXPECT_FALSE(LoadConstantPage(cat.store(), 0, rows));
  EXPECT_EQ(rows.size(), 2u);
  EXPECT_EQ(CountConstants(cat.store()), 0);
}

}  // namespace
}  // namespace declarium
