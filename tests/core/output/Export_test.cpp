#include "output/Export.h"

#include <gtest/gtest.h>

#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "support/Catalogue.h"

namespace declarium {
namespace {

// Records what the export window would show.
class Recorder : public ExportObserver {
 public:
  void SectionStarted(std::string_view title) override { titles.emplace_back(title); }
  void Progress(int percent) override { progress.push_back(percent); }
  bool ShouldStop() override { return ++asked > stopAfter; }

  std::vector<std::string> titles;
  std::vector<int> progress;
  int asked = 0;
  int stopAfter = 1 << 30;
};

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Inserted out of name order: the export sorts by 名称.
    test::Entries& add = cat.add();
    add.Function(
        test::NewFunction("MessageBeep").Returns("逻辑型").Library("user32", "MessageBeep").Param("uType", "整数型"));
    add.Function(test::NewFunction("GetTickCount").Returns("整数型").Library("kernel32", "GetTickCount"));
    add.Function(test::NewFunction("GetDesktopWindow").Returns("整数型").Library("user32", ""));
    add.DataType(test::NewDataType("POINT").Member(test::NewParam("x", "整数型").Array("")));
    add.DataType("EMPTY");
    add.Constant(test::NewConstant("MAX_PATH", "260", "0x104").Remark("路径"));
    add.Constant(test::NewConstant("INFINITE", "-1", "").Remark("O'Brien's"));
  }

  ExportResult Export(const ExportRequest& request, ExportObserver* observer = nullptr) {
    return ExportDeclarations(cat.store(), path, request, style, observer, message);
  }
  std::string File() const { return test::ReadFileBytes(path); }
  // The export's file and any file on the way to it (named after it).
  int FilesBeside() const {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(path.parent_path()))
      if (e.path().filename().string().rfind(path.filename().string(), 0) == 0) ++n;
    return n;
  }

  test::TestCatalogue cat;
  std::filesystem::path path = cat.dir() / "导出.txt";
  DeclarationStyle style;
  std::string message;
};

ExportRequest All(SyntaxKind target) {
  ExportRequest r;
  r.functions = r.dataTypes = r.constants = true;
  r.target = target;
  return r;
}

TEST(ExportConditions, FixedFieldAndOperatorLists) {
  EXPECT_EQ(ExportFields(ExportKind::Functions),
            (std::vector<std::string>{"名称", "中文名", "库名", "库对应命令", "函数说明", "备注"}));
  EXPECT_EQ(ExportFields(ExportKind::DataTypes), (std::vector<std::string>{"名称", "中文名", "备注"}));
  EXPECT_EQ(ExportFields(ExportKind::Constants), (std::vector<std::string>{"名称", "十六进制值", "十进制值", "备注"}));
  EXPECT_EQ(ExportOperators(), (std::vector<std::string>{"=", ">", "<", ">=", "<=", "!=", "like"}));
}

TEST(ExportConditions, RowFormatQuotesAndRejectsUnknownWords) {
  EXPECT_EQ(ExportConditionRow(ExportKind::Functions, {"库名", "like", "%kernel%"}), "库名 like '%kernel%'");
  EXPECT_EQ(ExportConditionRow(ExportKind::Constants, {"备注", "=", "it's"}), "备注 = 'it''s'");
  EXPECT_EQ(ExportConditionRow(ExportKind::Constants, {"十进制值", ">", ""}), "十进制值 > ''");
  EXPECT_EQ(ExportConditionRow(ExportKind::DataTypes, {"库名", "=", "x"}), "");  // not a data type column
  EXPECT_EQ(ExportConditionRow(ExportKind::Functions, {"名称", "or 1=1 or", "x"}), "");
  EXPECT_EQ(ExportConditionRow(ExportKind::Functions, {"1=1 or 名称", "=", "x"}), "");
}

