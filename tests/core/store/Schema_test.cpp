#include "store/Schema.h"

#include <gtest/gtest.h>

#include <set>

#include "import/StoreImported.h"
#include "store/CatalogueStore.h"
#include "store/ConstantNumbers.h"
#include "support/Catalogue.h"
#include "support/TempDir.h"

namespace declarium {
namespace {

std::set<std::string> Objects(CatalogueStore& store) {
  std::set<std::string> names;
  Statement stmt = store.Prepare("select type || ':' || name from sqlite_master");
  while (store.NextRow(stmt)) names.insert(store.ColumnText(stmt, 0));
  return names;
}

TEST(Schema, ExactlySixTablesThreeIndexesAndTheSequenceTable) {
  test::TestCatalogue cat;
  EXPECT_EQ(Objects(cat.store()),
            (std::set<std::string>{"table:函数表", "table:函数参数表", "table:数据类型表", "table:数据类型成员表",
                                   "table:常量表", "table:类别表", "table:sqlite_sequence", "index:Index_名称",
                                   "index:Index_函数名", "index:Index_数据类型名"}));
}

// Parameters and members are looked up by their owner through an index once
// the catalogue has been open for writing, or taken an import.
TEST(Schema, OwnerLookupsAreIndexedAfterTheFirstWritingOpenOrAnImport) {
  auto indexed = [](CatalogueStore& store) {
    for (const char* query :
         {"select 名称 from 函数参数表 where 所属函数=1", "select 名称 from 数据类型成员表 where 所属数据类型=1"}) {
      Statement plan = store.Prepare(std::string("explain query plan ") + query);
      if (!store.NextRow(plan) || store.ColumnText(plan, 3).find("INDEX") == std::string::npos) return false;
    }
    return true;
  };
  test::TestCatalogue opened, imported;
  EXPECT_FALSE(indexed(opened.store()));
  EXPECT_TRUE(EnsureConstantValues(opened.store()));
  EXPECT_TRUE(indexed(opened.store()));
  std::string message;
  ASSERT_TRUE(StoreImported(imported.store(), {}, {}, {}, message)) << message;
  EXPECT_TRUE(indexed(imported.store()));
}

TEST(Schema, ScriptIsNineStatementsJoinedByCrLf) {
  const std::string& s = SchemaScript();
  int statements = 0;
  for (size_t i = 0; i < s.size(); ++i)
    if (s[i] == ';') ++statements;
  EXPECT_EQ(statements, 9);
  EXPECT_EQ(s.back(), ';');
  EXPECT_EQ(s.find("\r\n"), s.find(';') + 1);
  EXPECT_EQ(s.rfind("CREATE INDEX Index_数据类型名 on 数据类型表(名称 ASC);"),
            s.size() - std::string("CREATE INDEX Index_数据类型名 on 数据类型表(名称 ASC);").size());
}

TEST(Schema, DefaultsOfTheCodedColumns) {
  test::TestCatalogue cat;
  cat.add().Function("f");
  cat.add().DataType("t");
  EXPECT_EQ(cat.store().QueryInt("select 类别 from 函数表"), 0);
  EXPECT_EQ(cat.store().QueryInt("select 导入语言 is null from 函数表"), 1);
  EXPECT_EQ(cat.store().QueryInt("select 导入语言 from 数据类型表"), 0);
  cat.add().Function("f");
  EXPECT_EQ(cat.store().QueryInt("select count(1) from 函数表 where 名称='f'"), 2);
}

TEST(Schema, FailedCreationLeavesNoTableBehind) {
  test::TempDir dir;
  CatalogueStore store;
  ASSERT_TRUE(store.OpenPath(dir / "data.db", true));
  // An existing table makes the fourth statement fail.
  ASSERT_TRUE(store.Exec("CREATE TABLE 数据类型成员表 (x)"));
  std::string error;
  EXPECT_FALSE(CreateSchema(store, error));
  EXPECT_NE(error.find("数据类型成员表"), std::string::npos);
  EXPECT_EQ(Objects(store), (std::set<std::string>{"table:数据类型成员表"}));
}

}  // namespace
}  // namespace declarium
