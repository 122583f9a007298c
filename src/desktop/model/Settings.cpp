#include "model/Settings.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "config/StyleSettings.h"
#include "text/TextPrimitives.h"

namespace declarium {

// The keys of the desktop settings (the style's are in config/StyleSettings.cpp).
namespace setting_key {
constexpr SettingKey kLanguage{"Setings", "语言", "0"};
constexpr SettingKey kCloseToTray{"Setings", "关闭到托盘", "1"};
constexpr SettingKey kMinimizeToTray{"Setings", "最小化到托盘", "0"};
constexpr SettingKey kHotkeyModifiers{"Setings", "功能键", "1"};
constexpr SettingKey kHotkeyKey{"Setings", "键代码", "75"};
constexpr SettingKey kMaximized{"Config", "IsMax", "0"};
constexpr SettingKey kLeft{"Config", "left", "200"};
constexpr SettingKey kTop{"Config", "top", "200"};
constexpr SettingKey kWidth{"Config", "width", "800"};
constexpr SettingKey kHeight{"Config", "height", "600"};
constexpr SettingKey kBrowseWidth{"Config", "BrowseWidth", "150"};
constexpr SettingKey kSpreadingHeight{"Config", "SpreadingHeight", "100"};
constexpr SettingKey kToInsertWidth{"Config", "ToInsertWidth", "150"};
}  // namespace setting_key
namespace {

using namespace setting_key;

// An optional sign and decimal digits that fit an int, and nothing else.
bool DecimalInteger(std::string_view text, int& value) {
  std::size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i == text.size() || text.size() - i > 9) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  value = static_cast<int>(text[0] == '-' ? -v : v);
  return true;
}

// A splitter value outside [low, high] falls back to its default.
int Limited(int v, int low, int high, int fallback) { return v < low || v > high ? fallback : v; }

// The hotkey and tray entries, in the order both ways of saving write them;
// numbers keeps the texts the entries view.
void AppendHotkeyAndTray(const Settings& s, std::array<std::string, 2>& numbers, std::vector<ProfileEntry>& entries) {
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
  WindowPlacement read = p;
  if (DecimalInteger(r.Text(kLeft), read.left) && DecimalInteger(r.Text(kTop), read.top) &&
      DecimalInteger(r.Text(kWidth), read.width) && DecimalInteger(r.Text(kHeight), read.height)) {
    return read;
  }
  return p;
}

WindowPlacement UsablePlacement(const WindowPlacement& stored, std::span<const ScreenArea> screens) {
  constexpr int kGrip = 100, kTitle = 40;
  const auto visible = [&stored](const ScreenArea& s) {
    const long long left = std::max<long long>(stored.left, s.left);
    const long long right = std::min<long long>(static_cast<long long>(stored.left) + stored.width,
                                                static_cast<long long>(s.left) + s.width);
    const long long top = std::max<long long>(stored.top, s.top);
    const long long bottom =
        std::min<long long>(static_cast<long long>(stored.top) + kTitle, static_cast<long long>(s.top) + s.height);
    return right - left >= kGrip && bottom - top >= kTitle / 2;
  };
  const auto screen = std::find_if(screens.begin(), screens.end(), visible);
  if (stored.width >= kMinimumWindowWidth && stored.height >= kMinimumWindowHeight && screen != screens.end()) {
    // Larger than its screen, it is made the screen's size, there.
    WindowPlacement p = stored;
    if (p.width > screen->width) p = {p.maximized, screen->left, p.top, screen->width, p.height};
    if (p.height > screen->height) p = {p.maximized, p.left, screen->top, p.width, screen->height};
    return p;
  }
  WindowPlacement fallback;
  fallback.maximized = stored.maximized;
  return fallback;
}

void SaveSettings(ProfileFile& file, const Settings& settings, const SaveContext& context) {
  std::vector<ProfileEntry> entries;
  AppendDeclarationStyle(settings.style, file, entries);
  const std::string language = DecimalText(context.languageIndex);
  entries.push_back(Entry(kLanguage, language));
  std::array<std::string, 2> hotkey;
  AppendHotkeyAndTray(settings, hotkey, entries);
  entries.push_back(Entry(kMaximized, FlagText(context.windowState == 2)));
  // Placement and splitters only from a normal window: a maximised or
  // minimised one would overwrite the size to restore to.
  const std::array<std::string, 7> numbers = {DecimalText(context.left),          DecimalText(context.top),
                                              DecimalText(context.width),         DecimalText(context.height),
                                              DecimalText(settings.browseWidth),  DecimalText(settings.spreadingHeight),
                                              DecimalText(settings.toInsertWidth)};
  const auto add = [&entries](const SettingKey& key, const std::string& value) {
    entries.push_back(Entry(key, value));
  };
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
