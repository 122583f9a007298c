#include "output/TypeNames.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace declarium {
namespace {

struct Case {
  const char* name;
  int source;
  int target;
  const char* expected;
};

TEST(MapTypeName, EveryRowOfTheSixTables) {
  const std::vector<Case> cases = {
      {"整数型", 0, 1, "int"},
      {"字节集", 0, 1, "int"},
      {"长整数型", 0, 1, "long"},
      {"字节型", 0, 1, "byte"},
      {"短整数型", 0, 1, "short"},
      {"小数型", 0, 1, "float"},
      {"双精度小数型", 0, 1, "double"},
      {"逻辑型", 0, 1, "bool"},
      {"文本型", 0, 1, "string"},
      {"日期时间型", 0, 1, "日期时间型"},
      {"整数型", 0, 2, "Long"},
      {"字节集", 0, 2, "Long"},
      {"字节型", 0, 2, "Byte"},
      {"短整数型", 0, 2, "Integer"},
      {"小数型", 0, 2, "Single"},
      {"双精度小数型", 0, 2, "Double"},
      {"逻辑型", 0, 2, "Long"},
      {"文本型", 0, 2, "String"},
      {"日期时间型", 0, 2, "Date"},
      {"长整数型", 0, 2, "Currency"},
      {"int", 1, 0, "整数型"},
      {"IntPtr", 1, 0, "整数型"},
      {"long", 1, 0, "长整数型"},
      {"ulong", 1, 0, "长整数型"},
      {"byte", 1, 0, "字节型"},
      {"sbyte", 1, 0, "字节型"},
      {"short", 1, 0, "短整数型"},
      {"ushort", 1, 0, "短整数型"},
      {"float", 1, 0, "小数型"},
      {"double", 1, 0, "双精度小数型"},
      {"bool", 1, 0, "逻辑型"},
      {"string", 1, 0, "文本型"},
      {"INT", 1, 0, "INT"},
      {"int", 1, 2, "Long"},
      {"IntPtr", 1, 2, "Long"},
      {"byte", 1, 2, "Byte"},
      {"sbyte", 1, 2, "Byte"},
      {"short", 1, 2, "Integer"},
      {"ushort", 1, 2, "Integer"},
      {"float", 1, 2, "Single"},
      {"double", 1, 2, "Double"},
      {"bool", 1, 2, "Long"},
      {"string", 1, 2, "String"},
      {"long", 1, 2, "Currency"},
      {"ulong", 1, 2, "Currency"},
      {"Long", 2, 0, "整数型"},
      {"Byte", 2, 0, "字节型"},
      {"Integer", 2, 0, "短整数型"},
      {"Single", 2, 0, "小数型"},
      {"Double", 2, 0, "双精度小数型"},
      {"Boolean", 2, 0, "逻辑型"},
      {"String", 2, 0, "文本型"},
      {"Date", 2, 0, "日期时间型"},
      {"long", 2, 0, "long"},
      {"Long", 2, 1, "int"},
      {"Byte", 2, 1, "byte"},
      {"Integer", 2, 1, "short"},
      {"Single", 2, 1, "float"},
      {"Double", 2, 1, "double"},
      {"Boolean", 2, 1, "bool"},
      {"String", 2, 1, "string"},
      {"Date", 2, 1, "double"},
      {"RECT", 0, 1, "RECT"},
      {"RECT", 2, 0, "RECT"},
      {"", 0, 2, ""},
      {"整数型 ", 0, 1, "整数型 "},
      {"整数型", 0, 0, "整数型"},
      {"int", 1, 1, "int"},
      {"整数型", 0, 3, "整数型"},
      {"整数型", -1, 1, "整数型"},
      {"int", 1, 3, "int"},
      {"Long", 3, 0, "Long"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MapTypeName(c.name, SyntaxOfNumber(c.source), SyntaxOfNumber(c.target)), c.expected)
        << c.name << " " << c.source << "->" << c.target;
}

// VB compiles none of the other syntaxes' type names, and E and C# none of
// VB's own.
TEST(MapTypeName, EveryBasicTypeHasAWordInTheOtherSyntaxes) {
  const std::vector<std::pair<const char*, SyntaxKind>> basics = {{"整数型", SyntaxKind::E},
                                                                  {"长整数型", SyntaxKind::E},
                                                                  {"逻辑型", SyntaxKind::E},
                                                                  {"子程序指针", SyntaxKind::E},
                                                                  {"通用型", SyntaxKind::E},
                                                                  {"日期时间型", SyntaxKind::E},
                                                                  {"uint", SyntaxKind::CSharp},
                                                                  {"ulong", SyntaxKind::CSharp},
                                                                  {"char", SyntaxKind::CSharp},
                                                                  {"UIntPtr", SyntaxKind::CSharp},
                                                                  {"StringBuilder", SyntaxKind::CSharp},
                                                                  {"Currency", SyntaxKind::Vb},
                                                                  {"LongPtr", SyntaxKind::Vb},
                                                                  {"LongLong", SyntaxKind::Vb},
                                                                  {"Date", SyntaxKind::Vb},
                                                                  {"Any", SyntaxKind::Vb}};
  for (const auto& [name, from] : basics)
    for (SyntaxKind to : kAllSyntaxes) {
      if (to == from || (from != SyntaxKind::Vb && to != SyntaxKind::Vb)) continue;
      const std::string mapped = MapTypeName(name, from, to);
      EXPECT_TRUE(IsBasicTypeName(mapped, to) && !IsBasicTypeName(mapped, from)) << name << " gives " << mapped;
    }
}

TEST(MapTypeName, RoundTripIsNotAlwaysIdentity) {
  EXPECT_EQ(MapTypeName(MapTypeName("字节集", SyntaxKind::E, SyntaxKind::CSharp), SyntaxKind::CSharp, SyntaxKind::E),
            "整数型");
}

}  // namespace
}  // namespace declarium