TEST_F(ExportTest, AllKindsInE) {
  Recorder rec;
  ASSERT_EQ(Export(All(SyntaxKind::E), &rec), ExportResult::Done);
  EXPECT_EQ(message, "导出完毕！");
  EXPECT_EQ(File(),
            ".版本 2\r\n\r\n\r\n"
            ".DLL命令 GetDesktopWindow, 整数型, \"user32\", \"\", , \r\n"
            ".DLL命令 GetTickCount, 整数型, \"kernel32\", \"GetTickCount\", , \r\n"
            ".DLL命令 MessageBeep, 逻辑型, \"user32\", \"MessageBeep\", , \r\n    .参数 uType, 整数型, \r\n"
            "\r\n"
            ".数据类型 EMPTY, \r\n"
            ".数据类型 POINT, \r\n    .成员 x, 整数型, , \r\n"
            "\r\n"
            ".常量 INFINITE, \"-1\", \r\n"
            ".常量 MAX_PATH, \"260\", \r\n");
  EXPECT_EQ(rec.titles, (std::vector<std::string>{"正在导出函数...", "正在导出数据类型...", "正在导出常量..."}));
  EXPECT_EQ(rec.progress, (std::vector<int>{0, 33, 66, 100, 0, 50, 100, 0, 50, 100}));
}

TEST_F(ExportTest, AllKindsInCSharpWithRemarks) {
  style.insertRemarks = true;
  style.isPublic = true;
  ASSERT_EQ(Export(All(SyntaxKind::CSharp)), ExportResult::Done);
  EXPECT_EQ(
      File(),
      "[DllImport(\"user32\")]\r\npublic static extern int GetDesktopWindow();\r\n"
      "[DllImport(\"kernel32\", EntryPoint = \"GetTickCount\")]\r\npublic static extern int GetTickCount();\r\n"
      "[DllImport(\"user32\", EntryPoint = \"MessageBeep\")]\r\npublic static extern bool MessageBeep(int uType);\r\n"
      "\r\n"
      "[StructLayout(LayoutKind.Sequential)]\r\npublic struct EMPTY\r\n{}\r\n"
      "[StructLayout(LayoutKind.Sequential)]\r\npublic struct POINT\r\n{\tpublic int x;\r\n}\r\n"
      "\r\n"
      "/// <summary>\r\n///O'Brien's\r\n/// </summary>\r\nINFINITE = -1,\r\n"
      "/// <summary>\r\n///路径\r\n/// </summary>\r\nMAX_PATH = 260,\r\n");
}

TEST_F(ExportTest, FunctionsOnlyInVbEndWithOneEmptyLine) {
  ExportRequest r;
  r.functions = true;
  r.target = SyntaxKind::Vb;
  ASSERT_EQ(Export(r), ExportResult::Done);
  EXPECT_EQ(
      File(),
      "Private Declare Function GetDesktopWindow Lib \"user32\" () As Long\r\n"
      "Private Declare Function GetTickCount Lib \"kernel32\" Alias \"GetTickCount\" () As Long\r\n"
      "Private Declare Function MessageBeep Lib \"user32\" Alias \"MessageBeep\" (ByVal uType As Long) As Long\r\n"
      "\r\n");
}

TEST_F(ExportTest, ConstantsOnlyInEHaveNoEmptyLineAtTheEnd) {
  ExportRequest r;
  r.constants = true;
  r.target = SyntaxKind::E;
  ASSERT_EQ(Export(r), ExportResult::Done);
  EXPECT_EQ(File(), ".版本 2\r\n\r\n\r\n.常量 INFINITE, \"-1\", \r\n.常量 MAX_PATH, \"260\", \r\n");
}

