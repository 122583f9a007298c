// A large import or export killed outright (SIGKILL, or TerminateProcess on
// Windows: no handler, no cleanup) at several moments: the catalogue
// afterwards passes the integrity check and holds exactly what it held
// before, and the export's file is the older one until the new one is
// complete.
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#endif

#include "cli/CliRunner.h"
#include "store/CatalogueStore.h"
#include "text/Gbk.h"

namespace declarium::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void FillCatalogue(const fs::path& db, int functions, int constants) {
  CatalogueStore store;
  ASSERT_TRUE(store.OpenPath(db, false));
  const std::string rows = "with recursive n(i) as (select 1 union all select i + 1 from n where i < ";
  ASSERT_TRUE(store.Exec(Utf8ToGbk(
      rows + std::to_string(functions) +
      ") insert into 函数表(名称,返回值类型,库名,库对应命令,导入语言) "
      "select printf('Fn%06d', i),'Long','kernel32',printf('Fn%06d', i),2 from n;" +
      rows + std::to_string(functions) +
      ") insert into 函数参数表(名称,数据类型,数组,传址,所属函数) select 'value','Long',0,0,i from n;" + rows +
      std::to_string(constants) +
      ") insert into 常量表(名称,十进制值,十六进制值) select printf('K%06d', i),i,printf('&H%X', i) from n;")))
      << store.ErrorMessage();
}

// Starts the command, kills it after delay (or once it has ended) and reaps it.
// True when the kill came before the process ended by itself.
bool KilledAfter(const fs::path& dir, const std::vector<std::string>& args, Clock::duration delay) {
  const int pid = StartCli(dir, args, {});
  EXPECT_GT(pid, 0);
  std::this_thread::sleep_for(delay);
  KillCli(pid);
  return WaitCli(pid) == -1;
}

TEST(CliCrashTest, KilledImportLeavesTheCatalogueAsItWas) {
  CliCatalogue cat;
  FillCatalogue(cat.file("data.db"), 500, 500);
  std::string text;
  for (int i = 0; i < 8000; ++i) {
    const std::string n = std::to_string(i);
    text += "Private Declare Function New" + n + " Lib \"user32\" (ByVal a As Long, b As Any) As Long\n";
    text += "Public Type T" + n + "\n    x As Long\n    y As Long\nEnd Type\n";
    text += "Public Const NEW_" + n + " = &H" + n + "\n";
  }
  WriteFileBytes(cat.file("big.bas"), text);
  const std::string before = CatalogueListing(cat.dir());
  TempDir copy;
  fs::copy_file(cat.file("data.db"), copy / "before.db");

  // How long the whole import takes here, on a copy.
  fs::copy_file(cat.file("data.db"), copy / "data.db");
  WriteFileBytes(copy / "big.bas", text);
  const auto start = Clock::now();
  ASSERT_EQ(RunCli(copy.path(), {"import", "--from", "vb", "big.bas"}).exitCode, 0);
  const auto whole = Clock::now() - start;
  const std::string after = CatalogueListing(copy.path());

  // Kills at several moments of the measured time; a kill that came after the
  // commit (the machine was slower than when measured) makes the later ones
  // come sooner, so that at least three land inside the import.
  int midway = 0;
  double scale = 1.0;
  const double parts[] = {0.15, 0.4, 0.65, 0.9, 0.3, 0.5, 0.1, 0.7, 0.2, 0.05};
  for (double part : parts) {
    if (midway >= 3) break;
    SCOPED_TRACE(part * scale);
    const bool killed = KilledAfter(cat.dir(), {"import", "--from", "vb", "big.bas"},
                                    std::chrono::duration_cast<Clock::duration>(whole * (part * scale)));
    EXPECT_EQ(IntegrityCheck(cat.file("data.db")), "ok");
    const std::string now = CatalogueListing(cat.dir());
    if (now == after) {
      // The kill came after the commit: start again from the old catalogue.
      fs::copy_file(copy / "before.db", cat.file("data.db"), fs::copy_options::overwrite_existing);
      scale /= 2;
      continue;
    }
    EXPECT_EQ(now, before);
    if (killed) ++midway;
  }
  EXPECT_GE(midway, 3) << "the kills came too late to test anything";
  // The catalogue still takes the whole import.
  CliResult r = RunCli(cat.dir(), {"import", "--from", "vb", "big.bas"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(CatalogueListing(cat.dir()), after);
}

TEST(CliCrashTest, KilledExportLeavesTheOlderFile) {
  CliCatalogue cat;
  FillCatalogue(cat.file("data.db"), 30000, 30000);
  const std::string before = CatalogueListing(cat.dir());
  const std::vector<std::string> args = {"--syntax", "vb",          "export",     "--output",
                                         "out.txt",  "--functions", "--constants"};
  const auto start = Clock::now();
  ASSERT_EQ(RunCli(cat.dir(), args).exitCode, 0);
  const auto whole = Clock::now() - start;
  const std::string complete = ReadFileBytes(cat.file("out.txt"));
  ASSERT_GT(complete.size(), 1000000u);

  // A kill that came after the end (the machine was faster than measured)
  // makes the later ones come sooner.
  int killed = 0;
  double scale = 1.0;
  for (double part : {0.3, 0.5, 0.7, 0.9, 0.4, 0.6, 0.2, 0.1}) {
    if (killed >= 2) break;
    SCOPED_TRACE(part * scale);
    WriteFileBytes(cat.file("out.txt"), "older");
    if (!KilledAfter(cat.dir(), args, std::chrono::duration_cast<Clock::duration>(whole * (part * scale)))) {
      scale /= 2;
      continue;
    }
    ++killed;
    EXPECT_EQ(ReadFileBytes(cat.file("out.txt")), "older");
  }
  EXPECT_GE(killed, 2) << "the kills missed the export";

#ifndef _WIN32
  // What a kill would leave at many more moments: the export is stopped
  // (SIGSTOP lets a write in progress finish, as SIGKILL does), its file is
  // looked at, and it goes on. The file is the older one until the new one
  // is complete. An export over before 20 looks is run again with shorter
  // steps between them.
  int looks = 0;
  for (auto step = whole / 40; looks < 20 && step > std::chrono::microseconds(10); step /= 4) {
    WriteFileBytes(cat.file("out.txt"), "older");
    const int pid = StartCli(cat.dir(), args, "/dev/null");
    ASSERT_GT(pid, 0);
    for (looks = 0;; ++looks) {
      std::this_thread::sleep_for(step);
      kill(pid, SIGSTOP);
      int status = 0;
      ASSERT_EQ(waitpid(pid, &status, WUNTRACED), pid);
      if (!WIFSTOPPED(status)) break;  // it had ended
      const std::string now = ReadFileBytes(cat.file("out.txt"));
      EXPECT_TRUE(now == "older" || now == complete) << now.size();
      kill(pid, SIGCONT);
    }
  }
  EXPECT_GE(looks, 20);
#else
  EXPECT_EQ(RunCli(cat.dir(), args).exitCode, 0);
#endif
  EXPECT_EQ(ReadFileBytes(cat.file("out.txt")), complete);
  // The unfinished files of the killed exports went with the next one.
  for (const auto& e : fs::directory_iterator(cat.dir())) {
    EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
  }
  // Reading never changes the catalogue.
  EXPECT_EQ(IntegrityCheck(cat.file("data.db")), "ok");
  EXPECT_EQ(CatalogueListing(cat.dir()), before);
}

}  // namespace
}  // namespace declarium::test
