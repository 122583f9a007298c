#include "import/StoreImported.h"

#include "store/CatalogueStore.h"
#include "store/SqlText.h"
#include "text/TextPrimitives.h"

namespace declarium {

namespace {

// Appends "'" + value + "'" with the value made safe for the literal.
void AppendQuoted(std::string& sql, std::string_view value) {
  sql += '\'';
  sql += SqlEscape(value);
  sql += '\'';
}

std::string FunctionInsert(const FunctionRecord& f) {
  std::string sql;
  sql.reserve(160 + f.name.size() + f.returnType.size() + f.remark.size() + f.library.size() +
              f.entryPoint.size() + f.charSet.size() + f.callingConvention.size());
  sql += "insert into 函数表 (名称,返回值类型,备注,库名,库对应命令,导入语言,CharSet,CallingConvention) values (";
  AppendQuoted(sql, f.name);
  sql += ',';
  AppendQuoted(sql, f.returnType);
  sql += ',';
  AppendQuoted(sql, f.remark);
  sql += ',';
  AppendQuoted(sql, f.library);
  sql += ',';
  AppendQuoted(sql, f.entryPoint);
  sql += ',';
  sql += DecimalText(f.syntax);
  sql += ',';
  AppendQuoted(sql, f.charSet);
  sql += ',';
  AppendQuoted(sql, f.callingConvention);
  sql += ')';
  return sql;
}

std::string ParameterInsert(const ParameterRecord& p, int functionId) {
  std::string sql;
  sql.reserve(120 + p.name.size() + p.type.size() + p.remark.size());
  sql += "insert into 函数参数表 (名称,数据类型,数组,传址,备注,所属函数) values (";
  AppendQuoted(sql, p.name);
  sql += ',';
  AppendQuoted(sql, p.type);
  // Only the reader's exact "1" marks an array parameter.
  sql += p.array == "1" ? ",1," : ",0,";
  sql += p.byRef ? "1," : "0,";
  AppendQuoted(sql, p.remark);
  sql += ',';
  sql += DecimalText(functionId);
  sql += ')';
  return sql;
}

std::string DataTypeInsert(const DataTypeRecord& d) {
  std::string sql;
  sql.reserve(120 + d.name.size() + d.remark.size() + d.charSet.size() + d.pack.size() +
              d.size.size());
  sql += "insert into 数据类型表 (名称,备注,导入语言,CharSet,Pack,Size) values (";
  AppendQuoted(sql, d.name);
  sql += ',';
  AppendQuoted(sql, d.remark);
  sql += ',';
  sql += DecimalText(d.syntax);
  sql += ',';
  AppendQuoted(sql, d.charSet);
  sql += ',';
  AppendQuoted(sql, d.pack);
  sql += ',';
  AppendQuoted(sql, d.size);
  sql += ')';
  return sql;
}

std::string MemberInsert(const ParameterRecord& m, int dataTypeId) {
  std::string sql;
  sql.reserve(140 + m.name.size() + m.type.size() + m.array.size() + m.remark.size());
  sql += "insert into 数据类型成员表 (名称,数据类型,数组,传址,备注,所属数据类型) values (";
  AppendQuoted(sql, m.name);
  sql += ',';
  AppendQuoted(sql, m.type);
  sql += ',';
  AppendQuoted(sql, m.array);
  sql += m.byRef ? ",1," : ",0,";
  AppendQuoted(sql, m.remark);
  sql += ',';
  sql += DecimalText(dataTypeId);
  sql += ')';
  return sql;
}

std::string ConstantInsert(const ConstantRecord& c) {
  std::string sql;
  sql.reserve(120 + c.name.size() + c.decimalValue.size() + c.hexValue.size() + c.remark.size() +
              c.type.size());
  sql += "insert into 常量表 (名称,十进制值,十六进制值,备注,类型) values (";
  AppendQuoted(sql, c.name);
  sql += ',';
  AppendQuoted(sql, c.decimalValue);
  sql += ',';
  AppendQuoted(sql, c.hexValue);
  sql += ',';
  AppendQuoted(sql, c.remark);
  sql += ',';
  AppendQuoted(sql, c.type);
  sql += ')';
  return sql;
}

// One storing run: the transaction is rolled back by every way out but Commit.
class ImportRun {
 public:
  ImportRun(CatalogueStore& store, std::string& message, const BetweenRecords& between)
      : store_(store), message_(message), between_(between) {}

  // False when the caller gave up; the message then holds the summary so far.
  bool NextRecord() {
    if (!between_ || between_()) return true;
    store_.Rollback();
    return false;
  }

  // Runs one insert; on failure the message becomes the database's text.
  bool Insert(const std::string& sql) {
    if (store_.Exec(sql)) return true;
    return Fail();
  }

  // The id of the row just inserted; 0 is a failure.
  bool NewId(int& id) {
    id = store_.LastInsertId();
    if (id != 0) return true;
    return Fail();
  }

  bool Fail() {
    message_ = store_.ErrorMessage();
    store_.Rollback();
    return false;
  }

 private:
  CatalogueStore& store_;
  std::string& message_;
  const BetweenRecords& between_;
};

}  // namespace

bool NameExists(CatalogueStore& store, std::string_view table, std::string_view name) {
  std::string sql;
  sql.reserve(48 + table.size() + name.size());
  sql += "select count(1) from ";
  sql += table;
  sql += " where 名称=";
  AppendQuoted(sql, name);
  return store.QueryInt(sql, 0) != 0;
}

bool StoreImported(CatalogueStore& store, const std::vector<FunctionRecord>& functions,
                   const std::vector<DataTypeRecord>& dataTypes,
                   const std::vector<ConstantRecord>& constants, std::string& message,
                   const BetweenRecords& betweenRecords) {
  ImportRun run(store, message, betweenRecords);
  store.Begin();
  message = "成功添加\r\n函数：";

  int count = 0;
  for (const FunctionRecord& f : functions) {
    if (!run.NextRecord()) return false;
    if (NameExists(store, "函数表", f.name)) continue;
    int id = 0;
    if (!run.Insert(FunctionInsert(f)) || !run.NewId(id)) return false;
    ++count;
    for (const ParameterRecord& p : f.parameters) {
      if (!run.NextRecord()) return false;
      if (!run.Insert(ParameterInsert(p, id))) return false;
    }
  }
  message += DecimalText(count);
  message += "个\r\n数据类型：";

  count = 0;
  for (const DataTypeRecord& d : dataTypes) {
    if (!run.NextRecord()) return false;
    if (NameExists(store, "数据类型表", d.name)) continue;
    int id = 0;
    if (!run.Insert(DataTypeInsert(d)) || !run.NewId(id)) return false;
    ++count;
    for (const ParameterRecord& m : d.members) {
      if (!run.NextRecord()) return false;
      if (!run.Insert(MemberInsert(m, id))) return false;
    }
  }
  message += DecimalText(count);
  message += "个\r\n常量：";

  count = 0;
  for (const ConstantRecord& c : constants) {
    if (!run.NextRecord()) return false;
    if (NameExists(store, "常量表", c.name)) continue;
    if (!run.Insert(ConstantInsert(c))) return false;
    ++count;
  }
  message += DecimalText(count);
  message += "个";

  // A commit that does not happen (the file locked by another reader, say)
  // must not be reported as stored.
  if (!store.Commit()) return run.Fail();
  return true;
}

}  // namespace declarium
