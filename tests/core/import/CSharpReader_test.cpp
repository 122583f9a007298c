#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/Readers.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

using namespace std::string_literals;

// Text as the edit control hands it over: CR LF line ends.
std::string Crlf(std::string_view t) { return ToCrLf(t); }

std::vector<FunctionRecord> Functions(std::string_view text) {
  std::vector<FunctionRecord> out;
  const int n = ReadCSharpFunctions(text, out);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

std::vector<DataTypeRecord> DataTypes(std::string_view text) {
  std::vector<DataTypeRecord> out;
  const int n = ReadCSharpDataTypes(text, out);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

std::vector<ConstantRecord> Constants(std::string_view text) {
  std::vector<ConstantRecord> out;
  const int n = ReadCSharpConstants(text, out);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

void ExpectParameter(const ParameterRecord& p, std::string_view type, std::string_view name, bool byRef, bool output,
                     std::string_view array) {
  SCOPED_TRACE(std::string(name));
  EXPECT_EQ(p.type, type);
  EXPECT_EQ(p.name, name);
  EXPECT_EQ(p.byRef, byRef);
  EXPECT_EQ(p.output, output);
  EXPECT_EQ(p.array, array);
  EXPECT_EQ(p.remark, "");
  EXPECT_EQ(p.chineseName, "");
}

// ---------------------------------------------------------------- functions

TEST(CSharpFunctions, ReadsAFileOfInteropDeclarations) {
  const std::string text = Crlf(R"(using System;
using System.Runtime.InteropServices;

static class NativeMethods
{
    [DllImport("user32.dll", CharSet = CharSet.Auto, SetLastError = true)]
    public static extern int MessageBox(IntPtr hWnd, string lpText, string lpCaption, uint uType);

    [DllImport("kernel32.dll", EntryPoint = "GetWindowsDirectoryW", CallingConvention = CallingConvention.StdCall)]
    public static extern uint GetWindowsDirectory(char[] lpBuffer, uint uSize);

    [DllImport("user32.dll")]
    [return: MarshalAs(UnmanagedType.Bool)]
    static extern bool GetWindowRect(IntPtr hWnd, out RECT lpRect);

    [DllImport("advapi32.dll", CharSet = CharSet.Unicode, SetLastError = true)]
    public static extern bool LookupAccountSid(string lpSystemName, byte[] Sid, ref uint cchName, out int peUse);
}
)");
  const auto f = Functions(text);
  ASSERT_EQ(f.size(), 4u);

  EXPECT_EQ(f[0].name, "MessageBox");
  EXPECT_EQ(f[0].returnType, "int");
  EXPECT_EQ(f[0].library, "user32.dll");
  // Without EntryPoint the entry name is the method's own.
  EXPECT_EQ(f[0].entryPoint, "MessageBox");
  EXPECT_EQ(f[0].charSet, "CharSet.Auto");
  EXPECT_EQ(f[0].callingConvention, "");
  EXPECT_EQ(f[0].syntax, SyntaxKind::CSharp);
  EXPECT_EQ(f[0].remark, "");
  EXPECT_FALSE(f[0].isPublic);
  ASSERT_EQ(f[0].parameters.size(), 4u);
  ExpectParameter(f[0].parameters[0], "IntPtr", "hWnd", false, false, "");
  ExpectParameter(f[0].parameters[1], "string", "lpText", false, false, "");
  ExpectParameter(f[0].parameters[2], "string", "lpCaption", false, false, "");
  ExpectParameter(f[0].parameters[3], "uint", "uType", false, false, "");

  EXPECT_EQ(f[1].name, "GetWindowsDirectory");
  EXPECT_EQ(f[1].returnType, "uint");
  EXPECT_EQ(f[1].library, "kernel32.dll");
  EXPECT_EQ(f[1].entryPoint, "GetWindowsDirectoryW");
  EXPECT_EQ(f[1].charSet, "");
  EXPECT_EQ(f[1].callingConvention, "CallingConvention.StdCall");
  ASSERT_EQ(f[1].parameters.size(), 2u);
  ExpectParameter(f[1].parameters[0], "char", "lpBuffer", false, false, "1");
  ExpectParameter(f[1].parameters[1], "uint", "uSize", false, false, "");

  // A second attribute line between DllImport and the method does not disturb it.
  EXPECT_EQ(f[2].name, "GetWindowRect");
  EXPECT_EQ(f[2].returnType, "bool");
  EXPECT_EQ(f[2].library, "user32.dll");
  ASSERT_EQ(f[2].parameters.size(), 2u);
  ExpectParameter(f[2].parameters[1], "RECT", "lpRect", true, true, "");

  EXPECT_EQ(f[3].name, "LookupAccountSid");
  EXPECT_EQ(f[3].charSet, "CharSet.Unicode");
  ASSERT_EQ(f[3].parameters.size(), 4u);
  ExpectParameter(f[3].parameters[0], "string", "lpSystemName", false, false, "");
  ExpectParameter(f[3].parameters[1], "byte", "Sid", false, false, "1");
  ExpectParameter(f[3].parameters[2], "uint", "cchName", true, false, "");
  ExpectParameter(f[3].parameters[3], "int", "peUse", true, true, "");
}

TEST(CSharpFunctions, NameContainingTheReturnTypeStaysWhole) {
  const auto f = Functions("[DllImport(\"winspool.drv\")] static extern int PrintJobint(int hPrinter);");
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].returnType, "int");
  EXPECT_EQ(f[0].name, "PrintJobint");
}

// The parameter list starts after the first "head(" of the block, even one
// that stands before "extern"; heads of any length.
TEST(CSharpFunctions, ParameterListStartsAtTheFirstOccurrenceOfTheHead) {
  for (const std::string& name : {"F"s, std::string(100, 'G')}) {
    const std::string head = "int " + name;
    const auto f = Functions("[DllImport(\"" + head + "(x, int a\")] static extern " + head + "(int b, int c);");
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].name, name);
    // The pieces are "x", "int a\")] static extern int F(int b" and "int c".
    ASSERT_EQ(f[0].parameters.size(), 1u);
    EXPECT_EQ(f[0].parameters[0].name, "c");
  }
}

