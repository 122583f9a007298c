#include "store/CatalogueStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <thread>

#include "store/ConstantNumbers.h"
#include "store/NativeTypes.h"
#include "store/Schema.h"
#include "store/SqlText.h"
#include "store/Transaction.h"
#include "support/Catalogue.h"
#include "support/TempDir.h"

namespace declarium {
namespace {

using test::TempDir;
using test::TestCatalogue;

TEST(CatalogueStore, OpenWithoutCreateLeavesNoFile) {
  TempDir dir;
  CatalogueStore store;
  EXPECT_FALSE(store.OpenPath(dir / "data.db", false));
  EXPECT_FALSE(std::filesystem::exists(dir / "data.db"));
  EXPECT_TRUE(store.OpenPath(dir / "data.db", true));
  EXPECT_TRUE(std::filesystem::exists(dir / "data.db"));
  EXPECT_TRUE(store.Close());
  EXPECT_FALSE(store.Close());
}

TEST(CatalogueStore, FailureValuesWithoutConnectionOrStatement) {
  CatalogueStore store;
  std::string error = "x";
  EXPECT_FALSE(store.Exec("select 1", error));
  EXPECT_TRUE(error.empty());
  Statement none = store.Prepare("select 1");
  EXPECT_FALSE(none);
  EXPECT_FALSE(store.NextRow(none));
  EXPECT_EQ(store.Step(none), 1);
  EXPECT_FALSE(store.Reset(none));
  EXPECT_EQ(store.ColumnText(none, 0), "");
  EXPECT_EQ(store.ColumnInt(none, 0), 0);
  EXPECT_FALSE(store.Finalize(none));
  EXPECT_EQ(store.ErrorMessage(), "");
  Transaction none2(store);
  EXPECT_FALSE(none2);
  EXPECT_FALSE(none2.Commit());
}

TEST(CatalogueStore, FailedPrepareYieldsNoStatementAndReadLoopReadsNothing) {
  TestCatalogue cat;
  Statement stmt = cat.store().Prepare("select * from 不存在的表");
  EXPECT_FALSE(stmt);
  int rows = 0;
  while (cat.store().NextRow(stmt)) ++rows;
  EXPECT_EQ(rows, 0);
  EXPECT_NE(cat.store().ErrorMessage().find("不存在的表"), std::string::npos);
  // A query that merely finds no row leaves no message behind.
  EXPECT_EQ(cat.store().QueryText("select 名称 from 常量表"), "");
  EXPECT_EQ(cat.store().ErrorMessage(), "");
}

TEST(CatalogueStore, GbkTextRoundTripsAndNullReadsEmpty) {
  TestCatalogue cat;
  cat.Run("insert into 常量表 (名称,备注) values ('中文名称',NULL)");
  Statement stmt = cat.store().Prepare("select 名称,备注,十进制值 from 常量表");
  ASSERT_TRUE(stmt);
  ASSERT_TRUE(cat.store().NextRow(stmt));
  EXPECT_EQ(cat.store().ColumnText(stmt, 0), "中文名称");
  EXPECT_EQ(cat.store().ColumnText(stmt, 1), "");
  EXPECT_EQ(cat.store().ColumnInt(stmt, 2), 0);
  EXPECT_FALSE(cat.store().NextRow(stmt));
  EXPECT_TRUE(cat.store().Reset(stmt));
  EXPECT_TRUE(cat.store().NextRow(stmt));
  EXPECT_TRUE(cat.store().Finalize(stmt));
}

TEST(CatalogueStore, TextOutsideGbkReadsBackReplaced) {
  TestCatalogue cat;
  // The emoji is put in by SQLite itself, as another program could have done.
  cat.Run("insert into 常量表 (名称) values ('a' || char(128512) || 'b')");
  EXPECT_EQ(cat.store().QueryText("select 名称 from 常量表"), "a?b");
}

TEST(CatalogueStore, ExecStopsAtFailingStatementEarlierOnesStay) {
  TestCatalogue cat;
  std::string error;
  EXPECT_FALSE(
      cat.store().Exec("insert into 类别表 (名称) values ('a');insert into 类别表 (名称) values ('b');"
                       "insert into 没有 values (1);insert into 类别表 (名称) values ('d')",
                       error));
  EXPECT_NE(error.find("没有"), std::string::npos);
  EXPECT_EQ(cat.store().QueryInt("select count(1) from 类别表"), 2);
}

// What a guard did is kept only when it commits; one begun inside another
// is undone alone, and kept only with the outer one.
TEST(CatalogueStore, TransactionKeepsOnlyWhatIsCommitted) {
  TestCatalogue cat;
  CatalogueStore& store = cat.store();
  auto names = [&store] { return store.QueryText("select group_concat(名称,'') from 类别表"); };
  {
    Transaction outer(store);
    ASSERT_TRUE(outer);
    cat.Run("insert into 类别表 (名称) values ('a')");
    {
      Transaction undone(store);
      ASSERT_TRUE(undone);
      cat.Run("insert into 类别表 (名称) values ('b')");
    }
    {
      Transaction kept(store);
      cat.Run("insert into 类别表 (名称) values ('c')");
      EXPECT_TRUE(kept.Commit());
    }
    EXPECT_EQ(names(), "ac");
  }
  EXPECT_EQ(names(), "");
  EXPECT_FALSE(store.InTransaction());
  {
    Transaction outer(store);
    cat.Run("insert into 类别表 (名称) values ('d')");
    EXPECT_TRUE(outer.Commit());
    EXPECT_FALSE(outer.Commit());
  }
  EXPECT_EQ(names(), "d");
}

// The program's own columns are not looked up on every use, yet follow what
// the program does: one it added in a transaction rolled back is gone, and
// one another connection added since the open is taken as it is by the
// program's own adding, not added twice.
TEST(CatalogueStore, OwnColumnsFollowThePrograms) {
  TestCatalogue cat;
  CatalogueStore& store = cat.store();
  EXPECT_FALSE(HasConstantValueColumn(store));
  {
    Transaction undone(store);
    ASSERT_TRUE(AddConstantValues(store));
    EXPECT_TRUE(HasConstantValueColumn(store));
  }
  EXPECT_FALSE(HasConstantValueColumn(store));
  EXPECT_FALSE(HasNativeTypeColumn(store, "函数参数表"));

  CatalogueStore other;
  ASSERT_TRUE(other.OpenPath(cat.file(), false));
  ASSERT_TRUE(EnsureConstantValues(other));
  ASSERT_TRUE(AddNativeTypeColumns(other));
  EXPECT_TRUE(EnsureConstantValues(store));
  EXPECT_TRUE(HasConstantValueColumn(store));
  EXPECT_TRUE(AddNativeTypeColumns(store));
  EXPECT_TRUE(HasNativeTypeColumn(store, "函数参数表"));
}

// Writers that overlap wait for each other, even a transaction that reads
// before it writes; only a lock held past the timeout fails, and says why.
TEST(CatalogueStore, OverlappingWritersWaitForEachOther) {
  TestCatalogue cat;
  auto writer = [&cat](bool& ok) {
    CatalogueStore store;
    ok = store.OpenPath(cat.file(), false);
    for (int i = 0; ok && i < 100; ++i) {
      Transaction t(store);
      ok = t && store.QueryInt("select count(1) from 类别表", -1) >= 0 &&
           store.Exec("insert into 类别表 (名称) values ('x')") && t.Commit();
    }
  };
  bool ok[2] = {false, false};
  std::thread other(writer, std::ref(ok[0]));
  writer(ok[1]);
  other.join();
  EXPECT_TRUE(ok[0] && ok[1]);
  EXPECT_EQ(cat.store().QueryInt("select count(1) from 类别表"), 200);

  Transaction held(cat.store());
  ASSERT_TRUE(held);
  CatalogueStore late;
  ASSERT_TRUE(late.OpenPath(cat.file(), false));
  Transaction refused(late);
  EXPECT_FALSE(refused);
  EXPECT_EQ(refused.Error(), "database is locked");
  EXPECT_TRUE(held.Commit());
}

TEST(CatalogueStore, StatementIsFinalizedOnScopeExit) {
  TestCatalogue cat;
  {
    Statement stmt = cat.store().Prepare("select 1");
    ASSERT_TRUE(stmt);
  }
  EXPECT_EQ(sqlite3_next_stmt(cat.store().handle(), nullptr), nullptr);
}

// A statement kept past Close does nothing more and is finalized safely
// later; it never runs on a connection opened afterwards.
TEST(CatalogueStore, AStatementMayOutliveItsConnection) {
  TestCatalogue cat;
  Statement kept = cat.store().Prepare("select 1");
  ASSERT_TRUE(kept);
  EXPECT_TRUE(cat.store().Close());
  EXPECT_FALSE(cat.store().NextRow(kept));
  ASSERT_TRUE(cat.store().OpenPath(cat.file(), false));
  EXPECT_FALSE(cat.store().NextRow(kept));
  EXPECT_EQ(cat.store().ColumnInt(kept, 0), 0);
}

TEST(SqlText, HostileValuesAreStoredExactly) {
  TestCatalogue cat;
  const std::string values[] = {
      "'",
      "''",
      "a'b",
      "\"",
      "\\",
      "%",
      "_",
      ";",
      "--",
      "/*",
      "x'); drop table 函数表; --",
      std::string("nul\0byte", 8),
      "中文'引号",
      "lead\x81",
      "\x81'",
      std::string(1 << 20, 'q'),
  };
  for (const std::string& v : values) {
    cat.Run("delete from 常量表");
    cat.Run("insert into 常量表 (名称,备注) values ('" + SqlEscape(v) + "'," + SqlLiteral(v) + ")");
    Statement stmt = cat.store().Prepare("select 名称,备注,length(名称) from 常量表 where 名称=" + SqlLiteral(v));
    ASSERT_TRUE(stmt) << v;
    ASSERT_TRUE(cat.store().NextRow(stmt)) << v;
    std::string expected = v;
    // A lone lead byte is not a character: it is stored as the default character.
    if (v == "lead\x81") expected = "lead?";
    if (v == "\x81'") expected = "?'";
    EXPECT_EQ(cat.store().ColumnText(stmt, 0), expected);
    EXPECT_EQ(cat.store().ColumnText(stmt, 1), expected);
    EXPECT_FALSE(cat.store().NextRow(stmt));
    EXPECT_EQ(cat.store().QueryInt("select count(1) from sqlite_master where name='函数表'"), 1);
  }
}

}  // namespace
}  // namespace declarium
