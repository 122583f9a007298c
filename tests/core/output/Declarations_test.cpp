#include "output/Declarations.h"

#include <gtest/gtest.h>

namespace declarium {
namespace {

ParameterRecord Param(std::string name, std::string chinese, std::string type, bool byRef, std::string array,
                      std::string remark) {
  ParameterRecord p;
  p.name = std::move(name);
  p.chineseName = std::move(chinese);
  p.type = std::move(type);
  p.byRef = byRef;
  p.array = std::move(array);
  p.remark = std::move(remark);
  return p;
}

FunctionRecord MessageBox() {
  FunctionRecord f;
  f.id = 1;
  f.name = "MessageBoxA";
  f.chineseName = "信息框";
  f.returnType = "整数型";
  f.remark = "显示信息框";
  f.library = "user32.dll";
  f.entryPoint = "MessageBoxA";
  f.charSet = "CharSet.Ansi";
  f.callingConvention = "CallingConvention.StdCall";
  f.parameters = {
      Param("hWnd", "窗口句柄", "整数型", false, "0", "父窗口"),
      Param("lpText", "", "文本型", false, "0", "文本"),
      Param("lpBuf", "缓冲", "字节型", true, "1", ""),
      Param("lpHandleInfo", "", "整数型", true, "0", "r4"),
  };
  return f;
}

DeclarationStyle With(bool chinese, bool remarks, bool isPublic, std::string prefix = "", std::string suffix = "") {
  DeclarationStyle s;
  s.insertChineseNames = chinese;
  s.insertRemarks = remarks;
  s.isPublic = isPublic;
  s.namePrefix = std::move(prefix);
  s.nameSuffix = std::move(suffix);
  return s;
}

// ---- functions, E ----

TEST(DeclareFunctionE, AllSettingsOff) {
  FunctionRecord f = MessageBox();
  EXPECT_EQ(DeclareFunction(SyntaxKind::E, f, With(false, false, false)),
            ".DLL命令 MessageBoxA, 整数型, \"user32.dll\", \"MessageBoxA\", , "
            "\r\n    .参数 hWnd, 整数型, "
            "\r\n    .参数 lpText, 文本型, "
            "\r\n    .参数 lpBuf, 字节型, 传址 数组"
            "\r\n    .参数 lpHandleInfo, 整数型, 传址 ");
  EXPECT_EQ(f.parameters[1].chineseName, "");  // untouched when Chinese names are off
}

TEST(DeclareFunctionE, PublicRemarksChineseNamesPrefixSuffix) {
  FunctionRecord f = MessageBox();
  EXPECT_EQ(DeclareFunction(SyntaxKind::E, f, With(true, true, true, "API_", "_X")),
            ".DLL命令 API_信息框_X, 整数型, \"user32.dll\", \"MessageBoxA\", 公开, 显示信息框"
            "\r\n    .参数 窗口句柄, 整数型, , 父窗口"
            "\r\n    .参数 lpText, 文本型, , 文本"
            "\r\n    .参数 缓冲, 字节型, 传址 数组, "
            "\r\n    .参数 lpHandleInfo, 整数型, 传址 , r4");
  // Empty Chinese names were filled from the names in the record.
  EXPECT_EQ(f.parameters[1].chineseName, "lpText");
  EXPECT_EQ(f.parameters[3].chineseName, "lpHandleInfo");
  EXPECT_EQ(f.chineseName, "信息框");
}

TEST(DeclareFunctionE, ChineseNameOnWithoutStoredChineseNameWritesName) {
  FunctionRecord f;
  f.name = "GetTickCount";
  f.returnType = "整数型";
  f.library = "kernel32";
  f.entryPoint = "GetTickCount";
  EXPECT_EQ(DeclareFunction(SyntaxKind::E, f, With(true, false, true, "p", "s")),
            ".DLL命令 pGetTickCounts, 整数型, \"kernel32\", \"GetTickCount\", 公开, ");
  EXPECT_EQ(f.chineseName, "GetTickCount");
}

TEST(DeclareFunctionE, RemarksOnPublicOffAndNoParameters) {
  FunctionRecord f;
  f.name = "Beep";
  f.library = "kernel32";
  f.remark = "响";
  EXPECT_EQ(DeclareFunction(SyntaxKind::E, f, With(false, true, false)), ".DLL命令 Beep, , \"kernel32\", \"\", , 响");
}

// ---- functions, C# ----

TEST(DeclareFunctionCSharp, FullAttributeHandlesRefAndArrays) {
  FunctionRecord f = MessageBox();
  const std::string expected =
      "[DllImport(\"user32.dll\", EntryPoint = \"MessageBoxA\", CharSet = CharSet.Ansi, CallingConvention = "
      "CallingConvention.StdCall)]\r\n"
      "private static extern int MessageBoxA(IntPtr hWnd, string lpText, ref byte[] lpBuf, IntPtr "
      "lpHandleInfo);";
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, f, With(false, false, false)), expected);
  // Chinese names and remarks play no part in C#.
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, f, With(true, true, false)), expected);
  EXPECT_EQ(f.parameters[1].chineseName, "");
}

