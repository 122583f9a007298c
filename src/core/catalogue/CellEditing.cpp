#include "catalogue/CellEditing.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "store/NativeTypes.h"
#include "store/Tables.h"

namespace declarium {

namespace {

// The four entry tables; their columns but id may be edited.
constexpr std::string_view kEntryTables[] = {"函数表", "函数参数表", "数据类型表", "数据类型成员表"};

bool IsIntegerText(std::string_view v) {
  if (!v.empty() && v.front() == '-') v.remove_prefix(1);
  return !v.empty() && v.size() <= 10 && std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsEditableCell(std::string_view table, std::string_view field) {
  if (field.empty() || field == "id") return false;
  if (std::find(std::begin(kEntryTables), std::end(kEntryTables), table) == std::end(kEntryTables)) return false;
  const std::span<const std::string_view> columns = ColumnsOf(table);
  return std::find(columns.begin(), columns.end(), field) != columns.end();
}

bool IsYesNoCell(std::string_view table, std::string_view field) {
  return (table == "函数参数表" && (field == "数组" || field == "传址")) ||
         (table == "数据类型成员表" && field == "传址");
}

bool IsTypeNameCell(std::string_view table, std::string_view field) {
  return (table == "函数参数表" || table == "数据类型成员表") && field == "数据类型";
}

YesNoToggle ToggleYesNo(std::string_view currentText) {
  if (currentText.empty()) return {"√", "1"};
  return {"", "0"};
}

std::string EditPrompt(CatalogueStore& store, std::string_view table, int id, std::string_view field) {
  std::string name;
  if (IsEditableCell(table, field)) {
    name = store.QueryTextWith("select 名称 from " + std::string(table) + " where id=?", {id});
  }
  return name + " → " + std::string(field);
}

CellUpdate UpdateCell(CatalogueStore& store, std::string_view table, std::string_view field, int id,
                      std::string_view value, CellKind kind) {
  if (id == 0 || !IsEditableCell(table, field)) return CellUpdate::Refused;
  // An int cell takes a plain integer only.
  if (kind == CellKind::Int && !IsIntegerText(value)) return CellUpdate::Refused;
  // Table and field are the whitelisted names above; the value is bound.
  const std::string t(table);
  if (field == "名称" && table != "函数参数表" && table != "数据类型成员表") {
    int others = 0;
    if (!store.TryQueryIntWith("select count(1) from " + t + " where 名称=?1 and id != ?2", {value, id}, others)) {
      return CellUpdate::Failed;
    }
    if (others != 0) return CellUpdate::DuplicateName;
  }
  std::string assigned = std::string(field) + "=?1";
  // A value whose type is edited no longer has the C type the generator saw.
  // (A data type's native type is its 64-bit Pack, which an edited Pack replaces.)
  const bool typeCell = field == "数据类型" || field == "传址" || field == "数组" || field == "返回值类型" ||
                        (table == "数据类型表" && field == "Pack");
  if (typeCell) {
    // Looked for afresh: a column another program added since the open must
    // not keep a C type the edit made wrong.
    store.ColumnsChanged();
    if (HasNativeTypeColumn(store, table)) assigned += ",原生类型=null";
  }
  const std::string sql = "update " + t + " set " + assigned + " where id=?2";
  const bool ok = kind == CellKind::Int ? store.RunWith(sql, {std::stoll(std::string(value)), id})
                                        : store.RunWith(sql, {value, id});
  return ok ? CellUpdate::Written : CellUpdate::Failed;
}

std::string DuplicateNameMessage() { return "此名称已经存在！"; }

}  // namespace declarium
