// Declarations generated in one syntax and read back by the readers of the
// same syntax: what the generator writes, the reader must find again, field
// by field, for the fields that syntax carries. The text is joined as the
// copy of the insert list joins it: every declaration followed by CR LF, the
// E text headed by ".版本 2" and an empty line.
#include <gtest/gtest.h>

#include <optional>
#include <type_traits>
#include <string>
#include <vector>

#include "import/Readers.h"
#include "output/DeclarationStyle.h"
#include "output/Declarations.h"
#include "support/Corpus.h"
#include "text/AsciiFold.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

ParameterRecord Row(std::string name, std::string type, bool byRef = false, std::string array = {},
                    std::string remark = {}) {
  ParameterRecord p;
  p.name = std::move(name);
  p.type = std::move(type);
  p.byRef = byRef;
  p.array = std::move(array);
  p.remark = std::move(remark);
  return p;
}

FunctionRecord Function(SyntaxKind syntax, std::string name, std::string returnType, std::string library,
                        std::string entryPoint, std::vector<ParameterRecord> parameters) {
  FunctionRecord f;
  f.syntax = syntax;
  f.name = std::move(name);
  f.returnType = std::move(returnType);
  f.library = std::move(library);
  f.entryPoint = std::move(entryPoint);
  f.parameters = std::move(parameters);
  return f;
}

DataTypeRecord DataType(SyntaxKind syntax, std::string name, std::vector<ParameterRecord> members) {
  DataTypeRecord d;
  d.syntax = syntax;
  d.name = std::move(name);
  d.members = std::move(members);
  return d;
}

ConstantRecord Constant(std::string name, std::string decimalValue, std::string hexValue, std::string remark = {}) {
  ConstantRecord c;
  c.name = std::move(name);
  c.decimalValue = std::move(decimalValue);
  c.hexValue = std::move(hexValue);
  c.remark = std::move(remark);
  return c;
}

// The records are copied: the E output may fill in 中文名 on its own records.
std::string Joined(SyntaxKind target, std::vector<FunctionRecord> functions, std::vector<DataTypeRecord> dataTypes,
                   const std::vector<ConstantRecord>& constants, const DeclarationStyle& style) {
  std::string text = target == SyntaxKind::E ? ".版本 2\r\n\r\n" : "";
  for (FunctionRecord& f : functions) text += DeclareFunction(target, f, style) + "\r\n";
  for (DataTypeRecord& d : dataTypes) text += DeclareDataType(target, d, style) + "\r\n";
  for (const ConstantRecord& c : constants) text += DeclareConstant(target, c, style) + "\r\n";
  return text;
}

ParsedDeclarations Read(std::string_view text, SyntaxKind syntax) {
  ParsedDeclarations out;
  ReadDeclarations(text, syntax, out);
  return out;
}

DeclarationStyle Everything() {
  DeclarationStyle s;
  s.insertRemarks = true;
  s.isPublic = true;
  return s;
}

bool IsArray(const ParameterRecord& p) { return p.array == "1"; }

// The one comparison of records read back: every field a reader fills in
// which got differs from want, one "field: want / got" line each (empty
// when they agree). Each syntax's test first turns the records it wrote into
// what that syntax carries (the Kept... functions below).
std::string Field(const char* field, const std::string& want, const std::string& got) {
  return want == got ? std::string() : std::string(field) + ": \"" + want + "\" / \"" + got + "\"\n";
}
std::string Field(const char* field, bool want, bool got) {
  return Field(field, std::string(want ? "1" : "0"), std::string(got ? "1" : "0"));
}

std::string Differences(const std::vector<ParameterRecord>& want, const std::vector<ParameterRecord>& got) {
  std::string d = Field("count", std::to_string(want.size()), std::to_string(got.size()));
  for (std::size_t k = 0; k < want.size() && k < got.size(); ++k) {
    const ParameterRecord& w = want[k];
    const ParameterRecord& g = got[k];
    const std::string in = w.name + " ";
    for (std::string line : {Field("name", w.name, g.name), Field("chinese name", w.chineseName, g.chineseName),
                             Field("type", w.type, g.type), Field("by reference", w.byRef, g.byRef),
                             Field("array", w.array, g.array), Field("output", w.output, g.output),
                             Field("remark", w.remark, g.remark), Field("native type", w.nativeType, g.nativeType)})
      if (!line.empty()) d += in + line;
  }
  return d;
}

