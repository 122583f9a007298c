// Config.ini: the settings file beside the program, read and written with
// private-profile semantics, and read key by key from a snapshot.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "config/ProfileText.h"

namespace declarium {

// The directory of the program file, without a trailing separator.
std::filesystem::path ProgramDirectory();
// ProgramDirectory() / "Config.ini".
std::filesystem::path ConfigFilePath();

// An INI file: sections and keys matched without regard to ASCII case, a
// missing file, section or key gives the default, values of any length, GBK
// bytes on disk. Writing a key keeps every other line; the file is replaced
// through a temporary file, so an interrupted write never truncates it. A
// file over 1 MB is no settings file: it reads as empty and is never written.
struct ProfileEntry {
  std::string_view section, key, value;
};

class ProfileFile {
 public:
  explicit ProfileFile(std::filesystem::path path);
  const std::filesystem::path& path() const { return path_; }
  std::string Read(std::string_view section, std::string_view key, std::string_view fallback) const;
  bool Write(std::string_view section, std::string_view key, std::string_view value);
  // The same as writing each entry in turn, with one replacement of the file.
  // False when an entry was refused (see ProfileText::Set; the others are
  // still written) or the file could not be replaced (nothing written).
  bool WriteAll(std::span<const ProfileEntry> entries);
  // The whole file, for reading many keys at once; empty when missing or unreadable.
  ProfileText Load() const;

 private:
  std::filesystem::path path_;
};

// One key of the settings file with the value it has when it is missing.
struct SettingKey {
  std::string_view section, key, fallback;
};

// Reads keys from one snapshot of the file.
class SettingsSnapshot {
 public:
  explicit SettingsSnapshot(const ProfileFile& file) : text_(file.Load()) {}
  std::string_view Text(const SettingKey& key) const;
  int Integer(const SettingKey& key) const;
  // Set unless the value is "0" (a missing key reads as its fallback).
  bool NotZero(const SettingKey& key) const { return Text(key) != "0"; }
  // Set only when the value is "1".
  bool One(const SettingKey& key) const { return Text(key) == "1"; }

 private:
  ProfileText text_;
};

// The entry that writes value to key.
inline ProfileEntry Entry(const SettingKey& key, std::string_view value) { return {key.section, key.key, value}; }

// Booleans are written "1" and "0".
inline std::string_view FlagText(bool on) { return on ? "1" : "0"; }

}  // namespace declarium
