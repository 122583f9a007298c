// Config.ini: the settings file beside the program, read and written with
// private-profile semantics.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "config/ProfileText.h"
#include "output/DeclarationStyle.h"

namespace declarium {

// The directory of the program file, without a trailing separator.
std::filesystem::path ProgramDirectory();
// ProgramDirectory() / "Config.ini".
std::filesystem::path ConfigFilePath();

// Swaps bit 0 and bit 2 and keeps bit 1, turning hotkey-control modifiers
// (1 Shift, 2 Ctrl, 4 Alt) into platform ones (1 Alt, 2 Ctrl, 4 Shift) and back.
int HotkeyModifiers(int m);

// An INI file: sections and keys matched without regard to ASCII case, a
// missing file, section or key gives the default, values of any length, GBK
// bytes on disk. Writing a key keeps every other line; the file is replaced
// through a temporary file, so an interrupted write never truncates it.
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

// The main window's placement, kept in section "Config".
struct WindowPlacement {
  bool maximized = false;  // IsMax
  int left = 200, top = 200, width = 800, height = 600;
};

// Window state when settings are saved: 0 normal, 1 minimised, 2 maximised.
struct SaveContext {
  int windowState = 0;
  int left = 200, top = 200, width = 800, height = 600;  // current outer rectangle
  int languageIndex = 0;                                  // LanguageBox selection
};

// Reads every setting; the splitter values are range-limited against the
// window size the window has from its template (width, height).
Settings LoadSettings(const ProfileFile& file, int windowWidth, int windowHeight);
WindowPlacement LoadPlacement(const ProfileFile& file);
// Writes every key in order; placement and splitter values only in the normal state.
void SaveSettings(ProfileFile& file, const Settings& settings, const SaveContext& context);
// The four keys the settings dialog writes at once.
void SaveHotkeyAndTray(ProfileFile& file, const Settings& settings);

}  // namespace declarium
