#include "catalogue/EntryQueries.h"

#include <gtest/gtest.h>

#include "support/Catalogue.h"

namespace declarium {
namespace {

class EntryQueriesTest : public ::testing::Test {
 protected:
  test::TestCatalogue cat;
};

std::vector<std::string> Names(const std::vector<EntryRow>& rows) {
  std::vector<std::string> names;
  for (const auto& r : rows) names.push_back(r.name);
  return names;
}

TEST_F(EntryQueriesTest, ListsInByteOrderOfName) {
  // Byte order: upper case before lower case, Chinese (multi-byte) last.
  const int b = cat.add().Function("b");
  const int a = cat.add().Function("A");
  cat.add().Functions({"信息框", "Ab"});
  std::vector<EntryRow> rows;
  ASSERT_TRUE(ListEntries(cat.store(), "函数表", rows));
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"A", "Ab", "b", "信息框"}));
  EXPECT_EQ(rows[0].id, a);
  EXPECT_EQ(rows[2].id, b);

  cat.add().DataType("RECT");
  ASSERT_TRUE(ListEntries(cat.store(), "数据类型表", rows));
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"RECT"}));
}

TEST_F(EntryQueriesTest, ConstantsCarryTheirColumns) {
  cat.add().Constant(test::NewConstant("WM_USER", "1024", "&H400").Remark("r").Type("Long"));
  cat.add().Constant("MB_OK");
  std::vector<ConstantRow> rows;
  ASSERT_TRUE(ListConstants(cat.store(), rows));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "MB_OK");
  EXPECT_EQ(rows[0].hexValue, "");  // NULL reads as empty text
  EXPECT_EQ(rows[1].name, "WM_USER");
  EXPECT_EQ(rows[1].decimalValue, "1024");
  EXPECT_EQ(rows[1].hexValue, "&H400");
  EXPECT_EQ(rows[1].remark, "r");
  EXPECT_EQ(rows[1].type, "Long");
}

TEST_F(EntryQueriesTest, Categories) {
  cat.add().Category("窗口");
  cat.add().Category("File");
  std::vector<EntryRow> rows;
  ASSERT_TRUE(ListCategories(cat.store(), rows));
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"File", "窗口"}));
}

TEST_F(EntryQueriesTest, FailingQueryGivesFalseAndNoRows) {
  cat.Run("drop table 常量表");
  std::vector<ConstantRow> constants{ConstantRow{}};
  EXPECT_FALSE(ListConstants(cat.store(), constants));
  EXPECT_TRUE(constants.empty());
  std::vector<EntryRow> rows{EntryRow{}};
  EXPECT_FALSE(ListEntries(cat.store(), "没有的表", rows));
  EXPECT_TRUE(rows.empty());
  int id = 7;
  EXPECT_FALSE(FindEntryByName(cat.store(), "常量表", "X", id));
}

TEST_F(EntryQueriesTest, FindsExactNameFirstInListOrder) {
  cat.add().Function("MessageBoxA");
  const int first = cat.add().Function("GetTickCount");
  cat.add().Function("GetTickCount");
  int id = -1;
  ASSERT_TRUE(FindEntryByName(cat.store(), "函数表", "GetTickCount", id));
  EXPECT_EQ(id, first);
  std::vector<EntryRow> rows;
  ASSERT_TRUE(ListEntries(cat.store(), "函数表", rows));
  EXPECT_EQ(rows[0].id, first);  // the same row the list shows first

  // Exact: no prefix match, letter case counts.
  ASSERT_TRUE(FindEntryByName(cat.store(), "函数表", "GetTick", id));
  EXPECT_EQ(id, 0);
  ASSERT_TRUE(FindEntryByName(cat.store(), "函数表", "gettickcount", id));
  EXPECT_EQ(id, 0);
}

TEST_F(EntryQueriesTest, NameWithQuotesIsAValue) {
  const int q = cat.add().Constant("it's");
  int id = 0;
  ASSERT_TRUE(FindEntryByName(cat.store(), "常量表", "it's", id));
  EXPECT_EQ(id, q);
  ASSERT_TRUE(FindEntryByName(cat.store(), "常量表", "x' or '1'='1", id));
  EXPECT_EQ(id, 0);
}

TEST(FirstRow, FoldsOnlyAsciiLettersAndSearchesFromTheTop) {
  const std::vector<EntryRow> rows = {
      {1, "CREATEW"}, {2, "CreateWindow"}, {3, "createwindowex"}, {4, "Ｒect"}, {5, "窗口"}};
  EXPECT_EQ(FirstRowWithPrefix(rows, "createw"), 0);
  EXPECT_EQ(FirstRowWithPrefix(rows, "createwi"), 1);
  EXPECT_EQ(FirstRowWithPrefix(rows, "ｒect"), -1);  // full-width letters are not folded
  EXPECT_EQ(FirstRowWithPrefix(rows, "窗"), 4);
  EXPECT_EQ(FirstRowWithPrefix(rows, ""), 0);
  EXPECT_EQ(FirstRowNamed(rows, "CREATEWINDOWEX"), 2);
  EXPECT_EQ(FirstRowNamed(rows, "createwind"), -1);
}

}  // namespace
}  // namespace declarium
