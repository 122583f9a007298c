#include "catalogue/CellEditing.h"

#include <algorithm>
#include <array>

#include "store/SqlText.h"

namespace declarium {

namespace {

struct TableColumns {
  std::string_view table;
  std::array<std::string_view, 12> columns;  // unused places are empty
};

const TableColumns kEditable[] = {
    {"函数表",
     {"名称", "返回值类型", "备注", "库名", "库对应命令", "函数说明", "类别", "中文名", "其他说明",
      "导入语言", "CharSet", "CallingConvention"}},
    {"函数参数表", {"名称", "中文名", "数据类型", "数组", "传址", "输出", "备注", "所属函数"}},
    {"数据类型表", {"名称", "中文名", "备注", "导入语言", "CharSet", "Pack", "Size"}},
    {"数据类型成员表", {"名称", "中文名", "数据类型", "数组", "传址", "输出", "备注", "所属数据类型"}},
};

bool IsIntegerText(std::string_view v) {
  if (!v.empty() && v.front() == '-') v.remove_prefix(1);
  return !v.empty() && v.size() <= 10 &&
         std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsEditableCell(std::string_view table, std::string_view field) {
  if (field.empty()) return false;
  for (const TableColumns& t : kEditable) {
    if (t.table != table) continue;
    return std::find(t.columns.begin(), t.columns.end(), field) != t.columns.end();
  }
  return false;
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

std::string EditPrompt(CatalogueStore& store, std::string_view table, int id,
                       std::string_view field) {
  std::string name;
  if (IsEditableCell(table, field)) {
    name = store.QueryText("select 名称 from " + std::string(table) + " where id=" +
                           std::to_string(id));
  }
  return name + " → " + std::string(field);
}

CellUpdate UpdateCell(CatalogueStore& store, std::string_view table, std::string_view field,
                      int id, std::string_view value, CellKind kind) {
  if (id == 0 || !IsEditableCell(table, field)) return CellUpdate::Refused;
  // An int value is spliced without quotes, so it must be a plain integer.
  if (kind == CellKind::Int && !IsIntegerText(value)) return CellUpdate::Refused;
  const std::string t(table);
  const std::string key = std::to_string(id);
  if (field == "名称" && table != "函数参数表" && table != "数据类型成员表") {
    const int others = store.QueryInt("select count(1) from " + t + " where 名称='" +
                                          SqlEscape(value) + "' and id != " + key,
                                      0);
    if (others != 0) return CellUpdate::DuplicateName;
  }
  const std::string assigned =
      kind == CellKind::Int ? std::string(value) : "'" + SqlEscape(value) + "'";
  const bool ok =
      store.Exec("update " + t + " set " + std::string(field) + "=" + assigned + " where id=" + key);
  return ok ? CellUpdate::Written : CellUpdate::Failed;
}

std::string DuplicateNameMessage() { return "此名称已经存在！"; }

}  // namespace declarium