TEST(CSharpFunctions, OutParameterIsAlsoPassedByReference) {
  const auto f = Functions("[DllImport(\"k.dll\")] static extern bool F(out int a, ref int b, int c);");
  ASSERT_EQ(f.size(), 1u);
  ASSERT_EQ(f[0].parameters.size(), 3u);
  ExpectParameter(f[0].parameters[0], "int", "a", true, true, "");
  ExpectParameter(f[0].parameters[1], "int", "b", true, false, "");
  ExpectParameter(f[0].parameters[2], "int", "c", false, false, "");
}

TEST(CSharpFunctions, AttributeArguments) {
  // Spaces around "=" and quotes are dropped from the entry point; the library
  // is what stands between "(" and the first ",", quotes and spaces removed.
  auto f = Functions(
      "[DllImport( \"gdi32\" ,EntryPoint  =  \"BitBlt\", CallingConvention=CallingConvention.Winapi,"
      "CharSet=CharSet.Ansi, ExactSpelling = true)]\r\n"
      "static extern bool Blit(IntPtr hdc, int x);");
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].library, "gdi32");
  EXPECT_EQ(f[0].entryPoint, "BitBlt");
  EXPECT_EQ(f[0].callingConvention, "CallingConvention.Winapi");
  EXPECT_EQ(f[0].charSet, "CharSet.Ansi");

  // The first matching name wins: an entry point whose value mentions CharSet
  // is still the entry point.
  f = Functions("[DllImport(\"a.dll\", EntryPoint = \"CharSetW\")] static extern int CS(int x);");
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].entryPoint, "CharSetW");
  EXPECT_EQ(f[0].charSet, "");

  // A later argument of the same name overwrites an earlier one.
  f = Functions("[DllImport(\"a\", CharSet = CharSet.Ansi, CharSet = CharSet.Unicode)] extern int G(int x);");
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].charSet, "CharSet.Unicode");
  EXPECT_EQ(f[0].returnType, "int");
  EXPECT_EQ(f[0].name, "G");
}

TEST(CSharpFunctions, MethodWithoutParametersIsNotRead) {
  const auto f = Functions(Crlf(R"([DllImport("kernel32.dll")]
static extern uint GetLastError();
[DllImport("kernel32.dll")]
static extern void Sleep(uint dwMilliseconds);
)"));
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].name, "Sleep");
  EXPECT_EQ(f[0].returnType, "void");
}

