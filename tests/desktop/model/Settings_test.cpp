#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Settings.h"
#include "support/TempDir.h"

namespace declarium {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// The main window's template size.
constexpr int kWidth = 800, kHeight = 600;

class SettingsFile : public ::testing::Test {
 protected:
  void Given(const std::string& text) { WriteFileBytes(file_.path(), text); }
  Settings Load() const { return LoadSettings(file_, kWidth, kHeight); }
  std::string Bytes() const { return ReadFileBytes(file_.path()); }

  TempDir dir_;
  ProfileFile file_{dir_ / "Config.ini"};
};

TEST_F(SettingsFile, WithoutAFileEverythingHasItsDefault) {
  const Settings s = Load();
  EXPECT_FALSE(s.style.insertChineseNames);
  EXPECT_FALSE(s.style.insertRemarks);
  EXPECT_FALSE(s.style.isPublic);
  EXPECT_FALSE(s.minimizeToTray);
  EXPECT_TRUE(s.closeToTray);
  EXPECT_EQ(s.style.namePrefix, "");
  EXPECT_EQ(s.style.nameSuffix, "");
  EXPECT_EQ(s.language, SyntaxKind::E);
  EXPECT_EQ(s.hotkeyModifiers, 1);  // Alt
  EXPECT_EQ(s.hotkeyKey, 75);       // K
  EXPECT_EQ(s.browseWidth, 150);
  EXPECT_EQ(s.spreadingHeight, 100);
  EXPECT_EQ(s.toInsertWidth, 150);
  const WindowPlacement p = LoadPlacement(file_);
  EXPECT_FALSE(p.maximized);
  EXPECT_EQ(p.left, 200);
  EXPECT_EQ(p.top, 200);
  EXPECT_EQ(p.width, 800);
  EXPECT_EQ(p.height, 600);
}

TEST_F(SettingsFile, BooleansReadTheirOwnWay) {
  // Three are on unless exactly "0", two are on only if exactly "1".
  Given("[Setings]\r\n插入中文名=\r\n插入备注信息=00\r\nPublic=0\r\n关闭到托盘=yes\r\n最小化到托盘=1\r\n");
  Settings s = Load();
  EXPECT_TRUE(s.style.insertChineseNames);
  EXPECT_TRUE(s.style.insertRemarks);
  EXPECT_FALSE(s.style.isPublic);
  EXPECT_FALSE(s.closeToTray);
  EXPECT_TRUE(s.minimizeToTray);
  Given("[setings]\r\npublic=no\r\n关闭到托盘=11\r\n最小化到托盘= 1 \r\n");
  s = Load();
  EXPECT_TRUE(s.style.isPublic);
  EXPECT_FALSE(s.closeToTray);
  EXPECT_TRUE(s.minimizeToTray);
}

TEST_F(SettingsFile, NumbersAreTheirLeadingDigits) {
  Given("[Setings]\r\n语言=2abc\r\n功能键=+6\r\n键代码=x65\r\nAPI名称前缀=my_\r\nAPI名称后缀=W\r\n");
  Settings s = Load();
  EXPECT_EQ(s.language, SyntaxKind::Vb);
  EXPECT_EQ(s.hotkeyModifiers, 6);
  EXPECT_EQ(s.hotkeyKey, 0);
  EXPECT_EQ(s.style.namePrefix, "my_");
  EXPECT_EQ(s.style.nameSuffix, "W");
  // A language outside the three syntaxes falls back to the E syntax.
  Given("[Setings]\r\n语言=3\r\n");
  EXPECT_EQ(Load().language, SyntaxKind::E);
  Given("[Setings]\r\n语言=-1\r\n");
  EXPECT_EQ(Load().language, SyntaxKind::E);
}

TEST_F(SettingsFile, SplitterValuesAreRangeLimitedAgainstTheWindow) {
  Given("[Config]\r\nBrowseWidth=30\r\nSpreadingHeight=49\r\nToInsertWidth=149\r\n");
  Settings s = Load();
  EXPECT_EQ(s.browseWidth, 150);
  EXPECT_EQ(s.spreadingHeight, 100);
  EXPECT_EQ(s.toInsertWidth, 150);
  Given("[Config]\r\nBrowseWidth=601\r\nSpreadingHeight=401\r\nToInsertWidth=601\r\n");
  s = Load();
  EXPECT_EQ(s.browseWidth, 150);
  EXPECT_EQ(s.spreadingHeight, 100);
  EXPECT_EQ(s.toInsertWidth, 150);
  Given("[Config]\r\nBrowseWidth=600\r\nSpreadingHeight=400\r\nToInsertWidth=600\r\n");
  s = Load();
  EXPECT_EQ(s.browseWidth, 600);
  EXPECT_EQ(s.spreadingHeight, 400);
  EXPECT_EQ(s.toInsertWidth, 600);
  Given("[Config]\r\nBrowseWidth=50\r\nSpreadingHeight=50\r\nToInsertWidth=150\r\n");
  s = Load();
  EXPECT_EQ(s.browseWidth, 50);
  EXPECT_EQ(s.spreadingHeight, 50);
  EXPECT_EQ(s.toInsertWidth, 150);
  // A small template leaves no room: every value is replaced.
  s = LoadSettings(file_, 240, 240);
  EXPECT_EQ(s.browseWidth, 150);
  EXPECT_EQ(s.spreadingHeight, 100);
  EXPECT_EQ(s.toInsertWidth, 150);
}

TEST_F(SettingsFile, PlacementIsReadFromConfig) {
  Given("[Config]\r\nIsMax=1\r\nleft=-8\r\ntop=12\r\nwidth=1024\r\nheight=700\r\n");
  WindowPlacement p = LoadPlacement(file_);
  EXPECT_TRUE(p.maximized);
  EXPECT_EQ(p.left, -8);
  EXPECT_EQ(p.top, 12);
  EXPECT_EQ(p.width, 1024);
  EXPECT_EQ(p.height, 700);
  Given("[Config]\r\nIsMax=true\r\n");
  EXPECT_FALSE(LoadPlacement(file_).maximized);
  // One number that is no number makes the whole placement the default one.
  Given("[Config]\r\nIsMax=1\r\nleft=-8\r\ntop=1e3\r\nwidth=1024\r\nheight=700\r\n");
  p = LoadPlacement(file_);
  EXPECT_TRUE(p.maximized);
  EXPECT_EQ(p.top, 200);
  EXPECT_EQ(p.width, 800);
}

TEST(UsablePlacement, TooSmallOrOffEveryScreenGivesTheDefault) {
  const ScreenArea screens[] = {{0, 0, 1280, 900}, {1280, 0, 1024, 768}};
  const auto usable = [&screens](int left, int top, int width, int height) {
    const WindowPlacement p = UsablePlacement({true, left, top, width, height}, screens);
    EXPECT_TRUE(p.maximized);
    return p.left == left && p.top == top && p.width == width && p.height == height;
  };
  EXPECT_TRUE(usable(100, 50, 800, 600));
  EXPECT_TRUE(usable(2000, 100, 800, 600));  // on the second screen
  EXPECT_TRUE(usable(-700, -20, 800, 600));  // its top right corner on the first
  EXPECT_FALSE(usable(100, 50, 1, 1));       // too small to use
  EXPECT_FALSE(usable(100, 50, kMinimumWindowWidth - 1, 600));
  EXPECT_FALSE(usable(-50000, -50000, 800, 600));  // off every screen
  EXPECT_FALSE(usable(100, 890, 800, 600));        // only a sliver of the title on screen
  EXPECT_FALSE(usable(2147483000, 0, 2147483647, 600));
  // Larger than the screen its title is on: the screen's size, on it.
  const WindowPlacement big = UsablePlacement({false, 200, 100, 999999999, 999999999}, screens);
  EXPECT_EQ((std::vector<int>{big.left, big.top, big.width, big.height}), (std::vector<int>{0, 0, 1280, 900}));
  const WindowPlacement wide = UsablePlacement({false, 1400, 100, 5000, 600}, screens);
  EXPECT_EQ((std::vector<int>{wide.left, wide.top, wide.width, wide.height}), (std::vector<int>{1280, 100, 1024, 600}));
}

TEST_F(SettingsFile, NormalSaveWritesEveryKeyInOrder) {
  Settings s;
  s.style.insertChineseNames = true;
  s.style.namePrefix = "Api_";
  s.style.isPublic = true;
  s.language = SyntaxKind::Vb;  // the record's copy; the box's selection is what is written
  s.hotkeyModifiers = 3;
  s.hotkeyKey = 90;
  s.minimizeToTray = true;
  s.browseWidth = 180;
  s.spreadingHeight = 120;
  s.toInsertWidth = 160;
  SaveSettings(file_, s, SaveContext{0, 10, 20, 900, 700, 1});
  EXPECT_EQ(Bytes(),
            "[Setings]\r\n插入中文名=1\r\n插入备注信息=0\r\nAPI名称前缀=Api_\r\nAPI名称后缀=\r\n"
            "Public=1\r\n语言=1\r\n关闭到托盘=1\r\n最小化到托盘=1\r\n功能键=3\r\n键代码=90\r\n"
            "\r\n[Config]\r\nIsMax=0\r\nleft=10\r\ntop=20\r\nwidth=900\r\nheight=700\r\n"
            "BrowseWidth=180\r\nSpreadingHeight=120\r\nToInsertWidth=160\r\n");
  const Settings back = LoadSettings(file_, 900, 700);
  EXPECT_TRUE(back.style.insertChineseNames);
  EXPECT_FALSE(back.style.insertRemarks);
  EXPECT_TRUE(back.style.isPublic);
  EXPECT_EQ(back.style.namePrefix, "Api_");
  EXPECT_EQ(back.language, SyntaxKind::CSharp);
  EXPECT_EQ(back.hotkeyModifiers, 3);
  EXPECT_EQ(back.hotkeyKey, 90);
  EXPECT_TRUE(back.minimizeToTray);
  EXPECT_TRUE(back.closeToTray);
  EXPECT_EQ(back.browseWidth, 180);
  EXPECT_EQ(back.spreadingHeight, 120);
  EXPECT_EQ(back.toInsertWidth, 160);
}

TEST_F(SettingsFile, SaveKeepsUnrelatedLinesOfAnExistingFile) {
  const std::string before =
      "; my settings\n[Setings]\n插入中文名=0\nMine=keep me\n\n[Config]\nleft=1\n; do not touch\n[Extra]\nx=\xFF\n";
  Given(before);
  SaveSettings(file_, Settings{}, SaveContext{2, 0, 0, 0, 0, 0});
  const std::string after = Bytes();
  for (const char* kept : {"; my settings\n[Setings]\n", "\nMine=keep me\n", "\n\n[Config]\nleft=1\n",
                           "; do not touch\n[Extra]\nx=\xFF\n"}) {
    EXPECT_NE(after.find(kept), std::string::npos) << kept;
  }
  // The same bytes as writing each key with its own replacement of the file.
  TempDir other;
  WriteFileBytes(other / "Config.ini", before);
  ProfileFile slow(other / "Config.ini");
  for (auto [k, v] : {std::pair{"插入中文名", "0"},
                      {"插入备注信息", "0"},
                      {"API名称前缀", ""},
                      {"API名称后缀", ""},
                      {"Public", "0"},
                      {"语言", "0"},
                      {"关闭到托盘", "1"},
                      {"最小化到托盘", "0"},
                      {"功能键", "1"},
                      {"键代码", "75"}}) {
    ASSERT_TRUE(slow.Write("Setings", k, v));
  }
  ASSERT_TRUE(slow.Write("Config", "IsMax", "1"));
  EXPECT_EQ(after, ReadFileBytes(slow.path()));
}

TEST_F(SettingsFile, MaximisedSaveKeepsThePreviousPlacementAndSplitters) {
  const std::string config =
      "[Config]\r\nIsMax=0\r\nleft=11\r\ntop=22\r\nwidth=833\r\nheight=644\r\n"
      "BrowseWidth=170\r\nSpreadingHeight=110\r\nToInsertWidth=160\r\n";
  Given(config);
  Settings s;
  s.browseWidth = 300;
  s.spreadingHeight = 300;
  s.toInsertWidth = 300;
  SaveSettings(file_, s, SaveContext{2, -8, -8, 1936, 1056, 0});
  const std::string after = Bytes();
  EXPECT_NE(after.find("[Config]\r\nIsMax=1\r\nleft=11\r\ntop=22\r\nwidth=833\r\nheight=644\r\n"
                       "BrowseWidth=170\r\nSpreadingHeight=110\r\nToInsertWidth=160\r\n"),
            std::string::npos)
      << after;
  EXPECT_TRUE(LoadPlacement(file_).maximized);
}

TEST_F(SettingsFile, MinimisedSaveWritesIsMaxOnly) {
  Settings s;
  SaveSettings(file_, s, SaveContext{1, -32000, -32000, 160, 28, 0});
  const std::string after = Bytes();
  EXPECT_NE(after.find("[Config]\r\nIsMax=0\r\n"), std::string::npos);
  for (const char* absent : {"left", "top", "width", "height", "BrowseWidth", "SpreadingHeight", "ToInsertWidth"}) {
    EXPECT_EQ(after.find(absent), std::string::npos) << absent;
  }
}

TEST_F(SettingsFile, SplittersOutOfRangeAreNotWritten) {
  Given("[Config]\r\nBrowseWidth=170\r\nSpreadingHeight=110\r\nToInsertWidth=160\r\n");
  Settings s;
  s.browseWidth = 49;
  s.spreadingHeight = 501;  // more than 700 - 200
  s.toInsertWidth = 144;
  SaveSettings(file_, s, SaveContext{0, 0, 0, 900, 700, 0});
  Settings back = LoadSettings(file_, 900, 700);
  EXPECT_EQ(back.browseWidth, 170);
  EXPECT_EQ(back.spreadingHeight, 110);
  EXPECT_EQ(back.toInsertWidth, 160);
  // The right column may be saved narrower than it may be loaded.
  s.toInsertWidth = 147;
  SaveSettings(file_, s, SaveContext{0, 0, 0, 900, 700, 0});
  EXPECT_NE(Bytes().find("ToInsertWidth=147\r\n"), std::string::npos);
  EXPECT_EQ(LoadSettings(file_, 900, 700).toInsertWidth, 150);
  s.browseWidth = 700;  // exactly width - 200
  s.spreadingHeight = 500;
  SaveSettings(file_, s, SaveContext{0, 0, 0, 900, 700, 0});
  back = LoadSettings(file_, 900, 700);
  EXPECT_EQ(back.browseWidth, 700);
  EXPECT_EQ(back.spreadingHeight, 500);
}

TEST_F(SettingsFile, HotkeyAndTrayAreWrittenAlone) {
  Given("[Setings]\r\nPublic=1\r\n");
  Settings s;
  s.closeToTray = false;
  s.minimizeToTray = true;
  s.hotkeyModifiers = 6;
  s.hotkeyKey = 112;
  SaveHotkeyAndTray(file_, s);
  EXPECT_EQ(Bytes(), "[Setings]\r\nPublic=1\r\n关闭到托盘=0\r\n最小化到托盘=1\r\n功能键=6\r\n键代码=112\r\n");
}

TEST_F(SettingsFile, AffixesSurviveSaving) {
  Settings s;
  s.style.namePrefix = " 前缀 ";
  s.style.nameSuffix = "\"A\"";
  SaveSettings(file_, s, SaveContext{});
  const Settings back = Load();
  EXPECT_EQ(back.style.namePrefix, " 前缀 ");
  EXPECT_EQ(back.style.nameSuffix, "\"A\"");
}

// The C# 64-bit key: written once the setting is on, and kept (as 0) once
// there; a file that never had it gets none.
TEST_F(SettingsFile, CSharp64KeyAppearsOnlyOnceUsed) {
  Settings s;
  SaveSettings(file_, s, SaveContext{});
  EXPECT_EQ(Bytes().find("C#按64位生成"), std::string::npos);
  s.style.csharp64 = true;
  SaveSettings(file_, s, SaveContext{});
  EXPECT_TRUE(Load().style.csharp64);
  s.style.csharp64 = false;
  SaveSettings(file_, s, SaveContext{});
  EXPECT_NE(Bytes().find("C#按64位生成=0\r\n"), std::string::npos);
  EXPECT_FALSE(Load().style.csharp64);
}

}  // namespace
}  // namespace declarium
