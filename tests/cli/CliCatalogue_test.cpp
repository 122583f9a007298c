// init, stats, list, and what every command does without a catalogue.
#include <gtest/gtest.h>

#include <cstdlib>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "cli/CliRunner.h"
#include "store/CatalogueStore.h"
#include "support/Entries.h"
#include "text/Gbk.h"

namespace declarium::test {
namespace {

TEST(CliInitTest, CreatesTheSchemaOnceAndNeverOverwrites) {
  TempDir dir;
  CliResult r = RunCli(dir.path(), {"init"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "data.db"));
  r = RunCli(dir.path(), {"stats"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "函数：0个\n数据类型：0个\n常量：0个\n");

  // A second init fails and leaves the file as it was.
  RunCli(dir.path(), {"import", "--from", "vb"}, "Public Const A = 1\n");
  const std::string before = ReadFileBytes(dir / "data.db");
  r = RunCli(dir.path(), {"init"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Contains(r.err, "already exists")) << r.err;
  EXPECT_EQ(ReadFileBytes(dir / "data.db"), before);

  // --db names another file; a folder that does not exist cannot hold one.
  r = RunCli(dir.path(), {"--db", "other.db", "init"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "other.db"));
  r = RunCli(dir.path(), {"--db", "no/such/dir/x.db", "init"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(r.err.empty());
}

TEST(CliMissingCatalogueTest, EveryCommandFailsAndCreatesNothing) {
  TempDir dir;
  WriteFileBytes(dir / "in.txt", "Public Const A = 1\n");
  const std::vector<std::vector<std::string>> commands = {
      {"stats"},
      {"list", "functions"},
      {"list", "categories"},
      {"declare", "function", "A"},
      {"page", "type", "A"},
      {"import", "--from", "vb", "in.txt"},
      {"export", "--output", "out.txt", "--constants"},
  };
  for (const auto& args : commands) {
    CliResult r = RunCli(dir.path(), args);
    EXPECT_EQ(r.exitCode, 1) << args[0];
    EXPECT_TRUE(Contains(r.err, "cannot open the catalogue data.db")) << args[0] << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << args[0];
    EXPECT_FALSE(std::filesystem::exists(dir / "data.db")) << args[0];
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
}

TEST(CliMissingCatalogueTest, AFileThatIsNoCatalogueIsReported) {
  TempDir dir;
  WriteFileBytes(dir / "data.db", std::string(4096, 'x'));
  CliResult r = RunCli(dir.path(), {"stats"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Contains(r.err, "cannot open the catalogue")) << r.err;
  EXPECT_TRUE(r.out.empty());
}

class CliListTest : public ::testing::Test {
 protected:
  CliCatalogue cat;
};

TEST_F(CliListTest, NamesInByteOrderOneALine) {
  cat.Import("vb",
             "Private Declare Function b Lib \"k\" () As Long\n"
             "Private Declare Function 信息 Lib \"k\" () As Long\n"
             "Private Declare Function Ab Lib \"k\" () As Long\n"
             "Private Declare Function A Lib \"k\" () As Long\n"
             "Public Type RECT\n    Left As Long\nEnd Type\n"
             "Public Const WM_USER = &H400 'first user message\n"
             "Public Const MB_OK = 0\n");
  CliResult r = cat.Run({"list", "functions"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "A\nAb\nb\n信息\n");
  r = cat.Run({"list", "types"});
  EXPECT_EQ(r.out, "RECT\n");
  // name, hexadecimal, decimal, remark
  r = cat.Run({"list", "constants"});
  EXPECT_EQ(r.out, "MB_OK\t&H0\t0\t\nWM_USER\t&H400\t1024\tfirst user message\n");
  r = cat.Run({"stats"});
  EXPECT_EQ(r.out, "函数：4个\n数据类型：1个\n常量：2个\n");
  r = cat.Run({"--output-encoding", "gbk", "list", "functions"});
  EXPECT_EQ(r.out, Utf8ToGbk("A\nAb\nb\n信息\n"));
}

TEST_F(CliListTest, Categories) {
  CatalogueStore store;
  ASSERT_TRUE(store.OpenPath(cat.file("data.db"), false));
  Entries add(store, Entries::Text::Utf8);
  add.Category("窗口");
  add.Category("File");
  store.Close();
  CliResult r = cat.Run({"list", "categories"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "File\n窗口\n");
}

TEST_F(CliListTest, WrongWordIsUsageError) {
  CliResult r = cat.Run({"list", "things"});
  EXPECT_EQ(r.exitCode, 2);
  r = cat.Run({"list"});
  EXPECT_EQ(r.exitCode, 2);
  r = cat.Run({});
  EXPECT_EQ(r.exitCode, 2);
  r = cat.Run({"frobnicate"});
  EXPECT_EQ(r.exitCode, 2);
}

TEST_F(CliListTest, BrokenTableIsReported) {
  CatalogueStore store;
  ASSERT_TRUE(store.OpenPath(cat.file("data.db"), false));
  // The second row raises an error when it is read, part way through the rows.
  ASSERT_TRUE(
      store.Exec(Utf8ToGbk("insert into 常量表 (名称) values ('good'),('bad');"
                           "alter table 常量表 rename to 常量原表;"
                           "create view 常量表 as select * from 常量原表 where "
                           "case when 名称='bad' then abs(-9223372036854775807-1) else 1 end")));
  store.Close();
  for (const char* command : {"list", "stats"}) {
    CliResult r = command == std::string("list") ? cat.Run({"list", "constants"}) : cat.Run({"stats"});
    EXPECT_EQ(r.exitCode, 1) << command;
    EXPECT_EQ(r.err, "获取数据错误！\ninteger overflow\n") << command;
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
}

// A row whose reading fails gives the database's error in every command.
TEST_F(CliListTest, ADamagedRowIsReportedWithTheDatabasesError) {
  cat.Import("vb", "Private Declare Function Bad Lib \"k\" () As Long\nPublic Type BAD\n    a As Long\nEnd Type\n");
  CatalogueStore store;
  ASSERT_TRUE(store.OpenPath(cat.file("data.db"), false));
  for (const char* table : {"函数表", "数据类型表"}) {
    // The same columns, but reading 备注 fails.
    const std::string t = table;
    ASSERT_TRUE(store.Exec(Utf8ToGbk("alter table " + t + " rename to 原" + t)));
    const std::string columns = GbkToUtf8(store.QueryText(
        Utf8ToGbk("select group_concat(case name when '备注' then 'abs(-9223372036854775807-1) as 备注' else name end) "
                  "from pragma_table_info('原" +
                  t + "')")));
    ASSERT_TRUE(store.Exec(Utf8ToGbk("create view " + t + " as select " + columns + " from 原" + t)));
  }
  store.Close();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"declare", "function", "Bad"}, {"page", "type", "BAD"}}) {
    CliResult r = cat.Run(args);
    EXPECT_EQ(r.exitCode, 1) << args[0];
    EXPECT_TRUE(Contains(r.err, "！\ninteger overflow\n")) << r.err;
  }
}

#ifndef _WIN32
// Output that cannot be written (a full disk, a closed output) is a failure,
// said on standard error.
TEST_F(CliListTest, OutputThatCannotBeWrittenFails) {
  const std::string vb = "Private Declare Function Sleep Lib \"kernel32\" (ByVal ms As Long) As Long\n";
  cat.Import("vb", vb);
  WriteFileBytes(cat.file("in.txt"), vb);
  const std::string cli = DECLARIUM_CLI_PATH;
  for (const std::string redirect : {"> /dev/full", ">&-"}) {
    for (const std::string command :
         {"list functions", "stats", "page function Sleep", "convert --from vb --to e in.txt", "--help"}) {
      SCOPED_TRACE(command + " " + redirect);
      const std::string err = cat.file("err.txt").string();
      const int status = std::system(
          ("cd '" + cat.dir().string() + "' && '" + cli + "' " + command + " " + redirect + " 2> '" + err + "'")
              .c_str());
      EXPECT_EQ(WEXITSTATUS(status), 1);
      EXPECT_EQ(ReadFileBytes(err).rfind("写入输出失败！\n", 0), 0u) << ReadFileBytes(err);
    }
  }
  // An import's rows are stored though its report is lost, and it says so.
  WriteFileBytes(cat.file("new.txt"), "Public Const NEW_ONE = 1\n");
  const int status = std::system(
      ("cd '" + cat.dir().string() + "' && '" + cli + "' import --from vb new.txt > /dev/full 2> err.txt").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 3);
  EXPECT_TRUE(Contains(ReadFileBytes(cat.file("err.txt")), "已添加，但报告未能写出。"))
      << ReadFileBytes(cat.file("err.txt"));
  EXPECT_EQ(cat.Run({"list", "constants"}).out.rfind("NEW_ONE\t", 0), 0u);
}
#endif

}  // namespace
}  // namespace declarium::test