TEST(CSharpFunctions, ParametersThatAreNotTwoOrThreeWordsAreLeftOut) {
  const auto f = Functions(
      "[DllImport(\"user32.dll\")] static extern bool GetClientRect([In] ref RECT lpRect, "
      "[MarshalAs(UnmanagedType.LPArray, SizeParamIndex = 1)] byte[] data, "
      "IntPtr hWnd, /* unused */ uint flags, int last // trailing\r\n);");
  ASSERT_EQ(f.size(), 1u);
  ASSERT_EQ(f[0].parameters.size(), 3u);
  ExpectParameter(f[0].parameters[0], "IntPtr", "hWnd", false, false, "");
  ExpectParameter(f[0].parameters[1], "uint", "flags", false, false, "");
  // The comment runs to the end of the piece, so the line break goes with it.
  ExpectParameter(f[0].parameters[2], "int", "last", false, false, "");
  // What was left out is not lost unseen.
  EXPECT_TRUE(f[0].readInPart);
}

// Line breaks, tabs and runs of blanks inside a declaration are one space,
// in attributes and parameter lists alike; a line comment ends at its line,
// even with a ";" in it.
TEST(CSharpFunctions, DeclarationsOverLinesReadAsOnOneLine) {
  const auto f = Functions(Crlf(R"([DllImport("user32.dll",
    EntryPoint = "MessageBoxA",	CharSet = CharSet.Ansi)]
public static extern int MessageBoxX(
    IntPtr hWnd,   // the owner; may be zero
    string lpText,
	string   lpCaption
);
[DllImport("k")] static extern int F(IntPtr h,
string text)
;)"));
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].entryPoint, "MessageBoxA");
  EXPECT_EQ(f[0].charSet, "CharSet.Ansi");
  EXPECT_EQ(f[0].name, "MessageBoxX");
  ASSERT_EQ(f[0].parameters.size(), 3u);
  ExpectParameter(f[0].parameters[0], "IntPtr", "hWnd", false, false, "");
  ExpectParameter(f[0].parameters[2], "string", "lpCaption", false, false, "");
  ASSERT_EQ(f[1].parameters.size(), 2u);
  ExpectParameter(f[1].parameters[1], "string", "text", false, false, "");
  EXPECT_FALSE(f[0].readInPart || f[1].readInPart);
}

TEST(CSharpFunctions, CuttingStopsAtAMissingSemicolon) {
  const auto f = Functions(
      "[DllImport(\"a\")] static extern int F(int x);\r\n"
      "[DllImport(\"b\")] static extern int G(int y)\r\n"
      "[DllImport(\"c\")] static extern int H(int z)");
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].name, "F");
}

TEST(CSharpFunctions, ABlockRunsToItsFirstSemicolon) {
  // The second DllImport lies inside the first block and starts nothing;
  // cutting resumes after the semicolon.
  const auto f = Functions(
      "[DllImport(\"a\")] [DllImport(\"b\")] static extern int F(int x);"
      "[DllImport(\"c\")] static extern int G(long y);");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].library, "a");
  EXPECT_EQ(f[0].name, "F");
  EXPECT_EQ(f[1].library, "c");
  ASSERT_EQ(f[1].parameters.size(), 1u);
  EXPECT_EQ(f[1].parameters[0].type, "long");
}

// ---------------------------------------------------------------- data types

TEST(CSharpDataTypes, ReadsStructuresAndClasses) {
  const std::string text = Crlf(R"(
[StructLayout(LayoutKind.Sequential, CharSet = CharSet.Auto, Pack = 4)]
public struct WIN32_FIND_DATA
{
    public uint dwFileAttributes;
    public FILETIME ftCreationTime;
    public uint nFileSizeHigh;
    [MarshalAs(UnmanagedType.ByValTStr, SizeConst = 260)]
    public string cFileName;
    [MarshalAs(UnmanagedType.ByValTStr, SizeConst = 14)]
    public string cAlternateFileName;
}

[StructLayout(LayoutKind.Explicit, Size = 16)]
public class LARGE_INTEGER_BOX
{
    [FieldOffset(0)] public long QuadPart;
    [FieldOffset(8)] public int Tag /* low part */;
}
)");
  const auto d = DataTypes(text);
  ASSERT_EQ(d.size(), 2u);

  EXPECT_EQ(d[0].name, "WIN32_FIND_DATA");
  EXPECT_EQ(d[0].charSet, "CharSet.Auto");
  EXPECT_EQ(d[0].pack, "4");
  EXPECT_EQ(d[0].size, "");
  EXPECT_EQ(d[0].syntax, SyntaxKind::CSharp);
  EXPECT_EQ(d[0].remark, "");
  ASSERT_EQ(d[0].members.size(), 5u);
  ExpectParameter(d[0].members[0], "uint", "dwFileAttributes", false, false, "");
  ExpectParameter(d[0].members[1], "FILETIME", "ftCreationTime", false, false, "");
  ExpectParameter(d[0].members[2], "uint", "nFileSizeHigh", false, false, "");
  ExpectParameter(d[0].members[3], "string", "cFileName", false, false, "260");
  ExpectParameter(d[0].members[4], "string", "cAlternateFileName", false, false, "14");

  EXPECT_EQ(d[1].name, "LARGE_INTEGER_BOX");
  EXPECT_EQ(d[1].size, "16");
  EXPECT_EQ(d[1].pack, "");
  ASSERT_EQ(d[1].members.size(), 2u);
  ExpectParameter(d[1].members[0], "long", "QuadPart", false, false, "");
  ExpectParameter(d[1].members[1], "int", "Tag", false, false, "");
}

