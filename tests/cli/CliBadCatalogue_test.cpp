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
  std::string openError;    // what every command says when the file is no catalogue
  std::string importError;  // what follows "添加失败！" for a catalogue that opens
};

std::vector<BadCatalogue> Cases() {
  const std::string notCatalogue = "cannot open the catalogue data.db: not a catalogue, it lacks the tables ";
  const std::string allTables = "函数表、函数参数表、数据类型表、数据类型成员表、常量表、类别表";
  return {
      {"empty file", [](const fs::path& d) { WriteFileBytes(d / "data.db", ""); }, false, notCatalogue + allTables, ""},
      {"another program's database",
       [](const fs::path& d) {
         CatalogueStore store;
         ASSERT_TRUE(store.OpenPath(d / "data.db", true));
         ASSERT_TRUE(store.Exec("create table t(x integer primary key, y text); insert into t(y) values('theirs')"));
       },
       false, notCatalogue + allTables, ""},
      {"one table missing",
       [](const fs::path& d) {
         MakeCatalogue(d);
         Sql(d / "data.db", "drop table 常量表");
       },
       false, notCatalogue + "常量表", ""},
#ifndef _WIN32  // Wine runs as root and checks no permissions
      {"read-only file",
       [](const fs::path& d) {
         MakeCatalogue(d);
         OpenToEveryone(d);
         ReadOnlyForEveryone(d / "data.db");
       },
       true, "", "attempt to write a readonly database"},
      {"read-only folder",
       [](const fs::path& d) {
         MakeCatalogue(d);
         fs::permissions(d / "data.db", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                            fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
         ReadOnlyForEveryone(d);
       },
       true, "", "attempt to write a readonly database"},
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
    const std::string outFile = (out / "out.txt").string();
    const std::vector<std::vector<std::string>> commands = {
        {"list", "functions"},
        {"list", "types"},
        {"list", "constants"},
        {"list", "categories"},
        {"stats"},
        {"declare", "function", "Old"},
        {"page", "type", "OLDTYPE"},
        {"import", "--from", "vb"},
        {"export", "--output", outFile, "--functions", "--types", "--constants"}};
    for (const std::vector<std::string>& args : commands) {
      CliResult r = RunCliAs(c.unprivileged, dir.path(), args, kImport);
      if (!c.openError.empty()) {
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_EQ(r.err, c.openError + "\n") << args[0];
      } else if (args[0] == "import") {
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "添加失败！\n" + c.importError + "\n");
        EXPECT_TRUE(r.out.empty()) << r.out;
      } else {
        EXPECT_EQ(r.exitCode, 0) << args[0] << ": " << r.err;
      }
    }
    if (c.openError.empty()) {
      EXPECT_TRUE(Contains(GbkToUtf8(ReadFileBytes(out / "out.txt")), ".常量 OLD_CONST, \"1\""));
    } else {
      EXPECT_FALSE(fs::exists(out / "out.txt"));
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
// SQLite: it then lacks the tables. Either way the bytes stay as they were.
TEST(CliBadCatalogueTest, RandomBytesAreNoCatalogue) {
  std::mt19937 gen(20240611);
  for (size_t size : {size_t{1}, size_t{99}, size_t{512}, size_t{4096}, size_t{65536}}) {
    SCOPED_TRACE(size);
    TempDir dir;
    std::string junk(size, '\0');
    for (char& ch : junk) ch = static_cast<char>(gen());
    WriteFileBytes(dir / "data.db", junk);
    const std::string verdict = IntegrityCheck(dir / "data.db");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"list", "constants"},
                                                 {"declare", "constant", "A"},
                                                 {"import", "--from", "vb"},
                                                 {"export", "--output", "out.txt", "--constants"}}) {
      CliResult r = RunCli(dir.path(), args, kImport);
      EXPECT_EQ(r.exitCode, 1) << args[0];
      if (size >= 512) {
        EXPECT_EQ(r.err, "cannot open the catalogue data.db: file is not a database\n") << args[0];
      } else {
        EXPECT_TRUE(Contains(r.err, "file is not a database") || Contains(r.err, "not a catalogue"))
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
