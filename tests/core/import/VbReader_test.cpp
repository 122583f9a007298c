#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "import/Readers.h"
#include "support/Corpus.h"

namespace declarium {
namespace {

using namespace std::string_literals;

std::vector<FunctionRecord> Functions(std::string_view text) {
  std::vector<FunctionRecord> out;
  const int n = ReadVbFunctions(text, out);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

std::vector<DataTypeRecord> DataTypes(std::string_view text) {
  std::vector<DataTypeRecord> out;
  const int n = ReadVbDataTypes(text, out);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

std::vector<ConstantRecord> Constants(std::string_view text) {
  std::vector<ConstantRecord> out;
  const int n = ReadVbConstants(text, out);
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

// ---- functions ----

TEST(ReadVbFunctions, DeclareWithAndWithoutAlias) {
  auto fs = Functions(
      "Declare Function MessageBox Lib \"user32\" Alias \"MessageBoxA\" (ByVal hwnd As Long, "
      "ByVal lpText As String, ByVal lpCaption As String, ByVal wType As Long) As Long\r\n"
      "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\r\n");
  ASSERT_EQ(fs.size(), 2u);
  const FunctionRecord& m = fs[0];
  EXPECT_EQ(m.name, "MessageBox");
  EXPECT_EQ(m.library, "user32");
  EXPECT_EQ(m.entryPoint, "MessageBoxA");
  EXPECT_EQ(m.returnType, "Long");
  EXPECT_EQ(m.syntax, SyntaxKind::Vb);
  EXPECT_TRUE(m.remark.empty());
  EXPECT_FALSE(m.isPublic);
  ASSERT_EQ(m.parameters.size(), 4u);
  EXPECT_EQ(m.parameters[1].name, "lpText");
  EXPECT_EQ(m.parameters[1].type, "String");
  EXPECT_FALSE(m.parameters[1].byRef);
  EXPECT_EQ(m.parameters[1].array, "");
  EXPECT_EQ(m.parameters[3].name, "wType");
  // Without an alias the entry point is the name; "()" gives no parameters.
  EXPECT_EQ(fs[1].name, "GetTickCount");
  EXPECT_EQ(fs[1].entryPoint, "GetTickCount");
  EXPECT_EQ(fs[1].library, "kernel32");
  EXPECT_EQ(fs[1].returnType, "Long");
  EXPECT_TRUE(fs[1].parameters.empty());
}

TEST(ReadVbFunctions, ParameterPassing) {
  auto fs = Functions(
      "Declare Function F Lib \"k\" (ByVal a As Long, ByRef b As Long, lpRect As RECT, "
      "ByVal s As String) As Long");
  ASSERT_EQ(fs.size(), 1u);
  const auto& ps = fs[0].parameters;
  ASSERT_EQ(ps.size(), 4u);
  EXPECT_EQ(ps[0].name, "a");
  EXPECT_FALSE(ps[0].byRef);
  EXPECT_EQ(ps[1].name, "b");
  EXPECT_EQ(ps[1].type, "Long");
  EXPECT_TRUE(ps[1].byRef);
  // No modifier: VB passes by reference.
  EXPECT_EQ(ps[2].name, "lpRect");
  EXPECT_EQ(ps[2].type, "RECT");
  EXPECT_TRUE(ps[2].byRef);
  EXPECT_FALSE(ps[3].byRef);
  for (const auto& p : ps) {
    EXPECT_FALSE(p.output);
    EXPECT_TRUE(p.remark.empty());
  }
}

TEST(ReadVbFunctions, SubsHaveNoReturnType) {
  auto fs = Functions(
      "Private Declare Sub Sleep Lib \"kernel32\" (ByVal dwMilliseconds As Long)\r\n"
      "Public Declare PtrSafe Sub CopyMemory Lib \"kernel32\" Alias \"RtlMoveMemory\" (Destination As Any, "
      "Source As Any, ByVal Length As Long)\r\n"
      "Declare Sub S Lib \"k\" (ByVal lpFunction As Long)\r\n");
  ASSERT_EQ(fs.size(), 3u);
  EXPECT_EQ(fs[0].name, "Sleep");
  EXPECT_EQ(fs[0].returnType, "");
  ASSERT_EQ(fs[0].parameters.size(), 1u);
  EXPECT_EQ(fs[1].name, "CopyMemory");
  EXPECT_EQ(fs[1].entryPoint, "RtlMoveMemory");
  EXPECT_EQ(fs[1].parameters.size(), 3u);
  // "Function " inside a parameter's name is no keyword.
  EXPECT_EQ(fs[2].name, "S");
}

TEST(ReadVbFunctions, ContinuedLinesReadAsOne) {
  const std::string one =
      "Private Declare Function SendMessage Lib \"user32\" Alias \"SendMessageA\" (ByVal hwnd As Long, "
      "ByVal wMsg As Long, ByVal wParam As Long, lParam As Any) As Long\r\n";
  const std::string wrapped =
      "Private Declare Function SendMessage Lib \"user32\" Alias \"SendMessageA\" (ByVal hwnd As Long, _\r\n"
      "    ByVal wMsg As Long, ByVal wParam As Long, _\r\n"
      "\tlParam As Any) As Long\r\n";
  auto a = Functions(one);
  auto b = Functions(wrapped);
  ASSERT_EQ(a.size(), 1u);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].returnType, "Long");
  ASSERT_EQ(b[0].parameters.size(), 4u);
  EXPECT_EQ(b[0].parameters[3].name, "lParam");
  EXPECT_EQ(b[0].parameters[3].type, a[0].parameters[3].type);
  // A " _" in a remark or a string continues nothing.
  std::string storage;
  const std::string kept = "x = 1 ' see _\r\ny = \"a _\r\nz\r\n";
  EXPECT_EQ(JoinVbContinuations(kept, storage), kept);
  // Members and constants are joined too.
  auto ts = DataTypes("Type T\r\n  a As _\r\n    Long\r\nEnd Type\r\n");
  ASSERT_EQ(ts.size(), 1u);
  ASSERT_EQ(ts[0].members.size(), 1u);
  EXPECT_EQ(ts[0].members[0].type, "Long");
  auto cs = Constants("Const A = _\r\n  5\r\n");
  ASSERT_EQ(cs.size(), 1u);
  EXPECT_EQ(cs[0].decimalValue, "5");
}

TEST(ReadVbFunctions, LinesThatYieldNothing) {
  EXPECT_TRUE(Functions("' Declare Function statements follow\r\n").empty());
  EXPECT_TRUE(Functions("Declare Function F (ByVal a As Long) As Long\r\n").empty());
  EXPECT_TRUE(Functions("Function F Lib \"k\" () As Long\r\n").empty());
  std::vector<FunctionRecord> out(2);
  EXPECT_EQ(ReadVbFunctions("", out), 0);
  EXPECT_TRUE(out.empty());
}

TEST(ReadVbFunctions, ReturnTypeTakesTheRestOfTheLine) {
  auto fs = Functions(
      "Declare Function F Lib \"k\" (ByVal a As Long) As Long ' remark\r\n"
      "Declare Function G Lib \"k\" (ByVal a As Long) As Integer");
  ASSERT_EQ(fs.size(), 2u);
  EXPECT_EQ(fs[0].returnType, "Long ' remark");
  // The last line, without a line break, is read to its end.
  EXPECT_EQ(fs[1].returnType, "Integer");
  ASSERT_EQ(fs[1].parameters.size(), 1u);
  EXPECT_EQ(fs[1].parameters[0].type, "Long");
}

TEST(ReadVbFunctions, WithoutReturnTypeKeepsItsParameters) {
  // As the VB output writes a command without a return value.
  auto fs = Functions(
      "Private Declare Function SetLastError Lib \"kernel32\" (ByVal dwErrCode As Long, p As RECT)\r\n"
      "Declare Function F Lib \"k\" ()\r\n"
      "Declare Function G Lib \"k\" () As Long");
  ASSERT_EQ(fs.size(), 3u);
  ASSERT_EQ(fs[0].parameters.size(), 2u);
  EXPECT_EQ(fs[0].parameters[0].name, "dwErrCode");
  EXPECT_EQ(fs[0].parameters[1].type, "RECT");
  EXPECT_EQ(fs[0].returnType, "");
  EXPECT_TRUE(fs[1].parameters.empty());
  EXPECT_TRUE(fs[2].parameters.empty());
  EXPECT_EQ(fs[2].returnType, "Long");
}

// ---- data types ----

TEST(ReadVbDataTypes, MembersArraysStringsAndRemarks) {
  auto ts = DataTypes(
      "Type OSVERSIONINFO ' version\r\n"
      "        dwOSVersionInfoSize As Long\r\n"
      "        szCSDVersion As String * 128      '  Maintenance string\r\n"
      "        bytes(0 To 7) As Byte\r\n"
      "        name As String * 16\r\n"
      "End Type\r\n"
      "Type B\r\n"
      "  v(6) As Byte\r\n"
      "  grid(1 To 3, 4) As Long\r\n"
      "  path As String * MAX_PATH\r\n"
      "  tail(LAST) As Byte\r\n"
      "  w(N) As Byte\r\n"
      "  h(H) As Byte\r\n"
      "End Type\r\n"
      "Const MAX_PATH = 260\r\n"
      "Const N = (OTHER)\r\nConst N = 4\r\nConst N = 9\r\nConst H = &H10\r\n");
  ASSERT_EQ(ts.size(), 2u);
  const DataTypeRecord& t = ts[0];
  EXPECT_EQ(t.name, "OSVERSIONINFO");
  EXPECT_EQ(t.remark, " version");
  EXPECT_EQ(t.syntax, SyntaxKind::Vb);
  ASSERT_EQ(t.members.size(), 4u);
  EXPECT_EQ(t.members[0].name, "dwOSVersionInfoSize");
  EXPECT_EQ(t.members[0].type, "Long");
  EXPECT_EQ(t.members[0].remark, "");
  EXPECT_EQ(t.members[1].name, "szCSDVersion");
  // A fixed-length string keeps its length; bounds become element counts.
  EXPECT_EQ(t.members[1].type, "String * 128");
  EXPECT_EQ(t.members[1].array, "");
  EXPECT_EQ(t.members[1].remark, "  Maintenance string");
  EXPECT_EQ(t.members[2].name, "bytes");
  EXPECT_EQ(t.members[2].array, "8");
  EXPECT_EQ(t.members[2].type, "Byte");
  EXPECT_EQ(t.members[3].type, "String * 16");
  const auto& b = ts[1].members;
  ASSERT_EQ(b.size(), 6u);
  EXPECT_EQ(b[0].array, "7");
  EXPECT_EQ(b[1].array, "3,5");
  // A constant of the same text gives a length; an unknown name is kept.
  EXPECT_EQ(b[2].type, "String * 260");
  EXPECT_EQ(b[3].array, "LAST + 1");
  // A name counts with the first of its lines that gives a whole number.
  EXPECT_EQ(b[4].array, "5");
  EXPECT_EQ(b[5].array, "17");
  for (const auto& m : t.members) {
    EXPECT_FALSE(m.byRef);
    EXPECT_FALSE(m.output);
  }
}

TEST(ReadVbDataTypes, BlankLineEndsMembersAndUnterminatedTypeEndsReading) {
  auto ts = DataTypes(
      "Type A\r\n  x As Long\r\n\r\n  lost As Long\r\nEnd Type\r\n"
      "Type B\r\n  y As Long\r\nEnd Type\r\n"
      "Type C\r\n  z As Long\r\n");
  ASSERT_EQ(ts.size(), 2u);
  EXPECT_EQ(ts[0].name, "A");
  ASSERT_EQ(ts[0].members.size(), 1u);
  EXPECT_EQ(ts[0].members[0].name, "x");
  EXPECT_EQ(ts[1].name, "B");
  EXPECT_TRUE(DataTypes("Type ").empty());
  EXPECT_TRUE(DataTypes("End Type\r\nType X\r\n").empty());
  // "Type " opens a block only at the start of a statement.
  auto opened = DataTypes(
      "' Type definitions\r\nDeclare Function GetFileType Lib \"k\" (ByVal h As Long) As Long\r\n"
      "  Private Type R\r\n  lpType As Long\r\nEnd Type\r\n\tPublic  Type S\r\n  v As Long\r\nEnd Type\r\n"
      "Type T\r\n  w As Long\r\nEnd Type");
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0].name, "R");
  ASSERT_EQ(opened[0].members.size(), 1u);
  EXPECT_EQ(opened[0].members[0].name, "lpType");
  EXPECT_EQ(opened[1].name, "S");
  EXPECT_EQ(opened[2].name, "T");
  // A line without " As" is not a member.
  auto plain = DataTypes("Type P\r\n  untyped\r\n  v As Long\r\nEnd Type");
  ASSERT_EQ(plain.size(), 1u);
  ASSERT_EQ(plain[0].members.size(), 1u);
  EXPECT_EQ(plain[0].members[0].name, "v");
}

// ---- constants ----

TEST(ReadVbConstants, HexDecimalTypeAndRemark) {
  auto cs = Constants(
      "Const KB As Long = &H400\r\n"
      "Const FIVE = 5 ' five\r\n"
      "Const ALL = &HFFFFFFFF\r\n"
      "Const HIGH = &H8000&\r\n"
      "Public Const MINUS = -1\r\n"
      "Const NoValue\r\n"
      "Const LAST = 7");
  ASSERT_EQ(cs.size(), 7u);
  EXPECT_EQ(cs[0].name, "KB");
  EXPECT_EQ(cs[0].type, "Long");
  EXPECT_EQ(cs[0].hexValue, "&H400");
  EXPECT_EQ(cs[0].decimalValue, "1024");
  EXPECT_EQ(cs[1].name, "FIVE");
  EXPECT_EQ(cs[1].type, "");
  EXPECT_EQ(cs[1].decimalValue, "5");
  EXPECT_EQ(cs[1].hexValue, "&H5");
  EXPECT_EQ(cs[1].remark, " five");
  EXPECT_EQ(cs[2].decimalValue, "-1");
  EXPECT_EQ(cs[3].decimalValue, "32768");
  EXPECT_EQ(cs[3].hexValue, "&H8000&");
  EXPECT_EQ(cs[4].name, "MINUS");
  EXPECT_EQ(cs[4].hexValue, "&HFFFFFFFF");
  // A line without " =" is still a constant, with an empty name.
  EXPECT_EQ(cs[5].name, "");
  EXPECT_EQ(cs[5].decimalValue, "");
  EXPECT_EQ(cs[5].hexValue, "&H0");
  // The last line, without a line break, is read to its end.
  EXPECT_EQ(cs[6].name, "LAST");
  EXPECT_EQ(cs[6].decimalValue, "7");
}

// ---- any text ----

TEST(VbReaders, OddTextIsReadWithoutFault) {
  std::vector<FunctionRecord> fs;
  std::vector<DataTypeRecord> ts;
  std::vector<ConstantRecord> cs;
  const std::vector<std::string> texts = {
      "Declare ",
      "Declare Function F Lib \"",
      "Declare Function F Lib \"k\" (",
      "Declare Function F Lib \"k\" (ByVal",
      "Declare Function F Lib \"k\" (,,,) As",
      "Declare Function F Lib \"k\" Alias \"",
      "Declare\x81",
      "Type ",
      "Type \r\nEnd Type",
      "Type End Type",
      "Type A\r\n x(1 As Long\r\nEnd Type",
      "Type A\r\n x As String *\r\nEnd Type",
      "Type A '\r\nEnd Type",
      "Const ",
      "Const =",
      "Const A = '",
      "Const A = &H",
      "Const A\x81",
      "\x81",
      "Const A\0B = 1\r\nDeclare Function G\0 Lib \"k\0\" () As Long\r\n"s,
  };
  for (const std::string& t : texts) {
    SCOPED_TRACE(t);
    ReadVbFunctions(t, fs);
    ReadVbDataTypes(t, ts);
    ReadVbConstants(t, cs);
  }
  ReadVbConstants(texts.back(), cs);
  ASSERT_EQ(cs.size(), 1u);
  EXPECT_EQ(cs[0].name, "A\0B"s);
  ReadVbFunctions(texts.back(), fs);
  ASSERT_EQ(fs.size(), 1u);
  EXPECT_EQ(fs[0].name, "G\0"s);
  EXPECT_EQ(fs[0].library, "k\0"s);
}

// ---- the Win32 API declarations for VB ----

template <class Record>
const Record* Named(const std::vector<Record>& records, std::string_view name) {
  for (const Record& r : records)
    if (r.name == name) return &r;
  return nullptr;
}

TEST(VbReaders, Win32ApiDeclarations) {
  const std::string text = test::CorpusText("WIN32API.TXT");
  if (text.empty()) GTEST_SKIP() << "WIN32API.TXT not found";

  std::vector<FunctionRecord> fs;
  std::vector<DataTypeRecord> ts;
  std::vector<ConstantRecord> cs;
  // 1,549 "Declare " lines: 1,509 Functions and 39 Subs; one comment yields nothing.
  EXPECT_EQ(ReadVbFunctions(text, fs), 1548);
  // "Type" blocks; only a "Type " that opens a statement starts one.
  EXPECT_EQ(ReadVbDataTypes(text, ts), 419);
  for (const char* name : {"RECT", "OSVERSIONINFO", "LARGE_INTEGER", "TIME_ZONE_INFORMATION"}) {
    auto it = std::find_if(ts.begin(), ts.end(), [&](const DataTypeRecord& t) { return t.name == name; });
    EXPECT_NE(it, ts.end()) << name;
  }
  for (const DataTypeRecord& t : ts) EXPECT_EQ(t.name.find(' '), std::string::npos) << t.name;
  EXPECT_EQ(ReadVbConstants(text, cs), 6410);

  const FunctionRecord* rect = Named(fs, "GetWindowRect");
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->library, "user32");
  EXPECT_EQ(rect->entryPoint, "GetWindowRect");
  EXPECT_EQ(rect->returnType, "Long");
  EXPECT_EQ(rect->syntax, SyntaxKind::Vb);
  ASSERT_EQ(rect->parameters.size(), 2u);
  EXPECT_EQ(rect->parameters[0].name, "hwnd");
  EXPECT_FALSE(rect->parameters[0].byRef);
  EXPECT_EQ(rect->parameters[1].name, "lpRect");
  EXPECT_EQ(rect->parameters[1].type, "RECT");
  EXPECT_TRUE(rect->parameters[1].byRef);

