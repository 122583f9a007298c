#include "store/NativeTypes.h"

#include "store/CatalogueStore.h"
#include "store/Tables.h"

namespace declarium {

namespace {
constexpr std::string_view kNativeTypeColumn = "原生类型";
}  // namespace

NativeType ParseNativeType(std::string_view text) {
  NativeType t;
  const std::size_t space = text.find(' ');
  std::string_view kind = text.substr(0, space);
  if (!kind.empty() && kind.front() == '&') {
    t.pointer = true;
    kind.remove_prefix(1);
  }
  t.kind = std::string(kind);
  if (space != std::string_view::npos) t.spelling = std::string(text.substr(space + 1));
  return t;
}

std::string NativeTypeText(const NativeType& type) {
  if (type.kind.empty()) return {};
  std::string out = type.pointer ? "&" + type.kind : type.kind;
  if (!type.spelling.empty()) out += " " + type.spelling;
  return out;
}

bool HasNativeTypeColumn(CatalogueStore& store, std::string_view table) {
  return store.Columns().NativeType(table) == ColumnOwner::Program;
}

std::string NativeTypeSelect(CatalogueStore& store, std::string_view table) {
  return HasNativeTypeColumn(store, table) ? std::string(kNativeTypeColumn) : "null";
}

bool AddNativeTypeColumns(CatalogueStore& store) {
  // Another connection may have added them since the last look.
  store.ColumnsChanged();
  const OwnColumns columns = store.Columns();
  bool ok = true;
  for (std::string_view table : NativeTypeTables()) {
    // A column of that name another tool made is left alone, and unread.
    if (columns.NativeType(table) != ColumnOwner::None) continue;
    ok = store.Exec("alter table " + std::string(table) + " add column " + std::string(kNativeTypeColumn) + " " +
                    std::string(kOwnTextType));
    if (!ok) break;
  }
  store.ColumnsChanged();
  return ok;
}

}  // namespace declarium
