#include "output/CSharp64.h"

#include <string_view>

#include "store/NativeTypes.h"

namespace declarium {
namespace {

// The C# type of a value of that kind, or empty for an unknown kind; rec
// takes the structure's name.
std::string ValueType(std::string_view kind, const std::string& recordName) {
  static constexpr std::pair<std::string_view, std::string_view> kNumbers[] = {
      {"i1", "sbyte"},  {"u1", "byte"},   {"c1", "byte"},     {"i2", "short"},     {"u2", "ushort"},
      {"i4", "int"},    {"u4", "uint"},   {"i8", "long"},     {"u8", "ulong"},     {"f4", "float"},
      {"f8", "double"}, {"bool", "bool"}, {"iptr", "IntPtr"}, {"uptr", "UIntPtr"}, {"ptr", "IntPtr"}};
  for (const auto& [k, type] : kNumbers)
    if (k == kind) return std::string(type);
  if (kind == "rec") return recordName;
  return {};
}


const char* TextMarshal(std::string_view kind) {
  return IsWideText(kind) ? "UnmanagedType.LPWStr" : "UnmanagedType.LPStr";
}

}  // namespace

bool CSharp64Parameter(const ParameterRecord& p, CSharpValue& out) {
  const NativeType n = ParseNativeType(p.nativeType);
  if (n.kind.empty()) return false;
  out = {};
  if (n.pointer) {
    // A pointer to a pointer (text or not) is the address of an IntPtr.
    const std::string pointee =
        IsNarrowText(n.kind) || IsWideText(n.kind) ? std::string("IntPtr") : ValueType(n.kind, p.type);
    if (pointee.empty()) return false;
    if (n.kind == "bool") out.attribute = "[MarshalAs(UnmanagedType.Bool)] ";
    out.type = "ref " + pointee;
    return true;
  }
  if (IsNarrowText(n.kind) || IsWideText(n.kind)) {
    out.attribute = std::string("[MarshalAs(") + TextMarshal(n.kind) + ")] ";
    out.type = n.kind == "astr" || n.kind == "wstr" ? "string" : "StringBuilder";
    return true;
  }
  out.type = ValueType(n.kind, p.type);
  if (n.kind == "bool") out.attribute = "[MarshalAs(UnmanagedType.Bool)] ";
  return !out.type.empty();
}

bool CSharp64Return(const FunctionRecord& f, CSharpValue& out) {
  const NativeType n = ParseNativeType(f.returnNativeType);
  if (n.kind.empty()) return false;
  out = {};
  if (n.pointer || IsNarrowText(n.kind) || IsWideText(n.kind)) {
    out.type = "IntPtr";
    return true;
  }
  out.type = ValueType(n.kind, f.returnType);
  if (n.kind == "bool") out.attribute = "[return: MarshalAs(UnmanagedType.Bool)]\r\n";
  return !out.type.empty();
}

bool CSharp64Member(const ParameterRecord& m, CSharpValue& out) {
  const NativeType n = ParseNativeType(m.nativeType);
  if (n.kind.empty()) return false;
  out = {};
  if (n.kind == "blob") {
    // Integers of that width covering a union's bytes in 64-bit code.
    std::string_view unit, count;
    if (!BlobShape(n, unit, count)) return false;
    out.type = unit == "1" ? "byte" : unit == "2" ? "ushort" : unit == "8" ? "ulong" : "uint";
    if (count != "1") {
      out.attribute = "[MarshalAs(UnmanagedType.ByValArray, SizeConst = " + std::string(count) + ")] ";
      out.type += "[]";
    }
    return true;
  }
  const bool text = IsNarrowText(n.kind) || IsWideText(n.kind);
  // A pointer member is an address, whatever it points to.
  out.type = n.pointer ? std::string("IntPtr") : text ? std::string("string") : ValueType(n.kind, m.type);
  if (out.type.empty()) return false;
  std::string subType;
  if (!n.pointer && n.kind == "bool") subType = "UnmanagedType.Bool";
  if (!n.pointer && text) subType = TextMarshal(n.kind);
  if (m.array.empty()) {
    if (!subType.empty()) out.attribute = "[MarshalAs(" + subType + ")] ";
    return true;
  }
  out.attribute = "[MarshalAs(UnmanagedType.ByValArray, SizeConst = " + m.array;
  if (!subType.empty()) out.attribute += ", ArraySubType = " + subType;
  out.attribute += ")] ";
  out.type += "[]";
  return true;
}

std::string CSharp64CharSet(const FunctionRecord& f) {
  bool narrow = false, wide = false;
  auto note = [&](const std::string& text) {
    const NativeType n = ParseNativeType(text);
    narrow = narrow || IsNarrowText(n.kind);
    wide = wide || IsWideText(n.kind);
  };
  note(f.returnNativeType);
  for (const ParameterRecord& p : f.parameters) note(p.nativeType);
  if (wide && !narrow) return "CharSet.Unicode";
  if (narrow && !wide) return "CharSet.Ansi";
  return {};
}

std::string CSharp64Pack(const DataTypeRecord& d) {
  // Some headers pack a structure for 32-bit Windows only (commdlg.h), others only for 64-bit.
  const NativeType native = ParseNativeType(d.nativeType);
  if (native.kind != "pack") return d.pack;
  return native.spelling == "0" ? std::string() : native.spelling;
}

}  // namespace declarium
