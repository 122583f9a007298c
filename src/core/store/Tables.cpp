#include "store/Tables.h"

#include <iterator>
#include <optional>
#include <string>

#include "store/CatalogueStore.h"

namespace declarium {
namespace {

constexpr std::string_view kFunctionColumns[] = {
    "id",   "名称",   "返回值类型", "备注",     "库名",    "库对应命令",       "函数说明",
    "类别", "中文名", "其他说明",   "导入语言", "CharSet", "CallingConvention"};
constexpr std::string_view kParameterColumns[] = {"id",   "名称", "中文名", "数据类型", "数组",
                                                  "传址", "输出", "备注",   "所属函数"};
constexpr std::string_view kDataTypeColumns[] = {"id", "名称", "中文名", "备注", "导入语言", "CharSet", "Pack", "Size"};
constexpr std::string_view kMemberColumns[] = {"id",   "名称", "中文名", "数据类型",    "数组",
                                               "传址", "输出", "备注",   "所属数据类型"};
constexpr std::string_view kConstantColumns[] = {"id", "名称", "十六进制值", "十进制值", "备注", "类型"};
constexpr std::string_view kCategoryColumns[] = {"id", "名称"};

constexpr TableColumns kTables[] = {
    {"函数表", kFunctionColumns},       {"函数参数表", kParameterColumns}, {"数据类型表", kDataTypeColumns},
    {"数据类型成员表", kMemberColumns}, {"常量表", kConstantColumns},      {"类别表", kCategoryColumns},
};

}  // namespace

std::span<const TableColumns> CatalogueTables() { return kTables; }

std::span<const std::string_view> ColumnsOf(std::string_view table) {
  for (const TableColumns& t : kTables)
    if (t.table == table) return t.columns;
  return {};
}

namespace {

constexpr std::string_view kNativeTypeTables[] = {"函数表", "函数参数表", "数据类型表", "数据类型成员表"};
static_assert(std::size(kNativeTypeTables) == std::size(OwnColumns{}.nativeType));

// The declared type of table's column of that name; nullopt without one.
std::optional<std::string> DeclaredType(CatalogueStore& store, std::string_view table, std::string_view column) {
  Statement stmt = store.Prepare("select type from pragma_table_info(?1) where name=?2");
  if (!stmt || !store.BindText(stmt, 1, table) || !store.BindText(stmt, 2, column) || !store.NextRow(stmt))
    return std::nullopt;
  return store.ColumnText(stmt, 0);
}

ColumnOwner Owner(const std::optional<std::string>& declared, std::string_view ownType) {
  if (!declared) return ColumnOwner::None;
  return *declared == ownType ? ColumnOwner::Program : ColumnOwner::Other;
}

}  // namespace

std::span<const std::string_view> NativeTypeTables() { return kNativeTypeTables; }

ColumnOwner OwnColumns::NativeType(std::string_view table) const {
  for (std::size_t i = 0; i < std::size(kNativeTypeTables); ++i)
    if (kNativeTypeTables[i] == table) return nativeType[i];
  return ColumnOwner::None;
}

OwnColumns DetectOwnColumns(CatalogueStore& store) {
  OwnColumns found;
  const std::optional<std::string> number = DeclaredType(store, "常量表", "数值");
  found.constantNumber = Owner(number, kOwnNumberType);
  // Versions before the mark made it without a type, always with this index.
  if (number && number->empty() &&
      store.QueryInt("select count(1) from sqlite_master where type='index' and name='Index_数值' and "
                     "tbl_name='常量表'") > 0)
    found.constantNumber = ColumnOwner::Program;
  for (std::size_t i = 0; i < std::size(kNativeTypeTables); ++i)
    found.nativeType[i] = Owner(DeclaredType(store, kNativeTypeTables[i], "原生类型"), kOwnTextType);
  return found;
}

}  // namespace declarium
