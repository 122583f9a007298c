#include "model/Startup.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <vector>

#include "store/CatalogueStore.h"
#include "support/TempDir.h"

namespace declarium {
namespace {

struct Shown {
  std::string text;
  int style;
  std::string caption;
};

class ScriptedMessages : public StartupMessages {
 public:
  explicit ScriptedMessages(int answer) : answer_(answer) {}
  int MessageBox(const std::string& text, int style, const std::string& caption) override {
    shown.push_back({text, style, caption});
    return answer_;
  }
  std::vector<Shown> shown;

 private:
  int answer_;
};

constexpr int kYes = 5, kNo = 6;

int TableCount(CatalogueStore& store) {
  return store.QueryInt("select count(*) from sqlite_master where type='table' and name not like 'sqlite%'", -1);
}

TEST(Startup, MissingFileAndNoLeavesNoFile) {
  test::TempDir dir;
  CatalogueStore store;
  ScriptedMessages messages(kNo);
  EXPECT_EQ(OpenCatalogueAtStartup(store, (dir / "data.db").string(), messages), StartupOutcome::Declined);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "数据库文件丢失，是否新建一个数据库！");
  EXPECT_EQ(messages.shown[0].style, 0x34);
  EXPECT_EQ(messages.shown[0].caption, "警告：");
  EXPECT_FALSE(std::filesystem::exists(dir / "data.db"));
  EXPECT_FALSE(store.IsOpen());
}

TEST(Startup, MissingFileAndYesCreatesTheSchemaAndTheNextStartAsksNothing) {
  test::TempDir dir;
  const std::string file = (dir / "data.db").string();
  {
    CatalogueStore store;
    ScriptedMessages messages(kYes);
    EXPECT_EQ(OpenCatalogueAtStartup(store, file, messages), StartupOutcome::Opened);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(TableCount(store), 6);
    EXPECT_EQ(store.QueryInt("select count(*) from sqlite_master where type='index'", -1), 3);
  }
  CatalogueStore store;
  ScriptedMessages messages(kNo);
  EXPECT_EQ(OpenCatalogueAtStartup(store, file, messages), StartupOutcome::Opened);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(Startup, AnyAnswerButNoGoesOn) {
  test::TempDir dir;
  CatalogueStore store;
  ScriptedMessages messages(1);  // Cancel, as a closed box answers
  EXPECT_EQ(OpenCatalogueAtStartup(store, (dir / "data.db").string(), messages), StartupOutcome::Opened);
  EXPECT_TRUE(std::filesystem::exists(dir / "data.db"));
}

// An existing file is never changed: one without the tables is said to be no
// catalogue, and the program ends.
TEST(Startup, ExistingFileThatIsNoCatalogueIsReportedAndLeftAlone) {
  test::TempDir dir;
  test::WriteFileBytes(dir / "data.db", "");
  CatalogueStore store;
  ScriptedMessages messages(kYes);
  EXPECT_EQ(OpenCatalogueAtStartup(store, (dir / "data.db").string(), messages), StartupOutcome::NotACatalogue);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text.rfind("数据库文件不是API数据库", 0), 0u) << messages.shown[0].text;
  EXPECT_FALSE(store.IsOpen());
  EXPECT_EQ(test::ReadFileBytes(dir / "data.db"), "");
}

TEST(Startup, FileThatCannotBeMadeIsReported) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "data.db");  // a folder where the file should be
  CatalogueStore store;
  ScriptedMessages messages(kYes);
  EXPECT_EQ(OpenCatalogueAtStartup(store, (dir / "data.db").string(), messages), StartupOutcome::CreateFailed);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "新建数据库失败！");
  EXPECT_EQ(messages.shown[1].style, 0x10);
  EXPECT_EQ(messages.shown[1].caption, "");
  EXPECT_FALSE(store.IsOpen());
}

#ifndef _WIN32
// Writing the schema fails when the process may not grow any file: the file
// is created (empty) but its tables cannot be written. Run in a child so the
// limit does not reach the test runner.
TEST(Startup, SchemaThatCannotBeWrittenIsReportedWithTheDatabaseText) {
  test::TempDir dir;
  const std::string file = (dir / "data.db").string();
  const std::string report = (dir / "report.txt").string();
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    CatalogueStore store;
    ScriptedMessages messages(kYes);
    // The report file is opened before the limit so it can still be written.
    FILE* out = fopen(report.c_str(), "wb");
    rlimit limit{0, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
    StartupOutcome outcome = OpenCatalogueAtStartup(store, file, messages);
    limit.rlim_cur = RLIM_INFINITY;
    setrlimit(RLIMIT_FSIZE, &limit);
    if (out != nullptr && messages.shown.size() == 2) {
      fprintf(out, "%d\n%d\n%s", static_cast<int>(outcome), messages.shown[1].style, messages.shown[1].text.c_str());
      fclose(out);
    }
    _exit(store.IsOpen() ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::string text = test::ReadFileBytes(report);
  std::string expectedHead =
      std::to_string(static_cast<int>(StartupOutcome::SchemaFailed)) + "\n16\n" + std::string("创建表失败！\r\n");
  ASSERT_GE(text.size(), expectedHead.size());
  EXPECT_EQ(text.substr(0, expectedHead.size()), expectedHead);
  EXPECT_GT(text.size(), expectedHead.size()) << "the database's error text follows";
  EXPECT_TRUE(std::filesystem::exists(file));
}
#endif  // a file-size limit needs setrlimit

}  // namespace
}  // namespace declarium
