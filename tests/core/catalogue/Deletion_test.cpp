#include "catalogue/Deletion.h"

#include "catalogue/ConstantEdit.h"
#include "catalogue/ConstantValues.h"

#include <gtest/gtest.h>

#include "support/Catalogue.h"

namespace declarium {
namespace {

using test::TestCatalogue;

int Count(TestCatalogue& cat, const std::string& sql) { return cat.store().QueryInt(sql, -1); }

class Deletion : public ::testing::Test {
 protected:
  void SetUp() override {
    fn_ = cat_.Insert("insert into 函数表 (名称) values ('Beep')");
    other_ = cat_.Insert("insert into 函数表 (名称) values ('Sleep')");
    cat_.Run("insert into 函数参数表 (名称,所属函数) values ('a'," + std::to_string(fn_) + "),('b'," +
             std::to_string(fn_) + "),('c'," + std::to_string(other_) + ")");
  }
  int Params(int fn) { return Count(cat_, "select count(1) from 函数参数表 where 所属函数=" + std::to_string(fn)); }
  TestCatalogue cat_;
  int fn_ = 0, other_ = 0;
};

TEST_F(Deletion, FunctionGoesWithItsParameters) {
  ASSERT_TRUE(DeleteFunction(cat_.store(), fn_));
  EXPECT_EQ(Params(fn_), 0);
  EXPECT_EQ(Params(other_), 1);
  EXPECT_EQ(Count(cat_, "select count(1) from 函数表"), 1);
  EXPECT_FALSE(DeleteFunction(cat_.store(), 0));
}

TEST_F(Deletion, FailedSecondStatementLeavesTheParameters) {
  cat_.Run("create trigger keep before delete on 函数表 begin select raise(abort,'拒绝'); end");
  EXPECT_FALSE(DeleteFunction(cat_.store(), fn_));
  EXPECT_EQ(Params(fn_), 2);
  EXPECT_EQ(Count(cat_, "select count(1) from 函数表"), 2);
  // No transaction is left open.
  EXPECT_FALSE(cat_.store().InTransaction());
}

TEST(DeletionOfDataTypes, TypeGoesWithItsMembersAndRollsBackOnFailure) {
  TestCatalogue cat;
  const int t = cat.Insert("insert into 数据类型表 (名称) values ('RECT')");
  cat.Run("insert into 数据类型成员表 (名称,所属数据类型) values ('left'," + std::to_string(t) + ")");
  cat.Run(
      "create trigger keep before delete on 数据类型表 when old.名称='RECT' begin "
      "select raise(abort,'x'); end");
  EXPECT_FALSE(DeleteDataType(cat.store(), t));
  EXPECT_EQ(Count(cat, "select count(1) from 数据类型成员表"), 1);
  cat.Run("drop trigger keep");
  ASSERT_TRUE(DeleteDataType(cat.store(), t));
  EXPECT_EQ(Count(cat, "select count(1) from 数据类型成员表"), 0);
  EXPECT_EQ(Count(cat, "select count(1) from 数据类型表"), 0);
}

TEST(DeletionOfConstants, ExactlyThatRow) {
  TestCatalogue cat;
  const int a = cat.Insert("insert into 常量表 (名称) values ('A')");
  cat.Insert("insert into 常量表 (名称) values ('B')");
  ASSERT_TRUE(DeleteConstant(cat.store(), a));
  EXPECT_EQ(Count(cat, "select count(1) from 常量表"), 1);
  EXPECT_EQ(cat.store().QueryText("select 名称 from 常量表"), "B");
  EXPECT_FALSE(DeleteConstant(cat.store(), 0));
}

TEST(ConstantEditor, UnchangedSaveKeepsLongTextsWhole) {
  TestCatalogue cat;
  const std::string remark(300, 'r');
  const std::string name = "名" + std::string(280, 'n');
  const int id = cat.Insert("insert into 常量表 (名称,十六进制值,十进制值,备注) values ('" + name + "','0x10','16','" +
                            remark + "')");
  ASSERT_TRUE(SaveConstant(cat.store(), id, name, "0x10", "16", remark));
  EXPECT_EQ(cat.store().QueryText("select 备注 from 常量表 where id=" + std::to_string(id)), remark);
  EXPECT_EQ(cat.store().QueryText("select 名称 from 常量表 where id=" + std::to_string(id)), name);
}

TEST(ConstantEditor, QuotesInEveryText) {
  TestCatalogue cat;
  const int id = cat.Insert("insert into 常量表 (名称) values ('X')");
  ASSERT_TRUE(SaveConstant(cat.store(), id, "A'B", "0x'1", "1'", "it's"));
  Statement row =
      cat.store().Prepare("select 名称,十六进制值,十进制值,备注 from 常量表 where id=" + std::to_string(id));
  ASSERT_TRUE(cat.store().NextRow(row));
  EXPECT_EQ(cat.store().ColumnText(row, 0), "A'B");
  EXPECT_EQ(cat.store().ColumnText(row, 1), "0x'1");
  EXPECT_EQ(cat.store().ColumnText(row, 2), "1'");
  EXPECT_EQ(cat.store().ColumnText(row, 3), "it's");
}

// The value the user changed speaks for both; two different numbers are refused.
TEST(ConstantEditor, ValuesNeverDisagree) {
  const ConstantTexts before{"WM_MINE", "0x401", "1025", ""};
  const auto edited = [&](std::string hex, std::string decimal) {
    ConstantTexts after = before;
    after.hexValue = std::move(hex);
    after.decimalValue = std::move(decimal);
    return ReconcileConstantValues(before, after) ? after.hexValue + "|" + after.decimalValue : "refused";
  };
  EXPECT_EQ(edited("0x401", "1026"), "0x402|1026");
  EXPECT_EQ(edited("0x401", "-1"), "0xFFFFFFFF|-1");
  EXPECT_EQ(edited("0x401", "4294967296"), "0x100000000|4294967296");
  EXPECT_EQ(edited("0xFFFFFFFF", "1025"), "0xFFFFFFFF|-1");
  EXPECT_EQ(edited("&H10&", "1025"), "&H10&|16");
  EXPECT_EQ(edited("0x401", ""), "0x401|1025");
  EXPECT_EQ(edited("", "1025"), "0x401|1025");
  EXPECT_EQ(edited("0x401", "WM_USER + 1"), "|WM_USER + 1");
  EXPECT_EQ(edited("0x402", "1026"), "0x402|1026");
  EXPECT_EQ(edited("0x402", "1027"), "refused");
  // The hexadecimal prefix of the old text is kept.
  ConstantTexts vb{"X", "&H1", "1", ""}, after = vb;
  after.decimalValue = "255";
  ASSERT_TRUE(ReconcileConstantValues(vb, after));
  EXPECT_EQ(after.hexValue, "&HFF");
}

TEST(ConstantEditor, StoredValuesAreOneNumber) {
  TestCatalogue cat;
  const int id = cat.Insert("insert into 常量表 (名称,十六进制值,十进制值) values ('WM_MINE','0x401','1025')");
  const ConstantTexts before{"WM_MINE", "0x401", "1025", ""};
  ConstantTexts after = before;
  after.decimalValue = "1026";
  ASSERT_EQ(SaveEditedConstant(cat.store(), id, before, after), ConstantSave::Saved);
  EXPECT_EQ(cat.store().QueryText("select 十六进制值 from 常量表 where id=" + std::to_string(id)), "0x402");
  std::vector<ConstantRow> rows;
  ASSERT_TRUE(FindConstantsByValue(cat.store(), 0x402, "", rows));
  ASSERT_EQ(rows.size(), 1u);
  after.hexValue = "0x1";
  after.decimalValue = "2";
  EXPECT_EQ(SaveEditedConstant(cat.store(), id, before, after), ConstantSave::Conflict);
  EXPECT_EQ(cat.store().QueryText("select 十进制值 from 常量表 where id=" + std::to_string(id)), "1026");
}

}  // namespace
}  // namespace declarium