TEST(DeclareFunctionCSharp, PublicPrefixSuffix) {
  FunctionRecord f = MessageBox();
  f.parameters.clear();
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, f, With(false, false, true, "Api", "W")),
            "[DllImport(\"user32.dll\", EntryPoint = \"MessageBoxA\", CharSet = CharSet.Ansi, "
            "CallingConvention = CallingConvention.StdCall)]\r\n"
            "public static extern int ApiMessageBoxAW();");
}

TEST(DeclareFunctionCSharp, EmptyReturnTypeAndBareAttribute) {
  FunctionRecord f;
  f.name = "Sleep";
  f.library = "kernel32";
  f.parameters = {Param("dwMilliseconds", "", "整数型", false, "0", "")};
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, f, With(false, false, false)),
            "[DllImport(\"kernel32\")]\r\nprivate static extern void Sleep(int dwMilliseconds);");
}

TEST(DeclareFunctionCSharp, HandleRuleIsCaseInsensitiveAnywhereInTheName) {
  FunctionRecord f;
  f.name = "F";
  f.library = "x";
  f.returnType = "整数型";
  f.parameters = {
      Param("Handle", "", "文本型", true, "1", ""),  // IntPtr wins over ref, [] stays
      Param("hwndOwner", "", "RECT", false, "0", ""),
      Param("myHWND", "", "整数型", true, "0", ""),
      Param("buf", "", "字节型", false, "1", ""),
      Param("hdc", "", "整数型", true, "0", ""),  // no "hwnd"/"handle" in it
  };
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, f, With(false, false, false)),
            "[DllImport(\"x\")]\r\nprivate static extern int F(IntPtr[] Handle, IntPtr hwndOwner, IntPtr myHWND, "
            "byte[] buf, ref int hdc);");
}

// ---- functions, VB ----

// With the 64-bit setting, values with a native type follow it; a value
// without one, and every value with the setting off, as before.
TEST(DeclareCSharp64, NativeTypesDecideTheCSharp) {
  FunctionRecord f;
  f.name = "GetWindowTextW";
  f.library = "user32.dll";
  f.returnType = "逻辑型";
  f.returnNativeType = "bool BOOL";
  const char* params[][3] = {{"hWnd", "整数型", "ptr HWND"},      {"lpString", "整数型", "wbuf LPWSTR"},
                             {"lpText", "文本型", "astr LPCSTR"}, {"pcb", "整数型", "&u4 LPDWORD"},
                             {"lprc", "RECT", "&rec LPRECT"},     {"extra", "整数型", ""}};
  for (const auto& [name, type, native] : params) {
    ParameterRecord& p = f.parameters.emplace_back();
    p.name = name;
    p.type = type;
    p.nativeType = native;
    p.byRef = std::string(native).rfind('&', 0) == 0;
  }
  const FunctionRecord off = f;
  DeclarationStyle style;
  const std::string before = DeclareFunction(SyntaxKind::CSharp, f, style);
  style.csharp64 = true;
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, f, style),
            // Narrow and wide text together: no CharSet is right for both.
            "[DllImport(\"user32.dll\")]\r\n[return: MarshalAs(UnmanagedType.Bool)]\r\n"
            "private static extern bool GetWindowTextW(IntPtr hWnd, [MarshalAs(UnmanagedType.LPWStr)] StringBuilder "
            "lpString, [MarshalAs(UnmanagedType.LPStr)] string lpText, ref uint pcb, ref RECT lprc, int extra);");
  style.csharp64 = false;
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, f, style), before);
  FunctionRecord plain = off;
  for (ParameterRecord& p : plain.parameters) p.nativeType.clear();
  plain.returnNativeType.clear();
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, plain, style), before);

  DataTypeRecord d;
  d.name = "S";
  d.pack = "1";
  d.nativeType = "pack 0";  // packed for 32-bit Windows only
  const char* members[][4] = {{"flags", "逻辑型", "8", "bool BOOL"},
                              {"u", "整数型", "2", "blob 8*2"},
                              {"name", "文本型", "", "wstr LPCWSTR"},
                              {"count", "整数型", "", ""}};
  for (const auto& [name, type, array, native] : members) {
    ParameterRecord& m = d.members.emplace_back();
    m.name = name;
    m.type = type;
    m.array = array;
    m.nativeType = native;
  }
  style.csharp64 = true;
  EXPECT_EQ(DeclareDataType(SyntaxKind::CSharp, d, style),
            "[StructLayout(LayoutKind.Sequential)]\r\nprivate struct S\r\n{"
            "\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = 8, ArraySubType = UnmanagedType.Bool)]\tpublic bool[] "
            "flags;\r\n"
            "\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = 2)]\tpublic ulong[] u;\r\n"
            "\t[MarshalAs(UnmanagedType.LPWStr)]\tpublic string name;\r\n"
            "\tpublic int count;\r\n}");
}

