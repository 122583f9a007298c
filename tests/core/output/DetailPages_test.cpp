#include "output/DetailPages.h"

#include <gtest/gtest.h>

#include "support/Catalogue.h"

namespace declarium {
namespace {

ParameterRecord Param(int id, std::string name, std::string chinese, std::string type, bool byRef, std::string array,
                      std::string remark) {
  ParameterRecord p;
  p.id = id;
  p.name = std::move(name);
  p.chineseName = std::move(chinese);
  p.type = std::move(type);
  p.byRef = byRef;
  p.array = std::move(array);
  p.remark = std::move(remark);
  return p;
}

FunctionRecord GetWindowText() {
  FunctionRecord f;
  f.id = 7;
  f.name = "GetWindowTextA";
  f.chineseName = "取窗口文本";
  f.returnType = "整数型";
  f.library = "user32.dll";
  f.entryPoint = "GetWindowTextA";
  f.description = "   ";          // blank: shown as a space
  f.notes = "<b>粗</b> & </td>";  // shown as text, never read as markup
  f.callingConvention = "　";     // ideographic space only: blank too
  f.parameters = {Param(11, "hWnd", "窗口", "整数型", false, "0", "句柄"),
                  Param(12, "lpString", "", "字节型", true, "1", "")};
  return f;
}

const std::string kFunctionHead =
    "<table cellpadding=\"3\">\r\n<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap colspan=\"3\">函数说明</td>\r\n"
    "<td nowrap colspan=\"3\">其他说明</td>\r\n</tr>"
    "<tr><td colspan=3 style={color=#008000;} id=7 TableName=函数表 FieldName=函数说明>&nbsp</td>"
    "<td colspan=3 style={color=#008000;} id=7 TableName=函数表 FieldName=其他说明>&lt;b&gt;粗&lt;/b&gt; &amp; "
    "&lt;/td&gt;</td></tr>";

const std::string kFunctionCSharpRows =
    "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap colspan=\"3\">CharSet</td>\r\n<td nowrap "
    "colspan=\"3\">CallingConvention</td>\r\n</tr>"
    "<tr><td nowrap colspan=3 style={color=#000080;} id=7 TableName=函数表 FieldName=CharSet>&nbsp</td>"
    "<td nowrap colspan=3 style={color=#000080;} id=7 TableName=函数表 FieldName=CallingConvention>&nbsp</td></tr>";

std::string FunctionBody(const std::string& returnType, const std::string& hWndType, const std::string& bufType) {
  return "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap width=\"70\">DLL命令名</td>\r\n<td nowrap width=\"70\">中文名</td>\r\n"
         "<td nowrap width=\"70\">返回值类型</td>\r\n<td nowrap colspan=3>备注</td>\r\n</tr>"
         "<tr><td nowrap style={color=#000080;} id=7 TableName=函数表 FieldName=名称>GetWindowTextA</td>"
         "<td nowrap style={color=#000080;} id=7 TableName=函数表 FieldName=中文名>取窗口文本</td>"
         "<td nowrap style={color=#0000FF;} id=7 TableName=函数表 FieldName=返回值类型>" +
         returnType +
         "</td>"
         "<td nowrap colspan=3 style={color=#008000;} id=7 TableName=函数表 FieldName=备注></td></tr>"
         "<tr bgcolor=#E6EDE4><td colspan=2>DLL库文件名：</td><td colspan=4>在DLL库中对应命令名：</td></tr>"
         "<tr><td nowrap colspan=2 style={color=#800000;} id=7 TableName=函数表 FieldName=库名>user32.dll</td>"
         "<td nowrap colspan=4 style={color=#800000;} id=7 TableName=函数表 "
         "FieldName=库对应命令>GetWindowTextA</td></tr>"
         "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap width=\"70\">参数名</td>\r\n<td nowrap width=\"70\">中文名</td>\r\n"
         "<td nowrap width=\"70\">类型</td>\r\n<td nowrap width=\"30\">传址</td>\r\n<td nowrap "
         "width=\"30\">数组</td>\r\n"
         "<td nowrap width=\"100\">备注</td>\r\n</tr>\r\n"
         "<tr><td nowrap id=11 TableName=函数参数表 FieldName=名称>hWnd</td>"
         "<td nowrap id=11 TableName=函数参数表 FieldName=中文名>窗口</td>"
         "<td nowrap style={color=#0000FF;} id=11 TableName=函数参数表 FieldName=数据类型>" +
         hWndType +
         "</td>"
         "<td nowrap style={color=#800000;} align=center id=11 TableName=函数参数表 FieldName=传址></td>"
         "<td nowrap style={color=#800000;} align=center id=11 TableName=函数参数表 FieldName=数组></td>"
         "<td nowrap style={color=#008000;} id=11 TableName=函数参数表 FieldName=备注>句柄</td></tr>"
         "<tr><td nowrap id=12 TableName=函数参数表 FieldName=名称>lpString</td>"
         "<td nowrap id=12 TableName=函数参数表 FieldName=中文名></td>"
         "<td nowrap style={color=#0000FF;} id=12 TableName=函数参数表 FieldName=数据类型>" +
         bufType +
         "</td>"
         "<td nowrap style={color=#800000;} align=center id=12 TableName=函数参数表 FieldName=传址>√</td>"
         "<td nowrap style={color=#800000;} align=center id=12 TableName=函数参数表 FieldName=数组>√</td>"
         "<td nowrap style={color=#008000;} id=12 TableName=函数参数表 FieldName=备注></td></tr>"
         "</table>";
}

TEST(DetailPages, StyleSheet) {
  EXPECT_EQ(DetailStyleSheet(),
            "<style>\r\ntd {font-size:12px;border:1px #888888 solid;font-family:宋体;}\r\n"
            "table {border:1px #888888 solid;border-collapse:collapse;margin-top:3px;}\r\n"
            "pre {font-size:12px;margin-top:3px}\r\n</style>\r\n");
}

TEST(FunctionPage, ESyntaxHasNoCSharpRows) {
  EXPECT_EQ(BuildFunctionPage(GetWindowText(), SyntaxKind::E),
            kFunctionHead + FunctionBody("整数型", "整数型", "字节型"));
}

TEST(FunctionPage, VbTranslatesTypes) {
  EXPECT_EQ(BuildFunctionPage(GetWindowText(), SyntaxKind::Vb), kFunctionHead + FunctionBody("Long", "Long", "Byte"));
}

TEST(FunctionPage, CSharpAddsAttributeRowsAndHandleParameters) {
  EXPECT_EQ(BuildFunctionPage(GetWindowText(), SyntaxKind::CSharp),
            kFunctionHead + kFunctionCSharpRows + FunctionBody("int", "IntPtr", "byte"));
}

TEST(FunctionPage, CSharp64ShowsTheTypesTheCopyWrites) {
  FunctionRecord f = GetWindowText();
  f.returnNativeType = "i4 int";
  f.parameters[1].nativeType = "abuf LPSTR";
  // Only with the setting, and only in C#; CharSet as the copy writes it.
  std::string rows = kFunctionCSharpRows;
  rows.replace(rows.find("CharSet>&nbsp"), 13, "CharSet>CharSet.Ansi");
  EXPECT_EQ(BuildFunctionPage(f, SyntaxKind::CSharp, true),
            kFunctionHead + rows + FunctionBody("int", "IntPtr", "StringBuilder"));
  EXPECT_EQ(BuildFunctionPage(f, SyntaxKind::CSharp), BuildFunctionPage(GetWindowText(), SyntaxKind::CSharp));
  // VB's page follows the VBA 7 setting the same way.
  EXPECT_NE(
      BuildFunctionPage(f, SyntaxKind::Vb, true).find("id=12 TableName=函数参数表 FieldName=数据类型>String</td>"),
      std::string::npos);
  EXPECT_EQ(BuildFunctionPage(f, SyntaxKind::Vb), BuildFunctionPage(GetWindowText(), SyntaxKind::Vb));
}

TEST(FunctionPage, CSharpCellsShowValuesUntrimmed) {
  FunctionRecord f = GetWindowText();
  f.charSet = " CharSet.Ansi ";
  f.callingConvention = "CallingConvention.Winapi";
  const std::string page = BuildFunctionPage(f, SyntaxKind::CSharp);
  EXPECT_NE(page.find("FieldName=CharSet> CharSet.Ansi </td>"), std::string::npos);
  EXPECT_NE(page.find("FieldName=CallingConvention>CallingConvention.Winapi</td></tr>"), std::string::npos);
}

TEST(FunctionPage, HandleRuleLooksAtTheFirstLetterOnly) {
  FunctionRecord f;
  f.id = 1;
  f.parameters = {Param(2, "Handle", "", "文本型", false, "0", ""), Param(3, "lpHandle", "", "文本型", false, "0", ""),
                  Param(4, "hdc", "", "RECT", false, "0", "")};
  const std::string cs = BuildFunctionPage(f, SyntaxKind::CSharp);
  EXPECT_NE(cs.find("id=2 TableName=函数参数表 FieldName=数据类型>IntPtr</td>"), std::string::npos);
  EXPECT_NE(cs.find("id=3 TableName=函数参数表 FieldName=数据类型>string</td>"), std::string::npos);
  EXPECT_NE(cs.find("id=4 TableName=函数参数表 FieldName=数据类型>IntPtr</td>"), std::string::npos);
  const std::string e = BuildFunctionPage(f, SyntaxKind::E);
  EXPECT_NE(e.find("id=2 TableName=函数参数表 FieldName=数据类型>文本型</td>"), std::string::npos);
  EXPECT_NE(e.find("id=4 TableName=函数参数表 FieldName=数据类型>RECT</td>"), std::string::npos);
}

TEST(FunctionPage, WithoutParametersEndsWithTheParameterHeader) {
  FunctionRecord f;
  f.id = 5;
  const std::string page = BuildFunctionPage(f, SyntaxKind::E);
  const std::string tail = "<td nowrap width=\"100\">备注</td>\r\n</tr>\r\n</table>";
  ASSERT_GE(page.size(), tail.size());
  EXPECT_EQ(page.substr(page.size() - tail.size()), tail);
  // Every blank-to-space cell of the empty record shows a space.
  EXPECT_NE(page.find("FieldName=函数说明>&nbsp</td>"), std::string::npos);
  EXPECT_NE(page.find("FieldName=名称></td>"), std::string::npos);
}

TEST(FunctionPage, TranslatesFromTheRecordSyntax) {
  FunctionRecord f = GetWindowText();
  f.syntax = SyntaxKind::Vb;
  f.returnType = "Long";
  f.parameters = {Param(11, "n", "", "Integer", false, "0", "")};
  EXPECT_NE(BuildFunctionPage(f, SyntaxKind::E).find("FieldName=返回值类型>整数型</td>"), std::string::npos);
  EXPECT_NE(BuildFunctionPage(f, SyntaxKind::E).find("FieldName=数据类型>短整数型</td>"), std::string::npos);
  EXPECT_NE(BuildFunctionPage(f, SyntaxKind::Vb).find("FieldName=数据类型>Integer</td>"), std::string::npos);
}

DataTypeRecord Rect() {
  DataTypeRecord d;
  d.id = 3;
  d.name = "RECT";
  d.chineseName = "矩形";
  d.pack = "4";
  d.size = " ";  // not empty: shown as it is
  d.members = {Param(21, "left", "", "整数型", false, "", "l"), Param(22, "hBuf", "缓冲", "字节型", true, "260", "")};
  return d;
}

const std::string kDataTypeHead =
    "<table cellpadding=\"3\">\r\n<tr bgcolor=\"#E6EDE4\">\r\n<td width=\"70\">数据类型名</td>\r\n"
    "<td width=\"70\">中文名</td>\r\n<td width=\"100\" colspan=4>备注</td>\r\n</tr>"
    "<tr><td nowrap style={color=#000080;} id=3 TableName=数据类型表 FieldName=名称>RECT</td>"
    "<td nowrap style={color=#000080;} id=3 TableName=数据类型表 FieldName=中文名>矩形</td>"
    "<td nowrap colspan=4 style={color=#008000;} id=3 TableName=数据类型表 FieldName=备注></td></tr>";

const std::string kDataTypeCSharpRows =
    "<tr bgcolor=\"#E6EDE4\">\r\n<td width=\"70\">CharSet</td>\r\n<td width=\"70\">Pack</td>\r\n"
    "<td width=\"100\" colspan=4>Size</td>\r\n</tr>"
    "<tr><td nowrap style={color=#000080;} id=3 TableName=数据类型表 FieldName=CharSet>&nbsp</td>"
    "<td nowrap style={color=#000080;} id=3 TableName=数据类型表 FieldName=Pack>4</td>"
    "<td nowrap colspan=4 style={color=#000080;} id=3 TableName=数据类型表 FieldName=Size> </td></tr>";

std::string DataTypeBody(const std::string& leftType, const std::string& bufType) {
  return "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap width=\"70\">成员名</td>\r\n<td nowrap width=\"70\">中文名</td>\r\n"
         "<td nowrap width=\"70\">类型</td>\r\n<td nowrap width=\"30\">传址</td>\r\n<td nowrap "
         "width=\"30\">数组</td>\r\n"
         "<td nowrap width=\"100\">备注</td>\r\n</tr>\r\n"
         "<tr><td nowrap id=21 TableName=数据类型成员表 FieldName=名称>left</td>"
         "<td nowrap id=21 TableName=数据类型成员表 FieldName=中文名></td>"
         "<td nowrap style={color=#0000FF;} id=21 TableName=数据类型成员表 FieldName=数据类型>" +
         leftType +
         "</td>"
         "<td nowrap align=center style={color=#800000;} id=21 TableName=数据类型成员表 FieldName=传址>&nbsp</td>"
         "<td nowrap id=21 TableName=数据类型成员表 FieldName=数组></td>"
         "<td nowrap style={color=#008000;} id=21 TableName=数据类型成员表 FieldName=备注>l</td></tr>"
         "<tr><td nowrap id=22 TableName=数据类型成员表 FieldName=名称>hBuf</td>"
         "<td nowrap id=22 TableName=数据类型成员表 FieldName=中文名>缓冲</td>"
         "<td nowrap style={color=#0000FF;} id=22 TableName=数据类型成员表 FieldName=数据类型>" +
         bufType +
         "</td>"
         "<td nowrap align=center style={color=#800000;} id=22 TableName=数据类型成员表 FieldName=传址>√</td>"
         "<td nowrap id=22 TableName=数据类型成员表 FieldName=数组>260</td>"
         "<td nowrap style={color=#008000;} id=22 TableName=数据类型成员表 FieldName=备注></td></tr>"
         "</table>";
}

TEST(DataTypePage, ESyntax) {
  EXPECT_EQ(BuildDataTypePage(Rect(), SyntaxKind::E), kDataTypeHead + DataTypeBody("整数型", "字节型"));
}

TEST(DataTypePage, CSharpRowsUseEmptyToSpaceAndMembersHaveNoHandleRule) {
  EXPECT_EQ(BuildDataTypePage(Rect(), SyntaxKind::CSharp),
            kDataTypeHead + kDataTypeCSharpRows + DataTypeBody("int", "byte"));
}

TEST(DataTypePage, VbTranslatesTypes) {
  EXPECT_EQ(BuildDataTypePage(Rect(), SyntaxKind::Vb), kDataTypeHead + DataTypeBody("Long", "Byte"));
}

class DetailDocumentTest : public ::testing::Test {
 protected:
  test::TestCatalogue cat;
};

TEST_F(DetailDocumentTest, FunctionDocument) {
  const int f = cat.add().Function(test::NewFunction("GetDC")
                                       .Returns("Long")
                                       .Remark("取设备场景")
                                       .Library("user32", "GetDC")
                                       .Description("说明")
                                       .Syntax(SyntaxKind::Vb)
                                       .Param(test::NewParam("hWnd", "Long").Array("0").ByRef(0)));
  DetailDocument doc;
  ASSERT_TRUE(BuildDetailDocument(cat.store(), "函数表", f, SyntaxKind::E, doc));
  EXPECT_TRUE(doc.shown);
  FunctionRecord expected;
  expected.id = f;
  expected.syntax = SyntaxKind::Vb;
  expected.name = "GetDC";
  expected.returnType = "Long";
  expected.remark = "取设备场景";
  expected.library = "user32";
  expected.entryPoint = "GetDC";
  expected.description = "说明";
  expected.parameters = {Param(1, "hWnd", "", "Long", false, "0", "")};
  EXPECT_EQ(doc.html, DetailStyleSheet() + BuildFunctionPage(expected, SyntaxKind::E));
  // The VB-imported types are shown in E words.
  EXPECT_NE(doc.html.find("FieldName=返回值类型>整数型</td>"), std::string::npos);
  EXPECT_EQ(doc.remark, "取设备场景");
  EXPECT_EQ(doc.entryText, "说明");
}

TEST_F(DetailDocumentTest, DataTypeDocument) {
  const int d = cat.add().DataType(test::NewDataType("POINT").Remark("点").Pack("8"));
  DetailDocument doc;
  ASSERT_TRUE(BuildDetailDocument(cat.store(), "数据类型表", d, SyntaxKind::CSharp, doc));
  EXPECT_TRUE(doc.shown);
  DataTypeRecord expected;
  expected.id = d;
  expected.name = "POINT";
  expected.remark = "点";
  expected.pack = "8";
  EXPECT_EQ(doc.html, DetailStyleSheet() + BuildDataTypePage(expected, SyntaxKind::CSharp));
  EXPECT_EQ(doc.remark, "点");
  EXPECT_EQ(doc.entryText, "POINT");
}

TEST_F(DetailDocumentTest, FailedLoadLeavesTheDocumentAlone) {
  DetailDocument doc;
  doc.html = "before";
  EXPECT_FALSE(BuildDetailDocument(cat.store(), "函数表", 0, SyntaxKind::E, doc));
  EXPECT_FALSE(BuildDetailDocument(cat.store(), "数据类型表", 0, SyntaxKind::E, doc));
  cat.store().Close();
  EXPECT_FALSE(BuildDetailDocument(cat.store(), "函数表", 1, SyntaxKind::E, doc));
  EXPECT_EQ(doc.html, "before");
}

TEST_F(DetailDocumentTest, OtherTablesShowNothingAndSucceed) {
  DetailDocument doc;
  EXPECT_TRUE(BuildDetailDocument(cat.store(), "常量表", 1, SyntaxKind::E, doc));
  EXPECT_FALSE(doc.shown);
  EXPECT_EQ(doc.html, "");
}

}  // namespace
}  // namespace declarium
