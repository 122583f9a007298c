// Every command over catalogues that are broken, foreign or read-only: each
// fails with its own words and the database's error, nothing crashes, and
// the file keeps its bytes (and its integrity) unless a command succeeded.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "cli/CliRunner.h"
#include "store/CatalogueStore.h"
#include "text/Gbk.h"

namespace declarium::test {
namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const char kImport[] =
    "Private Declare Function NewOne Lib \"k\" () As Long\n"
    "Public Type NEWTYPE\n    a As Long\nEnd Type\n"
    "Public Const NEW_CONST = 7\n";

// A good catalogue with one function, one data type and one constant.
void MakeCatalogue(const fs::path& dir) {
  ASSERT_EQ(RunCli(dir, {"init"}).exitCode, 0);
  ASSERT_EQ(RunCli(dir, {"import", "--from", "vb"},
                   "Private Declare Function Old Lib \"k\" (ByVal a As Long) As Long\n"
                   "Public Type OLDTYPE\n    b As Long\nEnd Type\n"
                   "Public Const OLD_CONST = 1\n")
                .exitCode,
            0);
}

void Sql(const fs::path& db, const std::string& utf8) {
  CatalogueStore store;
  ASSERT_TRUE(store.OpenPath(db, false));
  ASSERT_TRUE(store.Exec(Utf8ToGbk(utf8))) << store.ErrorMessage();
}

struct BadCatalogue {
  const char* name;
  std::function<void(const fs::path& dir)> make;
  bool unprivileged;        // read-only cases run the program as an ordinary user
  std::string listError;    // "list functions": empty when it lists "Old"
  std::string importError;  // what follows "添加失败！"
  std::string exportError;  // empty when the export succeeds
};

std::vector<BadCatalogue> Cases() {
  const std::string noFunctions = "no such table: 函数表";
  return {
      {"empty file", [](const fs::path& d) { WriteFileBytes(d / "data.db", ""); }, false, noFunctions,
       noFunctions, "导出函数失败！\n" + noFunctions},
      {"another program's database",
       [](const fs::path& d) {
         CatalogueStore store;
         ASSERT_TRUE(store.OpenPath(d / "data.db", true));
         ASSERT_TRUE(store.Exec("create table t(x integer primary key, y text); insert into t(y) values('theirs')"));
       },
       false, noFunctions, noFunctions, "导出函数失败！\n" + noFunctions},
      {"one table missing",
       [](const fs::path& d) {
         MakeCatalogue(d);
         Sql(d / "data.db", "drop table 常量表");
       },
       false, "", "no such table: 常量表", "导出常量失败！\nno such table: 常量表"},
#ifndef _WIN32  // Wine runs as root and checks no permissions
      {"read-only file",
       [](const fs::path& d) {
         MakeCatalogue(d);
         OpenToEveryone(d);
         ReadOnlyForEveryone(d / "data.db");
       },
       true, "", "attempt to write a readonly database", ""},
      {"read-only folder",
       [](const fs::path& d) {
         MakeCatalogue(d);
         fs::permissions(d / "data.db", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                            fs::perms::group_write | fs::perms::others_read |
                                            fs::perms::others_write);
         ReadOnlyForEveryone(d);
       },
       true, "", "attempt to write a readonly database", ""},
#endif
  };
}

TEST(CliBadCatalogueTest, EveryCommandReportsAndLeavesTheFileAlone) {
  for (const BadCatalogue& c : Cases()) {
    SCOPED_TRACE(c.name);
    TempDir dir, out;
    OpenToEveryone(out.path());
    c.make(dir.path());
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    const fs::path db = dir / "data.db";
    const std::string bytes = ReadFileBytes(db);
    const std::string verdict = IntegrityCheck(db);
    ASSERT_EQ(verdict, "ok");
    auto run = [&](const std::vector<std::string>& args, const std::string& in = "") {
      CliResult r = RunCliAs(c.unprivileged, dir.path(), args, in);
      EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1) << args[0] << " exit " << r.exitCode << ": " << r.err;
      return r;
    };

    CliResult r = run({"list", "functions"});
    if (c.listError.empty()) {
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(r.out, "Old\n");
    } else {
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_EQ(r.err, "获取数据错误！\n" + c.listError + "\n");
    }
    for (const char* which : {"types", "constants", "categories"}) {
      r = run({"list", which});
      EXPECT_TRUE(r.exitCode == 0 || Contains(r.err, "获取数据错误！\nno such table")) << which << r.err;
    }
    r = run({"stats"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    r = run({"declare", "function", "Old"});
    EXPECT_TRUE(r.exitCode == 0 || Contains(r.err, "获取数据错误！\nno such table")) << r.err;
    r = run({"page", "type", "OLDTYPE"});
    EXPECT_TRUE(r.exitCode == 0 || Contains(r.err, "获取数据错误！\nno such table")) << r.err;

    r = run({"import", "--from", "vb"}, kImport);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "添加失败！\n" + c.importError + "\n");
    EXPECT_TRUE(r.out.empty()) << r.out;

    r = run({"export", "--output", (out / "out.txt").string(), "--functions", "--types", "--constants"});
    if (c.exportError.empty()) {
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(r.out, "导出完毕！\n");
      EXPECT_TRUE(Contains(GbkToUtf8(ReadFileBytes(out / "out.txt")), ".常量 OLD_CONST, \"1\""));
    } else {
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_EQ(r.err, c.exportError + "\n");
    }

    EXPECT_EQ(ReadFileBytes(db), bytes) << "the catalogue changed";
    EXPECT_EQ(IntegrityCheck(db), verdict);
    // No journal or other file is left beside the catalogue.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);
  }
}

// Bytes that are no database are refused at opening by every command that
// needs the catalogue. A file of a byte or so is an empty database to
// SQLite: the commands then find no tables. Either way the bytes
// stay as they were.
TEST(CliBadCatalogueTest, RandomBytesAreNoCatalogue) {
  std::mt19937 gen(20240611);
  for (size_t size : {size_t{1}, size_t{99}, size_t{512}, size_t{4096}, size_t{65536}}) {
    SCOPED_TRACE(size);
    TempDir dir;
    std::string junk(size, '\0');
    for (char& ch : junk) ch = static_cast<char>(gen());
    WriteFileBytes(dir / "data.db", junk);
    const std::string verdict = IntegrityCheck(dir / "data.db");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"list", "constants"}, {"declare", "constant", "A"},
          {"import", "--from", "vb"}, {"export", "--output", "out.txt", "--constants"}}) {
      CliResult r = RunCli(dir.path(), args, kImport);
      EXPECT_EQ(r.exitCode, 1) << args[0];
      if (size >= 512) {
        EXPECT_EQ(r.err, "cannot open the catalogue data.db: file is not a database\n") << args[0];
      } else {
        EXPECT_TRUE(Contains(r.err, "file is not a database") || Contains(r.err, "no such table: "))
            << args[0] << ": " << r.err;
      }
    }
    EXPECT_EQ(ReadFileBytes(dir / "data.db"), junk);
    EXPECT_EQ(IntegrityCheck(dir / "data.db"), verdict);
    if (Contains(IntegrityCheck(dir / "data.db"), "not a database")) {
      EXPECT_FALSE(fs::exists(dir / "out.txt"));
    }
  }
}

// The control: on a writable catalogue the same import succeeds and changes
// the file, which still passes the check.
TEST(CliBadCatalogueTest, AGoodCatalogueTakesTheImport) {
  TempDir dir;
  MakeCatalogue(dir.path());
  const std::string bytes = ReadFileBytes(dir / "data.db");
  CliResult r = RunCli(dir.path(), {"import", "--from", "vb"}, kImport);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(ReadFileBytes(dir / "data.db"), bytes);
  EXPECT_EQ(IntegrityCheck(dir / "data.db"), "ok");
  EXPECT_EQ(RunCli(dir.path(), {"list", "functions"}).out, "NewOne\nOld\n");
}

}  // namespace
}  // namespace declarium::test
