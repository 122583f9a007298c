// The notification-area icon and the global hotkey of the main window:
// hiding to the tray on close or minimise, and bringing the window back.
#pragma once

#include <QObject>
#include <QPointer>

#include "model/Settings.h"

class QEvent;

namespace declarium {

class MenuResource;
class Window;

class TrayAndHotkey : public QObject {
  Q_OBJECT
 public:
  // contextMenus holds the tray menu; settings gives the hotkey and the tray options.
  TrayAndHotkey(Window& window, const Settings& settings, MenuResource* contextMenus);

  // Registers the hotkey, adds the icon and starts watching the window.
  void SetUp();
  // Unregisters the hotkey and removes the icon.
  void TearDown();

  // Visible: hide; hidden: show in the normal state. Also tray item 11010.
  void Toggle();
  // "退出": the next close ends the program instead of hiding it.
  void SetExiting() { exiting_ = true; }
  int HotkeyId() const { return hotkeyId_; }  // 0 = no global hotkey
  // Unregisters the hotkey and registers the one the settings now hold;
  // false when that is refused (then there is none).
  bool ReplaceHotkey();

 private:
  void OnTrayEvent(int kind);
  void OnHotkey(int id);
  bool FilterClose(QObject* target, QEvent* event);
  void OnMoved();
  bool CanHide() const;

  QPointer<Window> window_;
  const Settings& settings_;
  MenuResource* contextMenus_;
  int hotkeyId_ = 0;
  bool hasTrayIcon_ = false;
  bool exiting_ = false;
};

}  // namespace declarium
