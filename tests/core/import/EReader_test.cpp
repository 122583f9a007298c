#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/Readers.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

using namespace std::string_literals;

std::vector<FunctionRecord> Functions(std::string_view text) {
  std::vector<FunctionRecord> out;
  const int n = ReadEFunctions(text, out);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

std::vector<DataTypeRecord> DataTypes(std::string_view text) {
  std::vector<DataTypeRecord> out;
  const int n = ReadEDataTypes(text, out);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

std::vector<ConstantRecord> Constants(std::string_view text) {
  std::vector<ConstantRecord> out;
  const int n = ReadEConstants(text, out);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

// ---- functions ----

TEST(ReadEFunctions, Version2HeaderAndParameters) {
  const std::string text =
      ".版本 2\r\n\r\n"
      ".DLL命令 MessageBoxA, 整数型, \"user32.dll\", \"MessageBoxA\", 公开, 弹出信息框\r\n"
      "    .参数 hWnd, 整数型, , 父窗口\r\n"
      "    .参数 lpText, 文本型, 传址 数组\r\n"
      "    .参数 uType, 整数型, 数组\r\n"
      "    .参数 extra, 整数型\r\n";
  auto fs = Functions(text);
  ASSERT_EQ(fs.size(), 1u);
  const FunctionRecord& f = fs[0];
  EXPECT_EQ(f.name, "MessageBoxA");
  EXPECT_EQ(f.returnType, "整数型");
  EXPECT_EQ(f.library, "user32.dll");
  EXPECT_EQ(f.entryPoint, "MessageBoxA");
  EXPECT_TRUE(f.isPublic);
  EXPECT_EQ(f.remark, "弹出信息框");
  EXPECT_EQ(f.syntax, SyntaxKind::E);
  EXPECT_TRUE(f.chineseName.empty());
  EXPECT_TRUE(f.description.empty());
  ASSERT_EQ(f.parameters.size(), 4u);
  EXPECT_EQ(f.parameters[0].name, "hWnd");
  EXPECT_EQ(f.parameters[0].type, "整数型");
  EXPECT_FALSE(f.parameters[0].byRef);
  EXPECT_EQ(f.parameters[0].array, "0");
  EXPECT_EQ(f.parameters[0].remark, "父窗口");
  EXPECT_TRUE(f.parameters[1].byRef);
  EXPECT_EQ(f.parameters[1].array, "1");
  EXPECT_FALSE(f.parameters[2].byRef);
  EXPECT_EQ(f.parameters[2].array, "1");
  // A missing third field leaves the array text empty rather than "0".
  EXPECT_EQ(f.parameters[3].array, "");
  for (const auto& p : f.parameters) EXPECT_FALSE(p.output);
}

TEST(ReadEFunctions, HeaderLayoutDependsOnVersionMarkerAnywhere) {
  const std::string header = ".DLL命令 F, 整数型, \"k.dll\", \"G\", 第五, 第六\r\n";
  const std::string five = ".DLL命令 F, 整数型, \"k.dll\", \"G\", 第五\r\n";
  // Version 1: the fifth field is the remark, a sixth overwrites it.
  EXPECT_EQ(Functions(five)[0].remark, "第五");
  EXPECT_FALSE(Functions(five)[0].isPublic);
  EXPECT_EQ(Functions(header)[0].remark, "第六");
  // Version 2, even when the marker comes last: the fifth field is the public flag.
  auto v2 = Functions(".DLL命令 F, 整数型, \"k.dll\", \"G\", , 备注\r\n.版本 2");
  ASSERT_EQ(v2.size(), 1u);
  EXPECT_FALSE(v2[0].isPublic);
  EXPECT_EQ(v2[0].remark, "备注");
  auto v2five = Functions(".版本 2\r\n" + five);
  EXPECT_FALSE(v2five[0].isPublic);
  EXPECT_EQ(v2five[0].remark, "");
  EXPECT_TRUE(Functions(".版本 2\r\n.DLL命令 F, , , , 不公开\r\n")[0].isPublic);
}

TEST(ReadEFunctions, FieldsAreCutAtCommaSpaceOnly) {
  auto fs = Functions(
      ".DLL命令 F, 整数型, \"k\", \"G\", 一, 备注, 后半\r\n"
      ".参数 a,整数型\r\n"
      ".参数 b, 整数型, , 说明, 更多\r\n");
  ASSERT_EQ(fs.size(), 1u);
  EXPECT_EQ(fs[0].remark, "备注");
  ASSERT_EQ(fs[0].parameters.size(), 2u);
  EXPECT_EQ(fs[0].parameters[0].name, "a,整数型");
  EXPECT_EQ(fs[0].parameters[0].type, "");
  EXPECT_EQ(fs[0].parameters[1].remark, "说明");
}

TEST(ReadEFunctions, DeclarationEndsAtBlankOrForeignLine) {
  auto fs = Functions(
      ".DLL命令 A, 整数型, \"k\"\r\n"
      "\r\n"
      "    .参数 lost, 整数型\r\n"
      ".DLL命令 B, 整数型, \"k\"\r\n"
      "    .参数 kept, 整数型\r\n"
      ".数据类型 T\r\n"
      "    .成员 m, 整数型\r\n"
      "    .参数 afterType, 整数型\r\n"
      ".DLL命令 C\r\n"
      "   \r\n"
      ".参数 lost2, 整数型\r\n");
  ASSERT_EQ(fs.size(), 3u);
  EXPECT_EQ(fs[0].name, "A");
  EXPECT_TRUE(fs[0].parameters.empty());
  EXPECT_EQ(fs[1].name, "B");
  ASSERT_EQ(fs[1].parameters.size(), 1u);
  EXPECT_EQ(fs[1].parameters[0].name, "kept");
  EXPECT_EQ(fs[2].name, "C");
  EXPECT_TRUE(fs[2].parameters.empty());
}

TEST(ReadEFunctions, NamelessDeclarationsAndParametersAreDropped) {
  std::vector<FunctionRecord> out(3);  // stale records are released
  EXPECT_EQ(ReadEFunctions(".DLL命令 , 整数型\r\n.参数 a, 整数型\r\n"
                           ".DLL命令 F\r\n.参数 , 整数型\r\n.参数 .参数, 整数型\r\n.参数 b\r\n",
                           out),
            1);
  ASSERT_EQ(out.size(), 1u);
  ASSERT_EQ(out[0].parameters.size(), 1u);
  EXPECT_EQ(out[0].parameters[0].name, "b");
  EXPECT_EQ(ReadEFunctions("没有声明", out), 0);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(ReadEFunctions("", out), 0);
}

TEST(ReadEFunctions, TrailingSeparatorOfTheLastLineIsTrimmedWithTheBlock) {
  // The block loses its trailing space first, so ", " no longer separates.
  auto fs = Functions(".DLL命令 F\r\n.参数 a, 整数型, ");
  ASSERT_EQ(fs[0].parameters.size(), 1u);
  EXPECT_EQ(fs[0].parameters[0].type, "整数型,");
}

// ---- data types ----

TEST(ReadEDataTypes, HeaderAndMembers) {
  auto ts = DataTypes(
      ".版本 2\r\n"
      ".数据类型 RECT, 公开, 矩形\r\n"
      "    .成员 left, 整数型, 传址, , 左边\r\n"
      "    .成员 buf, 字节型, 传址 数组, \"10\", 缓冲\r\n"
      "    .成员 raw, 字节型, , 10\r\n"
      "    .成员 two, 整数型, , \"2,3\"\r\n"
      "\r\n"
      "    .成员 lost, 整数型\r\n");
  ASSERT_EQ(ts.size(), 1u);
  const DataTypeRecord& t = ts[0];
  EXPECT_EQ(t.name, "RECT");
  EXPECT_TRUE(t.isPublic);
  EXPECT_EQ(t.remark, "矩形");
  EXPECT_EQ(t.syntax, SyntaxKind::E);
  ASSERT_EQ(t.members.size(), 4u);
  EXPECT_EQ(t.members[0].name, "left");
  EXPECT_EQ(t.members[0].type, "整数型");
  EXPECT_TRUE(t.members[0].byRef);
  EXPECT_EQ(t.members[0].array, "");
  EXPECT_EQ(t.members[0].remark, "左边");
  // A member is by reference only when the field is exactly "传址".
  EXPECT_FALSE(t.members[1].byRef);
  EXPECT_EQ(t.members[1].array, "10");
  EXPECT_EQ(t.members[2].array, "");
  EXPECT_EQ(t.members[3].array, "2,3");
}

TEST(ReadEDataTypes, HeaderLayoutAndPublicFlag) {
  // Version 1: the second field is the remark, a third overwrites it.
  auto v1 = DataTypes(".数据类型 A, 备注\r\n.数据类型 B, 公开, 第三\r\n");
  ASSERT_EQ(v1.size(), 2u);
  EXPECT_EQ(v1[0].remark, "备注");
  EXPECT_FALSE(v1[0].isPublic);
  EXPECT_EQ(v1[1].remark, "第三");
  // Version 2: public only when the trimmed field is exactly "公开".
  auto v2 = DataTypes(".版本 2\r\n.数据类型 A,  公开 \r\n.数据类型 B, 不公开\r\n.数据类型 , 公开\r\n");
  ASSERT_EQ(v2.size(), 2u);
  EXPECT_TRUE(v2[0].isPublic);
  EXPECT_EQ(v2[0].remark, "");
  EXPECT_FALSE(v2[1].isPublic);
}

TEST(ReadEDataTypes, MembersEndAtTheFirstLineWithoutMark) {
  auto ts = DataTypes(
      ".数据类型 T\r\n"
      ".成员 a, 整数型\r\n"
      ".成员 , 整数型\r\n"
      ".DLL命令 F, 整数型\r\n"
      ".成员 b, 整数型\r\n"
      ".数据类型 U\r\n"
      ".成员b, 整数型\r\n");
  ASSERT_EQ(ts.size(), 2u);
  ASSERT_EQ(ts[0].members.size(), 1u);
  EXPECT_EQ(ts[0].members[0].name, "a");
  // ".成员" without its space does not mark a member line.
  EXPECT_TRUE(ts[1].members.empty());
  EXPECT_TRUE(Functions(".数据类型 T\r\n.成员 a, 整数型\r\n").empty());
}

// ---- constants ----

TEST(ReadEConstants, ValuesAndHexText) {
  auto cs = Constants(
      ".版本 2\r\n\r\n"
      ".常量 KB, \"1024\", , 一千\r\n"
      ".常量 ALL, \"-1\"\r\n"
      ".常量 WORD, \"abc\", 公开, 文字\r\n"
      ".常量 NONE\r\n");
  ASSERT_EQ(cs.size(), 4u);
  EXPECT_EQ(cs[0].name, "KB");
  EXPECT_EQ(cs[0].decimalValue, "1024");
  EXPECT_EQ(cs[0].hexValue, "0x400");
  EXPECT_EQ(cs[0].remark, "一千");
  EXPECT_EQ(cs[0].type, "");
  EXPECT_EQ(cs[1].hexValue, "0xFFFFFFFF");
  EXPECT_EQ(cs[1].remark, "");  // nothing carried over from the constant before
  EXPECT_EQ(cs[2].decimalValue, "abc");
  EXPECT_EQ(cs[2].hexValue, "0x0");
  EXPECT_EQ(cs[2].remark, "文字");
  EXPECT_EQ(cs[3].decimalValue, "");
  EXPECT_EQ(cs[3].hexValue, "");
}

TEST(ReadEConstants, LineBreaksAndVersionMarkerAreDroppedInsideABlock) {
  auto cs = Constants(
      ".常量 A, \"1\", , 备注\r\n"
      ".版本 2\r\n"
      ".常量 B, \"2\"\r\n"
      ".DLL命令 F, 整数型, \"k\", \"G\"\r\n");
  ASSERT_EQ(cs.size(), 2u);
  EXPECT_EQ(cs[0].remark, "备注");
  // The following declaration joins B's line and fills its fields.
  EXPECT_EQ(cs[1].decimalValue, "2.DLL命令 F");
  EXPECT_EQ(cs[1].hexValue, "0x2");
  EXPECT_EQ(cs[1].remark, "\"k\"");
  auto split = Constants(".常量 A\r\n, \"7\"\r\n");
  ASSERT_EQ(split.size(), 1u);
  EXPECT_EQ(split[0].decimalValue, "7");
  EXPECT_TRUE(Constants(".常量 , \"1\"\r\n.常量  \r\n").empty());
}

// A constant's line is its whole block with the line breaks dropped; only
// the part that holds its four fields is joined. Random blocks, made of the
// pieces that matter (breaks, separators split by a break, lead bytes before
// a break), must read as the whole join reads them.
TEST(ReadEConstants, JoiningOnlyTheFieldsLinesReadsAsJoiningTheWholeBlock) {
  const std::vector<std::string> pieces = {".常量 ", "\r\n", ", ",   ",",        " ",       "\"", "a",
                                           "12",     "中",   "\x81", "\xA1\xA1", ".版本 2", "0x"};
  unsigned seed = 2024;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  auto expected = [](std::string_view text) {
    std::vector<ConstantRecord> out;
    const std::string key = ".常量 ";
    std::vector<long> starts;
    for (long p = FindText(text, key); p != -1; p = FindText(text, key, p + 1)) starts.push_back(p);
    for (size_t k = 0; k < starts.size(); ++k) {
      const size_t from = static_cast<size_t>(starts[k] - 1);
      const size_t to = k + 1 < starts.size() ? static_cast<size_t>(starts[k + 1] - 1) : text.size();
      const std::string line = RemoveAll(RemoveAll(text.substr(from, to - from), ".版本 2"), "\r\n");
      const std::vector<std::string_view> f = SplitText(line, ", ");
      ConstantRecord c;
      c.name = TrimSpaces(RemoveAll(f[0], key));
      if (f.size() >= 2) {
        c.decimalValue = TrimSpaces(RemoveAll(f[1], "\""));
        c.hexValue = "0x" + HexDigits(ToInteger(c.decimalValue));
      }
      if (f.size() >= 4) c.remark = TrimSpaces(f[3]);
      if (!c.name.empty()) out.push_back(c);
    }
    return out;
  };
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    for (unsigned n = next() % 40; n > 0; --n) text += pieces[next() % pieces.size()];
    const std::vector<ConstantRecord> want = expected(text);
    const std::vector<ConstantRecord> got = Constants(text);
    ASSERT_EQ(got.size(), want.size()) << round;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].name, want[i].name) << round;
      EXPECT_EQ(got[i].decimalValue, want[i].decimalValue) << round;
      EXPECT_EQ(got[i].hexValue, want[i].hexValue) << round;
      EXPECT_EQ(got[i].remark, want[i].remark) << round;
    }
  }
}

