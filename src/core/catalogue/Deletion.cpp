#include "catalogue/Deletion.h"

#include "store/ConstantNumbers.h"
#include "store/SqlText.h"

namespace declarium {

namespace {

// Owned rows first, then the owner; all or nothing.
bool DeleteOwnerAndRows(CatalogueStore& store, const std::string& ownedRows,
                        const std::string& owner) {
  if (!store.Begin()) return false;
  if (!store.Exec(ownedRows) || !store.Exec(owner)) {
    store.Rollback();
    return false;
  }
  if (!store.Commit()) {
    store.Rollback();
    return false;
  }
  return true;
}

}  // namespace

bool DeleteFunction(CatalogueStore& store, int id) {
  if (id == 0) return false;
  const std::string key = std::to_string(id);
  return DeleteOwnerAndRows(store, "delete from 函数参数表 where 所属函数=" + key,
                            "delete from 函数表 where id=" + key);
}

bool DeleteDataType(CatalogueStore& store, int id) {
  if (id == 0) return false;
  const std::string key = std::to_string(id);
  return DeleteOwnerAndRows(store, "delete from 数据类型成员表 where 所属数据类型=" + key,
                            "delete from 数据类型表 where id=" + key);
}

bool DeleteConstant(CatalogueStore& store, int id) {
  if (id == 0) return false;
  return store.Exec("delete from 常量表 where id=" + std::to_string(id));
}

std::string DeleteFunctionQuestion(std::string_view name) {
  return "您真的要删除“" + std::string(name) + "”API函数吗？";
}

std::string DeleteDataTypeQuestion(std::string_view name) {
  return "您真的要删除“" + std::string(name) + "”数据类型吗？";
}

std::string DeleteConstantQuestion(std::string_view name) {
  return "您真的要删除“" + std::string(name) + "”常量吗？";
}

int RowAfterDeletion(int deletedIndex, int remaining) {
  if (remaining <= 0) return -1;
  const int row = deletedIndex <= 0 ? 0 : deletedIndex - 1;
  return row < remaining ? row : remaining - 1;
}

bool SaveConstant(CatalogueStore& store, int id, std::string_view name, std::string_view hex,
                  std::string_view decimal, std::string_view remark) {
  return store.Exec("update 常量表 set 名称='" + SqlEscape(name) + "',十六进制值='" +
                    SqlEscape(hex) + "',十进制值='" + SqlEscape(decimal) + "',备注='" +
                    SqlEscape(remark) + "'" + ConstantValueAssignment(store, decimal, hex) +
                    " where id=" + std::to_string(id));
}

}  // namespace declarium
