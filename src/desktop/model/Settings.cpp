#include "model/Settings.h"

#include <array>
#include <string>
#include <vector>

#include "config/StyleSettings.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

using namespace setting_key;

// A splitter value outside [low, high] falls back to its default.
int Limited(int v, int low, int high, int fallback) { return v < low || v > high ? fallback : v; }

// The hotkey and tray entries, in the order both ways of saving write them;
// numbers keeps the texts the entries view.
void AppendHotkeyAndTray(const Settings& s, std::array<std::string, 2>& numbers,
                         std::vector<ProfileEntry>& entries) {
  numbers = {DecimalText(s.hotkeyModifiers), DecimalText(s.hotkeyKey)};
  entries.push_back(Entry(kCloseToTray, FlagText(s.closeToTray)));
  entries.push_back(Entry(kMinimizeToTray, FlagText(s.minimizeToTray)));
  entries.push_back(Entry(kHotkeyModifiers, numbers[0]));
  entries.push_back(Entry(kHotkeyKey, numbers[1]));
}

}  // namespace

Settings LoadSettings(const ProfileFile& file, int windowWidth, int windowHeight) {
  const SettingsSnapshot r(file);
  Settings s;
  s.style = LoadDeclarationStyle(r);
  s.language = SyntaxOfNumber(r.Integer(kLanguage));
  // Every reader of the setting indexes its three syntaxes with it.
  if (!IsKnownSyntax(s.language)) s.language = SyntaxKind::E;
  s.closeToTray = r.One(kCloseToTray);
  s.minimizeToTray = r.One(kMinimizeToTray);
  s.hotkeyModifiers = r.Integer(kHotkeyModifiers);
  s.hotkeyKey = r.Integer(kHotkeyKey);
  s.browseWidth = Limited(r.Integer(kBrowseWidth), 50, windowWidth - 200, 150);
  s.spreadingHeight = Limited(r.Integer(kSpreadingHeight), 50, windowHeight - 200, 100);
  s.toInsertWidth = Limited(r.Integer(kToInsertWidth), 150, windowWidth - 200, 150);
  return s;
}

WindowPlacement LoadPlacement(const ProfileFile& file) {
  const SettingsSnapshot r(file);
  WindowPlacement p;
  p.maximized = r.One(kMaximized);
  // Read even when maximised: it is the size to restore to.
  p.left = r.Integer(kLeft);
  p.top = r.Integer(kTop);
  p.width = r.Integer(kWidth);
  p.height = r.Integer(kHeight);
  return p;
}

void SaveSettings(ProfileFile& file, const Settings& settings, const SaveContext& context) {
  std::vector<ProfileEntry> entries;
  AppendDeclarationStyle(settings.style, entries);
  const std::string language = DecimalText(context.languageIndex);
  entries.push_back(Entry(kLanguage, language));
  std::array<std::string, 2> hotkey;
  AppendHotkeyAndTray(settings, hotkey, entries);
  entries.push_back(Entry(kMaximized, FlagText(context.windowState == 2)));
  // Placement and splitters only from a normal window: a maximised or
  // minimised one would overwrite the size to restore to.
  const std::array<std::string, 7> numbers = {
      DecimalText(context.left),          DecimalText(context.top),
      DecimalText(context.width),         DecimalText(context.height),
      DecimalText(settings.browseWidth),  DecimalText(settings.spreadingHeight),
      DecimalText(settings.toInsertWidth)};
  const auto add = [&entries](const SettingKey& key, const std::string& value) { entries.push_back(Entry(key, value)); };
  if (context.windowState == 0) {
    add(kLeft, numbers[0]);
    add(kTop, numbers[1]);
    add(kWidth, numbers[2]);
    add(kHeight, numbers[3]);
    // A value out of range is left out, so the file keeps the previous one.
    if (settings.browseWidth >= 50 && settings.browseWidth <= context.width - 200) add(kBrowseWidth, numbers[4]);
    if (settings.spreadingHeight >= 50 && settings.spreadingHeight <= context.height - 200) {
      add(kSpreadingHeight, numbers[5]);
    }
    if (settings.toInsertWidth >= 145 && settings.toInsertWidth <= context.width - 200) {
      add(kToInsertWidth, numbers[6]);
    }
  }
  file.WriteAll(entries);
}

void SaveHotkeyAndTray(ProfileFile& file, const Settings& settings) {
  std::vector<ProfileEntry> entries;
  std::array<std::string, 2> hotkey;
  AppendHotkeyAndTray(settings, hotkey, entries);
  file.WriteAll(entries);
}

}  // namespace declarium