TEST_F(ExportTest, OneAndTwoConditions) {
  ExportRequest r;
  r.functions = true;
  r.target = SyntaxKind::Vb;
  r.functionConditions = {{"库名", "=", "user32"}};
  Recorder rec;
  ASSERT_EQ(Export(r, &rec), ExportResult::Done);
  EXPECT_EQ(
      File(),
      "Private Declare Function GetDesktopWindow Lib \"user32\" () As Long\r\n"
      "Private Declare Function MessageBeep Lib \"user32\" Alias \"MessageBeep\" (ByVal uType As Long) As Long\r\n"
      "\r\n");
  EXPECT_EQ(rec.progress, (std::vector<int>{0, 50, 100}));

  r.functionConditions.push_back({"名称", "like", "Message%"});
  Recorder one;
  ASSERT_EQ(Export(r, &one), ExportResult::Done);
  EXPECT_EQ(
      File(),
      "Private Declare Function MessageBeep Lib \"user32\" Alias \"MessageBeep\" (ByVal uType As Long) As Long\r\n"
      "\r\n");
  EXPECT_EQ(one.progress, (std::vector<int>{0, 100}));  // one row: straight from 0 to 100
}

TEST_F(ExportTest, ConditionValueWithQuotes) {
  ExportRequest r;
  r.constants = true;
  r.target = SyntaxKind::Vb;
  r.constantConditions = {{"备注", "=", "O'Brien's"}};
  ASSERT_EQ(Export(r), ExportResult::Done);
  EXPECT_EQ(File(), "Private Const INFINITE = -1\r\n");
  r.constantConditions = {{"备注", "=", "x' or '1'='1"}};
  ASSERT_EQ(Export(r), ExportResult::Done);
  EXPECT_EQ(File(), "");
}

TEST_F(ExportTest, NoMatchingRows) {
  ExportRequest r = All(SyntaxKind::Vb);
  r.functionConditions = {{"名称", "=", "none"}};
  r.dataTypeConditions = {{"名称", "=", "none"}};
  r.constantConditions = {{"名称", "=", "none"}};
  Recorder rec;
  ASSERT_EQ(Export(r, &rec), ExportResult::Done);
  EXPECT_EQ(File(), "\r\n\r\n");
  EXPECT_EQ(rec.progress, (std::vector<int>{0, 0, 0}));
}

// A section that fails, an export that is stopped, a read that fails part
// way: the older file keeps its bytes, and nothing is left beside it.
TEST_F(ExportTest, InvalidConditionFailsItsSectionAndKeepsTheOlderFile) {
  test::WriteFileBytes(path, "older");
  ExportRequest r = All(SyntaxKind::Vb);
  r.functionConditions = {{"名称", "=", "GetTickCount"}};
  r.dataTypeConditions = {{"名称", "=", "POINT"}, {"库名", "=", "x"}};  // no such data type column
  Recorder rec;
  ASSERT_EQ(Export(r, &rec), ExportResult::Failed);
  EXPECT_EQ(message.rfind("导出数据类型失败！\r\n", 0), 0u);
  EXPECT_GT(message.size(), std::string("导出数据类型失败！\r\n").size());  // the database's words follow
  EXPECT_EQ(File(), "older");
  EXPECT_EQ(FilesBeside(), 1);
  EXPECT_EQ(rec.titles, (std::vector<std::string>{"正在导出函数..."}));
}

TEST_F(ExportTest, StopMidwayKeepsTheOlderFile) {
  test::WriteFileBytes(path, "older");
  Recorder rec;
  rec.stopAfter = 2;
  ASSERT_EQ(Export(All(SyntaxKind::E), &rec), ExportResult::Stopped);
  EXPECT_EQ(message, "");
  EXPECT_EQ(File(), "older");
  EXPECT_EQ(FilesBeside(), 1);
  EXPECT_EQ(rec.titles.size(), 1u);
  // With no older file, a stopped export leaves none.
  std::filesystem::remove(path);
  rec.asked = 0;
  ASSERT_EQ(Export(All(SyntaxKind::E), &rec), ExportResult::Stopped);
  EXPECT_FALSE(std::filesystem::exists(path));
}

