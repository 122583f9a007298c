#include "import/Convert.h"

#include <gtest/gtest.h>

#include <string>

#include "text/TextPrimitives.h"

namespace declarium {
namespace {

// Source texts as the edit control hands them over: CR LF line ends. Each
// puts data types before functions, which the output reorders. E constants
// come last, as everything after a constant is joined to its line.
const std::string kEText = ToCrLf(
    ".版本 2\n"
    "\n"
    ".数据类型 RECT, 公开, 矩形\n"
    "    .成员 left, 整数型, , , 左边\n"
    "    .成员 top, 整数型\n"
    "\n"
    ".DLL命令 GetWindowRect, 逻辑型, \"user32.dll\", \"GetWindowRect\", 公开, 取窗口矩形\n"
    "    .参数 hWnd, 整数型, , 窗口句柄\n"
    "    .参数 lpRect, RECT, 传址, 矩形\n"
    ".DLL命令 GetTickCount, 整数型, \"kernel32.dll\", \"GetTickCount\", , \n"
    "\n"
    ".常量 SW_SHOW, \"5\", 公开, 显示窗口\n");

const std::string kCSharpText = ToCrLf(
    "using System.Runtime.InteropServices;\n"
    "\n"
    "static class NativeMethods\n"
    "{\n"
    "    public const int MB_OK = 0x00000000;\n"
    "\n"
    "    [StructLayout(LayoutKind.Sequential)]\n"
    "    public struct POINT\n"
    "    {\n"
    "        public int x;\n"
    "        public int y;\n"
    "    }\n"
    "\n"
    "    [DllImport(\"user32.dll\", CharSet = CharSet.Auto)]\n"
    "    public static extern int MessageBox(IntPtr hWnd, string lpText, string lpCaption, int flags);\n"
    "\n"
    "    [DllImport(\"kernel32.dll\")]\n"
    "    public static extern uint GetTickCount();\n"
    "}\n");

// Type blocks come first: the block cutter takes any later "Type " (as in a
// parameter named wType) for the start of a block.
const std::string kVbText = ToCrLf(
    "Type POINTAPI\n"
    "        x As Long\n"
    "        y As Long\n"
    "End Type\n"
    "\n"
    "Type OFSTRUCT\n"
    "        cBytes As Byte\n"
    "        szPathName(128) As Byte\n"
    "End Type\n"
    "\n"
    "Public Const GENERIC_READ = &H80000000\n"
    "Declare Function GetCursorPos Lib \"user32\" (lpPoint As POINTAPI) As Long\n"
    "Declare Sub Sleep Lib \"kernel32\" (ByVal dwMilliseconds As Long)\n"
    "Declare Function lstrlen Lib \"kernel32\" Alias \"lstrlenA\" (ByVal lpString As String) As Long\n"
    "Const MAX_PATH = 260");  // no line break after the last line

std::string Convert(const std::string& text, SyntaxKind source, SyntaxKind target) {
  return ConvertDeclarations(text, source, target, DeclarationStyle{});
}

TEST(ConvertDeclarations, FromE) {
  EXPECT_EQ(Convert(kEText, SyntaxKind::E, SyntaxKind::E),
            ".DLL命令 GetWindowRect, 逻辑型, \"user32.dll\", \"GetWindowRect\", , \r\n"
            "    .参数 hWnd, 整数型, \r\n"
            "    .参数 lpRect, RECT, 传址 \r\n"
            ".DLL命令 GetTickCount, 整数型, \"kernel32.dll\", \"GetTickCount\", , \r\n"
            ".数据类型 RECT, \r\n"
            "    .成员 left, 整数型, , \r\n"
            "    .成员 top, 整数型, , \r\n"
            ".常量 SW_SHOW, \"5\", \r\n");
  EXPECT_EQ(Convert(kEText, SyntaxKind::E, SyntaxKind::CSharp),
            "[DllImport(\"user32.dll\", EntryPoint = \"GetWindowRect\")]\r\n"
            "private static extern bool GetWindowRect(IntPtr hWnd, ref RECT lpRect);\r\n"
            "[DllImport(\"kernel32.dll\", EntryPoint = \"GetTickCount\")]\r\n"
            "private static extern int GetTickCount();\r\n"
            "[StructLayout(LayoutKind.Sequential)]\r\n"
            "private struct RECT\r\n"
            "{\tpublic int left;\r\n"
            "\tpublic int top;\r\n"
            "}\r\n"
            "SW_SHOW = 5,\r\n");
  EXPECT_EQ(Convert(kEText, SyntaxKind::E, SyntaxKind::Vb),
            "Private Declare Function GetWindowRect Lib \"user32.dll\" Alias \"GetWindowRect\" "
            "(ByVal hWnd As Long, ByRef lpRect As RECT) As Long\r\n"
            "Private Declare Function GetTickCount Lib \"kernel32.dll\" Alias \"GetTickCount\" () As Long\r\n"
            "Private Type RECT\r\n"
            "left As Long\r\n"
            "top As Long\r\n"
            "End Type\r\n"
            "Private Const SW_SHOW = &H5\r\n");
}

// The method without parameters (GetTickCount) is not read, so it is not
// written; without EntryPoint a method's entry is its own name.
TEST(ConvertDeclarations, FromCSharp) {
  EXPECT_EQ(Convert(kCSharpText, SyntaxKind::CSharp, SyntaxKind::E),
            ".DLL命令 MessageBox, 整数型, \"user32.dll\", \"MessageBox\", , \r\n"
            "    .参数 hWnd, 整数型, \r\n"
            "    .参数 lpText, 文本型, \r\n"
            "    .参数 lpCaption, 文本型, \r\n"
            "    .参数 flags, 整数型, \r\n"
            ".数据类型 POINT, \r\n"
            "    .成员 x, 整数型, , \r\n"
            "    .成员 y, 整数型, , \r\n"
            ".常量 MB_OK, \"0\", \r\n");
  EXPECT_EQ(Convert(kCSharpText, SyntaxKind::CSharp, SyntaxKind::CSharp),
            "[DllImport(\"user32.dll\", EntryPoint = \"MessageBox\", CharSet = CharSet.Auto)]\r\n"
            "private static extern int MessageBox(IntPtr hWnd, string lpText, string lpCaption, int flags);\r\n"
            "[StructLayout(LayoutKind.Sequential)]\r\n"
            "private struct POINT\r\n"
            "{\tpublic int x;\r\n"
            "\tpublic int y;\r\n"
            "}\r\n"
            "MB_OK = 0,\r\n");
  EXPECT_EQ(Convert(kCSharpText, SyntaxKind::CSharp, SyntaxKind::Vb),
            "Private Declare Function MessageBox Lib \"user32.dll\" Alias \"MessageBox\" "
            "(ByVal hWnd As Long, ByVal lpText As String, ByVal lpCaption As String, ByVal flags As Long) As Long\r\n"
            "Private Type POINT\r\n"
            "x As Long\r\n"
            "y As Long\r\n"
            "End Type\r\n"
            "Private Const MB_OK = &H00000000\r\n");
}

// A Sub (Sleep) returns nothing in every syntax; a bound N holds N + 1 elements.
TEST(ConvertDeclarations, FromVb) {
  EXPECT_EQ(Convert(kVbText, SyntaxKind::Vb, SyntaxKind::E),
            ".DLL命令 GetCursorPos, 整数型, \"user32\", \"GetCursorPos\", , \r\n"
            "    .参数 lpPoint, POINTAPI, 传址 \r\n"
            ".DLL命令 Sleep, , \"kernel32\", \"Sleep\", , \r\n"
            "    .参数 dwMilliseconds, 整数型, \r\n"
            ".DLL命令 lstrlen, 整数型, \"kernel32\", \"lstrlenA\", , \r\n"
            "    .参数 lpString, 文本型, \r\n"
            ".数据类型 POINTAPI, \r\n"
            "    .成员 x, 整数型, , \r\n"
            "    .成员 y, 整数型, , \r\n"
            ".数据类型 OFSTRUCT, \r\n"
            "    .成员 cBytes, 字节型, , \r\n"
            "    .成员 szPathName, 字节型, , \"129\"\r\n"
            ".常量 GENERIC_READ, \"-2147483648\", \r\n"
            ".常量 MAX_PATH, \"260\", \r\n");
  EXPECT_EQ(Convert(kVbText, SyntaxKind::Vb, SyntaxKind::CSharp),
            "[DllImport(\"user32\", EntryPoint = \"GetCursorPos\")]\r\n"
            "private static extern int GetCursorPos(ref POINTAPI lpPoint);\r\n"
            "[DllImport(\"kernel32\", EntryPoint = \"Sleep\")]\r\n"
            "private static extern void Sleep(int dwMilliseconds);\r\n"
            "[DllImport(\"kernel32\", EntryPoint = \"lstrlenA\")]\r\n"
            "private static extern int lstrlen(string lpString);\r\n"
            "[StructLayout(LayoutKind.Sequential)]\r\n"
            "private struct POINTAPI\r\n"
            "{\tpublic int x;\r\n"
            "\tpublic int y;\r\n"
            "}\r\n"
            "[StructLayout(LayoutKind.Sequential)]\r\n"
            "private struct OFSTRUCT\r\n"
            "{\tpublic byte cBytes;\r\n"
            "\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = 129)]\tpublic byte[] szPathName;\r\n"
            "}\r\n"
            "GENERIC_READ = -2147483648,\r\n"
            "MAX_PATH = 260,\r\n");
  EXPECT_EQ(
      Convert(kVbText, SyntaxKind::Vb, SyntaxKind::Vb),
      "Private Declare Function GetCursorPos Lib \"user32\" Alias \"GetCursorPos\" "
      "(ByRef lpPoint As POINTAPI) As Long\r\n"
      "Private Declare Sub Sleep Lib \"kernel32\" Alias \"Sleep\" (ByVal dwMilliseconds As Long)\r\n"
      "Private Declare Function lstrlen Lib \"kernel32\" Alias \"lstrlenA\" (ByVal lpString As String) As Long\r\n"
      "Private Type POINTAPI\r\n"
      "x As Long\r\n"
      "y As Long\r\n"
      "End Type\r\n"
      "Private Type OFSTRUCT\r\n"
      "cBytes As Byte\r\n"
      "szPathName(0 To 128) As Byte\r\n"
      "End Type\r\n"
      "Private Const GENERIC_READ = &H80000000\r\n"
      "Private Const MAX_PATH = &H104\r\n");
}

TEST(ConvertDeclarations, SettingsShapeTheOutput) {
  DeclarationStyle s;
  s.isPublic = true;
  s.insertRemarks = true;
  s.namePrefix = "Api";
  EXPECT_EQ(ConvertDeclarations(kEText, SyntaxKind::E, SyntaxKind::Vb, s),
            "Public Declare Function ApiGetWindowRect Lib \"user32.dll\" Alias \"GetWindowRect\" "
            "(ByVal hWnd As Long, ByRef lpRect As RECT) As Long\r\n"
            "Public Declare Function ApiGetTickCount Lib \"kernel32.dll\" Alias \"GetTickCount\" () As Long\r\n"
            "Public Type RECT\r\n"
            "left As Long '左边\r\n"
            "top As Long\r\n"
            "End Type\r\n"
            "Public Const SW_SHOW = &H5 '显示窗口\r\n");
}

// Through VB and back, element counts, fixed lengths and Subs stay what they were.
TEST(ConvertDeclarations, RoundTripsThroughVbKeepCountsLengthsAndSubs) {
  const std::string e =
      ".DLL命令 ExitProcess, , \"kernel32.dll\", \"ExitProcess\", , \r\n"
      "    .参数 uExitCode, 整数型, \r\n"
      ".数据类型 T, \r\n"
      "    .成员 name, 字节型, , \"8\"\r\n"
      "    .成员 grid, 整数型, , \"2,3\"\r\n";
  EXPECT_EQ(Convert(Convert(e, SyntaxKind::E, SyntaxKind::Vb), SyntaxKind::Vb, SyntaxKind::E),
            Convert(e, SyntaxKind::E, SyntaxKind::E));
  const std::string cs =
      "[DllImport(\"kernel32.dll\")]\r\npublic static extern void Sleep(int ms);\r\n"
      "[StructLayout(LayoutKind.Sequential)]\r\npublic struct S\r\n{\r\n    public int a;\r\n"
      "    [MarshalAs(UnmanagedType.ByValArray, SizeConst = 16)]\r\n    public byte[] b;\r\n}\r\n";
  const std::string back = Convert(Convert(cs, SyntaxKind::CSharp, SyntaxKind::Vb), SyntaxKind::Vb, SyntaxKind::CSharp);
  EXPECT_NE(back.find("static extern void Sleep(int ms);"), std::string::npos) << back;
  EXPECT_NE(back.find("SizeConst = 16)]\tpublic byte[] b;"), std::string::npos) << back;
  const std::string vb =
      "Private Declare Sub Sleep Lib \"kernel32\" Alias \"Sleep\" (ByVal dwMilliseconds As Long)\r\n"
      "Private Type V\r\nv(0 To 3) As Byte\r\nsz As String * 20\r\nEnd Type\r\n";
  const std::string viaE = Convert(Convert(vb, SyntaxKind::Vb, SyntaxKind::E), SyntaxKind::E, SyntaxKind::Vb);
  EXPECT_NE(viaE.find("Declare Sub Sleep"), std::string::npos) << viaE;
  EXPECT_NE(viaE.find("v(0 To 3) As Byte"), std::string::npos) << viaE;
  // E keeps the text's 20 bytes as a byte array.
  EXPECT_NE(viaE.find("sz(0 To 19) As Byte"), std::string::npos) << viaE;
  EXPECT_EQ(Convert(vb, SyntaxKind::Vb, SyntaxKind::Vb), vb);
}

// A VB Type is padded from the layout of a Type it nests, also when the text
// declares that one hundreds of types later; the functions and constants
// around them come out in order however many there are.
TEST(ConvertDeclarations, VbFindsANestedTypeDeclaredLaterAndKeepsTheOrderOfLongTexts) {
  std::string vb = "Type Outer\r\nb As Byte\r\ninner As Inner\r\nEnd Type\r\n";
  for (int i = 0; i < 600; ++i) vb += "Type Filler" + std::to_string(i) + "\r\nx As Long\r\nEnd Type\r\n";
  vb += "Type Inner\r\nl As Long\r\nEnd Type\r\n";
  for (int i = 0; i < 1000; ++i) {
    vb += "Declare Function F" + std::to_string(i) + " Lib \"k\" (ByVal a As Long) As Long\r\n";
    vb += "Const C" + std::to_string(i) + " = " + std::to_string(i) + "\r\n";
  }
  const std::string out = Convert(vb, SyntaxKind::Vb, SyntaxKind::Vb);
  EXPECT_NE(out.find("Private Type Outer\r\nb As Byte\r\nPadding1(0 To 2) As Byte '填充：与 C 的布局对齐\r\n"
                     "inner As Inner\r\nEnd Type\r\n"),
            std::string::npos);
  size_t at = 0;
  for (int i = 0; i < 1000; ++i) {
    at = out.find("Function F" + std::to_string(i) + " ", at);
    ASSERT_NE(at, std::string::npos) << i;
  }
  for (int i = 0; i < 1000; ++i) {
    at = out.find("Const C" + std::to_string(i) + " = &H", at);
    ASSERT_NE(at, std::string::npos) << i;
  }
}

TEST(ConvertDeclarations, NothingReadableGivesNothing) {
  for (SyntaxKind source : {SyntaxKind::E, SyntaxKind::CSharp, SyntaxKind::Vb}) {
    for (SyntaxKind target : {SyntaxKind::E, SyntaxKind::CSharp, SyntaxKind::Vb}) {
      EXPECT_EQ(Convert("", source, target), "");
      EXPECT_EQ(Convert("hello\r\nworld", source, target), "");
    }
  }
  EXPECT_EQ(Convert(ToCrLf("[DllImport(\"kernel32.dll\")]\npublic static extern uint GetTickCount();\n"),
                    SyntaxKind::CSharp, SyntaxKind::Vb),
            "");
  // A syntax outside the three reads nothing.
  EXPECT_EQ(Convert(kEText, SyntaxOfNumber(3), SyntaxKind::Vb), "");
}

}  // namespace
}  // namespace declarium
