#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include "config/ProfileText.h"
#include "config/SettingsFile.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

namespace declarium {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::string Get(const ProfileText& t, std::string_view s, std::string_view k) {
  const auto v = t.Find(s, k);
  return v ? std::string(*v) : std::string("<none>");
}

int FilesIn(const fs::path& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
  return n;
}

TEST(ProfileText, NamesIgnoreAsciiCaseButNotTrailBytes) {
  const ProfileText t("[setings]\r\nPUBLIC=1\r\n[\x81\x41]\r\nk=A\r\n[\x81\x61]\r\nk=a\r\n");
  EXPECT_EQ(Get(t, "Setings", "public"), "1");
  EXPECT_EQ(Get(t, "SETINGS", "Public"), "1");
  // 81 41 and 81 61 are two different characters, not one in two cases.
  EXPECT_EQ(Get(t, "\x81\x41", "K"), "A");
  EXPECT_EQ(Get(t, "\x81\x61", "K"), "a");
  EXPECT_FALSE(SameProfileName("\x81\x41", "\x81\x61"));
  EXPECT_TRUE(SameProfileName("插入中文名", "插入中文名"));
}

TEST(ProfileText, ToleratesTheWaysPeopleWriteIniFiles) {
  const ProfileText t(
      "\xEF\xBB\xBF[Config]\n"
      "; BrowseWidth=1\n"
      "  BrowseWidth  =  220  \n"
      "no equals sign here\n"
      "=orphan value\n"
      "[  Setings  ]  ; trailing note\r\n"
      "插入中文名=\r\n"
      "API名称前缀=\"  padded  \"\r\n"
      "API名称后缀='x'\r\n"
      "Public=\"x'\r\n"
      "[broken\r\n"
      "语言=2\r\n"
      "语言=1\r\n"
      "last=no newline");
  EXPECT_EQ(Get(t, "Config", "BrowseWidth"), "220");
  EXPECT_EQ(Get(t, "Config", "no equals sign here"), "<none>");
  EXPECT_EQ(Get(t, "Setings", "插入中文名"), "");  // present and empty, not absent
  EXPECT_EQ(Get(t, "Setings", "API名称前缀"), "  padded  ");
  EXPECT_EQ(Get(t, "Setings", "API名称后缀"), "x");
  EXPECT_EQ(Get(t, "Setings", "Public"), "\"x'");
  // A header without ']' is no section; the first of two equal keys counts.
  EXPECT_EQ(Get(t, "Setings", "语言"), "2");
  EXPECT_EQ(Get(t, "Setings", "last"), "no newline");
  EXPECT_EQ(Get(t, "Setings", ""), "<none>");
  EXPECT_EQ(Get(t, "", "BrowseWidth"), "<none>");
}

TEST(ProfileText, DuplicateSectionsFirstOneWins) {
  ProfileText t("[A]\r\nk=1\r\n[B]\r\nx=0\r\n[a]\r\nk=2\r\nonlyhere=3\r\n");
  EXPECT_EQ(Get(t, "A", "k"), "1");
  EXPECT_EQ(Get(t, "A", "onlyhere"), "<none>");
  ASSERT_TRUE(t.Set("A", "k", "9"));
  ASSERT_TRUE(t.Set("A", "new", "4"));
  EXPECT_EQ(t.Bytes(), "[A]\r\nk=9\r\nnew=4\r\n[B]\r\nx=0\r\n[a]\r\nk=2\r\nonlyhere=3\r\n");
}

TEST(ProfileText, BinaryGarbageNeverBreaksReadingOrWriting) {
  std::mt19937 gen(1234);
  for (int round = 0; round < 200; ++round) {
    std::string junk(gen() % 600, '\0');
    for (char& c : junk) {
      // Bias towards the bytes that mean something to the parser.
      static const char special[] = "[]=;\r\n \t\"'";
      c = gen() % 4 == 0 ? special[gen() % (sizeof special - 1)] : static_cast<char>(gen());
    }
    ProfileText t(junk);
    EXPECT_EQ(t.Bytes(), junk);
    (void)t.Find("Setings", "Public");
    ASSERT_TRUE(t.Set("Setings", "Public", "1"));
    EXPECT_EQ(Get(t, "Setings", "Public"), "1") << round;
    // The old bytes stay, apart from a line end added to an unterminated line.
    const std::string out = t.Bytes();
    EXPECT_EQ(out.substr(0, junk.size()), junk) << round;
    EXPECT_EQ(ProfileText(out).Bytes(), out);
    EXPECT_EQ(Get(ProfileText(out), "Setings", "Public"), "1") << round;
  }
}

TEST(ProfileText, ValuesReadBackExactly) {
  ProfileText t;
  for (std::string v : {"  lead", "trail\t", "\"quoted\"", "'single'", "\"", "''", "a=b;c[d]", "中文\xA1\xA1"}) {
    ASSERT_TRUE(t.Set("S", "k", v));
    EXPECT_EQ(Get(t, "S", "k"), v);
    EXPECT_EQ(Get(ProfileText(t.Bytes()), "S", "k"), v);
  }
}

TEST(ProfileText, RefusesWhatWouldNotBeOneLine) {
  ProfileText t("[S]\r\nk=1\r\n");
  EXPECT_FALSE(t.Set("S", "k", "1\r\n[Config]\r\nIsMax=1"));
  EXPECT_FALSE(t.Set("S", "k", "x\ny"));
  EXPECT_FALSE(t.Set("S", "a=b", "1"));
  EXPECT_FALSE(t.Set("S", " k", "1"));
  EXPECT_FALSE(t.Set("S", ";k", "1"));
  EXPECT_FALSE(t.Set("S", "", "1"));
  EXPECT_FALSE(t.Set("S\n", "k", "1"));
  EXPECT_FALSE(t.Set("", "k", "1"));
  EXPECT_EQ(t.Bytes(), "[S]\r\nk=1\r\n");
}

TEST(ProfileFile, MissingFileSectionOrKeyGivesTheDefault) {
  TempDir dir;
  ProfileFile file(dir / "Config.ini");
  EXPECT_EQ(file.Read("Setings", "语言", "0"), "0");
  WriteFileBytes(dir / "Config.ini", "[Other]\r\nk=1\r\n[Setings]\r\n");
  EXPECT_EQ(file.Read("Setings", "语言", "7"), "7");
  EXPECT_EQ(file.Read("Config", "k", "d"), "d");
  EXPECT_EQ(file.Read("Other", "k", "d"), "1");
}

TEST(ProfileFile, WritingKeepsEveryOtherLineByteForByte) {
  TempDir dir;
  const fs::path p = dir / "Config.ini";
  WriteFileBytes(p,
                 "; written by hand\n"
                 "[Setings]\n"
                 "  插入中文名 = 0   \n"
                 "Unknown=\xFF\xFE keep\n"
                 "\n"
                 "; about Config\n"
                 "[config]\r\n"
                 "left=10\r\n"
                 "; note\r\n"
                 "\r\n"
                 "[Tail]\n"
                 "z=1");
  ProfileFile file(p);
  ASSERT_TRUE(file.Write("SETINGS", "插入中文名", "1"));
  ASSERT_TRUE(file.Write("Setings", "Public", "0"));
  ASSERT_TRUE(file.Write("Config", "top", "20"));
  ASSERT_TRUE(file.Write("Tail", "y", "2"));
  ASSERT_TRUE(file.Write("New", "n", "3"));
  EXPECT_EQ(ReadFileBytes(p),
            "; written by hand\n"
            "[Setings]\n"
            "插入中文名=1\r\n"
            "Unknown=\xFF\xFE keep\n"
            "Public=0\r\n"
            "\n"
            "; about Config\n"
            "[config]\r\n"
            "left=10\r\n"
            "top=20\r\n"
            "; note\r\n"
            "\r\n"
            "[Tail]\n"
            "z=1\r\n"
            "y=2\r\n"
            "\r\n"
            "[New]\r\n"
            "n=3\r\n");
  EXPECT_EQ(FilesIn(dir.path()), 1);  // no temporary file left behind
}

TEST(ProfileFile, CreatesTheFileWithCrLfLines) {
  TempDir dir;
  ProfileFile file(dir / "Config.ini");
  ASSERT_TRUE(file.Write("Setings", "语言", "1"));
  ASSERT_TRUE(file.Write("Config", "IsMax", "0"));
  EXPECT_EQ(ReadFileBytes(file.path()), "[Setings]\r\n语言=1\r\n\r\n[Config]\r\nIsMax=0\r\n");
}

TEST(ProfileFile, HugeValuesRoundTripUpToTheFileLimit) {
  TempDir dir;
  ProfileFile file(dir / "Config.ini");
  std::string big(1 << 19, 'x');
  for (size_t i = 0; i < big.size(); i += 2) big[i] = static_cast<char>(0xB0 + i % 7);
  ASSERT_TRUE(file.Write("Setings", "API名称前缀", big));
  ASSERT_TRUE(file.Write("Setings", "API名称后缀", "s"));
  EXPECT_EQ(file.Read("Setings", "API名称前缀", ""), big);
  EXPECT_EQ(file.Read("Setings", "API名称后缀", ""), "s");
  // Over 1 MB it is no settings file: it reads as empty and is not written.
  big += big + big;
  WriteFileBytes(dir / "Config.ini", "[Setings]\r\nAPI名称后缀=" + big + "\r\n");
  EXPECT_EQ(file.Read("Setings", "API名称后缀", "none"), "none");
  EXPECT_FALSE(file.Write("Setings", "API名称后缀", "s"));
  EXPECT_EQ(ReadFileBytes(dir / "Config.ini"), "[Setings]\r\nAPI名称后缀=" + big + "\r\n");
}

#ifndef _WIN32
// A disk that fills part way through the new text (here a file size limit)
// must not leave a cut-down Config.ini in place of the old one.
TEST(ProfileFile, AFileWrittenOnlyInPartIsNotPutInPlace) {
  TempDir dir;
  const fs::path p = dir / "Config.ini";
  const std::string before = "[Setings]\r\n语言=2\r\n";
  WriteFileBytes(p, before);
  ProfileFile file(p);
  struct rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = file.Write("Setings", "API名称前缀", std::string(1 << 16, 'x'));
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadFileBytes(p), before);
  EXPECT_EQ(FilesIn(dir.path()), 1);
}
#endif