TEST(DeclareFunctionVb, ByValByRefAliasAndReturn) {
  FunctionRecord f = MessageBox();
  EXPECT_EQ(DeclareFunction(SyntaxKind::Vb, f, With(true, true, false)),
            "Private Declare Function MessageBoxA Lib \"user32.dll\" Alias \"MessageBoxA\" (ByVal hWnd As Long, "
            "ByVal lpText As String, ByRef lpBuf As Byte, ByRef lpHandleInfo As Long) As Long");
}

TEST(DeclareFunctionVb, NoAliasNoReturnArrayIsByRefPublicPrefix) {
  FunctionRecord f;
  f.name = "Fill";
  f.library = "k.dll";
  f.parameters = {Param("buf", "", "字节型", false, "1", ""), Param("n", "", "长整数型", false, "0", "")};
  EXPECT_EQ(DeclareFunction(SyntaxKind::Vb, f, With(false, false, true, "My", "_")),
            "Public Declare Sub MyFill_ Lib \"k.dll\" (ByRef buf As Byte, ByVal n As Currency)");
}

// ---- translation from the record's own syntax ----

TEST(DeclareFunction, TranslatesFromTheRecordSyntax) {
  FunctionRecord vb;
  vb.syntax = SyntaxKind::Vb;
  vb.name = "GetDC";
  vb.library = "user32";
  vb.returnType = "Long";
  vb.parameters = {Param("n", "", "Integer", false, "0", "")};
  EXPECT_EQ(DeclareFunction(SyntaxKind::E, vb, With(false, false, false)),
            ".DLL命令 GetDC, 整数型, \"user32\", \"\", , \r\n    .参数 n, 短整数型, ");
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, vb, With(false, false, false)),
            "[DllImport(\"user32\")]\r\nprivate static extern int GetDC(short n);");
  EXPECT_EQ(DeclareFunction(SyntaxKind::Vb, vb, With(false, false, false)),
            "Private Declare Function GetDC Lib \"user32\" (ByVal n As Integer) As Long");

  FunctionRecord cs;
  cs.syntax = SyntaxKind::CSharp;
  cs.name = "F";
  cs.library = "l";
  cs.returnType = "IntPtr";
  cs.parameters = {Param("s", "", "string", true, "0", "")};
  EXPECT_EQ(DeclareFunction(SyntaxKind::Vb, cs, With(false, false, false)),
            "Private Declare Function F Lib \"l\" (ByRef s As String) As Long");
  EXPECT_EQ(DeclareFunction(SyntaxKind::E, cs, With(false, false, false)),
            ".DLL命令 F, 整数型, \"l\", \"\", , \r\n    .参数 s, 文本型, 传址 ");
}

