#include "windows/SettingsDialog.h"

#include <QAbstractButton>

#include "model/Settings.h"
#include "toolkit/Controls.h"
#include "toolkit/GlobalHotkeys.h"
#include "toolkit/ModalServices.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"
#include "windows/TrayAndHotkey.h"

namespace declarium {

namespace {

using namespace settings_control;
using K = ControlKind;
constexpr ControlTemplate kSettingsControls[] = {
    {kHotkeyGroup, K::GroupBox, u"热键", 5, 5, 190, 46, kNoStyle},
    {kHotkeyText, K::Static, u"设置隐藏或显示程序界面：", 12, 17, 170, 10, kNoStyle},
    {kHotkeyLabel, K::Static, u"热键设置：", 12, 32, 42, 10, kNoStyle},
    {kHotkey, K::HotkeyEdit, nullptr, 56, 30, 130, 13, kNoStyle},
    {kTrayGroup, K::GroupBox, u"托盘", 5, 55, 190, 30, kNoStyle},
    {kCloseToTray, K::CheckBox, u"关闭到托盘", 12, 68, 75, 10, kNoStyle},
    {kMinimizeToTray, K::CheckBox, u"最小化到托盘", 95, 68, 85, 10, kNoStyle},
    {kOk, K::Button, u"确定", 90, 92, 50, 15, kDefaultButton},
    {kCancel, K::Button, u"取消", 145, 92, 50, 15, kNoStyle},
};

// Takes the new hotkey over and registers it; true when it was granted.
bool Confirm(Window& dialog, Settings& settings, TrayAndHotkey& tray, ProfileFile& config) {
  if (HotkeyEdit* edit = dialog.hotkeyEdit(kHotkey)) {
    // Taken over before registration, so a refused combination is what the
    // file gets at exit, and the next start tries it again.
    settings.hotkeyModifiers = HotkeyBitsFromModifiers(edit->Modifiers());
    settings.hotkeyKey = edit->KeyCode() & 0xFF;
  }
  if (!tray.ReplaceHotkey()) {
    dialog.MessageBox(QStringLiteral("注册热键失败！请尝试其他热键"), kMbIconError);
    return false;
  }
  settings.closeToTray = dialog.IsChecked(kCloseToTray);
  settings.minimizeToTray = dialog.IsChecked(kMinimizeToTray);
  SaveHotkeyAndTray(config, settings);
  return true;
}

}  // namespace

const WindowTemplate kSettingsDialogTemplate{resource::kSettingsDialog, u"设置", nullptr, 200, 112, {},
                                             kSettingsControls};

bool RunSettingsDialog(Window* mainWindow, Settings& settings, TrayAndHotkey& tray, ProfileFile& config) {
  const int result = Window::RunModal(kSettingsDialogTemplate, mainWindow, [&](Window& w) {
    w.SetIcon(ApplicationIcon());
    if (HotkeyEdit* edit = w.hotkeyEdit(kHotkey))
      edit->SetHotkey(settings.hotkeyKey & 0xFF, ModifiersFromHotkeyBits(settings.hotkeyModifiers));
    w.SetChecked(kCloseToTray, settings.closeToTray);
    w.SetChecked(kMinimizeToTray, settings.minimizeToTray);
    if (QAbstractButton* ok = w.button(kOk))
      QObject::connect(ok, &QAbstractButton::clicked, &w, [&w, &settings, &tray, &config] {
        if (Confirm(w, settings, tray, config)) w.EndWithResult(kOk);
      });
    if (QAbstractButton* cancel = w.button(kCancel))
      QObject::connect(cancel, &QAbstractButton::clicked, &w, [&w] { w.EndWithResult(kCancel); });
  });
  return result == kOk;
}

}  // namespace declarium
