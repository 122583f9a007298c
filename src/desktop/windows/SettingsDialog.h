// The dialog for the global hotkey and the two tray options.
#pragma once

class QWidget;

namespace declarium {

class ProfileFile;
class TrayAndHotkey;
class Window;
struct Settings;
struct WindowTemplate;

namespace settings_control {
inline constexpr int kHotkeyGroup = 1801;
inline constexpr int kHotkeyText = 1802;
inline constexpr int kHotkeyLabel = 1803;
inline constexpr int kHotkey = 1804;
inline constexpr int kTrayGroup = 1805;
inline constexpr int kCloseToTray = 1806;
inline constexpr int kMinimizeToTray = 1807;
inline constexpr int kOk = 1808;
inline constexpr int kCancel = 1809;
}  // namespace settings_control

// Template 1800.
extern const WindowTemplate kSettingsDialogTemplate;

// Modal, owned by mainWindow. "确定" takes the new hotkey into settings and
// has tray register it in place of the old one; when that fails the dialog
// says so and stays open. On success the tray options are taken over and
// the four keys written to config at once. Returns true when confirmed.
bool RunSettingsDialog(Window* mainWindow, Settings& settings, TrayAndHotkey& tray, ProfileFile& config);

}  // namespace declarium