TEST(CSharpDataTypes, FixedArraysAndVerbatimNamesReadAsTheyAreWritten) {
  const auto d = DataTypes(Crlf(R"([StructLayout(LayoutKind.Sequential)]
public struct VERSIONINFO
{
    [MarshalAs(UnmanagedType.ByValArray, SizeConst = 128)]
    public byte[] szCSDVersion;
    public int @object;
    [MarshalAs(UnmanagedType.ByValArray, SizeConst = 2, ArraySubType = UnmanagedType.LPStr)]
    public string[] names;
})"));
  ASSERT_EQ(d.size(), 1u);
  ASSERT_EQ(d[0].members.size(), 3u);
  ExpectParameter(d[0].members[2], "string[]", "names", false, false, "2");
  ExpectParameter(d[0].members[0], "byte", "szCSDVersion", false, false, "128");
  ExpectParameter(d[0].members[1], "int", "object", false, false, "");
  const auto f = Functions("[DllImport(\"x\")] static extern int F(int @params, ref int @in);");
  ASSERT_EQ(f.size(), 1u);
  ASSERT_EQ(f[0].parameters.size(), 2u);
  EXPECT_EQ(f[0].parameters[0].name, "params");
  EXPECT_EQ(f[0].parameters[1].name, "in");
}

TEST(CSharpDataTypes, MembersAndAttributesOverLines) {
  const auto d = DataTypes(Crlf(R"([StructLayout(LayoutKind.Sequential,
    Pack = 1)]
struct POINT {
    public int x; // horizontal; in pixels
    public
        int y;
    [MarshalAs(UnmanagedType.ByValArray,
        SizeConst = 4)] public byte[] z;
})"));
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].pack, "1");
  ASSERT_EQ(d[0].members.size(), 3u);
  ExpectParameter(d[0].members[1], "int", "y", false, false, "");
  ExpectParameter(d[0].members[2], "byte", "z", false, false, "4");
  EXPECT_FALSE(d[0].readInPart);
}

TEST(CSharpDataTypes, BodyOfSpacesAndEmptyBraces) {
  auto d = DataTypes("[StructLayout(LayoutKind.Sequential)] struct Empty {   }");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].name, "Empty");
  EXPECT_TRUE(d[0].members.empty());

  d = DataTypes(
      "[StructLayout(LayoutKind.Sequential)] struct None {}\r\n"
      "[StructLayout(LayoutKind.Sequential)] struct One { int a; }");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].name, "One");
}

TEST(CSharpDataTypes, MarshalAsWithoutSizeConstAndOddMembers) {
  const auto d = DataTypes(
      "[StructLayout(LayoutKind.Sequential, Pack=1)] public struct S {"
      "[MarshalAs(UnmanagedType.U1)] public bool flag; lonely; ; [MarshalAs(UnmanagedType.ByValArray,"
      " ArraySubType = UnmanagedType.U1, SizeConst = 8)] public byte[] bytes;}");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].pack, "1");
  ASSERT_EQ(d[0].members.size(), 2u);
  ExpectParameter(d[0].members[0], "bool", "flag", false, false, "");
  // A fixed array's count is in 数组 and its type is the element's.
  ExpectParameter(d[0].members[1], "byte", "bytes", false, false, "8");
  EXPECT_TRUE(d[0].readInPart);  // "lonely"
}

TEST(CSharpDataTypes, CuttingStopsWithoutAClosingBrace) {
  const auto d = DataTypes(
      "[StructLayout(LayoutKind.Sequential)] struct A { int a; }\r\n"
      "[StructLayout(LayoutKind.Sequential)] struct B { int b;\r\n");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].name, "A");
}