// ---- any text ----

TEST(EReaders, OddTextIsReadWithoutFault) {
  std::vector<FunctionRecord> fs;
  std::vector<DataTypeRecord> ts;
  std::vector<ConstantRecord> cs;
  const std::vector<std::string> texts = {
      ".DLL命令 ",
      ".DLL命令",
      ".数据类型 ",
      ".常量 ",
      ".DLL命令 F\r\n.参数",
      ".DLL命令 F\r",
      ".DLL命令 F, \"",
      ".数据类型 T\r\n.成员 m, 整数型, , \"",
      ".常量 A, \"",
      ".常量 A\x81",
      "\x81",
      ".DLL命令 F\x81",
      "\xA1\xA1\xA1",
      ".版本 2",
      ".版本 ",
      ", , , \r\n\r\n",
      ".DLL命令 F\0G, 整\0数型\r\n.参数 a\0b\r\n"s,
      ".常量 A\0B, \"1\0\"\r\n"s,
  };
  for (const std::string& t : texts) {
    SCOPED_TRACE(t);
    ReadEFunctions(t, fs);
    ReadEDataTypes(t, ts);
    ReadEConstants(t, cs);
  }
  // NUL bytes are ordinary bytes.
  ReadEFunctions(texts[16], fs);
  ASSERT_EQ(fs.size(), 1u);
  EXPECT_EQ(fs[0].name, "F\0G"s);
  EXPECT_EQ(fs[0].parameters[0].name, "a\0b"s);
  ReadEConstants(texts[17], cs);
  EXPECT_EQ(cs[0].name, "A\0B"s);
}

TEST(EReaders, DoubleByteCharactersHideNoMarkers) {
  // A lead byte makes the byte after it part of one character: the CR of
  // "\x81\r" does not start a line break, and "\x81." hides the keyword.
  auto fs = Functions(".DLL命令 A\x81\r\n.参数 b, 整数型\r\n\x81.DLL命令 C\r\n");
  ASSERT_EQ(fs.size(), 1u);
  EXPECT_TRUE(fs[0].parameters.empty());
  // After whole double-byte characters a keyword is found as usual.
  auto after = Functions("中文.DLL命令 D, 整数型\r\n");
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0].name, "D");
}

}  // namespace
}  // namespace declarium
