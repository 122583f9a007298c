#include "store/Loaders.h"

#include "store/CatalogueStore.h"
#include "store/NativeTypes.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

ParameterRecord ReadChild(CatalogueStore& store, Statement& stmt) {
  ParameterRecord p;
  p.id = store.ColumnInt(stmt, 0);
  p.name = store.ColumnText(stmt, 1);
  p.chineseName = store.ColumnText(stmt, 2);
  p.type = store.ColumnText(stmt, 3);
  p.array = store.ColumnText(stmt, 4);
  p.byRef = store.ColumnInt(stmt, 5) == 1;
  p.output = store.ColumnInt(stmt, 6) == 1;
  p.remark = store.ColumnText(stmt, 7);
  p.nativeType = store.ColumnText(stmt, 8);
  return p;
}

// Parameters and members share one shape and one column list.
bool LoadRows(CatalogueStore& store, const std::string& sql, int ownerId, std::vector<ParameterRecord>& rows) {
  Statement stmt = store.PrepareWith(sql, {ownerId});
  if (!stmt) return false;
  int step;
  while ((step = store.Step(stmt)) == kStepRow) rows.push_back(ReadChild(store, stmt));
  // Rows cut short by an error are no complete list.
  return step == kStepDone;
}

bool LoadChildrenOf(CatalogueStore& store, const std::string& sql, ChildRows& rows) {
  rows.clear();
  Statement stmt = store.Prepare(sql);
  if (!stmt) return false;
  int step;
  while ((step = store.Step(stmt)) == kStepRow) {
    int owner = store.ColumnInt(stmt, 9);
    rows[owner].push_back(ReadChild(store, stmt));
  }
  return step == kStepDone;
}

// The columns ReadChild reads, from a parameter or member table.
std::string ChildColumns(CatalogueStore& store, std::string_view table) {
  return "id,名称,中文名,数据类型,数组,传址,输出,备注," + NativeTypeSelect(store, table);
}

}  // namespace

std::string FunctionColumns(CatalogueStore& store) {
  return "id,名称,返回值类型,备注,库名,库对应命令,函数说明,中文名,其他说明,CharSet,CallingConvention,导入语言," +
         NativeTypeSelect(store, "函数表");
}

void ReadFunctionRow(CatalogueStore& store, Statement& stmt, FunctionRecord& f) {
  f.id = store.ColumnInt(stmt, 0);
  f.name = store.ColumnText(stmt, 1);
  f.returnType = store.ColumnText(stmt, 2);
  f.remark = store.ColumnText(stmt, 3);
  f.library = store.ColumnText(stmt, 4);
  f.entryPoint = store.ColumnText(stmt, 5);
  f.description = store.ColumnText(stmt, 6);
  f.chineseName = store.ColumnText(stmt, 7);
  f.notes = store.ColumnText(stmt, 8);
  f.charSet = store.ColumnText(stmt, 9);
  f.callingConvention = store.ColumnText(stmt, 10);
  f.syntax = SyntaxOfNumber(store.ColumnInt(stmt, 11));
  f.returnNativeType = store.ColumnText(stmt, 12);
}

bool LoadFunctionRow(CatalogueStore& store, int id, FunctionRecord& f) {
  if (id == 0) return false;
  f.parameters.clear();
  Statement stmt = store.PrepareWith("select " + FunctionColumns(store) + " from 函数表 where id=?", {id});
  if (!stmt || !store.StepOnce(stmt)) return false;
  ReadFunctionRow(store, stmt, f);
  return store.Finalize(stmt);
}

bool LoadFunction(CatalogueStore& store, int id, FunctionRecord& f) {
  if (!LoadFunctionRow(store, id, f)) return false;
  return LoadRows(store,
                  "select " + ChildColumns(store, "函数参数表") + " from 函数参数表 where 所属函数=? order by id asc",
                  f.id, f.parameters);
}