// What a killed export left of its target is removed by the next one;
// other files are not.
TEST_F(ExportTest, LeftoversOfAKilledExportAreRemoved) {
  const std::filesystem::path leftover = cat.dir() / "导出.txt.tmp0123abcd";
  const std::filesystem::path other = cat.dir() / "其他.txt.tmp0123abcd";
  test::WriteFileBytes(leftover, "partial");
  test::WriteFileBytes(other, "theirs");
  ASSERT_EQ(Export(All(SyntaxKind::E)), ExportResult::Done);
  EXPECT_FALSE(std::filesystem::exists(leftover));
  EXPECT_EQ(test::ReadFileBytes(other), "theirs");
  EXPECT_EQ(FilesBeside(), 1);
}

TEST_F(ExportTest, ReadFailingPartWayEndsTheExport) {
  cat.Run("alter table 函数表 rename to 函数原表");
  cat.Run(
      "create view 函数表 as select * from 函数原表 where "
      "case when 名称='GetTickCount' then abs(-9223372036854775807-1) else 1 end");
  ExportRequest r;
  r.functions = true;
  ASSERT_EQ(Export(r), ExportResult::Failed);
  EXPECT_EQ(message, "导出函数失败！\r\ninteger overflow");
  EXPECT_FALSE(std::filesystem::exists(path));
}

// The catalogue itself, under its own name or through a link, and its
// journal files are never opened for writing.
TEST_F(ExportTest, ExportOntoTheCatalogueIsRefused) {
  const std::filesystem::path db = cat.file();
  const std::string bytes = test::ReadFileBytes(db);
  const std::filesystem::path link = cat.dir() / "link.db";
  std::error_code ec;
  std::filesystem::create_symlink(db, link, ec);
  for (const std::filesystem::path& p : {db, cat.dir() / "." / "data.db", link, cat.dir() / "data.db-journal",
                                         cat.dir() / "data.db-wal", cat.dir() / "." / "data.db-shm"}) {
    if (p == link && ec) continue;  // no links here
    path = p;
    ASSERT_EQ(Export(All(SyntaxKind::Vb)), ExportResult::Failed) << p;
    EXPECT_EQ(message, "导出文件不能是正在使用的数据库文件！");
    EXPECT_EQ(test::ReadFileBytes(db), bytes);
  }
}

TEST_F(ExportTest, NothingChosenCreatesNoFile) {
  ExportRequest r;
  r.target = SyntaxKind::E;
  ASSERT_EQ(Export(r), ExportResult::NothingChosen);
  EXPECT_EQ(message, "请至少选择要导出的 【函数】、【数据类型】 或 【常量】 的其中一种！");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ExportTest, FileThatCannotBeCreatedIsReported) {
  path = cat.dir() / "missing" / "out.txt";
  ASSERT_EQ(Export(All(SyntaxKind::E)), ExportResult::Failed);
  EXPECT_EQ(message.rfind("创建导出文件失败！\r\n", 0), 0u);
  EXPECT_GT(message.size(), std::string("创建导出文件失败！\r\n").size());
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ExportTest, ExistingFileIsReplaced) {
  test::WriteFileBytes(path, std::string(5000, 'x'));
  ExportRequest r;
  r.constants = true;
  r.target = SyntaxKind::CSharp;
  ASSERT_EQ(Export(r), ExportResult::Done);
  EXPECT_EQ(File(), "INFINITE = -1,\r\nMAX_PATH = 260,\r\n");
}

TEST_F(ExportTest, WriteFailureIsReported) {
#ifdef _WIN32
  GTEST_SKIP() << "no file size limit to set";
#else
  // A file size limit makes the writes fail as a full disk would.
  test::WriteFileBytes(path, "older");
  struct rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 16;
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const ExportResult result = Export(All(SyntaxKind::Vb));
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  ASSERT_EQ(result, ExportResult::Failed);
  EXPECT_EQ(message.rfind("写入导出文件失败！\r\n", 0), 0u);
  EXPECT_EQ(File(), "older");
  EXPECT_EQ(FilesBeside(), 1);
#endif
}

}  // namespace
}  // namespace declarium
