// import: every syntax, files and standard input, and that nothing is half stored.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "cli/CliRunner.h"
#include "store/CatalogueStore.h"
#include "support/Corpus.h"
#include "text/Gbk.h"

namespace declarium::test {
namespace {

const char kSummaryOne[] = "成功添加\n函数：1个\n数据类型：1个\n常量：1个\n";
const char kSummaryNone[] = "成功添加\n函数：0个\n数据类型：0个\n常量：0个\n";
// A summary without its notes on names skipped as already stored.
std::string WithoutSkipped(const std::string& summary) {
  return std::regex_replace(summary, std::regex("（[0-9]+ 个同名已存在，未添加）"), "");
}

const char kE[] =
    ".版本 2\n\n"
    ".DLL命令 MessageBoxA, 整数型, \"user32.dll\", \"MessageBoxA\", 公开, 信息框\n"
    "    .参数 hWnd, 整数型\n"
    "    .参数 lpText, 文本型\n"
    ".数据类型 POINT, 公开, 点\n"
    "    .成员 x, 整数型, , , 横坐标\n"
    "    .成员 y, 整数型\n"
    ".常量 MB_OK, \"0\", , 确定\n";

const char kCSharp[] =
    "[DllImport(\"user32.dll\", CharSet = CharSet.Auto)]\n"
    "public static extern int ShowWindow(IntPtr hWnd, int nCmdShow);\n"
    "[StructLayout(LayoutKind.Sequential)]\n"
    "public struct SIZE\n{\n    public int cx;\n    public int cy;\n}\n"
    "public const int SW_SHOW = 5;\n";

const char kVb[] =
    "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\n"
    "Public Type RECT\n    Left As Long\n    Top As Long\nEnd Type\n"
    "Public Const WM_USER = &H400\n";

class CliImportTest : public ::testing::Test {
 protected:
  CliCatalogue cat;
};

TEST_F(CliImportTest, EachSyntaxFromStandardInput) {
  CliResult r = cat.Run({"import", "--from", "e"}, kE);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, kSummaryOne);
  r = cat.Run({"import", "--from", "csharp"}, kCSharp);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, kSummaryOne);
  r = cat.Run({"import", "--from", "2", "-"}, kVb);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, kSummaryOne);

  EXPECT_EQ(cat.Run({"list", "functions"}).out, "GetTickCount\nMessageBoxA\nShowWindow\n");
  EXPECT_EQ(cat.Run({"list", "types"}).out, "POINT\nRECT\nSIZE\n");
  EXPECT_EQ(cat.Run({"list", "constants"}).out, "MB_OK\t0x0\t0\t确定\nSW_SHOW\t0x5\t5\t\nWM_USER\t&H400\t1024\t\n");

  // Names already present are skipped.
  r = cat.Run({"import", "--from", "vb"}, kVb);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(WithoutSkipped(r.out), kSummaryNone);
  EXPECT_NE(r.out, kSummaryNone);
}

TEST_F(CliImportTest, SeveralFilesAreStoredTogether) {
  WriteFileBytes(cat.file("a.bas"), "Private Declare Function A Lib \"k\" () As Long\r\n");
  WriteFileBytes(cat.file("b.bas"), "Private Declare Function B Lib \"k\" () As Long");
  CliResult r = cat.Run({"import", "--from", "vb", "a.bas", "b.bas"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "成功添加\n函数：2个\n数据类型：0个\n常量：0个\n");
  EXPECT_EQ(cat.Run({"list", "functions"}).out, "A\nB\n");
}

TEST_F(CliImportTest, UnreadableFileStoresNothing) {
  WriteFileBytes(cat.file("a.bas"), kVb);
  CliResult r = cat.Run({"import", "--from", "vb", "a.bas", "missing.bas"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("missing.bas"), std::string::npos) << r.err;
  r = cat.Run({"import", "--from", "vb", "."});  // a folder
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(cat.Run({"stats"}).out, "函数：0个\n数据类型：0个\n常量：0个\n");
}

TEST_F(CliImportTest, FailedStoreReportsTheErrorAndKeepsNothing) {
  CatalogueStore store;
  ASSERT_TRUE(store.OpenPath(cat.file("data.db"), false));
  // A view takes no inserts.
  ASSERT_TRUE(
      store.Exec(Utf8ToGbk("alter table 常量表 rename to 常量原表; create view 常量表 as select * from 常量原表")));
  store.Close();
  // The function and type come first and are inserted, then the constant fails.
  CliResult r = cat.Run({"import", "--from", "vb"}, kVb);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.rfind("添加失败！\n", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("常量表"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(cat.Run({"list", "functions"}).out, "");
  EXPECT_EQ(cat.Run({"list", "types"}).out, "");
}

TEST_F(CliImportTest, BadSyntaxWordIsUsageError) {
  CliResult r = cat.Run({"import", "--from", "pascal"}, kVb);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("pascal"), std::string::npos);
  r = cat.Run({"import"}, kVb);  // --from is required
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(cat.Run({"stats"}).out, "函数：0个\n数据类型：0个\n常量：0个\n");
}

TEST_F(CliImportTest, Corpus) {
  const std::filesystem::path file = CorpusFile("WIN32API.TXT");
  if (file.empty()) GTEST_SKIP() << "no corpus";
  CliResult r = cat.Run({"import", "--from", "vb", file.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // Every Declare line arrives, the Subs too; a name declared twice is stored once.
  const std::string text = ReadFileBytes(file);
  const std::regex declare(R"(\n\s*(?:(?:Public|Private) )?Declare (?:Function|Sub) (\w+))");
  std::set<std::string> names;
  for (auto m = std::sregex_iterator(text.begin(), text.end(), declare); m != std::sregex_iterator(); ++m)
    names.insert((*m)[1]);
  EXPECT_EQ(r.out.rfind("成功添加\n函数：" + std::to_string(names.size()) + "个", 0), 0u) << r.out;
  EXPECT_EQ(cat.Run({"--syntax", "vb", "declare", "function", "Sleep"}).out,
            "Private Declare Sub Sleep Lib \"kernel32\" Alias \"Sleep\" (ByVal dwMilliseconds As Long)");
  // A fixed-length string keeps its bytes.
  EXPECT_NE(cat.Run({"--syntax", "csharp", "declare", "type", "OSVERSIONINFO"})
                .out.find("SizeConst = 128)]\tpublic string szCSDVersion"),
            std::string::npos);
  // A second import of the same text adds nothing.
  r = cat.Run({"import", "--from", "vb", file.string()});
  EXPECT_EQ(WithoutSkipped(r.out), kSummaryNone);
  EXPECT_NE(r.out, kSummaryNone);
}

}  // namespace
}  // namespace declarium::test
