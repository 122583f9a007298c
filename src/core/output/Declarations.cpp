#include "output/Declarations.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <string_view>

#include "output/CSharp64.h"
#include "output/VbDeclarations.h"
#include "output/TypeNames.h"
#include "output/VbTypes.h"
#include "text/AsciiFold.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

// The name the E syntax writes: with 插入中文名 on, the 中文名, which takes
// the 名称 first when it is empty (the caller's record changes with it).
const std::string& ENameOf(std::string& name, std::string& chineseName, const DeclarationStyle& style) {
  if (!style.insertChineseNames) return name;
  if (chineseName.empty()) chineseName = name;
  return chineseName;
}

// Window and other handles are pointer-sized in C#, whatever type is stored.
bool NamesAHandle(std::string_view name) {
  std::string lower = FoldAsciiLower(name);
  return FindText(lower, "hwnd") > 0 || FindText(lower, "handle") > 0;
}

bool IsArrayFlag(const ParameterRecord& p) { return p.array == "1"; }

// C#'s reserved words: a parameter or member of that name is written with
// "@", which makes it an identifier (Windows headers name parameters
// "string", "object", "params"...).
constexpr std::string_view kCSharpKeywords[] = {
    "abstract", "as",      "base",    "bool",       "break",    "byte",     "case",      "catch",     "char",
    "checked",  "class",   "const",   "continue",   "decimal",  "default",  "delegate",  "do",        "double",
    "else",     "enum",    "event",   "explicit",   "extern",   "false",    "finally",   "fixed",     "float",
    "for",      "foreach", "goto",    "if",         "implicit", "in",       "int",       "interface", "internal",
    "is",       "lock",    "long",    "namespace",  "new",      "null",     "object",    "operator",  "out",
    "override", "params",  "private", "protected",  "public",   "readonly", "ref",       "return",    "sbyte",
    "sealed",   "short",   "sizeof",  "stackalloc", "static",   "string",   "struct",    "switch",    "this",
    "throw",    "true",    "try",     "typeof",     "uint",     "ulong",    "unchecked", "unsafe",    "ushort",
    "using",    "virtual", "void",    "volatile",   "while"};

// Sorted, so that a name is looked up in a few comparisons: every parameter
// and member is.
static_assert(std::is_sorted(std::begin(kCSharpKeywords), std::end(kCSharpKeywords)));

void AppendCSharpName(std::string& out, std::string_view name) {
  if (std::binary_search(std::begin(kCSharpKeywords), std::end(kCSharpKeywords), name)) out += '@';
  out += name;
}

// VB's "As Any" takes whatever the caller passes: a value or, by reference,
// the address of a variable. C# has no such type; IntPtr carries either, by
// value (a ref IntPtr would pass the address of a pointer).
bool IsVbAny(const FunctionRecord& f, const ParameterRecord& p) {
  return f.syntax == SyntaxKind::Vb && EqualsIgnoringAsciiCase(TrimSpacesView(p.type), "any");
}

void FunctionE(std::string& out, FunctionRecord& f, const DeclarationStyle& s) {
  const std::string& name = ENameOf(f.name, f.chineseName, s);
  AppendTexts(out, ".DLL命令 ", s.namePrefix, name, s.nameSuffix, ", ",
              MapTypeName(f.returnType, f.syntax, SyntaxKind::E), ", \"", f.library, "\", \"", f.entryPoint, "\"");
  out += s.isPublic ? ", 公开" : ", ";
  if (s.insertRemarks)
    AppendTexts(out, ", ", f.remark);
  else
    out += ", ";
  for (ParameterRecord& p : f.parameters) {
    out += "\r\n    .参数 ";
    out += ENameOf(p.name, p.chineseName, s);
    out += ", ";
    out += MapTypeName(p.type, f.syntax, SyntaxKind::E);
    out += ", ";
    if (p.byRef) out += "传址 ";
    if (IsArrayFlag(p)) out += "数组";
    if (s.insertRemarks) AppendTexts(out, ", ", p.remark);
  }
}

