#include "store/Loaders.h"

#include <gtest/gtest.h>

#include "catalogue/CellEditing.h"
#include "import/StoreImported.h"
#include "store/NativeTypes.h"
#include "support/Catalogue.h"

namespace declarium {
namespace {

using test::NewConstant;
using test::NewDataType;
using test::NewFunction;
using test::NewParam;

class LoadersTest : public ::testing::Test {
 protected:
  test::TestCatalogue cat;
  test::Entries& add = cat.add();
};

TEST_F(LoadersTest, FunctionWithParametersInIdOrder) {
  const int f = add.Function(NewFunction("MessageBoxA")
                                 .Returns("整数型")
                                 .Remark("r")
                                 .Library("user32.dll", "MessageBoxA")
                                 .Description("d")
                                 .ChineseName("信息框")
                                 .Notes("n")
                                 .CharSet("CharSet.Ansi")
                                 .CallingConvention("CallingConvention.StdCall")
                                 .Param(NewParam("zz", "整数型").Array().ByRef(2).Output().Remark("pr"))
                                 .Param(NewParam("aa", "文本型").Array("0").ByRef()));
  add.Parameter(999, NewParam("other"));

  FunctionRecord r;
  r.parameters.push_back({});  // the loader empties the list first
  ASSERT_TRUE(LoadFunction(cat.store(), f, r));
  EXPECT_EQ(r.id, f);
  EXPECT_EQ(r.name, "MessageBoxA");
  EXPECT_EQ(r.returnType, "整数型");
  EXPECT_EQ(r.remark, "r");
  EXPECT_EQ(r.library, "user32.dll");
  EXPECT_EQ(r.entryPoint, "MessageBoxA");
  EXPECT_EQ(r.description, "d");
  EXPECT_EQ(r.chineseName, "信息框");
  EXPECT_EQ(r.notes, "n");
  EXPECT_EQ(r.charSet, "CharSet.Ansi");
  EXPECT_EQ(r.callingConvention, "CallingConvention.StdCall");
  EXPECT_EQ(r.syntax, SyntaxKind::E);  // NULL
  ASSERT_EQ(r.parameters.size(), 2u);
  EXPECT_EQ(r.parameters[0].name, "zz");
  EXPECT_EQ(r.parameters[0].array, "1");
  EXPECT_FALSE(r.parameters[0].byRef);  // 2 is not set
  EXPECT_TRUE(r.parameters[0].output);
  EXPECT_EQ(r.parameters[0].remark, "pr");
  EXPECT_EQ(r.parameters[1].name, "aa");
  EXPECT_EQ(r.parameters[1].array, "0");
  EXPECT_TRUE(r.parameters[1].byRef);
}

TEST_F(LoadersTest, ImportLanguageIsLoaded) {
  const int f = add.Function(NewFunction("f").Syntax(SyntaxKind::Vb));
  const int t = add.DataType(NewDataType("t").Syntax(SyntaxKind::CSharp));
  FunctionRecord fr;
  DataTypeRecord tr;
  ASSERT_TRUE(LoadFunction(cat.store(), f, fr));
  ASSERT_TRUE(LoadDataType(cat.store(), t, tr));
  EXPECT_EQ(fr.syntax, SyntaxKind::Vb);
  EXPECT_EQ(tr.syntax, SyntaxKind::CSharp);
}

TEST_F(LoadersTest, DataTypeMembersKeepTheirDimensionText) {
  const int t = add.DataType(NewDataType("RECT")
                                 .ChineseName("矩形")
                                 .Remark("b")
                                 .CharSet("c")
                                 .Pack("4")
                                 .Size("16")
                                 .Member(NewParam("left", "整数型").Array("").ByRef(0))
                                 .Member(NewParam("buf", "字节型").Array("260").ByRef()));
  DataTypeRecord r;
  ASSERT_TRUE(LoadDataType(cat.store(), t, r));
  EXPECT_EQ(r.name, "RECT");
  EXPECT_EQ(r.chineseName, "矩形");
  EXPECT_EQ(r.pack, "4");
  EXPECT_EQ(r.size, "16");
  ASSERT_EQ(r.members.size(), 2u);
  EXPECT_EQ(r.members[0].array, "");
  EXPECT_EQ(r.members[1].array, "260");
  EXPECT_TRUE(r.members[1].byRef);
}

TEST_F(LoadersTest, ConstantFields) {
  const int c = add.Constant(NewConstant("MAX_PATH", "260", "0x104").Remark("m").Type("Long"));
  ConstantRecord r;
  ASSERT_TRUE(LoadConstant(cat.store(), c, r));
  EXPECT_EQ(r.name, "MAX_PATH");
  EXPECT_EQ(r.hexValue, "0x104");
  EXPECT_EQ(r.decimalValue, "260");
  EXPECT_EQ(r.remark, "m");
  EXPECT_EQ(r.type, "Long");
}

TEST_F(LoadersTest, IdZeroFailsWithoutTouchingTheDatabase) {
  cat.store().Close();  // any query would fail now
  FunctionRecord f;
  f.name = "kept";
  EXPECT_FALSE(LoadFunction(cat.store(), 0, f));
  EXPECT_EQ(f.name, "kept");
  DataTypeRecord d;
  ConstantRecord c;
  EXPECT_FALSE(LoadDataType(cat.store(), 0, d));
  EXPECT_FALSE(LoadConstant(cat.store(), 0, c));
  EXPECT_FALSE(LoadFunction(cat.store(), 5, f));  // cannot be prepared
}

TEST_F(LoadersTest, UnknownIdLoadsEmptyRecord) {
  FunctionRecord f;
  f.name = "old";
  ASSERT_TRUE(LoadFunction(cat.store(), 42, f));
  EXPECT_EQ(f.id, 0);
  EXPECT_EQ(f.name, "");
  EXPECT_TRUE(f.parameters.empty());
  ConstantRecord c;
  c.remark = "old";
  ASSERT_TRUE(LoadConstant(cat.store(), 42, c));
  EXPECT_EQ(c.remark, "");
}

TEST_F(LoadersTest, FunctionWithoutParameters) {
  const int f = add.Function(NewFunction("GetTickCount"));
  FunctionRecord r;
  ASSERT_TRUE(LoadFunction(cat.store(), f, r));
  EXPECT_TRUE(r.parameters.empty());
}

TEST_F(LoadersTest, ChildrenOfManyOwnersInOnePass) {
  const int a = add.Function(NewFunction("a"));
  const int b = add.Function(NewFunction("b"));
  const int t = add.DataType(NewDataType("t").Member(NewParam("m")));
  for (const auto& [name, owner] : {std::pair{"p1", a}, {"q1", b}, {"p2", a}}) add.Parameter(owner, NewParam(name));
  ChildRows params;
  ASSERT_TRUE(LoadParametersOf(cat.store(), "select id from 函数表 where 名称='a'", params));
  ASSERT_EQ(params.size(), 1u);
  ASSERT_EQ(params[a].size(), 2u);
  EXPECT_EQ(params[a][0].name, "p1");
  EXPECT_EQ(params[a][1].name, "p2");
  ChildRows members;
  ASSERT_TRUE(LoadMembersOf(cat.store(), "select id from 数据类型表", members));
  EXPECT_EQ(members[t].at(0).name, "m");
  EXPECT_FALSE(LoadParametersOf(cat.store(), "select id from 不存在", params));
  FunctionRecord f;
  f.parameters.push_back({});
  ASSERT_TRUE(LoadFunctionRow(cat.store(), a, f));
  EXPECT_EQ(f.name, "a");
  EXPECT_TRUE(f.parameters.empty());
}

// A read that stops on an error part way through the rows must not pass for
// the whole list: the caller would show or export a record with parameters
// missing. The view makes the second row fail when it is read.
TEST_F(LoadersTest, RowsCutShortByAnErrorAreNoList) {
  const int f = add.Function(NewFunction("f").Param(NewParam("good")).Param(NewParam("bad")));
  const std::string fs = std::to_string(f);
  cat.Run("alter table 函数参数表 rename to 参数原表");
  // abs() of the smallest integer is an error; length('bad') keeps it per row.
  cat.Run(
      "create view 函数参数表 as select id,名称,中文名,数据类型,数组,传址,输出,"
      "case when 名称='bad' then abs(length(名称)-9223372036854775807-4) else 备注 end as 备注,"
      "所属函数 from 参数原表");

  FunctionRecord r;
  EXPECT_FALSE(LoadFunction(cat.store(), f, r));
  ChildRows rows;
  EXPECT_FALSE(LoadParametersOf(cat.store(), fs, rows));
}

// Native types live in columns only the generator adds: a catalogue without
// them loads as before; with them, what was stored comes back, and editing
// a value's type forgets its C type.
TEST_F(LoadersTest, NativeTypesAreStoredLoadedAndForgottenOnEdit) {
  FunctionRecord f;
  f.name = "SendMessageA";
  f.returnType = "整数型";
  f.returnNativeType = "iptr LRESULT";
  f.parameters.push_back({});
  f.parameters[0].name = "wParam";
  f.parameters[0].type = "整数型";
  f.parameters[0].nativeType = "iptr WPARAM";
  DataTypeRecord d;
  d.name = "OPENFILENAMEA";
  d.nativeType = "pack 0";
  d.members.push_back({});
  d.members[0].name = "lpstrFilter";
  d.members[0].type = "文本型";
  d.members[0].nativeType = "astr LPCSTR";
  std::string message;
  // Without the columns the import stores the rest, and loads none.
  ASSERT_TRUE(StoreImported(cat.store(), {f}, {d}, {}, message)) << message;
  FunctionRecord loaded;
  ASSERT_TRUE(LoadFunction(cat.store(), 1, loaded));
  EXPECT_EQ(loaded.returnNativeType, "");
  ASSERT_EQ(loaded.parameters.size(), 1u);
  EXPECT_EQ(loaded.parameters[0].nativeType, "");

  ASSERT_TRUE(AddNativeTypeColumns(cat.store()));
  f.name = "SendMessageW";
  d.name = "OPENFILENAMEW";
  ASSERT_TRUE(StoreImported(cat.store(), {f}, {d}, {}, message)) << message;
  ASSERT_TRUE(LoadFunction(cat.store(), 2, loaded));
  EXPECT_EQ(loaded.returnNativeType, "iptr LRESULT");
  EXPECT_EQ(loaded.parameters[0].nativeType, "iptr WPARAM");
  DataTypeRecord type;
  ASSERT_TRUE(LoadDataType(cat.store(), 2, type));
  EXPECT_EQ(type.nativeType, "pack 0");
  ASSERT_EQ(type.members.size(), 1u);
  EXPECT_EQ(type.members[0].nativeType, "astr LPCSTR");
  ChildRows rows;
  ASSERT_TRUE(LoadMembersOf(cat.store(), "select 2", rows));
  EXPECT_EQ(rows[2].at(0).nativeType, "astr LPCSTR");

  EXPECT_EQ(UpdateCell(cat.store(), "函数参数表", "数据类型", loaded.parameters[0].id, "文本型", CellKind::Text),
            CellUpdate::Written);
  EXPECT_EQ(UpdateCell(cat.store(), "函数参数表", "备注", loaded.parameters[0].id, "x", CellKind::Text),
            CellUpdate::Written);
  ASSERT_TRUE(LoadFunction(cat.store(), 2, loaded));
  EXPECT_EQ(loaded.parameters[0].nativeType, "");
  EXPECT_EQ(loaded.returnNativeType, "iptr LRESULT");
  // An edited Pack replaces the 64-bit one.
  EXPECT_EQ(UpdateCell(cat.store(), "数据类型表", "Pack", 2, "4", CellKind::Text), CellUpdate::Written);
  ASSERT_TRUE(LoadDataType(cat.store(), 2, type));
  EXPECT_EQ(type.nativeType, "");
}

// A 原生类型 column another tool made is not the program's: nothing is read
// from it, and neither an import nor an edit writes into it.
TEST_F(LoadersTest, AnotherToolsNativeTypeColumnIsLeftAlone) {
  for (const char* table : {"函数表", "函数参数表", "数据类型表", "数据类型成员表"})
    cat.Run(std::string("alter table ") + table + " add column 原生类型 text default 'theirs'");
  ASSERT_TRUE(AddNativeTypeColumns(cat.store()));
  FunctionRecord f;
  f.name = "F";
  f.returnNativeType = "iptr LRESULT";
  f.parameters.push_back({});
  f.parameters[0].name = "p";
  f.parameters[0].type = "整数型";
  f.parameters[0].nativeType = "iptr WPARAM";
  std::string message;
  ASSERT_TRUE(StoreImported(cat.store(), {f}, {}, {}, message)) << message;
  FunctionRecord loaded;
  ASSERT_TRUE(LoadFunction(cat.store(), 1, loaded));
  EXPECT_EQ(loaded.returnNativeType, "");
  ASSERT_EQ(loaded.parameters.size(), 1u);
  EXPECT_EQ(loaded.parameters[0].nativeType, "");
  EXPECT_EQ(UpdateCell(cat.store(), "函数参数表", "数据类型", loaded.parameters[0].id, "文本型", CellKind::Text),
            CellUpdate::Written);
  EXPECT_EQ(
      cat.store().QueryText("select 原生类型 from 函数表") + cat.store().QueryText("select 原生类型 from 函数参数表"),
      "theirstheirs");
}

}  // namespace
}  // namespace declarium