TEST(CSharpDataTypes, BraceAsTrailByteDoesNotEndTheBlock) {
  // 81 7D is one double-byte character whose second byte is "}".
  const auto d = DataTypes("[StructLayout(LayoutKind.Sequential)] struct A\x81} { int a; }");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].name, "A\x81}");
  ASSERT_EQ(d[0].members.size(), 1u);
}

// ---------------------------------------------------------------- constants

TEST(CSharpConstants, ReadsConstFields) {
  const auto c = Constants(Crlf(R"(
public const int WM_USER = 0x0400;
public const int MAX_PATH = 260; // after the semicolon: not read
const uint GENERIC_READ = 0x80000000;
private const int ERROR_MORE_DATA = 234 /* more data is available */;
public const int INVALID_VALUE = -1;
const FLAGS = 12;
)"));
  ASSERT_EQ(c.size(), 6u);
  EXPECT_EQ(c[0].type, "int");
  EXPECT_EQ(c[0].name, "WM_USER");
  EXPECT_EQ(c[0].hexValue, "0x0400");
  EXPECT_EQ(c[0].decimalValue, "1024");
  EXPECT_EQ(c[0].remark, "");

  EXPECT_EQ(c[1].name, "MAX_PATH");
  EXPECT_EQ(c[1].decimalValue, "260");
  EXPECT_EQ(c[1].hexValue, "0x104");
  EXPECT_EQ(c[1].remark, "");

  EXPECT_EQ(c[2].type, "uint");
  EXPECT_EQ(c[2].hexValue, "0x80000000");
  EXPECT_EQ(c[2].decimalValue, "-2147483648");

  EXPECT_EQ(c[3].name, "ERROR_MORE_DATA");
  EXPECT_EQ(c[3].decimalValue, "234");
  EXPECT_EQ(c[3].hexValue, "0xEA");
  EXPECT_EQ(c[3].remark, " more data is available ");

  EXPECT_EQ(c[4].decimalValue, "-1");
  EXPECT_EQ(c[4].hexValue, "0xFFFFFFFF");

  EXPECT_EQ(c[5].type, "");
  EXPECT_EQ(c[5].name, "FLAGS");
  EXPECT_EQ(c[5].decimalValue, "12");
  EXPECT_EQ(c[5].hexValue, "0xC");
}

TEST(CSharpConstants, LineCommentBeforeTheSemicolonIsTheRemark) {
  const auto c = Constants("const int A = 1 // one\r\n;const int B = 0x10 /*sixteen*/ ;");
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].decimalValue, "1");
  EXPECT_EQ(c[0].remark, " one\r\n");
  EXPECT_EQ(c[1].hexValue, "0x10");
  EXPECT_EQ(c[1].decimalValue, "16");
  EXPECT_EQ(c[1].remark, "sixteen");
}

TEST(CSharpConstants, EveryBlockGivesOneConstant) {
  // "const " in a comment starts a block too; without " =" the name is empty.
  const auto c = Constants(
      "// const means fixed; see below\r\n"
      "const int X=5;\r\n"
      "const ;"
      "const string Title = \"Declarium\";");
  ASSERT_EQ(c.size(), 4u);
  EXPECT_EQ(c[0].name, "");
  EXPECT_EQ(c[0].type, "");
  EXPECT_EQ(c[0].decimalValue, "");
  EXPECT_EQ(c[0].hexValue, "0x0");
  EXPECT_EQ(c[1].name, "");  // "=" without spaces around it
  EXPECT_EQ(c[2].name, "");
  EXPECT_EQ(c[3].type, "string");
  EXPECT_EQ(c[3].name, "Title");
  EXPECT_EQ(c[3].decimalValue, "\"Declarium\"");
  EXPECT_EQ(c[3].hexValue, "0x0");
}

TEST(CSharpConstants, CuttingStopsWithoutASemicolon) {
  const auto c = Constants("const int A = 1; const int B = 2");
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].name, "A");
}

// ---------------------------------------------------------------- any text

