#include "output/TypeNames.h"

#include <initializer_list>
#include <utility>

#include "output/VbTypes.h"

namespace declarium {
namespace {

using Row = std::pair<std::string_view, std::string_view>;

// Rows in table order; the first match wins.
constexpr Row kEToCSharp[] = {
    {"整数型", "int"},   {"字节集", "int"},          {"长整数型", "long"}, {"字节型", "byte"},   {"短整数型", "short"},
    {"小数型", "float"}, {"双精度小数型", "double"}, {"逻辑型", "bool"},   {"文本型", "string"},
};
// 逻辑型 is the 4-byte Windows BOOL, which VB declares as Long (its Boolean
// has 2 bytes); VB6's only 8-byte integer is Currency, whose value VB reads
// divided by 10,000.
constexpr Row kEToVb[] = {
    {"整数型", "Long"},     {"字节集", "Long"},         {"字节型", "Byte"},     {"短整数型", "Integer"},
    {"小数型", "Single"},   {"双精度小数型", "Double"}, {"逻辑型", "Long"},     {"文本型", "String"},
    {"日期时间型", "Date"}, {"长整数型", "Currency"},   {"子程序指针", "Long"}, {"通用型", "Any"},
};
constexpr Row kCSharpToE[] = {
    {"int", "整数型"},   {"IntPtr", "整数型"},       {"long", "长整数型"},  {"ulong", "长整数型"},
    {"byte", "字节型"},  {"sbyte", "字节型"},        {"short", "短整数型"}, {"ushort", "短整数型"},
    {"float", "小数型"}, {"double", "双精度小数型"}, {"bool", "逻辑型"},    {"string", "文本型"},
};
constexpr Row kCSharpToVb[] = {
    {"int", "Long"},
    {"IntPtr", "Long"},
    {"byte", "Byte"},
    {"sbyte", "Byte"},
    {"short", "Integer"},
    {"ushort", "Integer"},
    {"float", "Single"},
    {"double", "Double"},
    {"bool", "Long"},
    {"string", "String"},
    {"uint", "Long"},
    {"UIntPtr", "Long"},
    {"long", "Currency"},
    {"ulong", "Currency"},
    {"char", "Integer"},
    {"object", "Any"},
    {"StringBuilder", "String"},
    {"decimal", "Variant"},
};
// VB's Any is an address (or a value) of any type: E declares that as 整数型,
// C# as IntPtr. LongPtr is pointer-sized, 4 bytes where E and 32-bit code run.
constexpr Row kVbToE[] = {
    {"Long", "整数型"},         {"Byte", "字节型"},    {"Integer", "短整数型"}, {"Single", "小数型"},
    {"Double", "双精度小数型"}, {"Boolean", "逻辑型"}, {"String", "文本型"},    {"Currency", "长整数型"},
    {"LongLong", "长整数型"},   {"LongPtr", "整数型"}, {"Date", "日期时间型"},  {"Any", "整数型"},
};
constexpr Row kVbToCSharp[] = {
    {"Long", "int"},      {"Byte", "byte"},      {"Integer", "short"}, {"Single", "float"},
    {"Double", "double"}, {"Boolean", "bool"},   {"String", "string"}, {"Currency", "long"},
    {"LongLong", "long"}, {"LongPtr", "IntPtr"}, {"Date", "double"},   {"Any", "IntPtr"},
};

template <size_t N>
std::string Look(const Row (&table)[N], std::string_view name) {
  for (const Row& row : table)
    if (row.first == name) return std::string(row.second);
  return std::string(name);
}

// Built-in types no row above maps from.
constexpr std::string_view kOtherEBasics[] = {"日期时间型", "子程序指针", "通用型"};
constexpr std::string_view kOtherCSharpBasics[] = {"void",    "uint",    "char",         "object",
                                                   "UIntPtr", "decimal", "StringBuilder"};
constexpr std::string_view kOtherVbBasics[] = {"Any", "Currency", "Date", "Variant", "Object", "LongPtr", "LongLong"};

template <size_t N>
bool MapsFrom(const Row (&table)[N], std::string_view name) {
  for (const Row& row : table)
    if (row.first == name) return true;
  return false;
}

template <size_t N>
bool Among(const std::string_view (&names)[N], std::string_view name) {
  for (std::string_view n : names)
    if (n == name) return true;
  return false;
}

}  // namespace

bool IsBasicTypeName(std::string_view name, SyntaxKind syntax) {
  switch (syntax) {
    case SyntaxKind::E: return MapsFrom(kEToCSharp, name) || MapsFrom(kEToVb, name) || Among(kOtherEBasics, name);
    case SyntaxKind::CSharp:
      return MapsFrom(kCSharpToE, name) || MapsFrom(kCSharpToVb, name) || Among(kOtherCSharpBasics, name);
    case SyntaxKind::Vb:
      return MapsFrom(kVbToE, name) || MapsFrom(kVbToCSharp, name) || Among(kOtherVbBasics, name) ||
             FixedStringLength(name).has_value();
  }
  return false;
}

std::string MapTypeName(std::string_view name, SyntaxKind source, SyntaxKind target) {
  using S = SyntaxKind;
  const auto is = [source, target](S from, S to) { return source == from && target == to; };
  if (is(S::E, S::CSharp)) return Look(kEToCSharp, name);
  if (is(S::E, S::Vb)) return Look(kEToVb, name);
  if (is(S::CSharp, S::E)) return Look(kCSharpToE, name);
  if (is(S::CSharp, S::Vb)) return Look(kCSharpToVb, name);
  if (is(S::Vb, S::E)) return Look(kVbToE, name);
  if (is(S::Vb, S::CSharp)) return Look(kVbToCSharp, name);
  return std::string(name);
}

}  // namespace declarium
