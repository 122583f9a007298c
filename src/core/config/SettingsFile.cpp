#include "config/SettingsFile.h"

#include "config/FileReplace.h"
#include "text/TextPrimitives.h"

namespace declarium {

std::filesystem::path ConfigFilePath() { return ProgramDirectory() / "Config.ini"; }

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

namespace {
// A settings file holds a few dozen keys; one far larger is no settings file
// of the program's, and reading it would only make the start crawl.
constexpr std::uintmax_t kMaxSettingsBytes = 1 << 20;
}  // namespace

ProfileText ProfileFile::Load() const {
  std::string bytes;
  if (ReadWholeFile(path_, bytes, kMaxSettingsBytes) != FileRead::Read) return ProfileText();
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
  // A file that exists but cannot be read, or is too large to be a settings
  // file, is not overwritten with only the new keys.
  const FileRead read = ReadWholeFile(path_, old, kMaxSettingsBytes);
  if (read == FileRead::Failed || read == FileRead::TooLarge) return false;
  ProfileText text(old);
  bool all = true;
  for (const ProfileEntry& e : entries) all = text.Set(e.section, e.key, e.value) && all;
  return ReplaceWholeFile(path_, text.Bytes()) && all;
}

std::string_view SettingsSnapshot::Text(const SettingKey& key) const {
  const auto v = text_.Find(key.section, key.key);
  return v ? *v : key.fallback;
}

int SettingsSnapshot::Integer(const SettingKey& key) const { return ToInteger(Text(key)); }

}  // namespace declarium
