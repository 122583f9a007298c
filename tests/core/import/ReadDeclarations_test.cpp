#include <gtest/gtest.h>

#include <string>

#include "import/Readers.h"
#include "import/SyntaxGuess.h"

namespace declarium {
namespace {

const char kCSharp[] =
    "[DllImport(\"user32.dll\", CharSet = CharSet.Auto)]\r\n"
    "public static extern int MessageBox(IntPtr hWnd, string lpText, string lpCaption, uint uType);\r\n"
    "[StructLayout(LayoutKind.Sequential)]\r\n"
    "public struct POINT\r\n"
    "{\r\n"
    "    public int x;\r\n"
    "    public int y;\r\n"
    "}\r\n"
    "public const int WM_USER = 0x0400;\r\n";

ParsedDeclarations Prefilled() {
  ParsedDeclarations p;
  p.functions.resize(3);
  p.dataTypes.resize(3);
  p.constants.resize(3);
  return p;
}

TEST(ReadDeclarations, CSharpRunsItsThreeReadersOverTheSameText) {
  ParsedDeclarations p = Prefilled();
  ReadDeclarations(kCSharp, SyntaxKind::CSharp, p);
  ASSERT_EQ(p.functions.size(), 1u);
  EXPECT_EQ(p.functions[0].name, "MessageBox");
  EXPECT_EQ(p.functions[0].parameters.size(), 4u);
  ASSERT_EQ(p.dataTypes.size(), 1u);
  EXPECT_EQ(p.dataTypes[0].name, "POINT");
  EXPECT_EQ(p.dataTypes[0].members.size(), 2u);
  // The constant reader sees the text as given, not what another reader made of it.
  ASSERT_EQ(p.constants.size(), 1u);
  EXPECT_EQ(p.constants[0].name, "WM_USER");
  EXPECT_EQ(p.constants[0].decimalValue, "1024");

  // The list overload fills the same lists.
  std::vector<FunctionRecord> f(5);
  std::vector<DataTypeRecord> d;
  std::vector<ConstantRecord> c(1);
  ReadDeclarations(kCSharp, SyntaxKind::CSharp, f, d, c);
  EXPECT_EQ(f.size(), 1u);
  EXPECT_EQ(d.size(), 1u);
  EXPECT_EQ(c.size(), 1u);
}

TEST(ReadDeclarations, TextWithoutCSharpMarkersGivesEmptyLists) {
  ParsedDeclarations p = Prefilled();
  ReadDeclarations(
      ".版本 2\r\n\r\n.DLL命令 MessageBoxA, 整数型, \"user32.dll\", \"MessageBoxA\", 公开\r\n"
      "    .参数 hWnd, 整数型\r\n\r\n.数据类型 POINT, 公开\r\n    .成员 x, 整数型\r\n\r\n"
      ".常量 WM_USER, \"1024\"\r\n",
      SyntaxKind::CSharp, p);
  EXPECT_TRUE(p.functions.empty());
  EXPECT_TRUE(p.dataTypes.empty());
  EXPECT_TRUE(p.constants.empty());

  p = Prefilled();
  ReadDeclarations("", SyntaxKind::CSharp, p);
  EXPECT_TRUE(p.functions.empty());
  EXPECT_TRUE(p.dataTypes.empty());
  EXPECT_TRUE(p.constants.empty());
}

TEST(ReadDeclarations, UnknownSyntaxEmptiesTheLists) {
  for (int number : {3, -1, 100}) {
    SCOPED_TRACE(number);
    const SyntaxKind syntax = SyntaxOfNumber(number);
    ParsedDeclarations p = Prefilled();
    ReadDeclarations(kCSharp, syntax, p);
    EXPECT_TRUE(p.functions.empty());
    EXPECT_TRUE(p.dataTypes.empty());
    EXPECT_TRUE(p.constants.empty());
  }
}

// C# pasted while 易语言 is chosen: C# is what reads it; a text the chosen
// syntax reads, or none reads, is offered nothing.
TEST(ReadDeclarations, AnotherSyntaxThatReadsTheText) {
  const std::string csharp = "public const int WM_USER = 0x400;\r\n";
  EXPECT_EQ(SyntaxThatReads(csharp, SyntaxKind::E), SyntaxKind::CSharp);
  EXPECT_EQ(SyntaxThatReads(csharp, SyntaxKind::CSharp), std::nullopt);
  EXPECT_EQ(SyntaxThatReads("hello\r\n", SyntaxKind::E), std::nullopt);
  EXPECT_EQ(SyntaxThatReads("Public Const WM_USER = &H400\r\n", SyntaxKind::CSharp), SyntaxKind::Vb);
}

}  // namespace
}  // namespace declarium
