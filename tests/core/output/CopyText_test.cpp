#include "output/CopyText.h"

#include <gtest/gtest.h>

#include "support/Catalogue.h"

namespace declarium {
namespace {

class CopyTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    function = cat.add().Function(
        test::NewFunction("Sleep")
            .ChineseName("")
            .Returns("")
            .Remark("等待")
            .Library("kernel32", "Sleep")
            .Param(test::NewParam("dwMilliseconds", "整数型").ChineseName("毫秒").Array("0").ByRef(0).Remark("时长")));
    dataType = cat.add().DataType(
        test::NewDataType("POINT").Remark("点").Member(test::NewParam("x", "整数型").Array("").ByRef(0)));
    constant = cat.add().Constant(test::NewConstant("INFINITE", "-1", "0xFFFFFFFF").Remark("无限"));
    style.insertChineseNames = true;
    style.insertRemarks = true;
    style.isPublic = true;
  }

  test::TestCatalogue cat;
  DeclarationStyle style;
  int function = 0;
  int dataType = 0;
  int constant = 0;
};

TEST_F(CopyTextTest, SelectedFunctionInEIsHeadedByTheVersionLine) {
  std::string text;
  ASSERT_EQ(SelectedDeclaration(cat.store(), EntryKind::Functions, function, SyntaxKind::E, style, text),
            CopyResult::Copied);
  EXPECT_EQ(text,
            ".版本 2\r\n\r\n"
            ".DLL命令 Sleep, , \"kernel32\", \"Sleep\", 公开, 等待\r\n    .参数 毫秒, 整数型, , 时长");
}

TEST_F(CopyTextTest, SelectedEntriesInCSharpAndVbHaveNoHeader) {
  std::string text;
  ASSERT_EQ(SelectedDeclaration(cat.store(), EntryKind::DataTypes, dataType, SyntaxKind::Vb, style, text),
            CopyResult::Copied);
  EXPECT_EQ(text, "Public Type POINT\r\nx As Long\r\nEnd Type");
  ASSERT_EQ(SelectedDeclaration(cat.store(), EntryKind::Constants, constant, SyntaxKind::CSharp, style, text),
            CopyResult::Copied);
  EXPECT_EQ(text, "/// <summary>\r\n///无限\r\n/// </summary>\r\nINFINITE = -1,");
  ASSERT_EQ(SelectedDeclaration(cat.store(), EntryKind::Constants, constant, SyntaxKind::Vb, style, text),
            CopyResult::Copied);
  EXPECT_EQ(text, "Public Const INFINITE = &HFFFFFFFF '无限");
}

TEST_F(CopyTextTest, NothingSelectedStopsSilentlyAndFailedLoadIsReported) {
  std::string text = "clipboard";
  EXPECT_EQ(SelectedDeclaration(cat.store(), EntryKind::Functions, 0, SyntaxKind::E, style, text), CopyResult::Nothing);
  EXPECT_EQ(SelectedDeclaration(cat.store(), static_cast<EntryKind>(3), function, SyntaxKind::E, style, text),
            CopyResult::Nothing);
  EXPECT_NE(SelectedDeclaration(cat.store(), EntryKind::Functions, 0, SyntaxKind::E, style, text), CopyResult::Copied);
  cat.store().Close();
  EXPECT_EQ(SelectedDeclaration(cat.store(), EntryKind::Functions, function, SyntaxKind::E, style, text),
            CopyResult::Failed);
  EXPECT_EQ(SelectedDeclaration(cat.store(), EntryKind::DataTypes, dataType, SyntaxKind::E, style, text),
            CopyResult::Failed);
  EXPECT_EQ(SelectedDeclaration(cat.store(), EntryKind::Constants, constant, SyntaxKind::E, style, text),
            CopyResult::Failed);
  EXPECT_EQ(text, "clipboard");
}

TEST_F(CopyTextTest, InsertListFunctionAndConstantInE) {
  std::vector<CopyEntry> list = {
      {function, EntryKind::Functions}, {0, EntryKind::DataTypes}, {constant, EntryKind::Constants}};
  std::string text;
  ASSERT_EQ(InsertListDeclarations(cat.store(), list, SyntaxKind::E, style, text), CopyResult::Copied);
  EXPECT_EQ(text,
            ".版本 2\r\n\r\n"
            ".DLL命令 Sleep, , \"kernel32\", \"Sleep\", 公开, 等待\r\n    .参数 毫秒, 整数型, , 时长\r\n"
            ".常量 INFINITE, \"-1\", 公开, 无限\r\n");
}

TEST_F(CopyTextTest, InsertListInCSharpEndsEveryEntryWithCrLf) {
  style = DeclarationStyle{};
  std::vector<CopyEntry> list = {{dataType, EntryKind::DataTypes}, {function, EntryKind::Functions}};
  std::string text;
  ASSERT_EQ(InsertListDeclarations(cat.store(), list, SyntaxKind::CSharp, style, text), CopyResult::Copied);
  EXPECT_EQ(text,
            "[StructLayout(LayoutKind.Sequential)]\r\nprivate struct POINT\r\n{\tpublic int x;\r\n}\r\n"
            "[DllImport(\"kernel32\", EntryPoint = \"Sleep\")]\r\nprivate static extern void Sleep(int "
            "dwMilliseconds);\r\n");
}

TEST_F(CopyTextTest, InsertListIsAllOrNothing) {
  std::string text = "clipboard";
  EXPECT_EQ(InsertListDeclarations(cat.store(), {}, SyntaxKind::E, style, text), CopyResult::Nothing);
  std::vector<CopyEntry> badKind = {{function, EntryKind::Functions}, {constant, static_cast<EntryKind>(9)}};
  EXPECT_EQ(InsertListDeclarations(cat.store(), badKind, SyntaxKind::E, style, text), CopyResult::Failed);
  cat.store().Close();
  std::vector<CopyEntry> list = {{function, EntryKind::Functions}};
  EXPECT_EQ(InsertListDeclarations(cat.store(), list, SyntaxKind::Vb, style, text), CopyResult::Failed);
  EXPECT_NE(InsertListDeclarations(cat.store(), list, SyntaxKind::Vb, style, text), CopyResult::Copied);
  EXPECT_EQ(text, "clipboard");
}

}  // namespace
}  // namespace declarium
