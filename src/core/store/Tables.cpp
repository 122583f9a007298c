#include "store/Tables.h"

#include "store/CatalogueStore.h"
#include "store/SqlText.h"

namespace declarium {
namespace {

constexpr std::string_view kFunctionColumns[] = {"id",     "名称",     "返回值类型", "备注",     "库名",
                                                 "库对应命令", "函数说明", "类别",       "中文名",   "其他说明",
                                                 "导入语言", "CharSet",  "CallingConvention"};
constexpr std::string_view kParameterColumns[] = {"id", "名称", "中文名", "数据类型", "数组",
                                                  "传址", "输出", "备注",   "所属函数"};
constexpr std::string_view kDataTypeColumns[] = {"id", "名称", "中文名", "备注", "导入语言", "CharSet", "Pack", "Size"};
constexpr std::string_view kMemberColumns[] = {"id", "名称", "中文名", "数据类型", "数组",
                                               "传址", "输出", "备注",   "所属数据类型"};
constexpr std::string_view kConstantColumns[] = {"id", "名称", "十六进制值", "十进制值", "备注", "类型"};
constexpr std::string_view kCategoryColumns[] = {"id", "名称"};

constexpr TableColumns kTables[] = {
    {"函数表", kFunctionColumns},         {"函数参数表", kParameterColumns}, {"数据类型表", kDataTypeColumns},
    {"数据类型成员表", kMemberColumns}, {"常量表", kConstantColumns},     {"类别表", kCategoryColumns},
};

}  // namespace

std::span<const TableColumns> CatalogueTables() { return kTables; }

std::span<const std::string_view> ColumnsOf(std::string_view table) {
  for (const TableColumns& t : kTables)
    if (t.table == table) return t.columns;
  return {};
}

bool HasOwnColumn(CatalogueStore& store, std::string_view table, std::string_view column, std::string_view type) {
  int count = 0;
  return store.TryQueryInt("select count(1) from pragma_table_info(" + SqlLiteral(table) + ") where name=" +
                               SqlLiteral(column) + " and type=" + SqlLiteral(type),
                           count) &&
         count > 0;
}

}  // namespace declarium
