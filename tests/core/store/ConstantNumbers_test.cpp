#include "store/ConstantNumbers.h"

#include <gtest/gtest.h>

#include "catalogue/ConstantValues.h"
#include "catalogue/Deletion.h"
#include "import/StoreImported.h"
#include "support/Catalogue.h"

namespace declarium {
namespace {

TEST(ConstantNumbers, EveryNotationOfOneNumberIsTheSameValue) {
  for (const char* text :
       {"1024", "0x400", "0X400", "&H400", "&h400&", "400h", "0x00000400", " 1024 ", "1024L", "0x400UL", "+1024"})
    EXPECT_EQ(ParseConstantValue(text), 1024) << text;
  // 32-bit values are their bit pattern, however they are written.
  for (const char* text : {"-1", "0xFFFFFFFF", "&HFFFFFFFF&", "4294967295", "FFFFFFFFh"})
    EXPECT_EQ(ParseConstantValue(text), 0xFFFFFFFFLL) << text;
  EXPECT_EQ(ParseConstantValue("-2147483648"), 0x80000000LL);
  EXPECT_EQ(ParseConstantValue("0x100000000"), 0x100000000LL);
  EXPECT_EQ(ParseConstantValue("-2147483649"), -2147483649LL);
  // Up to 64 bits, a 64-bit hexadecimal value being its pattern.
  EXPECT_EQ(ParseConstantValue("-9223372036854775808"), ParseConstantValue("0x8000000000000000"));
  EXPECT_EQ(ParseConstantValue("0xFFFFFFFF80110401"), ParseConstantValue("-2146368511"));
  EXPECT_EQ(ParseConstantValue("18446744073709551615"), ParseConstantValue("&HFFFFFFFFFFFFFFFF"));
  EXPECT_EQ(ParseConstantValue("9223372036854775807"), INT64_MAX);
  for (const char* text :
       {"", "-", "0x", "&H", "FF", "1e3", "LVM_FIRST + 95", "(0x400)", "0x400 | 1", "1024&&&&", "99999999999999999999",
        "0xFFFFFFFFFFFFFFFFF", "18446744073709551616", "-9223372036854775809", "'; drop table 常量表;--", "１０２４"})
    EXPECT_FALSE(ParseConstantValue(text).has_value()) << text;
  // The decimal text speaks; the hexadecimal one only where it is blank.
  EXPECT_EQ(StoredConstantValue("LVM_FIRST + 95", "0x0"), std::nullopt);
  EXPECT_EQ(StoredConstantValue(" ", "&H10"), 16);
}

class ConstantValuesTest : public ::testing::Test {
 protected:
  int Constant(const std::string& name, const std::string& decimal, const std::string& hex) {
    return cat.add().Constant(test::NewConstant(name, decimal, hex));
  }
  std::vector<std::string> Find(std::int64_t value, std::string_view prefix = {}) {
    std::vector<ConstantRow> rows;
    EXPECT_TRUE(FindConstantsByValue(cat.store(), value, prefix, rows));
    std::vector<std::string> names;
    for (const ConstantRow& r : rows) names.push_back(r.name);
    return names;
  }
  test::TestCatalogue cat;
};

TEST_F(ConstantValuesTest, AnOlderCatalogueIsFoundAsItIsAndGainsTheIndexedColumn) {
  Constant("WM_USER", "1024", "0x400");
  Constant("A_VB", "&H400&", "");
  Constant("B_HEX_ONLY", "", "0x00000400");
  Constant("LVM_X", "LVM_FIRST + 95", "0x0");
  Constant("NEG", "-1", "0xFFFFFFFF");
  Constant("ALL", "4294967295", "0xFFFFFFFF");
  ASSERT_FALSE(HasConstantValueColumn(cat.store()));
  const std::vector<std::string> expected{"A_VB", "B_HEX_ONLY", "WM_USER"};
  EXPECT_EQ(Find(1024), expected);  // worked out row by row
  ASSERT_TRUE(EnsureConstantValues(cat.store()));
  EXPECT_TRUE(HasConstantValueColumn(cat.store()));
  EXPECT_EQ(cat.store().QueryInt("select count(1) from sqlite_master where name='Index_数值'"), 1);
  EXPECT_EQ(Find(1024), expected);
  EXPECT_EQ(Find(1024, "wm_"), std::vector<std::string>{"WM_USER"});
  EXPECT_EQ(Find(0xFFFFFFFFLL), (std::vector<std::string>{"ALL", "NEG"}));
  EXPECT_TRUE(Find(0).empty());  // an expression is no number, not 0
  EXPECT_TRUE(Find(1024, "%").empty());
  EXPECT_TRUE(Find(1024, "'; drop table 常量表;--").empty());
  // A constant another tool adds has no number yet, and is found all the same.
  Constant("OTHER_TOOL", "0x400", "");
  EXPECT_EQ(Find(1024, "OTHER"), std::vector<std::string>{"OTHER_TOOL"});
  EXPECT_TRUE(EnsureConstantValues(cat.store()));  // and gets it at the next writing open
  EXPECT_EQ(cat.store().QueryInt("select 数值 from 常量表 where 名称='OTHER_TOOL'"), 1024);
}

// 64-bit values are found by any of their notations, in a catalogue where
// an older version stored them without a number too.
TEST_F(ConstantValuesTest, SixtyFourBitValuesAreFound) {
  ASSERT_TRUE(EnsureConstantValues(cat.store()));
  // Rows an older version stored without their number.
  cat.Run(
      "insert into 常量表 (名称,十进制值,十六进制值,数值) values "
      "('ULLONG_MAX','18446744073709551615','0xFFFFFFFFFFFFFFFF',''),"
      "('LLONG_MIN','-9223372036854775808','0x8000000000000000','')");
  Constant("MTS", "-2146368511", "0xFFFFFFFF80110401");
  ASSERT_TRUE(EnsureConstantValues(cat.store()));
  EXPECT_EQ(Find(*ParseConstantValue("0xFFFFFFFFFFFFFFFF")), std::vector<std::string>{"ULLONG_MAX"});
  EXPECT_EQ(Find(*ParseConstantValue("-9223372036854775808")), std::vector<std::string>{"LLONG_MIN"});
  EXPECT_EQ(Find(*ParseConstantValue("0xFFFFFFFF80110401")), std::vector<std::string>{"MTS"});
}

// A 数值 column another tool made is its own: lookups work the numbers out,
// and no writer touches it.
TEST_F(ConstantValuesTest, AnotherToolsValueColumnIsNeitherReadNorWritten) {
  cat.Run("alter table 常量表 add column 数值 text");
  cat.Run("insert into 常量表 (名称,十进制值,十六进制值,数值) values ('MB_OK','0','0x0','theirs')");
  EXPECT_FALSE(EnsureConstantValues(cat.store()));
  std::string message;
  ConstantRecord imported;
  imported.name = "IMPORTED";
  imported.decimalValue = "16";
  ASSERT_TRUE(StoreImported(cat.store(), {}, {}, {imported}, message)) << message;
  EXPECT_EQ(Find(0), std::vector<std::string>{"MB_OK"});
  EXPECT_EQ(Find(16), std::vector<std::string>{"IMPORTED"});
  EXPECT_EQ(cat.store().QueryInt("select count(1) from 常量表 where 数值 is null or 数值='theirs'"), 2);
}

TEST_F(ConstantValuesTest, EveryWriterKeepsTheNumberUpToDate) {
  std::string message;
  ConstantRecord imported;
  imported.name = "IMPORTED";
  imported.decimalValue = "&H10&";
  ASSERT_TRUE(StoreImported(cat.store(), {}, {}, {imported}, message)) << message;
  // The import brought the column to an older catalogue, in its own transaction.
  EXPECT_TRUE(HasConstantValueColumn(cat.store()));
  EXPECT_EQ(cat.store().QueryInt("select 数值 from 常量表 where 名称='IMPORTED'"), 16);
  EXPECT_EQ(Find(16), std::vector<std::string>{"IMPORTED"});

  const int id = cat.store().QueryInt("select id from 常量表 where 名称='IMPORTED'");
  ASSERT_TRUE(SaveConstant(cat.store(), id, "IMPORTED", "0x20", "32", ""));
  EXPECT_TRUE(Find(16).empty());
  EXPECT_EQ(Find(32), std::vector<std::string>{"IMPORTED"});

  ASSERT_TRUE(DeleteConstant(cat.store(), id));
  EXPECT_TRUE(Find(32).empty());
}

}  // namespace
}  // namespace declarium
