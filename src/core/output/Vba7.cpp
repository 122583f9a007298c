#include "output/Vba7.h"

#include <string_view>
#include <utility>

#include "store/NativeTypes.h"

namespace declarium {
namespace {

// The VBA 7 type of a value of that kind, or empty for an unknown kind; rec
// takes the structure's name. Narrow text is a String, which VBA passes as
// an ANSI pointer; wide text is its address, as StrPtr gives it.
std::string ValueType(std::string_view kind, const std::string& recordName) {
  static constexpr std::pair<std::string_view, std::string_view> kTypes[] = {
      {"i1", "Byte"},     {"u1", "Byte"},     {"c1", "Byte"},      {"i2", "Integer"},   {"u2", "Integer"},
      {"i4", "Long"},     {"u4", "Long"},     {"i8", "LongLong"},  {"u8", "LongLong"},  {"f4", "Single"},
      {"f8", "Double"},   {"bool", "Long"},   {"iptr", "LongPtr"}, {"uptr", "LongPtr"}, {"ptr", "LongPtr"},
      {"astr", "String"}, {"abuf", "String"}, {"wstr", "LongPtr"}, {"wbuf", "LongPtr"}};
  for (const auto& [k, type] : kTypes)
    if (k == kind) return std::string(type);
  if (kind == "rec") return recordName;
  return {};
}

}  // namespace

bool Vba7Parameter(const ParameterRecord& p, VbValue& out) {
  const NativeType n = ParseNativeType(p.nativeType);
  if (n.kind.empty()) return false;
  out = {};
  if (n.pointer) {
    // A pointer to text is the address of a pointer.
    out.type = IsText(n.kind) ? std::string("LongPtr") : ValueType(n.kind, p.type);
    out.byRef = true;
  } else {
    out.type = ValueType(n.kind, p.type);
    // A structure is passed by address, as VB passes a Type.
    out.byRef = n.kind == "rec";
  }
  return !out.type.empty();
}

bool Vba7Return(const FunctionRecord& f, VbValue& out) {
  const NativeType n = ParseNativeType(f.returnNativeType);
  if (n.kind.empty()) return false;
  out = {};
  // Returned text is an address: VBA cannot take a C string as a String.
  out.type = n.pointer || IsText(n.kind) ? std::string("LongPtr") : ValueType(n.kind, f.returnType);
  return !out.type.empty();
}

bool Vba7Member(const ParameterRecord& m, VbValue& out) {
  const NativeType n = ParseNativeType(m.nativeType);
  if (n.kind.empty()) return false;
  out = {};
  if (n.kind == "blob") {
    // Integers of that width covering a union's bytes in 64-bit code.
    std::string_view unit, count;
    if (!BlobShape(n, unit, count)) return false;
    out.type = unit == "1" ? "Byte" : unit == "2" ? "Integer" : unit == "8" ? "LongLong" : "Long";
    out.count = count;
    return true;
  }
  // Narrow text is a String, as in 32-bit VB; a pointer is an address.
  out.type = n.pointer ? std::string("LongPtr") : ValueType(n.kind, m.type);
  return !out.type.empty();
}

}  // namespace declarium
