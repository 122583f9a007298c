#include "app/SettingsDialog.h"

#include <QAbstractButton>

#include "app/ConfigFile.h"
#include "app/Settings.h"
#include "ui/Controls.h"
#include "ui/ModalServices.h"
#include "ui/Pictures.h"
#include "ui/Templates.h"
#include "ui/Window.h"

namespace declarium {

namespace {
constexpr int kHotkeyControl = 1804;
constexpr int kCloseToTrayBox = 1806;
constexpr int kMinimizeToTrayBox = 1807;
constexpr int kOkButton = 1808;
constexpr int kCancelButton = 1809;

// Takes the new hotkey over and registers it; true when it was granted.
bool Confirm(Window& dialog, Window* mainWindow, Settings& settings, int& hotkeyId, ProfileFile& config) {
  if (HotkeyEdit* edit = dialog.hotkeyEdit(kHotkeyControl)) {
    // Taken over before registration, so a refused combination is what the
    // file gets at exit, and the next start tries it again.
    settings.hotkeyModifiers = HotkeyModifiers(edit->Modifiers());
    settings.hotkeyKey = edit->KeyCode() & 0xFF;
  }
  Services().UnregisterHotkey(mainWindow, hotkeyId);
  hotkeyId = Services().RegisterHotkey(mainWindow, settings.hotkeyModifiers, settings.hotkeyKey);
  if (hotkeyId == 0) {
    dialog.MessageBox(QStringLiteral("注册热键失败！请尝试其他热键"), kMbIconError);
    return false;
  }
  settings.closeToTray = dialog.IsChecked(kCloseToTrayBox);
  settings.minimizeToTray = dialog.IsChecked(kMinimizeToTrayBox);
  SaveHotkeyAndTray(config, settings);
  return true;
}

}  // namespace

bool RunSettingsDialog(Window* mainWindow, Settings& settings, int& hotkeyId, ProfileFile& config) {
  const int result = Window::RunModal(kSettingsDialogTemplate, mainWindow, [&](Window& w) {
    w.SetIcon(ApplicationIcon());
    if (HotkeyEdit* edit = w.hotkeyEdit(kHotkeyControl))
      edit->SetHotkey(settings.hotkeyKey & 0xFF, HotkeyModifiers(settings.hotkeyModifiers));
    w.SetChecked(kCloseToTrayBox, settings.closeToTray);
    w.SetChecked(kMinimizeToTrayBox, settings.minimizeToTray);
    if (QAbstractButton* ok = w.button(kOkButton))
      QObject::connect(ok, &QAbstractButton::clicked, &w, [&w, mainWindow, &settings, &hotkeyId, &config] {
        if (Confirm(w, mainWindow, settings, hotkeyId, config)) w.EndWithResult(kOkButton);
      });
    if (QAbstractButton* cancel = w.button(kCancelButton))
      QObject::connect(cancel, &QAbstractButton::clicked, &w, [&w] { w.EndWithResult(kCancelButton); });
  });
  return result == kOkButton;
}

}  // namespace declarium
