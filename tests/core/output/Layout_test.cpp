#include "output/LayoutReport.h"

#include <gtest/gtest.h>

namespace declarium {
namespace {

ParameterRecord Member(std::string name, std::string type, std::string native = "") {
  ParameterRecord m;
  m.name = std::move(name);
  m.type = std::move(type);
  m.nativeType = std::move(native);
  return m;
}

// C aligns a double on 8, VB6 on 4; a pointer is 8 bytes in 64-bit code.
TEST(Layout, RulesDifferWhereTheyShould) {
  DataTypeRecord d;
  d.name = "T";
  d.members = {Member("n", "整数型", "ptr HANDLE"), Member("x", "双精度小数型", "f8 double")};
  const DataTypeLookup none;
  EXPECT_EQ(LayOutDataType(d, LayoutRules::C32, none)->members[1].offset, 8);
  EXPECT_EQ(LayOutDataType(d, LayoutRules::Vb6, none)->members[1].offset, 4);
  EXPECT_EQ(LayOutDataType(d, LayoutRules::C64, none)->size, 16);
  d.pack = "4";
  EXPECT_EQ(LayOutDataType(d, LayoutRules::C32, none)->size, 12);
  d.members.push_back(Member("r", "RECT"));
  EXPECT_FALSE(LayOutDataType(d, LayoutRules::C32, none));

  d.pack.clear();
  d.members.pop_back();
  EXPECT_EQ(LayoutReport(d, false, none),
            "T：32 位 C 16 字节，按 8 字节对齐；VB6 12 字节，按 4 字节对齐\r\n"
            "  偏移  大小  VB6 偏移  成员\r\n"
            "     0     4         0  n       整数型\r\n"
            "     4     4            （空隙）\r\n"
            "     8     8         4* x       双精度小数型\r\n");
}

}  // namespace
}  // namespace declarium