TEST(CSharpReaders, NeverFailOnBrokenText) {
  const std::string nul = "const int A\0B = 1;[DllImport(\"a\0\")] extern int F(int\0 x);"s;
  const std::vector<std::string> texts = {"",
                                          ";",
                                          "}",
                                          "[DllImport",
                                          "[DllImport(",
                                          "[DllImport(\"a\")] extern",
                                          "[DllImport(\"a\")] extern ;",
                                          "[DllImport(\"a\")] extern int F(",
                                          "[DllImport(\"a\")] extern int F(;",
                                          "[DllImport;",
                                          "[DllImport(\"a\")] extern int F(int x)",
                                          "extern int F(int x);",
                                          "[StructLayout",
                                          "[StructLayout}",
                                          "[StructLayout(",
                                          "[StructLayout(LayoutKind.Sequential)] struct",
                                          "[StructLayout] struct X {",
                                          "[StructLayout] struct X { int a; int b }",
                                          "[StructLayout] class }",
                                          "const ",
                                          "const ;",
                                          "const x =",
                                          "const x = ;",
                                          "const x = 0x;",
                                          "const x = 0x\x81;",
                                          "\x81",
                                          "[DllImport\x81",
                                          "const \x81",
                                          "[StructLayout\x81",
                                          "[StructLayout(Pack=\x81)] struct \x81{\x81}",
                                          nul,
                                          "[DllImport(\"a\")] extern \x81 F\x81(\x81 \x81);",
                                          "[DllImport(\"a\")] extern int F(a b c d e f);"};
  for (const auto& t : texts) {
    SCOPED_TRACE(t);
    std::vector<FunctionRecord> f(2);
    std::vector<DataTypeRecord> d(2);
    std::vector<ConstantRecord> c(2);
    ReadCSharpFunctions(t, f);
    ReadCSharpDataTypes(t, d);
    ReadCSharpConstants(t, c);
    EXPECT_LE(f.size(), 1u);
    EXPECT_LE(d.size(), 1u);
    EXPECT_LE(c.size(), 2u);
  }
  std::vector<FunctionRecord> f;
  ASSERT_EQ(ReadCSharpFunctions(nul, f), 1);
  EXPECT_EQ(f[0].library, std::string("a\0", 2));
  ASSERT_EQ(f[0].parameters.size(), 1u);
  EXPECT_EQ(f[0].parameters[0].type, std::string("int\0", 4));
}

TEST(CSharpReaders, LargeAndRepetitiveTextIsReadInOnePass) {
  // Shapes that would be rescanned once per block or per candidate by a naive
  // reading; each must finish at once.
  const size_t n = 1u << 20;
  const std::string run(n, 'a');
  std::vector<FunctionRecord> f;
  std::vector<DataTypeRecord> d;
  std::vector<ConstantRecord> c;

  // A head that repeats the text before it, and a long return type.
  ReadCSharpFunctions("[DllImport(\"x\")] " + run + " extern " + run + "(int x);", f);
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].name, run);
  ASSERT_EQ(f[0].parameters.size(), 1u);
  ReadCSharpFunctions("[DllImport(\"x\")] extern " + run + " " + run.substr(1) + "b(int x);", f);
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].returnType, run);
  EXPECT_EQ(f[0].name, run.substr(1) + "b");

  // A comment as long as the parameter it follows.
  ReadCSharpFunctions("[DllImport(\"x\")] extern int F(int " + run + "//" + run.substr(1) + "b\r\n);", f);
  ASSERT_EQ(f.size(), 1u);
  ASSERT_EQ(f[0].parameters.size(), 1u);
  EXPECT_EQ(f[0].parameters[0].name.size(), n);

  // Many starts without an end, many pieces, many words.
  std::string starts;
  for (size_t i = 0; i < n / 16; ++i) starts += "[DllImport const ";
  ReadCSharpFunctions(starts, f);
  ReadCSharpConstants(starts, c);
  EXPECT_TRUE(f.empty());
  EXPECT_TRUE(c.empty());
  ReadCSharpFunctions("[DllImport(\"x\")] extern int F(" + std::string(n, ',') + std::string(n, ' ') + "x);", f);
  ASSERT_EQ(f.size(), 1u);
  EXPECT_TRUE(f[0].parameters.empty());
  ReadCSharpDataTypes("[StructLayout] struct S {" + std::string(n, ' ') + "x" + std::string(n, ' ') + "y}", d);
  ASSERT_EQ(d.size(), 1u);
  ASSERT_EQ(d[0].members.size(), 1u);
  EXPECT_EQ(d[0].members[0].name, "y");
  EXPECT_EQ(d[0].members[0].type, "x");

  std::string structs;
  for (size_t i = 0; i < n / 64; ++i) structs += "[StructLayout(Pack=1)] struct S { int a; }\r\n";
  EXPECT_EQ(ReadCSharpDataTypes(structs, d), static_cast<int>(n / 64));
}

}  // namespace
}  // namespace declarium
