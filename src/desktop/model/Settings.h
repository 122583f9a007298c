// The desktop program's settings record, kept in Config.ini beside the
// program: the declaration style, and what only the desktop program reads
// (the syntax shown, the hotkey, the tray, the splitters, the placement).
#pragma once

#include <span>

#include "config/SettingsFile.h"
#include "output/DeclarationStyle.h"
#include "store/Records.h"

namespace declarium {

struct Settings {
  DeclarationStyle style;
  SyntaxKind language = SyntaxKind::E;  // Setings/语言
  int hotkeyModifiers = 1;              // Setings/功能键 (1 Alt, 2 Ctrl, 4 Shift)
  int hotkeyKey = 75;                   // Setings/键代码 (virtual-key code, K)
  bool minimizeToTray = false;          // Setings/最小化到托盘
  bool closeToTray = true;              // Setings/关闭到托盘
  int browseWidth = 150;                // Config/BrowseWidth
  int spreadingHeight = 100;            // Config/SpreadingHeight
  int toInsertWidth = 150;              // Config/ToInsertWidth
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
  int languageIndex = 0;                                 // LanguageBox selection
};

// The smallest outer size at which every part of the main window stays usable.
inline constexpr int kMinimumWindowWidth = 560;
inline constexpr int kMinimumWindowHeight = 400;

// A screen's area, in the placement's pixels.
struct ScreenArea {
  int left = 0, top = 0, width = 0, height = 0;
};

// The placement the window takes from a stored one: the stored one when it
// is at least the minimum size and at least partly on one of the screens (100
// by 20 pixels of its top 40 or more, enough to take it by the title), the
// default one otherwise (the maximised flag kept either way). A stored one
// wider or taller than that screen is cut to the screen's width or height,
// from its edge.
WindowPlacement UsablePlacement(const WindowPlacement& stored, std::span<const ScreenArea> screens);

// Reads every setting; the splitter values are range-limited against the
// window size the window has from its template (width, height).
Settings LoadSettings(const ProfileFile& file, int windowWidth, int windowHeight);
// The stored placement; the default one when any of its four numbers is no
// decimal integer.
WindowPlacement LoadPlacement(const ProfileFile& file);
// Writes every key in order; placement and splitter values only in the normal state.
void SaveSettings(ProfileFile& file, const Settings& settings, const SaveContext& context);
// The four keys the settings dialog writes at once.
void SaveHotkeyAndTray(ProfileFile& file, const Settings& settings);

}  // namespace declarium