void FunctionCSharp(std::string& out, const FunctionRecord& f, const DeclarationStyle& s) {
  AppendTexts(out, "[DllImport(\"", f.library, "\"");
  if (!f.entryPoint.empty()) AppendTexts(out, ", EntryPoint = \"", f.entryPoint, "\"");
  const std::string charSet = f.charSet.empty() && s.csharp64 ? CSharp64CharSet(f) : f.charSet;
  if (!charSet.empty()) AppendTexts(out, ", CharSet = ", charSet);
  if (!f.callingConvention.empty()) AppendTexts(out, ", CallingConvention = ", f.callingConvention);
  out += ")]\r\n";
  CSharpValue native;
  const bool nativeReturn = s.csharp64 && CSharp64Return(f, native);
  if (nativeReturn) out += native.attribute;
  out += s.isPublic ? "public " : "private ";
  out += "static extern ";
  if (nativeReturn)
    out += native.type;
  else
    out += f.returnType.empty() ? std::string("void") : MapTypeName(f.returnType, f.syntax, SyntaxKind::CSharp);
  AppendTexts(out, " ", s.namePrefix, f.name, s.nameSuffix, "(");
  bool first = true;
  for (const ParameterRecord& p : f.parameters) {
    if (!first) out += ", ";
    first = false;
    if (s.csharp64 && CSharp64Parameter(p, native)) {
      AppendTexts(out, native.attribute, native.type);
    } else if (NamesAHandle(p.name) || IsVbAny(f, p)) {
      out += "IntPtr";
    } else {
      if (p.byRef) out += "ref ";
      out += MapTypeName(p.type, f.syntax, SyntaxKind::CSharp);
    }
    if (IsArrayFlag(p)) out += "[]";
    out += ' ';
    AppendCSharpName(out, p.name);
  }
  out += ");";
}

void DataTypeE(std::string& out, DataTypeRecord& d, const DeclarationStyle& s) {
  AppendTexts(out, ".数据类型 ", ENameOf(d.name, d.chineseName, s));
  out += s.isPublic ? ", 公开" : ", ";
  if (s.insertRemarks) AppendTexts(out, ", , ", d.remark);
  for (ParameterRecord& m : d.members) {
    out += "\r\n    .成员 ";
    out += ENameOf(m.name, m.chineseName, s);
    out += ", ";
    // VB's text of fixed length is that many bytes in place.
    const auto length = d.syntax == SyntaxKind::Vb ? FixedStringLength(m.type) : std::nullopt;
    if (length)
      out += "字节型";
    else
      out += MapTypeName(m.type, d.syntax, SyntaxKind::E);
    out += ", ";
    if (m.byRef) out += "传址";
    out += ", ";
    // The E syntax (and its reader) takes the dimension between double quotes.
    if (length)
      AppendTexts(out, "\"", m.array, m.array.empty() ? "" : ",", *length, "\"");
    else if (!m.array.empty())
      AppendTexts(out, "\"", m.array, "\"");
    if (s.insertRemarks) AppendTexts(out, ", ", m.remark);
  }
}

// The count of all elements of "2,3": a number where each is one, else the
// counts multiplied as C# writes it.
std::string TotalCount(std::string_view counts) {
  if (const auto n = CountProduct(counts)) return DecimalText(*n);
  std::string out(counts);
  for (char& c : out)
    if (c == ',') c = '*';
  return out;
}

// A VB String * N member: N bytes of ANSI text in place, C#'s default for a
// structure; an array of them is that many bytes.
void AppendFixedStringCSharp(std::string& out, const ParameterRecord& m, std::string_view length) {
  if (m.array.empty()) {
    AppendTexts(out, "\t[MarshalAs(UnmanagedType.ByValTStr, SizeConst = ", length, ")]\tpublic string ");
  } else {
    const std::string bytes = TotalCount(m.array + "," + std::string(length));
    AppendTexts(out, "\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = ", bytes, ")]\tpublic byte[] ");
  }
  AppendCSharpName(out, m.name);
  out += ";\r\n";
}