TEST(ProfileFile, ReadOnlyFileIsLeftAlone) {
  TempDir dir;
  const fs::path p = dir / "Config.ini";
  const std::string before = "[Setings]\r\n语言=2\r\n";
  WriteFileBytes(p, before);
  fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  ProfileFile file(p);
  EXPECT_FALSE(file.Write("Setings", "语言", "1"));
  const ProfileEntry entries[] = {{"Setings", "Public", "1"}, {"Config", "IsMax", "1"}};
  EXPECT_FALSE(file.WriteAll(entries));
  EXPECT_EQ(ReadFileBytes(p), before);
  EXPECT_EQ(file.Read("Setings", "语言", "0"), "2");
  EXPECT_EQ(FilesIn(dir.path()), 1);
}

TEST(ProfileFile, ReadOnlyDirectoryIsLeftAlone) {
  TempDir dir;
  const fs::path p = dir / "Config.ini";
  WriteFileBytes(p, "[Setings]\r\n语言=2\r\n");
  test::ReadOnlyForEveryone(dir.path());
  test::AsUnprivilegedUser user;  // root would write the folder regardless
  std::error_code ec;
  WriteFileBytes(dir / "probe", "x");
  if (fs::exists(dir / "probe", ec)) GTEST_SKIP() << "folder permissions are not enforced here";
  ProfileFile file(p);
  EXPECT_FALSE(file.Write("Setings", "语言", "1"));
  EXPECT_EQ(ReadFileBytes(p), "[Setings]\r\n语言=2\r\n");
  EXPECT_EQ(FilesIn(dir.path()), 1);
}