TEST(DeclareFunction, TargetOutsideTheThreeSyntaxesGivesNothing) {
  FunctionRecord f = MessageBox();
  EXPECT_EQ(DeclareFunction(SyntaxOfNumber(3), f, With(true, true, true)), "");
  EXPECT_EQ(DeclareFunction(SyntaxOfNumber(-1), f, With(true, true, true)), "");
  EXPECT_EQ(f.parameters[1].chineseName, "");
}

// ---- data types ----

DataTypeRecord Rect() {
  DataTypeRecord d;
  d.id = 3;
  d.name = "RECT";
  d.remark = "矩形";
  d.pack = "4";
  d.size = "16";
  d.members = {
      Param("left", "左边", "整数型", false, "", "左"),
      Param("name", "", "字节型", false, "16", ""),
      Param("p", "", "整数型", true, "", "指针"),
  };
  return d;
}

TEST(DeclareDataTypeE, SettingsOffAndQuotedDimension) {
  DataTypeRecord d = Rect();
  EXPECT_EQ(DeclareDataType(SyntaxKind::E, d, With(false, false, false)),
            ".数据类型 RECT, "
            "\r\n    .成员 left, 整数型, , "
            "\r\n    .成员 name, 字节型, , \"16\""
            "\r\n    .成员 p, 整数型, 传址, ");
}

TEST(DeclareDataTypeE, RemarksOnPublicOffHasThreeCommasBeforeTheRemark) {
  DataTypeRecord d = Rect();
  EXPECT_EQ(DeclareDataType(SyntaxKind::E, d, With(false, true, false)),
            ".数据类型 RECT, , , 矩形"
            "\r\n    .成员 left, 整数型, , , 左"
            "\r\n    .成员 name, 字节型, , \"16\", "
            "\r\n    .成员 p, 整数型, 传址, , 指针");
}

TEST(DeclareDataTypeE, PublicAndChineseNames) {
  DataTypeRecord d = Rect();
  EXPECT_EQ(DeclareDataType(SyntaxKind::E, d, With(true, false, true, "pre", "suf")),
            ".数据类型 RECT, 公开"
            "\r\n    .成员 左边, 整数型, , "
            "\r\n    .成员 name, 字节型, , \"16\""
            "\r\n    .成员 p, 整数型, 传址, ");
  EXPECT_EQ(d.chineseName, "RECT");
  EXPECT_EQ(d.members[1].chineseName, "name");
}

TEST(DeclareDataTypeCSharp, MembersAttributesAndMarshalAs) {
  DataTypeRecord d = Rect();
  EXPECT_EQ(DeclareDataType(SyntaxKind::CSharp, d, With(true, true, false, "x", "y")),
            "[StructLayout(LayoutKind.Sequential, Pack = 4, Size = 16)]\r\n"
            "private struct RECT\r\n"
            "{\tpublic int left;\r\n"
            "\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = 16)]\tpublic byte[] name;\r\n"
            "\tpublic int p;\r\n"
            "}");
  d.charSet = "CharSet.Unicode";
  d.members.clear();
  EXPECT_EQ(DeclareDataType(SyntaxKind::CSharp, d, With(false, false, true)),
            "[StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Unicode, Size = 16)]\r\n"
            "public struct RECT\r\n{}");
}

TEST(DeclareDataTypeCSharp, WithoutMembersEndsWithBraces) {
  DataTypeRecord d;
  d.name = "EMPTY";
  EXPECT_EQ(DeclareDataType(SyntaxKind::CSharp, d, With(false, false, true)),
            "[StructLayout(LayoutKind.Sequential)]\r\npublic struct EMPTY\r\n{}");
}

