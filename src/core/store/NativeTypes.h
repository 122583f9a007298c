// The C type a value of the generated Windows API catalogue has, as the
// compiler saw it, kept beside the specified columns: 原生类型 in 函数表 (the
// return value), 函数参数表 and 数据类型成员表; in 数据类型表 it is
// "pack N", the Pack a 64-bit compiler gives the structure (0: none), where
// that differs from the stored Pack. A catalogue made by import, or
// by this program before, lacks the columns and reads as having no native
// types; an entry whose value has none is written by the syntax's own rules.
//
// The text is "<kind> <C spelling>", the kind one of
//   i1 u1 c1 i2 u2 i4 u4 i8 u8 f4 f8   numbers by size and sign (c1: char)
//   bool                               BOOL: a 4-byte int meant as true/false
//   iptr uptr                          pointer-sized integers (LPARAM, WPARAM)
//   ptr                                a handle or other address
//   astr wstr                          text the callee reads (LPCSTR, LPCWSTR)
//   abuf wbuf                          text the callee may write (LPSTR, LPWSTR)
//   rec                                a structure, named by 数据类型
//   blob                               a union's bytes in 64-bit code, as
//                                      "blob <unit>*<count>" ("blob 8*2")
// with "&" before it for a pointer to such a value ("&u4 LPDWORD").
#pragma once

#include <string>
#include <string_view>

namespace declarium {

class CatalogueStore;

struct NativeType {
  std::string kind;      // without the "&"; empty: none
  bool pointer = false;  // a pointer to a value of that kind
  std::string spelling;  // as the headers write it
};

NativeType ParseNativeType(std::string_view text);

// Text kinds: narrow (astr, abuf) or wide (wstr, wbuf), read or written by the callee.
inline bool IsNarrowText(std::string_view kind) { return kind == "astr" || kind == "abuf"; }
inline bool IsWideText(std::string_view kind) { return kind == "wstr" || kind == "wbuf"; }
inline bool IsText(std::string_view kind) { return IsNarrowText(kind) || IsWideText(kind); }

// The unit (bytes) and count of a "blob <unit>*<count>" as written; false
// for any other type.
inline bool BlobShape(const NativeType& type, std::string_view& unit, std::string_view& count) {
  if (type.kind != "blob") return false;
  const std::string_view spelling = type.spelling;
  const std::size_t times = spelling.find('*');
  if (times == std::string_view::npos) return false;
  unit = spelling.substr(0, times);
  count = spelling.substr(times + 1);
  return true;
}
std::string NativeTypeText(const NativeType& type);

// Whether the table has the column as the program declares it
// (kOwnTextType); one of that name another tool made does not count.
bool HasNativeTypeColumn(CatalogueStore& store, std::string_view table);
// "原生类型" for a table that has the column, "null" for one without, to select.
std::string NativeTypeSelect(CatalogueStore& store, std::string_view table);
// Adds the column to the four tables where missing (the generator does,
// before it stores); false when the database refuses.
bool AddNativeTypeColumns(CatalogueStore& store);

}  // namespace declarium