TEST(ProfileFile, NotAFileIsNeitherReadNorReplaced) {
  TempDir dir;
  fs::create_directory(dir / "Config.ini");
  ProfileFile file(dir / "Config.ini");
  EXPECT_EQ(file.Read("Setings", "语言", "0"), "0");
  EXPECT_FALSE(file.Write("Setings", "语言", "1"));
  EXPECT_TRUE(fs::is_directory(dir / "Config.ini"));
#ifndef _WIN32
  // A FIFO would block the reader until something writes into it.
  ASSERT_EQ(mkfifo((dir / "fifo.ini").c_str(), 0600), 0);
  ProfileFile fifo(dir / "fifo.ini");
  EXPECT_EQ(fifo.Read("Setings", "语言", "0"), "0");
  EXPECT_FALSE(fifo.Write("Setings", "语言", "1"));
  EXPECT_TRUE(fs::is_fifo(dir / "fifo.ini"));
#endif
}

TEST(ProfileFile, ALinkedFileIsUpdatedThroughTheLink) {
  TempDir dir;
  WriteFileBytes(dir / "real.ini", "[S]\r\nk=1\r\n");
  std::error_code ec;
  fs::create_symlink(dir / "real.ini", dir / "Config.ini", ec);
  // Windows lets only privileged users make links.
  if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
  ProfileFile file(dir / "Config.ini");
  ASSERT_TRUE(file.Write("S", "k", "2"));
  EXPECT_TRUE(fs::is_symlink(dir / "Config.ini"));
  EXPECT_EQ(ReadFileBytes(dir / "real.ini"), "[S]\r\nk=2\r\n");
}

TEST(ProfileFile, WriteAllEqualsWritingEachEntryInTurn) {
  TempDir dir;
  const std::string start = "[Config]\nleft=1\n; c\n[Setings]\nPublic=0\n";
  WriteFileBytes(dir / "a.ini", start);
  WriteFileBytes(dir / "b.ini", start);
  const ProfileEntry entries[] = {{"Setings", "Public", "1"}, {"Config", "top", "5"}, {"Bad", "k", "x\r\ny"},
                                  {"Setings", "Public", "2"}, {"Fresh", "k", "v"},    {"config", "LEFT", "3"}};
  ProfileFile a(dir / "a.ini");
  EXPECT_FALSE(a.WriteAll(entries));  // one entry was refused
  ProfileFile b(dir / "b.ini");
  for (const auto& e : entries) b.Write(e.section, e.key, e.value);
  EXPECT_EQ(ReadFileBytes(dir / "a.ini"), ReadFileBytes(dir / "b.ini"));
  EXPECT_EQ(a.Read("Setings", "Public", ""), "2");
}

}  // namespace
}  // namespace declarium
