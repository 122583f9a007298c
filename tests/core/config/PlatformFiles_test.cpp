// The places where the core meets the file system: the program's own folder
// and files whose names are not ASCII. On Windows these go through the wide
// character interfaces, so the same tests check both platforms' code.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/FileReplace.h"
#include "config/SettingsFile.h"
#include "output/Export.h"
#include "store/CatalogueStore.h"
#include "store/Schema.h"
#include "support/Entries.h"
#include "support/TempDir.h"
#include "text/Gbk.h"

namespace declarium {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

#ifdef _WIN32
constexpr const char* kTestProgram = "core_tests.exe";
#else
constexpr const char* kTestProgram = "core_tests";
#endif

// A folder name with Chinese characters and a space, made from UTF-8 so that
// it does not depend on the execution character set.
fs::path ChineseName(const char8_t* utf8) { return fs::path(std::u8string(utf8)); }

class CurrentDirectory {
 public:
  explicit CurrentDirectory(const fs::path& to) : old_(fs::current_path()) { fs::current_path(to); }
  ~CurrentDirectory() { fs::current_path(old_); }

 private:
  fs::path old_;
};

TEST(ProgramDirectory, IsTheFolderOfTheProgramNotTheWorkingDirectory) {
  TempDir elsewhere;
  const CurrentDirectory cd(elsewhere.path());
  const fs::path dir = ProgramDirectory();
  EXPECT_TRUE(dir.is_absolute()) << dir;
  EXPECT_TRUE(fs::exists(dir / kTestProgram)) << dir;
  EXPECT_NE(fs::canonical(dir), fs::canonical(elsewhere.path()));
  EXPECT_EQ(ConfigFilePath(), dir / "Config.ini");
}

TEST(ChinesePaths, ConfigFileIsWrittenAndReadBack) {
  TempDir dir;
  const fs::path folder = dir.path() / ChineseName(u8"设置 目录");
  fs::create_directory(folder);
  ProfileFile file(folder / "Config.ini");
  ASSERT_TRUE(file.Write("Setings", "API名称前缀", "前缀"));
  EXPECT_EQ(file.Read("Setings", "API名称前缀", ""), "前缀");
  std::string bytes;
  ASSERT_EQ(ReadWholeFile(folder / "Config.ini", bytes), FileRead::Read);
  EXPECT_EQ(bytes, "[Setings]\r\nAPI名称前缀=前缀\r\n");
  // Replacing leaves no temporary file behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST(ChinesePaths, CatalogueOpensByPathAndByGbkName) {
  TempDir dir;
  const fs::path file = dir.path() / ChineseName(u8"目录") / ChineseName(u8"数据.db");
  fs::create_directory(file.parent_path());
  {
    CatalogueStore store;
    ASSERT_TRUE(store.OpenPath(file, true));
    std::string error;
    ASSERT_TRUE(CreateSchema(store, error)) << error;
    test::Entries(store).Constant(test::NewConstant("常量").Decimal("1"));
  }
  ASSERT_TRUE(fs::is_regular_file(file));
  // The start-up opens by a GBK name; it must reach the same file.
  const std::u8string utf8 = file.u8string();
  CatalogueStore store;
  ASSERT_TRUE(store.Open(Utf8ToGbk(std::string(utf8.begin(), utf8.end())), false));
  EXPECT_EQ(store.QueryText("select 名称 from 常量表"), "常量");
}

TEST(ChinesePaths, ExportWritesGbkWithCrLf) {
  TempDir dir;
  CatalogueStore store;
  ASSERT_TRUE(store.OpenPath(dir / "data.db", true));
  std::string error;
  ASSERT_TRUE(CreateSchema(store, error)) << error;
  test::Entries(store).Constant(test::NewConstant("最大路径").Decimal("260").Remark("路径"));
  const fs::path out = dir.path() / ChineseName(u8"导出 文件.txt");
  ExportRequest request;
  request.constants = true;
  std::string message;
  ASSERT_EQ(ExportDeclarations(store, out, request, DeclarationStyle(), nullptr, message), ExportResult::Done)
      << message;
  std::string bytes;
  ASSERT_EQ(ReadWholeFile(out, bytes), FileRead::Read);
  EXPECT_NE(bytes.find("最大路径"), std::string::npos);
  ASSERT_NE(bytes.find('\n'), std::string::npos);
  for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
    EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a line without CR at " << i;
  }
}

}  // namespace
}  // namespace declarium