TEST(DeclareCSharp, KeywordNamesTextArraysAndVbAnyCompile) {
  DataTypeRecord d;
  d.name = "COUNTED";
  d.members = {Param("string", "", "文本型", false, "32", ""), Param("object", "", "整数型", false, "", "")};
  EXPECT_EQ(DeclareDataType(SyntaxKind::CSharp, d, With(false, false, true)),
            "[StructLayout(LayoutKind.Sequential)]\r\npublic struct COUNTED\r\n"
            "{\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = 32, ArraySubType = UnmanagedType.LPStr)]"
            "\tpublic string[] @string;\r\n"
            "\tpublic int @object;\r\n}");
  // Only a C# string with a size is text in place; an array of strings, of
  // 文本型 or of VB String is an array of text pointers; brackets kept by
  // older imports are not doubled.
  d.syntax = SyntaxKind::CSharp;
  d.members = {Param("text", "", "string", false, "8", ""), Param("texts", "", "string[]", false, "2", ""),
               Param("bytes", "", "byte[]", false, "4", "")};
  EXPECT_EQ(DeclareDataType(SyntaxKind::CSharp, d, With(false, false, true)),
            "[StructLayout(LayoutKind.Sequential)]\r\npublic struct COUNTED\r\n"
            "{\t[MarshalAs(UnmanagedType.ByValTStr, SizeConst = 8)]\tpublic string text;\r\n"
            "\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = 2, ArraySubType = UnmanagedType.LPStr)]"
            "\tpublic string[] texts;\r\n"
            "\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = 4)]\tpublic byte[] bytes;\r\n}");
  FunctionRecord f;
  f.name = "CopyMemory";
  f.library = "kernel32";
  f.syntax = SyntaxKind::Vb;
  f.parameters = {Param("Destination", "", "Any", true, "", ""), Param("Source", "", "Any", false, "", ""),
                  Param("params", "", "Long", false, "", "")};
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, f, With(false, false, false)),
            "[DllImport(\"kernel32\")]\r\n"
            "private static extern void CopyMemory(IntPtr Destination, IntPtr Source, int @params);");
  // E and VB keep the names and types as they are.
  EXPECT_NE(DeclareFunction(SyntaxKind::Vb, f, With(false, false, false)).find("ByRef Destination As Any"),
            std::string::npos);
}

TEST(DeclareDataTypeVb, DimensionsAndRemarks) {
  DataTypeRecord d = Rect();
  EXPECT_EQ(DeclareDataType(SyntaxKind::Vb, d, With(false, false, false)),
            "Private Type RECT\r\nleft As Long\r\nname(0 To 15) As Byte\r\np As Long\r\nEnd Type");
  EXPECT_EQ(DeclareDataType(SyntaxKind::Vb, d, With(true, true, true)),
            "Public Type RECT\r\nleft As Long '左\r\nname(0 To 15) As Byte\r\np As Long '指针\r\nEnd Type");
}

TEST(DeclareDataTypeVb, FixedLengthTextIsThatManyBytesInEverySyntax) {
  DataTypeRecord d;
  d.syntax = SyntaxKind::Vb;
  d.name = "V";
  d.members = {Param("sz", "", "String * 128", false, "", ""), Param("names", "", "String * 8", false, "2", "")};
  EXPECT_EQ(DeclareDataType(SyntaxKind::Vb, d, With(false, false, false)),
            "Private Type V\r\nsz As String * 128\r\nnames(0 To 1) As String * 8\r\nEnd Type");
  EXPECT_EQ(DeclareDataType(SyntaxKind::E, d, With(false, false, false)),
            ".数据类型 V, \r\n    .成员 sz, 字节型, , \"128\"\r\n    .成员 names, 字节型, , \"2,8\"");
  EXPECT_EQ(DeclareDataType(SyntaxKind::CSharp, d, With(false, false, false)),
            "[StructLayout(LayoutKind.Sequential)]\r\nprivate struct V\r\n"
            "{\t[MarshalAs(UnmanagedType.ByValTStr, SizeConst = 128)]\tpublic string sz;\r\n"
            "\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = 16)]\tpublic byte[] names;\r\n}");
}

