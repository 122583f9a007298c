#include "catalogue/Statistics.h"

#include <gtest/gtest.h>

#include "catalogue/Categories.h"
#include "catalogue/EntryQueries.h"
#include "support/Catalogue.h"

namespace declarium {
namespace {

std::string Statistics(CatalogueStore& store) {
  std::string text = "unchanged";
  EXPECT_TRUE(StatisticsText(store, text));
  return text;
}

TEST(StatisticsTest, CountsEachKind) {
  test::TestCatalogue cat;
  EXPECT_EQ(Statistics(cat.store()), "函数：0个\r\n数据类型：0个\r\n常量：0个");
  cat.add().Functions({"A", "B"});
  cat.add().DataType("RECT");
  for (int i = 0; i < 12; ++i) cat.add().Constant(test::NewConstant("C" + std::to_string(i)));
  EXPECT_EQ(Statistics(cat.store()), "函数：2个\r\n数据类型：1个\r\n常量：12个");
}

// A query that fails part way must not pass for the end of its rows: each
// table becomes a view whose row "bad" raises an error when it is read, and
// a missing table is no count of 0.
TEST(StatisticsTest, EveryListAndCountTellsAFailedReadFromItsEnd) {
  test::TestCatalogue cat;
  for (const std::string t : {"函数表", "数据类型表", "常量表", "类别表"}) {
    cat.Run("insert into " + t + " (名称) values ('good'),('bad')");
    cat.Run("alter table " + t + " rename to " + t + "原");
    cat.Run("create view " + t + " as select * from " + t +
            "原 where case when 名称='bad' then abs(-9223372036854775807-1) else 1 end");
  }
  std::vector<EntryRow> rows;
  std::vector<ConstantRow> constants;
  std::vector<CategoryNode> tree;
  int id = 0;
  std::string text = "unchanged";
  EXPECT_FALSE(ListEntries(cat.store(), "函数表", rows));
  EXPECT_FALSE(ListEntries(cat.store(), "数据类型表", rows));
  EXPECT_FALSE(ListConstants(cat.store(), constants));
  EXPECT_FALSE(ListCategories(cat.store(), rows));
  EXPECT_FALSE(LoadCategoryTree(cat.store(), tree));
  EXPECT_FALSE(FindEntryByName(cat.store(), "常量表", "bad", id));
  EXPECT_FALSE(StatisticsText(cat.store(), text));
  cat.Run("drop view 数据类型表");
  EXPECT_FALSE(StatisticsText(cat.store(), text));
  EXPECT_EQ(text, "unchanged");
}

}  // namespace
}  // namespace declarium
