#include "config/SettingsFile.h"

#include <array>
#include <vector>

#include "config/FileReplace.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

constexpr std::string_view kSettings = "Setings";
constexpr std::string_view kConfig = "Config";

const char* Flag(bool on) { return on ? "1" : "0"; }

// Reads keys from one snapshot of the file.
class Reader {
 public:
  explicit Reader(const ProfileFile& file) : text_(file.Load()) {}
  std::string_view Text(std::string_view section, std::string_view key, std::string_view fallback) const {
    const auto v = text_.Find(section, key);
    return v ? *v : fallback;
  }
  int Integer(std::string_view section, std::string_view key, std::string_view fallback) const {
    return ToInteger(Text(section, key, fallback));
  }

 private:
  ProfileText text_;
};

// A splitter value outside [low, high] falls back to its default.
int Limited(int v, int low, int high, int fallback) { return v < low || v > high ? fallback : v; }

}  // namespace

int HotkeyModifiers(int m) { return ((m & 1) << 2) | ((m & 4) >> 2) | (m & 2); }

std::filesystem::path ConfigFilePath() { return ProgramDirectory() / "Config.ini"; }

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

ProfileText ProfileFile::Load() const {
  std::string bytes;
  if (ReadWholeFile(path_, bytes) != FileRead::Read) return ProfileText();
  return ProfileText(bytes);
}

std::string ProfileFile::Read(std::string_view section, std::string_view key, std::string_view fallback) const {
  const ProfileText text = Load();
  const auto v = text.Find(section, key);
  return std::string(v ? *v : fallback);
}

bool ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  const ProfileEntry entry{section, key, value};
  return WriteAll(std::span<const ProfileEntry>(&entry, 1));
}

bool ProfileFile::WriteAll(std::span<const ProfileEntry> entries) {
  std::string old;
  // A file that exists but cannot be read is not overwritten with only the new keys.
  if (ReadWholeFile(path_, old) == FileRead::Failed) return false;
  ProfileText text(old);
  bool all = true;
  for (const ProfileEntry& e : entries) all = text.Set(e.section, e.key, e.value) && all;
  return ReplaceWholeFile(path_, text.Bytes()) && all;
}

Settings LoadSettings(const ProfileFile& file, int windowWidth, int windowHeight) {
  const Reader r(file);
  Settings s;
  s.insertChineseNames = r.Text(kSettings, "插入中文名", "0") != "0";
  s.insertRemarks = r.Text(kSettings, "插入备注信息", "0") != "0";
  s.namePrefix = r.Text(kSettings, "API名称前缀", "");
  s.nameSuffix = r.Text(kSettings, "API名称后缀", "");
  s.isPublic = r.Text(kSettings, "Public", "0") != "0";
  s.language = r.Integer(kSettings, "语言", "0");
  // Every reader of the setting indexes its three syntaxes with it.
  if (s.language < 0 || s.language > 2) s.language = 0;
  s.closeToTray = r.Text(kSettings, "关闭到托盘", "1") == "1";
  s.minimizeToTray = r.Text(kSettings, "最小化到托盘", "0") == "1";
  s.hotkeyModifiers = r.Integer(kSettings, "功能键", "1");
  s.hotkeyKey = r.Integer(kSettings, "键代码", "75");
  s.browseWidth = Limited(r.Integer(kConfig, "BrowseWidth", "150"), 50, windowWidth - 200, 150);
  s.spreadingHeight = Limited(r.Integer(kConfig, "SpreadingHeight", "100"), 50, windowHeight - 200, 100);
  s.toInsertWidth = Limited(r.Integer(kConfig, "ToInsertWidth", "150"), 150, windowWidth - 200, 150);
  return s;
}

WindowPlacement LoadPlacement(const ProfileFile& file) {
  const Reader r(file);
  WindowPlacement p;
  p.maximized = r.Text(kConfig, "IsMax", "0") == "1";
  // Read even when maximised: it is the size to restore to.
  p.left = r.Integer(kConfig, "left", "200");
  p.top = r.Integer(kConfig, "top", "200");
  p.width = r.Integer(kConfig, "width", "800");
  p.height = r.Integer(kConfig, "height", "600");
  return p;
}

void SaveSettings(ProfileFile& file, const Settings& settings, const SaveContext& context) {
  const std::string language = DecimalText(context.languageIndex);
  const std::string modifiers = DecimalText(settings.hotkeyModifiers);
  const std::string key = DecimalText(settings.hotkeyKey);
  std::vector<ProfileEntry> entries = {
      {kSettings, "插入中文名", Flag(settings.insertChineseNames)},
      {kSettings, "插入备注信息", Flag(settings.insertRemarks)},
      {kSettings, "API名称前缀", settings.namePrefix},
      {kSettings, "API名称后缀", settings.nameSuffix},
      {kSettings, "Public", Flag(settings.isPublic)},
      {kSettings, "语言", language},
      {kSettings, "关闭到托盘", Flag(settings.closeToTray)},
      {kSettings, "最小化到托盘", Flag(settings.minimizeToTray)},
      {kSettings, "功能键", modifiers},
      {kSettings, "键代码", key},
      {kConfig, "IsMax", Flag(context.windowState == 2)},
  };
  // Placement and splitters only from a normal window: a maximised or
  // minimised one would overwrite the size to restore to.
  const std::array<std::string, 7> numbers = {
      DecimalText(context.left),          DecimalText(context.top),
      DecimalText(context.width),         DecimalText(context.height),
      DecimalText(settings.browseWidth),  DecimalText(settings.spreadingHeight),
      DecimalText(settings.toInsertWidth)};
  if (context.windowState == 0) {
    entries.push_back({kConfig, "left", numbers[0]});
    entries.push_back({kConfig, "top", numbers[1]});
    entries.push_back({kConfig, "width", numbers[2]});
    entries.push_back({kConfig, "height", numbers[3]});
    // A value out of range is left out, so the file keeps the previous one.
    if (settings.browseWidth >= 50 && settings.browseWidth <= context.width - 200) {
      entries.push_back({kConfig, "BrowseWidth", numbers[4]});
    }
    if (settings.spreadingHeight >= 50 && settings.spreadingHeight <= context.height - 200) {
      entries.push_back({kConfig, "SpreadingHeight", numbers[5]});
    }
    if (settings.toInsertWidth >= 145 && settings.toInsertWidth <= context.width - 200) {
      entries.push_back({kConfig, "ToInsertWidth", numbers[6]});
    }
  }
  file.WriteAll(entries);
}

void SaveHotkeyAndTray(ProfileFile& file, const Settings& settings) {
  const std::string modifiers = DecimalText(settings.hotkeyModifiers);
  const std::string key = DecimalText(settings.hotkeyKey);
  const ProfileEntry entries[] = {
      {kSettings, "关闭到托盘", Flag(settings.closeToTray)},
      {kSettings, "最小化到托盘", Flag(settings.minimizeToTray)},
      {kSettings, "功能键", modifiers},
      {kSettings, "键代码", key},
  };
  file.WriteAll(entries);
}

}  // namespace declarium