// VB6 aligns on at most 4 bytes and Len() counts no gap: the Type is padded
// to C's offsets and size, nested types included.
TEST(DeclareDataTypeVb, PaddedWhereCLeavesGaps) {
  DataTypeRecord inner;
  inner.name = "INNER";
  inner.members = {Param("d", "", "双精度小数型", false, "", ""), Param("b", "", "字节型", false, "", "")};
  DataTypeRecord outer;
  outer.name = "OUTER";
  outer.members = {Param("n", "", "整数型", false, "", ""), Param("i", "", "INNER", false, "", ""),
                   Param("Padding4", "", "字节型", false, "", "")};
  const DataTypeLookup lookup = [&](std::string_view n) { return n == "INNER" ? &inner : nullptr; };
  EXPECT_EQ(DeclareDataType(SyntaxKind::Vb, inner, With(false, false, false), lookup),
            "Private Type INNER\r\nd As Double\r\nb As Byte\r\nPadding9(0 To 6) As Byte '填充：与 C 的布局对齐\r\n"
            "End Type");
  EXPECT_EQ(DeclareDataType(SyntaxKind::Vb, outer, With(false, false, false), lookup),
            "Private Type OUTER\r\nn As Long\r\nPadding4_(0 To 3) As Byte '填充：与 C 的布局对齐\r\ni As INNER\r\n"
            "Padding4 As Byte\r\nPadding25(0 To 6) As Byte '填充：与 C 的布局对齐\r\nEnd Type");
  // Without the nested type the layout is unknown: written as it stands.
  EXPECT_EQ(DeclareDataType(SyntaxKind::Vb, outer, With(false, false, false)),
            "Private Type OUTER\r\nn As Long\r\ni As INNER\r\nPadding4 As Byte\r\nEnd Type");
  // Packed tighter than VB6 can place members: said so, not padded.
  DataTypeRecord packed;
  packed.name = "PACKED";
  packed.pack = "1";
  packed.members = {Param("b", "", "字节型", false, "", ""), Param("n", "", "整数型", false, "", "")};
  EXPECT_EQ(DeclareDataType(SyntaxKind::Vb, packed, With(false, false, false), lookup),
            "Private Type PACKED '按 1 字节对齐，VB6 无法如此排列：成员位置可能与 C 不同\r\nb As Byte\r\nn As Long\r\n"
            "End Type");
}

// VBA 7: PtrSafe always; LongPtr, LongLong and by-reference values from the
// C types where the entry has them, the 32-bit words where it has none.
TEST(DeclareVba7, PtrSafeAndTypesFromTheCTypes) {
  DeclarationStyle style;
  style.vba7 = true;
  FunctionRecord f;
  f.name = "GetWindowThreadProcessId";
  f.library = "user32.dll";
  f.returnType = "整数型";
  f.returnNativeType = "u4 DWORD";
  f.parameters = {Param("hWnd", "", "整数型", false, "", ""), Param("lpdwProcessId", "", "整数型", true, "", ""),
                  Param("n", "", "长整数型", false, "", "")};
  f.parameters[0].nativeType = "ptr HWND";
  f.parameters[1].nativeType = "&u4 LPDWORD";
  EXPECT_EQ(DeclareFunction(SyntaxKind::Vb, f, style),
            "Private Declare PtrSafe Function GetWindowThreadProcessId Lib \"user32.dll\" (ByVal hWnd As LongPtr, "
            "ByRef lpdwProcessId As Long, ByVal n As Currency) As Long");
  f.returnType.clear();
  f.returnNativeType.clear();
  EXPECT_EQ(DeclareFunction(SyntaxKind::Vb, f, style).substr(0, 34), "Private Declare PtrSafe Sub GetWin");

  // Laid out for 64-bit code: a pointer aligns on 8.
  DataTypeRecord d;
  d.name = "D";
  d.members = {Param("p", "", "整数型", false, "", ""), Param("n", "", "整数型", false, "", ""),
               Param("q", "", "整数型", false, "", "")};
  d.members[0].nativeType = "ptr LPVOID";
  d.members[1].nativeType = "i4 int";
  d.members[2].nativeType = "ptr HANDLE";
  EXPECT_EQ(DeclareDataType(SyntaxKind::Vb, d, style),
            "Private Type D\r\np As LongPtr\r\nn As Long\r\nPadding12(0 To 3) As Byte '填充：与 C 的布局对齐\r\n"
            "q As LongPtr\r\nEnd Type");
}

TEST(DeclareDataType, TranslatesFromCSharpRecordAndRejectsUnknownTarget) {
  DataTypeRecord d;
  d.syntax = SyntaxKind::CSharp;
  d.name = "P";
  d.members = {Param("a", "", "ushort", false, "", ""), Param("b", "", "IntPtr", false, "", "")};
  EXPECT_EQ(
      DeclareDataType(SyntaxKind::Vb, d, With(false, false, false)),
      "Private Type P\r\na As Integer\r\nPadding2(0 To 1) As Byte '填充：与 C 的布局对齐\r\nb As Long\r\nEnd Type");
  EXPECT_EQ(DeclareDataType(SyntaxKind::E, d, With(false, false, false)),
            ".数据类型 P, \r\n    .成员 a, 短整数型, , \r\n    .成员 b, 整数型, , ");
  EXPECT_EQ(DeclareDataType(SyntaxOfNumber(7), d, With(false, false, false)), "");
}

