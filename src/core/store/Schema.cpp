#include "store/Schema.h"

#include <set>

#include "store/CatalogueStore.h"
#include "store/Tables.h"
#include "store/Transaction.h"

namespace declarium {

const std::string& SchemaScript() {
  static const std::string script =
      "CREATE TABLE 函数表 (id integer Primary Key AutoIncrement,名称 varchar(255),返回值类型 "
      "varchar(100),备注 text,库名 varchar(50),库对应命令 varchar(100),函数说明 text,类别 "
      "integer(4) Default 0,中文名 varchar(255),其他说明 text,导入语言 integer(4),CharSet "
      "varchar(50),CallingConvention varchar(50));\r\n"
      "CREATE TABLE 函数参数表 (id integer Primary Key AutoIncrement,名称 varchar(100),中文名 "
      "varchar(200),数据类型 varchar(100),数组 integer(1) Default 0,传址 integer(1) Default "
      "0,输出 integer(1) Default 0,备注 text,所属函数 integer(4));\r\n"
      "CREATE TABLE 数据类型表 (id integer Primary Key AutoIncrement,名称 varchar(100),中文名 "
      "varchar(200),备注 text,导入语言 integer(4) Default 0,CharSet varchar(50),Pack "
      "varchar(50),Size varchar(50));\r\n"
      "CREATE TABLE 数据类型成员表 (id integer Primary Key AutoIncrement,名称 "
      "varchar(50),中文名 varchar(100),数据类型 varchar(100),数组 varchar(50),传址 integer(1) "
      "Default 0,输出 integer(1) Default 0,备注 text,所属数据类型 integer(4));\r\n"
      "CREATE TABLE 常量表 (id integer Primary Key AutoIncrement,名称 varchar(100),十六进制值 "
      "varchar(100),十进制值 varchar(100),备注 text,类型 varchar(50));\r\n"
      "CREATE TABLE 类别表 (id integer Primary Key AutoIncrement,名称 varchar(100));\r\n"
      "CREATE INDEX Index_名称 on 常量表(名称 ASC);\r\n"
      "CREATE INDEX Index_函数名 on 函数表(名称 ASC);\r\n"
      "CREATE INDEX Index_数据类型名 on 数据类型表(名称 ASC);";
  return script;
}

bool CreateSchema(CatalogueStore& store, std::string& error) {
  Transaction creation(store);
  if (!creation) {
    error = creation.Error();
    return false;
  }
  if (!store.Exec(SchemaScript(), error)) return false;
  if (creation.Commit()) return true;
  error = creation.Error();
  return false;
}

bool AddOwnerIndexes(CatalogueStore& store) {
  return store.Exec(
      "create index if not exists Index_所属函数 on 函数参数表(所属函数);"
      "create index if not exists Index_所属数据类型 on 数据类型成员表(所属数据类型)");
}

bool HoldsCatalogue(CatalogueStore& store, std::string& problem, bool& missing) {
  problem.clear();
  missing = false;
  std::set<std::string> names;
  Statement stmt = store.Prepare("select name from sqlite_master where type in ('table','view')");
  if (stmt) {
    while (store.NextRow(stmt)) names.insert(store.ColumnText(stmt, 0));
  }
  if (!stmt || !store.Finalize(stmt)) {
    problem = store.ErrorMessage();
    return false;
  }
  for (const TableColumns& t : CatalogueTables()) {
    if (names.count(std::string(t.table)) != 0) continue;
    if (!problem.empty()) problem += "、";
    problem += t.table;
  }
  missing = !problem.empty();
  return !missing;
}

}  // namespace declarium