std::string Differences(const FunctionRecord& want, const FunctionRecord& got) {
  std::string d = Field("name", want.name, got.name) + Field("chinese name", want.chineseName, got.chineseName) +
                  Field("return type", want.returnType, got.returnType) + Field("remark", want.remark, got.remark) +
                  Field("library", want.library, got.library) + Field("entry point", want.entryPoint, got.entryPoint) +
                  Field("description", want.description, got.description) + Field("notes", want.notes, got.notes) +
                  Field("syntax", std::to_string(SyntaxNumber(want.syntax)), std::to_string(SyntaxNumber(got.syntax))) +
                  Field("CharSet", want.charSet, got.charSet) +
                  Field("CallingConvention", want.callingConvention, got.callingConvention) +
                  Field("native type", want.returnNativeType, got.returnNativeType) +
                  Field("public", want.isPublic, got.isPublic) + Field("read in part", want.readInPart, got.readInPart);
  return d + Differences(want.parameters, got.parameters);
}

std::string Differences(const DataTypeRecord& want, const DataTypeRecord& got) {
  std::string d = Field("name", want.name, got.name) + Field("chinese name", want.chineseName, got.chineseName) +
                  Field("remark", want.remark, got.remark) +
                  Field("syntax", std::to_string(SyntaxNumber(want.syntax)), std::to_string(SyntaxNumber(got.syntax))) +
                  Field("CharSet", want.charSet, got.charSet) + Field("Pack", want.pack, got.pack) +
                  Field("Size", want.size, got.size) + Field("native type", want.nativeType, got.nativeType) +
                  Field("public", want.isPublic, got.isPublic) + Field("read in part", want.readInPart, got.readInPart);
  return d + Differences(want.members, got.members);
}

// The records as a syntax carries them: keep gives each one's kept form, or
// nullopt for one the syntax does not read back at all.
template <class Record>
std::vector<Record> Kept(const std::vector<Record>& records,
                         std::optional<std::type_identity_t<Record>> (*keep)(std::type_identity_t<Record>)) {
  std::vector<Record> out;
  for (const Record& r : records) {
    std::optional<Record> k = keep(r);
    if (k) out.push_back(std::move(*k));
  }
  return out;
}

template <class Record>
std::vector<Record> Kept(const std::vector<Record>& records,
                         std::type_identity_t<Record> (*keep)(std::type_identity_t<Record>)) {
  std::vector<Record> out;
  for (const Record& r : records) out.push_back(keep(r));
  return out;
}

template <class Record>
void ExpectReadBack(const std::vector<Record>& want, const std::vector<Record>& got, const std::string& text) {
  ASSERT_EQ(got.size(), want.size()) << text;
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(Differences(want[i], got[i]), "") << want[i].name;
}

// ---- E ----
//
// The E syntax carries every field of the catalogue's own kind except these:
// - a data type's remark: the header is written ", , " + 备注 after the public
//   field, so the remark stands in the fourth field, while the reader takes
//   the third; it comes back empty;
// - a parameter's 数组 is read as the flag "1" or "0", so "" comes back "0";
// - a constant's 十六进制值 is not written: the reader makes "0x" + the digits
//   of 十进制值, and a constant's public marker is not read;
// - a remark holding ", " is cut there, since ", " separates the fields;
// - 中文名 and 名称 share the one name field (see ChineseNamesTakeTheNameField).

std::vector<FunctionRecord> EFunctions() {
  FunctionRecord box = Function(
      SyntaxKind::E, "MessageBox", "整数型", "user32.dll", "MessageBoxA",
      {Row("hWnd", "整数型", false, "", "窗口句柄"), Row("lpText", "文本型"), Row("lpRect", "RECT", true, "", "矩形"),
       Row("buf", "字节型", false, "1", "缓冲区"), Row("data", "字节型", true, "1")});
  box.remark = "显示信息框";
  FunctionRecord ticks = Function(SyntaxKind::E, "GetTickCount", "", "kernel32", "GetTickCount", {});
  return {box, ticks};
}

