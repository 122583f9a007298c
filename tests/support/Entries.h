// Entries for a test catalogue: functions with their parameters, data types
// with their members, constants and categories, each given with the columns
// a test cares about and added with bound values. A column a test does not
// name keeps the schema's default (NULL or 0), as a hand-written insert
// would leave it.
//
//   const int f = cat.add().Function(NewFunction("MessageBoxA").Returns("整数型").Library("user32.dll")
//                                        .Param(NewParam("hWnd", "整数型").Remark("父窗口")));
//
// Texts are GBK, as the core takes them; a test whose literals are UTF-8
// (the command line's, the windows') says so when it makes its Entries.
// A row the program itself could never write (a damaged or foreign one) is
// left to raw SQL in the test that needs it.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "store/Records.h"

namespace declarium {
class CatalogueStore;
}

namespace declarium::test {

// The columns of one row, in the order they were given.
class RowValues {
 public:
  using Value = std::variant<std::string, long long>;
  void Set(std::string_view column, Value value);
  const std::vector<std::pair<std::string, Value>>& cells() const { return cells_; }

 private:
  std::vector<std::pair<std::string, Value>> cells_;
};

// A row of 函数参数表 or of 数据类型成员表.
class NewParam {
 public:
  NewParam(std::string_view name);                                  // NOLINT: a bare name reads as the row
  NewParam(const char* name) : NewParam(std::string_view(name)) {}  // NOLINT
  NewParam(std::string_view name, std::string_view type);
  NewParam& ByRef(long long flag = 1);                 // 传址
  NewParam& Array(std::string_view dimensions = "1");  // 数组
  NewParam& Output(long long flag = 1);                // 输出
  NewParam& Remark(std::string_view text);             // 备注
  NewParam& ChineseName(std::string_view text);        // 中文名
  const RowValues& values() const { return values_; }

 private:
  RowValues values_;
};

class NewFunction {
 public:
  NewFunction(std::string_view name);                                           // NOLINT: a bare name reads as the row
  NewFunction(const char* name) : NewFunction(std::string_view(name)) {}        // NOLINT
  NewFunction& Returns(std::string_view type);                                  // 返回值类型
  NewFunction& Library(std::string_view library, std::string_view entryPoint);  // 库名, 库对应命令
  NewFunction& Library(std::string_view library);
  NewFunction& Remark(std::string_view text);       // 备注
  NewFunction& Description(std::string_view text);  // 函数说明
  NewFunction& ChineseName(std::string_view text);  // 中文名
  NewFunction& Notes(std::string_view text);        // 其他说明
  NewFunction& Syntax(SyntaxKind syntax);           // 导入语言
  NewFunction& CharSet(std::string_view text);
  NewFunction& CallingConvention(std::string_view text);
  NewFunction& Category(long long id);  // 类别
  NewFunction& Param(NewParam param);
  NewFunction& Param(std::string_view name, std::string_view type) { return Param(NewParam(name, type)); }
  const RowValues& values() const { return values_; }
  const std::vector<NewParam>& params() const { return params_; }

 private:
  RowValues values_;
  std::vector<NewParam> params_;
};

class NewDataType {
 public:
  NewDataType(std::string_view name);                                     // NOLINT: a bare name reads as the row
  NewDataType(const char* name) : NewDataType(std::string_view(name)) {}  // NOLINT
  NewDataType& Remark(std::string_view text);                             // 备注
  NewDataType& ChineseName(std::string_view text);                        // 中文名
  NewDataType& Syntax(SyntaxKind syntax);                                 // 导入语言
  NewDataType& CharSet(std::string_view text);
  NewDataType& Pack(std::string_view text);
  NewDataType& Size(std::string_view text);
  NewDataType& Member(NewParam member);
  NewDataType& Member(std::string_view name, std::string_view type) { return Member(NewParam(name, type)); }
  const RowValues& values() const { return values_; }
  const std::vector<NewParam>& members() const { return members_; }

 private:
  RowValues values_;
  std::vector<NewParam> members_;
};

class NewConstant {
 public:
  NewConstant(std::string_view name);                                     // NOLINT: a bare name reads as the row
  NewConstant(const char* name) : NewConstant(std::string_view(name)) {}  // NOLINT
  // 十进制值 and 十六进制值, the two texts a constant is shown with.
  NewConstant(std::string_view name, std::string_view decimalValue, std::string_view hexValue);
  NewConstant& Decimal(std::string_view text);  // 十进制值
  NewConstant& Remark(std::string_view text);   // 备注
  NewConstant& Type(std::string_view text);     // 类型
  const RowValues& values() const { return values_; }

 private:
  RowValues values_;
};

class Entries {
 public:
  enum class Text { Gbk, Utf8 };
  explicit Entries(CatalogueStore& store, Text text = Text::Gbk) : store_(store), text_(text) {}

  // Each adds its row (and its parameters or members) and returns the new id;
  // a failure throws, naming the table and the database's message.
  int Function(const NewFunction& function);
  int DataType(const NewDataType& dataType);
  int Constant(const NewConstant& constant);
  int Category(std::string_view name);
  // Rows holding only a name, in the order given.
  void Functions(std::initializer_list<std::string_view> names);
  void Constants(std::initializer_list<std::string_view> names);
  // A parameter of a function, a member of a data type already stored.
  int Parameter(int function, const NewParam& param);
  int Member(int dataType, const NewParam& member);

 private:
  int Insert(std::string_view table, const RowValues& values, std::string_view owner = {}, int ownerId = 0);
  CatalogueStore& store_;
  Text text_;
};

}  // namespace declarium::test