  const FunctionRecord* box = Named(fs, "MessageBox");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->entryPoint, "MessageBoxA");
  EXPECT_EQ(box->parameters.size(), 4u);
  const FunctionRecord* ticks = Named(fs, "GetTickCount");
  ASSERT_NE(ticks, nullptr);
  EXPECT_EQ(ticks->library, "kernel32");
  EXPECT_TRUE(ticks->parameters.empty());
  ASSERT_NE(Named(fs, "Sleep"), nullptr);
  EXPECT_EQ(Named(fs, "Sleep")->returnType, "");

  const DataTypeRecord* find = Named(ts, "WIN32_FIND_DATA");
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(find->syntax, SyntaxKind::Vb);
  ASSERT_EQ(find->members.size(), 10u);
  EXPECT_EQ(find->members[1].type, "FILETIME");
  EXPECT_EQ(find->members[8].name, "cFileName");
  EXPECT_EQ(find->members[8].type, "String * 260");
  EXPECT_EQ(find->members[8].array, "");
  const DataTypeRecord* version = Named(ts, "OSVERSIONINFO");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->members.back().type, "String * 128");
  const DataTypeRecord* point = Named(ts, "POINTAPI");
  ASSERT_NE(point, nullptr);
  ASSERT_EQ(point->members.size(), 2u);
  EXPECT_EQ(point->members[1].name, "y");
  EXPECT_EQ(point->members[1].type, "Long");

  const ConstantRecord* user = Named(cs, "WM_USER");
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->hexValue, "&H400");
  EXPECT_EQ(user->decimalValue, "1024");
  const ConstantRecord* invalid = Named(cs, "INVALID_HANDLE_VALUE");
  ASSERT_NE(invalid, nullptr);
  EXPECT_EQ(invalid->decimalValue, "-1");
  EXPECT_EQ(invalid->hexValue, "&HFFFFFFFF");
}

}  // namespace
}  // namespace declarium