std::vector<DataTypeRecord> EDataTypes() {
  DataTypeRecord rect =
      DataType(SyntaxKind::E, "RECT",
               {Row("left", "整数型", false, "", "左边"), Row("szName", "字节型", false, "260", "名字"),
                Row("lpNext", "整数型", true), Row("grid", "整数型", false, "4,4")});
  rect.remark = "矩形";
  return {rect, DataType(SyntaxKind::E, "EMPTY", {})};
}

std::vector<ConstantRecord> EConstants() {
  return {Constant("MAX_PATH", "260", "0x104", "最大路径"), Constant("INVALID_HANDLE_VALUE", "-1", "0xFFFFFFFF"),
          Constant("WM_USER", "1024", "&H400", "用户消息")};
}

// What the E syntax carries of a record written with Everything().
FunctionRecord KeptByE(FunctionRecord f) {
  f.isPublic = true;
  for (ParameterRecord& p : f.parameters) p.array = IsArray(p) ? "1" : "0";
  return f;
}

DataTypeRecord KeptByE(DataTypeRecord d) {
  d.isPublic = true;
  d.remark.clear();  // written one field later than it is read
  return d;
}

TEST(RoundTrip, ESyntax) {
  const std::vector<FunctionRecord> functions = EFunctions();
  const std::vector<DataTypeRecord> dataTypes = EDataTypes();
  const std::vector<ConstantRecord> constants = EConstants();
  const std::string text = Joined(SyntaxKind::E, functions, dataTypes, constants, Everything());
  const ParsedDeclarations got = Read(text, SyntaxKind::E);

  ExpectReadBack(Kept(functions, KeptByE), got.functions, text);
  ExpectReadBack(Kept(dataTypes, KeptByE), got.dataTypes, text);

  ASSERT_EQ(got.constants.size(), constants.size()) << text;
  for (size_t i = 0; i < constants.size(); ++i) {
    const ConstantRecord& want = constants[i];
    const ConstantRecord& c = got.constants[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(c.name, want.name);
    EXPECT_EQ(c.decimalValue, want.decimalValue);
    EXPECT_EQ(c.hexValue, "0x" + HexDigits(ToInteger(want.decimalValue)));
    EXPECT_EQ(c.remark, want.remark);
  }
  EXPECT_EQ(got.constants[2].hexValue, "0x400");  // the stored "&H400" is not written
}

// With the settings off the fields they add are simply absent: nothing else
// shifts, and a function or data type reads as not public.
TEST(RoundTrip, ESyntaxWithoutRemarksOrPublic) {
  const std::string text = Joined(SyntaxKind::E, EFunctions(), EDataTypes(), EConstants(), DeclarationStyle{});
  const ParsedDeclarations got = Read(text, SyntaxKind::E);
  ASSERT_EQ(got.functions.size(), 2u);
  const FunctionRecord& box = got.functions[0];
  EXPECT_FALSE(box.isPublic);
  EXPECT_EQ(box.remark, "");
  EXPECT_EQ(box.entryPoint, "MessageBoxA");
  ASSERT_EQ(box.parameters.size(), 5u);
  EXPECT_EQ(box.parameters[0].remark, "");
  EXPECT_TRUE(box.parameters[4].byRef);
  EXPECT_EQ(box.parameters[4].array, "1");
  ASSERT_EQ(got.dataTypes.size(), 2u);
  EXPECT_FALSE(got.dataTypes[0].isPublic);
  ASSERT_EQ(got.dataTypes[0].members.size(), 4u);
  EXPECT_EQ(got.dataTypes[0].members[1].array, "260");
  EXPECT_TRUE(got.dataTypes[0].members[2].byRef);
  ASSERT_EQ(got.constants.size(), 3u);
  EXPECT_EQ(got.constants[0].decimalValue, "260");
  EXPECT_EQ(got.constants[0].remark, "");
}

TEST(RoundTrip, ChineseNamesTakeTheNameField) {
  std::vector<FunctionRecord> functions = EFunctions();
  functions[0].chineseName = "信息框";
  functions[0].parameters[1].chineseName = "文本";
  std::vector<DataTypeRecord> dataTypes = EDataTypes();
  dataTypes[0].chineseName = "矩形";
  DeclarationStyle s = Everything();
  s.insertChineseNames = true;
  const ParsedDeclarations got = Read(Joined(SyntaxKind::E, functions, dataTypes, {}, s), SyntaxKind::E);
  ASSERT_EQ(got.functions.size(), 2u);
  EXPECT_EQ(got.functions[0].name, "信息框");
  EXPECT_EQ(got.functions[0].chineseName, "");
  EXPECT_EQ(got.functions[0].parameters[0].name, "hWnd");  // no 中文名: the 名称 stands in
  EXPECT_EQ(got.functions[0].parameters[1].name, "文本");
  EXPECT_EQ(got.functions[1].name, "GetTickCount");
  ASSERT_EQ(got.dataTypes.size(), 2u);
  EXPECT_EQ(got.dataTypes[0].name, "矩形");
}

// A constant's line takes in everything up to the next constant, line breaks
// removed: a declaration copied after a constant ends up in its remark.
TEST(RoundTrip, ETextAfterAConstantJoinsItsRemark) {
  const DeclarationStyle s = Everything();
  FunctionRecord ticks = EFunctions()[1];
  const std::string text = ".版本 2\r\n\r\n" + DeclareConstant(SyntaxKind::E, EConstants()[0], s) + "\r\n" +
                           DeclareFunction(SyntaxKind::E, ticks, s) + "\r\n";
  const ParsedDeclarations got = Read(text, SyntaxKind::E);
  ASSERT_EQ(got.constants.size(), 1u);
  EXPECT_EQ(got.constants[0].remark, "最大路径.DLL命令 GetTickCount");
  ASSERT_EQ(got.functions.size(), 1u);
  EXPECT_EQ(got.functions[0].name, "GetTickCount");
}

// ---- C# ----
//
// C# carries a function's name, return type, library, entry point, CharSet
// and CallingConvention and its parameters' names, types, 传址 and 数组, and
// a structure's name, Pack, CharSet, Size and its members' names, types and
// dimensions. It loses:
// - every remark, 中文名 and the public flag, which C# never writes (the
//   constant remark it writes is a /// comment the reader does not take);
// - a parameter's 输出: only "ref" is written, so it reads 传址 alone;
// - a parameter named like a handle ("hwnd"/"handle" anywhere): it is
//   written "IntPtr" without "ref", so it reads as IntPtr by value;
// - an empty return type, written and read as "void";
// - a function without parameters and a structure without members: the
//   reader skips an empty parameter list and an empty pair of braces;
// - a member's 传址, which C# does not write;
// - every constant: they are written as enumeration members ("NAME = 1,"),
//   and the reader takes only "const" fields.

std::vector<FunctionRecord> CSharpFunctions() {
  FunctionRecord box = Function(SyntaxKind::CSharp, "MessageBox", "int", "user32.dll", "MessageBoxA",
                                {Row("hWnd", "IntPtr"), Row("lpText", "string"), Row("lpRect", "RECT", true),
                                 Row("buf", "byte", false, "1"), Row("data", "byte", true, "1")});
  box.charSet = "CharSet.Ansi";
  box.callingConvention = "CallingConvention.StdCall";
  box.remark = "显示信息框";
  FunctionRecord beep =
      Function(SyntaxKind::CSharp, "Beep", "", "kernel32.dll", "", {Row("dwFreq", "int"), Row("dwDuration", "int")});
  FunctionRecord size = Function(SyntaxKind::CSharp, "GetFileSize", "int", "kernel32.dll", "GetFileSize",
                                 {Row("lpHandleInfo", "int", true), Row("lpSizeHigh", "int", true)});
  size.parameters[1].output = true;
  FunctionRecord ticks = Function(SyntaxKind::CSharp, "GetTickCount", "int", "kernel32.dll", "", {});
  return {box, beep, size, ticks};
}

std::vector<DataTypeRecord> CSharpDataTypes() {
  DataTypeRecord rect = DataType(
      SyntaxKind::CSharp, "FINDDATA",
      {Row("left", "int", false, "", "左边"), Row("szName", "string", false, "260"), Row("lpNext", "int", true)});
  rect.pack = "4";
  rect.charSet = "CharSet.Ansi";
  rect.size = "280";
  rect.remark = "查找数据";
  return {rect, DataType(SyntaxKind::CSharp, "POINT", {Row("x", "int"), Row("y", "int")}),
          DataType(SyntaxKind::CSharp, "EMPTY", {})};
}

bool NamedLikeAHandle(const ParameterRecord& p) {
  const std::string lower = FoldAsciiLower(p.name);
  return lower.find("hwnd") != std::string::npos || lower.find("handle") != std::string::npos;
}

// What C# carries; a function without parameters and a type without members
// are not read at all (Kept drops what these give nullopt for).
std::optional<FunctionRecord> KeptByCSharp(FunctionRecord f) {
  if (f.parameters.empty()) return std::nullopt;
  if (f.returnType.empty()) f.returnType = "void";
  if (f.entryPoint.empty()) f.entryPoint = f.name;
  f.remark.clear();
  f.isPublic = false;
  for (ParameterRecord& p : f.parameters) {
    if (NamedLikeAHandle(p)) {
      p.type = "IntPtr";
      p.byRef = false;
    }
    p.array = IsArray(p) ? "1" : "";
    p.output = false;
    p.remark.clear();
  }
  return f;
}

std::optional<DataTypeRecord> KeptByCSharp(DataTypeRecord d) {
  if (d.members.empty()) return std::nullopt;
  d.remark.clear();
  d.isPublic = false;
  for (ParameterRecord& m : d.members) {
    m.byRef = false;
    m.remark.clear();
  }
  return d;
}

TEST(RoundTrip, CSharpSyntax) {
  const std::vector<FunctionRecord> functions = CSharpFunctions();
  const std::vector<DataTypeRecord> dataTypes = CSharpDataTypes();
  const std::vector<ConstantRecord> constants = EConstants();
  const std::string text = Joined(SyntaxKind::CSharp, functions, dataTypes, constants, Everything());
  const ParsedDeclarations got = Read(text, SyntaxKind::CSharp);

  ExpectReadBack(Kept(functions, KeptByCSharp), got.functions, text);
  ExpectReadBack(Kept(dataTypes, KeptByCSharp), got.dataTypes, text);
  EXPECT_TRUE(got.constants.empty()) << text;  // enumeration members, not const fields
}

// ---- VB ----
//
// VB carries a function's name, library, entry point (Alias) and return type
// and its parameters' names, types and 传址, a type's name and its members'
// names, types, dimensions and remarks, and a constant's name, value and
// remark. It loses:
// - a function's remark, CharSet and CallingConvention, and the public flag;
// - an empty entry point: no Alias is written, and the reader takes the name;
// - a parameter's 数组: an array is written ByRef, and reads as 传址 alone;
// - a type's own remark and a member's 传址, which VB does not write;
// - a constant's 类型 ("As Long" is not written); a plain number is written as
//   the hexadecimal text when there is one ("0x" as "&H"), and the decimal
//   value is then computed from it.

std::vector<FunctionRecord> VbFunctions() {
  FunctionRecord box = Function(
      SyntaxKind::Vb, "MessageBox", "Long", "user32", "MessageBoxA",
      {Row("hWnd", "Long"), Row("lpText", "String"), Row("lpRect", "RECT", true), Row("buf", "Byte", false, "1")});
  box.remark = "显示信息框";
  FunctionRecord ticks = Function(SyntaxKind::Vb, "GetTickCount", "Long", "kernel32", "", {});
  FunctionRecord error =
      Function(SyntaxKind::Vb, "SetLastError", "", "kernel32", "SetLastError", {Row("dwErrCode", "Long")});
  return {box, ticks, error};
}

std::vector<DataTypeRecord> VbDataTypes() {
  DataTypeRecord rect =
      DataType(SyntaxKind::Vb, "FINDDATA",
               {Row("dwFileAttributes", "Long", false, "", "属性"), Row("cFileName", "Byte", false, "260", "名字"),
                Row("lpNext", "Long", true), Row("grid", "Integer", false, "4,4")});
  rect.remark = "查找数据";
  return {rect, DataType(SyntaxKind::Vb, "EMPTY", {})};
}

std::vector<ConstantRecord> VbConstants() {
  ConstantRecord typed = Constant("WM_USER", "1024", "", "用户消息");
  typed.type = "Long";
  return {Constant("MAX_PATH", "260", "0x104", "最大路径"), typed, Constant("INVALID_HANDLE_VALUE", "-1", "&HFFFFFFFF"),
          Constant("ZERO", "0", "")};
}

// What VB carries.
FunctionRecord KeptByVb(FunctionRecord f) {
  f.remark.clear();
  f.charSet.clear();
  f.callingConvention.clear();
  f.isPublic = false;
  if (f.entryPoint.empty()) f.entryPoint = f.name;
  for (ParameterRecord& p : f.parameters) {
    p.byRef = p.byRef || IsArray(p);
    p.array.clear();
  }
  return f;
}

DataTypeRecord KeptByVb(DataTypeRecord d) {
  d.remark.clear();
  d.isPublic = false;
  for (ParameterRecord& m : d.members) m.byRef = false;
  return d;
}

TEST(RoundTrip, VbSyntax) {
  const std::vector<FunctionRecord> functions = VbFunctions();
  const std::vector<DataTypeRecord> dataTypes = VbDataTypes();
  const std::vector<ConstantRecord> constants = VbConstants();
  const std::string text = Joined(SyntaxKind::Vb, functions, dataTypes, constants, Everything());
  const ParsedDeclarations got = Read(text, SyntaxKind::Vb);

  ExpectReadBack(Kept(functions, KeptByVb), got.functions, text);
  ExpectReadBack(Kept(dataTypes, KeptByVb), got.dataTypes, text);

  ASSERT_EQ(got.constants.size(), constants.size()) << text;
  const char* const hex[] = {"&H104", "&H400", "&HFFFFFFFF", "&H0"};
  for (size_t i = 0; i < constants.size(); ++i) {
    const ConstantRecord& want = constants[i];
    const ConstantRecord& c = got.constants[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(c.name, want.name);
    EXPECT_EQ(c.decimalValue, want.decimalValue);
    EXPECT_EQ(c.hexValue, hex[i]);
    EXPECT_EQ(c.remark, want.remark);
    EXPECT_EQ(c.type, "");
  }
}

// ---- the Win32 API declarations, read, written and read again in VB ----

// Collects the records of one kind that differ and reports the first few,
// so a regression shows what went wrong without thousands of lines.
class DifferenceReport {
 public:
  explicit DifferenceReport(const char* kind) : kind_(kind) {}
  ~DifferenceReport() { EXPECT_EQ(count_, 0) << kind_ << ":" << shown_; }

  void Add(const std::string& name, const std::string& differences) {
    if (differences.empty()) return;
    if (++count_ <= 10) shown_ += "\n  " + name + ":\n" + differences;
  }

 private:
  const char* kind_;
  int count_ = 0;
  std::string shown_;
};

TEST(RoundTrip, Win32ApiDeclarationsReadTheSameTwice) {
  const std::string corpus = test::CorpusText("WIN32API.TXT");
  if (corpus.empty()) GTEST_SKIP() << "WIN32API.TXT not found";
  const ParsedDeclarations first = Read(corpus, SyntaxKind::Vb);
  ASSERT_EQ(first.functions.size(), 1548u);
  ASSERT_EQ(first.dataTypes.size(), 419u);
  ASSERT_EQ(first.constants.size(), 6410u);

  const std::string text = Joined(SyntaxKind::Vb, first.functions, first.dataTypes, first.constants, Everything());
  const ParsedDeclarations second = Read(text, SyntaxKind::Vb);

  ASSERT_EQ(second.functions.size(), first.functions.size());
  {
    DifferenceReport report("functions");
    for (size_t i = 0; i < first.functions.size(); ++i)
      report.Add(first.functions[i].name, Differences(KeptByVb(first.functions[i]), second.functions[i]));
  }

  ASSERT_EQ(second.dataTypes.size(), first.dataTypes.size());
  {
    DifferenceReport report("data types");
    for (size_t i = 0; i < first.dataTypes.size(); ++i) {
      // The Byte members written where C leaves a gap are new; the rest read back as they were.
      DataTypeRecord b = second.dataTypes[i];
      std::erase_if(b.members,
                    [](const ParameterRecord& m) { return m.name.starts_with("Padding") && m.type == "Byte"; });
      report.Add(first.dataTypes[i].name, Differences(KeptByVb(first.dataTypes[i]), b));
    }
  }

  ASSERT_EQ(second.constants.size(), first.constants.size());
  {
    DifferenceReport report("constants");
    for (size_t i = 0; i < first.constants.size(); ++i) {
      const ConstantRecord& a = first.constants[i];
      const ConstantRecord& b = second.constants[i];
      // Expressions ("(READ_CONTROL)") and suffixed literals ("1&") are
      // written as they were read, not as the number their text begins with.
      report.Add(a.name, Field("name", a.name, b.name) + Field("hexadecimal", a.hexValue, b.hexValue) +
                             Field("remark", a.remark, b.remark) + Field("value", a.decimalValue, b.decimalValue));
    }
  }
}

// A reading handed on in batches finds what the whole reading finds, in the
// same order, in every syntax (the corpus, or a text of its own without it,
// and both written out in E and C#).
TEST(RoundTrip, ReadingInBatchesFindsWhatTheWholeReadingFinds) {
  std::string vb = test::CorpusText("WIN32API.TXT");
  if (vb.empty()) {
    for (int i = 0; i < 50; ++i) {
      const std::string n = std::to_string(i);
      vb += "Declare Function F" + n +
            " Lib \"k\" (ByVal a As Long, b As Any) As Long\r\n"
            "Type T" +
            n + "\r\n    x As Long\r\nEnd Type\r\nConst C" + n + " = " + n + " ' r\r\n";
    }
  }
  const ParsedDeclarations fromVb = Read(vb, SyntaxKind::Vb);
  ASSERT_FALSE(fromVb.functions.empty());
  const std::pair<SyntaxKind, std::string> texts[] = {
      {SyntaxKind::Vb, vb},
      {SyntaxKind::E, Joined(SyntaxKind::E, fromVb.functions, fromVb.dataTypes, fromVb.constants, Everything())},
      {SyntaxKind::CSharp,
       Joined(SyntaxKind::CSharp, fromVb.functions, fromVb.dataTypes, fromVb.constants, Everything())},
  };
  for (const auto& [syntax, text] : texts) {
    const ParsedDeclarations whole = Read(text, syntax);
    const std::string expected = Joined(SyntaxKind::E, whole.functions, whole.dataTypes, whole.constants, Everything());
    for (std::size_t batch : {std::size_t{1}, std::size_t{7}, kReadBatch}) {
      SCOPED_TRACE(std::to_string(SyntaxNumber(syntax)) + " in batches of " + std::to_string(batch));
      ParsedDeclarations batched;
      int batches = 0;
      auto collect = [&batches](auto& into) {
        return [&into, &batches](auto& records) {
          ++batches;
          into.insert(into.end(), records.begin(), records.end());
        };
      };
      ReadDeclarations(text, syntax,
                       {collect(batched.functions), collect(batched.dataTypes), collect(batched.constants)}, batch);
      EXPECT_EQ(Joined(SyntaxKind::E, batched.functions, batched.dataTypes, batched.constants, Everything()), expected);
      const std::size_t records = whole.functions.size() + whole.dataTypes.size() + whole.constants.size();
      if (batch == 1) {
        EXPECT_EQ(static_cast<std::size_t>(batches), records);
      }
    }
  }
}

}  // namespace
}  // namespace declarium