// ---- constants ----

ConstantRecord Constant(std::string name, std::string dec, std::string hex, std::string remark) {
  ConstantRecord c;
  c.name = std::move(name);
  c.decimalValue = std::move(dec);
  c.hexValue = std::move(hex);
  c.remark = std::move(remark);
  return c;
}

TEST(DeclareConstant, ESyntax) {
  ConstantRecord c = Constant("MAX_PATH", "260", "0x104", "最大路径");
  EXPECT_EQ(DeclareConstant(SyntaxKind::E, c, With(false, false, false)), ".常量 MAX_PATH, \"260\", ");
  EXPECT_EQ(DeclareConstant(SyntaxKind::E, c, With(false, false, true)), ".常量 MAX_PATH, \"260\", 公开");
  EXPECT_EQ(DeclareConstant(SyntaxKind::E, c, With(false, true, false)), ".常量 MAX_PATH, \"260\", , 最大路径");
  // The remark is appended even when it is empty.
  EXPECT_EQ(DeclareConstant(SyntaxKind::E, Constant("X", "1", "", ""), With(false, true, true)),
            ".常量 X, \"1\", 公开, ");
}

TEST(DeclareConstant, CSharpSummaryOnlyForANonEmptyRemark) {
  ConstantRecord c = Constant("MAX_PATH", "260", "0x104", "最大路径");
  EXPECT_EQ(DeclareConstant(SyntaxKind::CSharp, c, With(false, false, true)), "MAX_PATH = 260,");
  EXPECT_EQ(DeclareConstant(SyntaxKind::CSharp, c, With(false, true, false)),
            "/// <summary>\r\n///最大路径\r\n/// </summary>\r\nMAX_PATH = 260,");
  EXPECT_EQ(DeclareConstant(SyntaxKind::CSharp, Constant("X", "1", "", ""), With(false, true, false)), "X = 1,");
}

TEST(DeclareConstant, VbPrefersHexAndWritesCHexInVbForm) {
  ConstantRecord c = Constant("MAX_PATH", "260", "0x104", "最大路径");
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, c, With(false, false, false)), "Private Const MAX_PATH = &H104");
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, c, With(false, true, true)), "Public Const MAX_PATH = &H104 '最大路径");
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("M", "-1", "0xFFFFFFFF", ""), With(false, true, false)),
            "Private Const M = &HFFFFFFFF");
  // Stored in VB form already, or not a plain C hexadecimal literal: as stored.
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("A", "1024", "&H400", ""), With(false, false, false)),
            "Private Const A = &H400");
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("B", "1", "0x", ""), With(false, false, false)),
            "Private Const B = 0x");
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("C", "1", "0x1 | 0x2", ""), With(false, false, false)),
            "Private Const C = 0x1 | 0x2");
}

TEST(DeclareConstant, VbWithoutHexWritesDecimal) {
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("X", "5", "", "r"), With(false, true, false)),
            "Private Const X = 5 'r");
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("X", "5", "", ""), With(false, true, false)),
            "Private Const X = 5");
  EXPECT_EQ(DeclareConstant(SyntaxOfNumber(3), Constant("X", "5", "", ""), With(false, false, false)), "");
}

TEST(DeclareConstant, VbWritesExpressionsAsTheyStand) {
  // The readers give every value a hexadecimal text from its leading digits.
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("A", "(READ_CONTROL)", "&H0", ""), With(false, false, false)),
            "Private Const A = (READ_CONTROL)");
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("B", "1&", "&H1", ""), With(false, false, false)),
            "Private Const B = 1&");
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("C", " -1 ", "0xFFFFFFFF", ""), With(false, false, false)),
            "Private Const C = &HFFFFFFFF");
  EXPECT_EQ(DeclareConstant(SyntaxKind::Vb, Constant("D", "", "0x10", ""), With(false, false, false)),
            "Private Const D = &H10");
}

}  // namespace
}  // namespace declarium
