// export: kinds, conditions (values with quotes too) and wrong words.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "text/Gbk.h"

namespace declarium::test {
namespace {

class CliExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cat.Import("vb",
               "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\n"
               "Private Declare Function Beep Lib \"kernel32\" (ByVal f As Long) As Long\n"
               "Private Declare Function MessageBeep Lib \"user32\" (ByVal t As Long) As Long\n"
               "Public Type RECT\n    Left As Long\nEnd Type\n"
               "Public Const WM_USER = &H400\n"
               "Public Const it's = 1\n"
               "Public Const MB_OK = 0\n");
  }
  std::string Exported() const { return GbkToUtf8(ReadFileBytes(cat.file("out.txt"))); }
  CliCatalogue cat;
};

TEST_F(CliExportTest, ChosenKindsWithConditions) {
  CliResult r = cat.Run({"--syntax", "vb", "export", "--output", "out.txt", "--functions", "--where-function", "库名",
                         "=", "kernel32", "--where-function", "名称", "like", "%ee%"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "导出完毕！\n");
  // Both conditions hold only for Beep.
  EXPECT_EQ(Exported(),
            "Private Declare Function Beep Lib \"kernel32\" Alias \"Beep\" (ByVal f As Long) As Long\r\n\r\n");

  r = cat.Run(
      {"export", "--output", "out.txt", "--types", "--constants", "--where-constant", "十进制值", ">=", "1000"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Exported(),
            ".版本 2\r\n\r\n\r\n"
            ".数据类型 RECT, \r\n    .成员 Left, 整数型, , \r\n\r\n"
            ".常量 WM_USER, \"1024\", \r\n");
}

TEST_F(CliExportTest, ValueWithQuotesIsOnlyAValue) {
  CliResult r = cat.Run({"export", "--output", "out.txt", "--constants", "--where-constant", "名称", "=", "it's"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Exported(), ".版本 2\r\n\r\n\r\n.常量 it's, \"1\", \r\n");
  r = cat.Run({"export", "--output", "out.txt", "--constants", "--where-constant", "名称", "=", "x' or '1'='1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Exported(), ".版本 2\r\n\r\n\r\n");
}

TEST_F(CliExportTest, NothingChosen) {
  CliResult r = cat.Run({"export", "--output", "out.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "请至少选择要导出的 【函数】、【数据类型】 或 【常量】 的其中一种！\n");
  EXPECT_FALSE(std::filesystem::exists(cat.file("out.txt")));
}

TEST_F(CliExportTest, WrongFieldOrOperatorIsUsageError) {
  const std::vector<std::vector<std::string>> wrong = {
      {"--where-function", "类别", "=", "1"},   // not a field of the list
      {"--where-function", "名称", "==", "x"},  // not an operator
      {"--where-type", "库名", "=", "x"},       // a function field, not a type field
      {"--where-constant", "名称 = 'a' or 1=1 --", "=", "x"},
      {"--where-function", "名称", "="},  // two words
  };
  for (const auto& w : wrong) {
    std::vector<std::string> args = {"export", "--output", "out.txt", "--functions", "--types", "--constants"};
    args.insert(args.end(), w.begin(), w.end());
    CliResult r = cat.Run(args);
    EXPECT_EQ(r.exitCode, 2) << w[1] << " " << r.err;
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(cat.file("out.txt")));
}

TEST_F(CliExportTest, UnwritableFileFails) {
  CliResult r = cat.Run({"export", "--output", "no/such/dir/out.txt", "--functions"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(r.err.empty());
  EXPECT_TRUE(r.out.empty());
}

}  // namespace
}  // namespace declarium::test