void DataTypeCSharp(std::string& out, const DataTypeRecord& d, const DeclarationStyle& s) {
  out += "[StructLayout(LayoutKind.Sequential";
  const std::string pack = s.csharp64 ? CSharp64Pack(d) : d.pack;
  if (!pack.empty()) AppendTexts(out, ", Pack = ", pack);
  if (!d.charSet.empty()) AppendTexts(out, ", CharSet = ", d.charSet);
  if (!d.size.empty()) AppendTexts(out, ", Size = ", d.size);
  out += ")]\r\n";
  out += s.isPublic ? "public struct " : "private struct ";
  AppendTexts(out, d.name, "\r\n{");
  for (const ParameterRecord& m : d.members) {
    CSharpValue native;
    if (s.csharp64 && CSharp64Member(m, native)) {
      if (!native.attribute.empty())
        AppendTexts(out, "\t", std::string_view(native.attribute).substr(0, native.attribute.size() - 1));
      AppendTexts(out, "\tpublic ", native.type, " ");
      AppendCSharpName(out, m.name);
      out += ";\r\n";
      continue;
    }
    if (const auto length = d.syntax == SyntaxKind::Vb ? FixedStringLength(m.type) : std::nullopt) {
      AppendFixedStringCSharp(out, m, *length);
      continue;
    }
    std::string type = MapTypeName(m.type, d.syntax, SyntaxKind::CSharp);
    // A fixed-size array is an array of its elements (ByValTStr on a number
    // marshals one character). Only C# says a string array is text in place
    // (ByValTStr); 文本型 and VB's String are text pointers, so an array of
    // them is an array of pointers.
    if (!m.array.empty()) {
      // "string[]" read from C# is an array of text pointers; "byte[]" was
      // kept with its brackets by older imports.
      std::string_view element = type;
      const bool bracketed = element.size() > 2 && element.substr(element.size() - 2) == "[]";
      if (bracketed) element.remove_suffix(2);
      // SizeConst counts all elements; VB gives each dimension's count.
      const std::string count = d.syntax == SyntaxKind::Vb ? TotalCount(m.array) : m.array;
      if (element == "string" && d.syntax == SyntaxKind::CSharp && !bracketed) {
        AppendTexts(out, "\t[MarshalAs(UnmanagedType.ByValTStr, SizeConst = ", count, ")]");
      } else {
        AppendTexts(out, "\t[MarshalAs(UnmanagedType.ByValArray, SizeConst = ", count,
                    element == "string" ? ", ArraySubType = UnmanagedType.LPStr" : "", ")]");
        if (!bracketed) type += "[]";
      }
    }
    AppendTexts(out, "\tpublic ", type, " ");
    AppendCSharpName(out, m.name);
    out += ";\r\n";
  }
  out += "}";
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The E and C# readers keep hexadecimal values in the C form "0x104", which
// is no VB literal; VB writes the same digits after "&H". Anything else is
// written as stored.
void AppendVbHexValue(std::string& out, std::string_view hex) {
  bool cForm = hex.size() >= 3 && hex[0] == '0' && (hex[1] == 'x' || hex[1] == 'X');
  for (size_t i = 2; cForm && i < hex.size(); ++i) cForm = IsHexDigit(hex[i]);
  if (cForm)
    AppendTexts(out, "&H", hex.substr(2));
  else
    out += hex;
}

// Whether a decimal text is a plain integer literal, so that the hexadecimal
// text computed from it stands for the same value.
bool IsPlainInteger(std::string_view t) {
  t = TrimSpacesView(t);
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.remove_prefix(1);
  if (t.empty()) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  return true;
}

// The value a VB constant is written with: the hexadecimal text, unless the
// decimal text is no plain number. Readers give every value a hexadecimal text
// computed from its leading digits, so an expression such as "(READ_CONTROL)"
// or a literal such as "1&" would otherwise be written as "&H0" or "&H1".
void AppendVbConstantValue(std::string& out, const ConstantRecord& c) {
  if (c.hexValue.empty() || (!c.decimalValue.empty() && !IsPlainInteger(c.decimalValue)))
    out += c.decimalValue;
  else
    AppendVbHexValue(out, c.hexValue);
}

}  // namespace

void AppendFunction(std::string& out, SyntaxKind target, FunctionRecord& record, const DeclarationStyle& style) {
  switch (target) {
    case SyntaxKind::E: return FunctionE(out, record, style);
    case SyntaxKind::CSharp: return FunctionCSharp(out, record, style);
    case SyntaxKind::Vb: return FunctionVb(out, record, style);
    default: return;
  }
}

void AppendDataType(std::string& out, SyntaxKind target, DataTypeRecord& record, const DeclarationStyle& style,
                    const DataTypeLookup& types) {
  switch (target) {
    case SyntaxKind::E: return DataTypeE(out, record, style);
    case SyntaxKind::CSharp: return DataTypeCSharp(out, record, style);
    case SyntaxKind::Vb: return DataTypeVb(out, record, style, types);
    default: return;
  }
}

void AppendConstant(std::string& out, SyntaxKind target, const ConstantRecord& c, const DeclarationStyle& s) {
  switch (target) {
    case SyntaxKind::E:
      AppendTexts(out, ".常量 ", c.name, ", \"", c.decimalValue, "\", ");
      if (s.isPublic) out += "公开";
      if (s.insertRemarks) AppendTexts(out, ", ", c.remark);
      return;
    case SyntaxKind::CSharp:
      if (s.insertRemarks && !c.remark.empty())
        AppendTexts(out, "/// <summary>\r\n///", c.remark, "\r\n/// </summary>\r\n");
      AppendTexts(out, c.name, " = ", c.decimalValue, ",");
      return;
    case SyntaxKind::Vb:
      out += s.isPublic ? "Public Const " : "Private Const ";
      AppendTexts(out, c.name, " = ");
      AppendVbConstantValue(out, c);
      if (s.insertRemarks && !c.remark.empty()) AppendTexts(out, " '", c.remark);
      return;
    default: return;
  }
}

std::string DeclareFunction(SyntaxKind target, FunctionRecord& record, const DeclarationStyle& style) {
  std::string out;
  AppendFunction(out, target, record, style);
  return out;
}

std::string DeclareDataType(SyntaxKind target, DataTypeRecord& record, const DeclarationStyle& style,
                            const DataTypeLookup& types) {
  std::string out;
  AppendDataType(out, target, record, style, types);
  return out;
}

std::string DeclareConstant(SyntaxKind target, const ConstantRecord& record, const DeclarationStyle& style) {
  std::string out;
  AppendConstant(out, target, record, style);
  return out;
}

}  // namespace declarium
