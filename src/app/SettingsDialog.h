// The dialog for the global hotkey and the two tray options.
#pragma once

class QWidget;

namespace declarium {

class ProfileFile;
class Window;
struct Settings;

// Modal, owned by mainWindow, on which the hotkey is registered. hotkeyId is
// the main window's current hotkey: "确定" unregisters it and stores the new
// registration's id (0 when it failed; the dialog then stays open). On
// success the tray options are taken over and the four keys written to
// config at once. Returns true when confirmed.
bool RunSettingsDialog(Window* mainWindow, Settings& settings, int& hotkeyId, ProfileFile& config);

}  // namespace declarium
