// Compiled with the core's GBK execution charset: the table and column names
// below reach the store as the GBK text it takes.
#include "support/Entries.h"

#include <stdexcept>

#include "store/CatalogueStore.h"
#include "text/Gbk.h"

namespace declarium::test {

void RowValues::Set(std::string_view column, Value value) {
  for (auto& [name, v] : cells_) {
    if (name == column) {
      v = std::move(value);
      return;
    }
  }
  cells_.emplace_back(std::string(column), std::move(value));
}

namespace {
std::string Own(std::string_view v) { return std::string(v); }
}  // namespace

NewParam::NewParam(std::string_view name) { values_.Set("名称", Own(name)); }
NewParam::NewParam(std::string_view name, std::string_view type) : NewParam(name) {
  values_.Set("数据类型", Own(type));
}
NewParam& NewParam::ByRef(long long flag) { return values_.Set("传址", flag), *this; }
NewParam& NewParam::Array(std::string_view dimensions) { return values_.Set("数组", Own(dimensions)), *this; }
NewParam& NewParam::Output(long long flag) { return values_.Set("输出", flag), *this; }
NewParam& NewParam::Remark(std::string_view text) { return values_.Set("备注", Own(text)), *this; }
NewParam& NewParam::ChineseName(std::string_view text) { return values_.Set("中文名", Own(text)), *this; }

NewFunction::NewFunction(std::string_view name) { values_.Set("名称", Own(name)); }
NewFunction& NewFunction::Returns(std::string_view type) { return values_.Set("返回值类型", Own(type)), *this; }
NewFunction& NewFunction::Library(std::string_view library, std::string_view entryPoint) {
  values_.Set("库对应命令", Own(entryPoint));
  return Library(library);
}
NewFunction& NewFunction::Library(std::string_view library) { return values_.Set("库名", Own(library)), *this; }
NewFunction& NewFunction::Remark(std::string_view text) { return values_.Set("备注", Own(text)), *this; }
NewFunction& NewFunction::Description(std::string_view text) { return values_.Set("函数说明", Own(text)), *this; }
NewFunction& NewFunction::ChineseName(std::string_view text) { return values_.Set("中文名", Own(text)), *this; }
NewFunction& NewFunction::Notes(std::string_view text) { return values_.Set("其他说明", Own(text)), *this; }
NewFunction& NewFunction::Syntax(SyntaxKind syntax) { return values_.Set("导入语言", SyntaxNumber(syntax)), *this; }
NewFunction& NewFunction::CharSet(std::string_view text) { return values_.Set("CharSet", Own(text)), *this; }
NewFunction& NewFunction::CallingConvention(std::string_view text) {
  return values_.Set("CallingConvention", Own(text)), *this;
}
NewFunction& NewFunction::Category(long long id) { return values_.Set("类别", id), *this; }
NewFunction& NewFunction::Param(NewParam param) { return params_.push_back(std::move(param)), *this; }

NewDataType::NewDataType(std::string_view name) { values_.Set("名称", Own(name)); }
NewDataType& NewDataType::Remark(std::string_view text) { return values_.Set("备注", Own(text)), *this; }
NewDataType& NewDataType::ChineseName(std::string_view text) { return values_.Set("中文名", Own(text)), *this; }
NewDataType& NewDataType::Syntax(SyntaxKind syntax) { return values_.Set("导入语言", SyntaxNumber(syntax)), *this; }
NewDataType& NewDataType::CharSet(std::string_view text) { return values_.Set("CharSet", Own(text)), *this; }
NewDataType& NewDataType::Pack(std::string_view text) { return values_.Set("Pack", Own(text)), *this; }
NewDataType& NewDataType::Size(std::string_view text) { return values_.Set("Size", Own(text)), *this; }
NewDataType& NewDataType::Member(NewParam member) { return members_.push_back(std::move(member)), *this; }

NewConstant::NewConstant(std::string_view name) { values_.Set("名称", Own(name)); }
NewConstant::NewConstant(std::string_view name, std::string_view decimalValue, std::string_view hexValue)
    : NewConstant(name) {
  values_.Set("十进制值", Own(decimalValue));
  values_.Set("十六进制值", Own(hexValue));
}
NewConstant& NewConstant::Decimal(std::string_view text) { return values_.Set("十进制值", Own(text)), *this; }
NewConstant& NewConstant::Remark(std::string_view text) { return values_.Set("备注", Own(text)), *this; }
NewConstant& NewConstant::Type(std::string_view text) { return values_.Set("类型", Own(text)), *this; }

int Entries::Function(const NewFunction& function) {
  const int id = Insert("函数表", function.values());
  for (const NewParam& p : function.params()) Parameter(id, p);
  return id;
}

int Entries::DataType(const NewDataType& dataType) {
  const int id = Insert("数据类型表", dataType.values());
  for (const NewParam& m : dataType.members()) Member(id, m);
  return id;
}

int Entries::Constant(const NewConstant& constant) { return Insert("常量表", constant.values()); }

int Entries::Category(std::string_view name) {
  RowValues values;
  values.Set("名称", Own(name));
  return Insert("类别表", values);
}

void Entries::Functions(std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) Function(name);
}

void Entries::Constants(std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) Constant(name);
}

int Entries::Parameter(int function, const NewParam& param) {
  return Insert("函数参数表", param.values(), "所属函数", function);
}

int Entries::Member(int dataType, const NewParam& member) {
  return Insert("数据类型成员表", member.values(), "所属数据类型", dataType);
}

int Entries::Insert(std::string_view table, const RowValues& values, std::string_view owner, int ownerId) {
  std::string columns;
  std::string marks;
  for (const auto& cell : values.cells()) {
    columns += (columns.empty() ? "" : ",") + cell.first;
    marks += marks.empty() ? "?" : ",?";
  }
  if (!owner.empty()) {
    columns += "," + std::string(owner);
    marks += ",?";
  }
  const std::string sql = "insert into " + std::string(table) + " (" + columns + ") values (" + marks + ")";
  Statement stmt = store_.Prepare(sql);
  bool ok = static_cast<bool>(stmt);
  int index = 1;
  for (const auto& cell : values.cells()) {
    if (const auto* text = std::get_if<std::string>(&cell.second)) {
      ok = ok && store_.BindText(stmt, index, text_ == Text::Utf8 ? Utf8ToGbk(*text) : *text);
    } else {
      ok = ok && store_.BindInt(stmt, index, std::get<long long>(cell.second));
    }
    ++index;
  }
  if (!owner.empty()) ok = ok && store_.BindInt(stmt, index, ownerId);
  ok = ok && store_.Step(stmt) == kStepDone && store_.Finalize(stmt);
  if (!ok) throw std::runtime_error(sql + ": " + std::string(store_.ErrorMessage()));
  return store_.LastInsertId();
}

}  // namespace declarium::test