std::string DataTypeColumns(CatalogueStore& store) {
  return "id,名称,中文名,备注,CharSet,Pack,Size,导入语言," + NativeTypeSelect(store, "数据类型表");
}

void ReadDataTypeRow(CatalogueStore& store, Statement& stmt, DataTypeRecord& d) {
  d.id = store.ColumnInt(stmt, 0);
  d.name = store.ColumnText(stmt, 1);
  d.chineseName = store.ColumnText(stmt, 2);
  d.remark = store.ColumnText(stmt, 3);
  d.charSet = store.ColumnText(stmt, 4);
  d.pack = store.ColumnText(stmt, 5);
  d.size = store.ColumnText(stmt, 6);
  d.syntax = SyntaxOfNumber(store.ColumnInt(stmt, 7));
  d.nativeType = store.ColumnText(stmt, 8);
}

bool LoadDataTypeRow(CatalogueStore& store, int id, DataTypeRecord& d) {
  if (id == 0) return false;
  d.members.clear();
  Statement stmt = store.PrepareWith("select " + DataTypeColumns(store) + " from 数据类型表 where id=?", {id});
  if (!stmt || !store.StepOnce(stmt)) return false;
  ReadDataTypeRow(store, stmt, d);
  return store.Finalize(stmt);
}

bool FindDataTypeByName(CatalogueStore& store, std::string_view name, int& id) {
  id = 0;
  for (const char* sql : {"select id from 数据类型表 where 名称=? order by id limit 1",
                          "select id from 数据类型表 where 名称=? collate nocase order by id limit 1"}) {
    Statement stmt = store.Prepare(sql);
    if (!stmt || !store.BindText(stmt, 1, name) || !store.StepOnce(stmt)) return false;
    id = store.ColumnInt(stmt, 0);
    if (!store.Finalize(stmt)) return false;
    if (id != 0) return true;
  }
  return true;
}

bool LoadDataType(CatalogueStore& store, int id, DataTypeRecord& d) {
  if (!LoadDataTypeRow(store, id, d)) return false;
  return LoadRows(
      store,
      "select " + ChildColumns(store, "数据类型成员表") + " from 数据类型成员表 where 所属数据类型=? order by id asc",
      d.id, d.members);
}

bool LoadParametersOf(CatalogueStore& store, std::string_view ownerIds, ChildRows& rows) {
  return LoadChildrenOf(store,
                        "select " + ChildColumns(store, "函数参数表") +
                            ",所属函数 from 函数参数表 where 所属函数 in (" + std::string(ownerIds) +
                            ") order by id asc",
                        rows);
}

bool LoadMembersOf(CatalogueStore& store, std::string_view ownerIds, ChildRows& rows) {
  return LoadChildrenOf(store,
                        "select " + ChildColumns(store, "数据类型成员表") +
                            ",所属数据类型 from 数据类型成员表 where 所属数据类型 in (" + std::string(ownerIds) +
                            ") order by id asc",
                        rows);
}

const std::string& ConstantColumns() {
  static const std::string columns = "名称,十进制值,十六进制值,备注,类型";
  return columns;
}

void ReadConstantRow(CatalogueStore& store, Statement& stmt, ConstantRecord& c) {
  c.name = store.ColumnText(stmt, 0);
  c.decimalValue = store.ColumnText(stmt, 1);
  c.hexValue = store.ColumnText(stmt, 2);
  c.remark = store.ColumnText(stmt, 3);
  c.type = store.ColumnText(stmt, 4);
}

bool LoadConstant(CatalogueStore& store, int id, ConstantRecord& c) {
  if (id == 0) return false;
  Statement stmt = store.PrepareWith("select " + ConstantColumns() + " from 常量表 where id=?", {id});
  if (!stmt || !store.StepOnce(stmt)) return false;
  ReadConstantRow(store, stmt, c);
  return store.Finalize(stmt);
}

}  // namespace declarium
