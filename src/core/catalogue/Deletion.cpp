#include "catalogue/Deletion.h"

#include "store/ConstantNumbers.h"
#include "store/Transaction.h"

namespace declarium {

namespace {

// "delete from <table> where <column>=?" for the row or rows of id.
bool DeleteRows(CatalogueStore& store, std::string_view sql, int id) {
  Statement stmt = store.Prepare(sql);
  return stmt && store.BindInt(stmt, 1, id) && store.Step(stmt) == kStepDone;
}

// Owned rows first, then the owner; all or nothing.
bool DeleteOwnerAndRows(CatalogueStore& store, std::string_view ownedRows, std::string_view owner, int id) {
  Transaction deletion(store);
  return deletion && DeleteRows(store, ownedRows, id) && DeleteRows(store, owner, id) && deletion.Commit();
}

}  // namespace

bool DeleteFunction(CatalogueStore& store, int id) {
  if (id == 0) return false;
  return DeleteOwnerAndRows(store, "delete from 函数参数表 where 所属函数=?", "delete from 函数表 where id=?", id);
}

bool DeleteDataType(CatalogueStore& store, int id) {
  if (id == 0) return false;
  return DeleteOwnerAndRows(store, "delete from 数据类型成员表 where 所属数据类型=?",
                            "delete from 数据类型表 where id=?", id);
}

bool DeleteConstant(CatalogueStore& store, int id) {
  if (id == 0) return false;
  return DeleteRows(store, "delete from 常量表 where id=?", id);
}

bool SaveConstant(CatalogueStore& store, int id, std::string_view name, std::string_view hex, std::string_view decimal,
                  std::string_view remark) {
  Statement stmt = store.Prepare("update 常量表 set 名称=?1,十六进制值=?2,十进制值=?3,备注=?4" +
                                 ConstantValueAssignment(store, "?3", "?2") + " where id=?5");
  return stmt && store.BindText(stmt, 1, name) && store.BindText(stmt, 2, hex) && store.BindText(stmt, 3, decimal) &&
         store.BindText(stmt, 4, remark) && store.BindInt(stmt, 5, id) && store.Step(stmt) == kStepDone;
}

}  // namespace declarium
