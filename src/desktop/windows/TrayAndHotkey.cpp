#include "windows/TrayAndHotkey.h"

#include <QCloseEvent>
#include <QCursor>

#include "model/Commands.h"
#include "toolkit/GlobalHotkeys.h"
#include "toolkit/Menus.h"
#include "toolkit/ModalServices.h"
#include "toolkit/Window.h"
#include "windows/Pictures.h"

namespace declarium {

namespace {
constexpr int kTrayMenuPopup = 5;
constexpr int kTrayLeftButtonUp = 1;
constexpr int kTrayRightButtonUp = 2;
}  // namespace

TrayAndHotkey::TrayAndHotkey(Window& window, const Settings& settings, MenuResource* contextMenus)
    : QObject(&window), window_(&window), settings_(settings), contextMenus_(contextMenus) {}

void TrayAndHotkey::SetUp() {
  Window& w = *window_;
  // A failed registration is silent: the tray icon still brings the window back.
  hotkeyId_ = Services().RegisterHotkey(&w, ModifiersFromHotkeyBits(settings_.hotkeyModifiers), settings_.hotkeyKey);
  connect(&w, &Window::hotkeyPressed, this, [this](int id) { OnHotkey(id); });
  connect(&w, &Window::trayEvent, this, [this](int kind) { OnTrayEvent(kind); });
  connect(&w, &Window::moved, this, [this] { OnMoved(); });
  w.SetMessageFilter([this](QObject* target, QEvent* event) { return FilterClose(target, event); });
  // Without a notification area (some desktops, offscreen) the program runs as usual.
  hasTrayIcon_ = Services().AddTrayIcon(&w, ApplicationIcon(), QStringLiteral("Declarium"));
}

void TrayAndHotkey::TearDown() {
  if (window_.isNull()) return;
  if (hotkeyId_ != 0) Services().UnregisterHotkey(window_, hotkeyId_);
  hotkeyId_ = 0;
  if (hasTrayIcon_) Services().RemoveTrayIcon(window_);
  hasTrayIcon_ = false;
}

bool TrayAndHotkey::ReplaceHotkey() {
  Services().UnregisterHotkey(window_, hotkeyId_);
  hotkeyId_ =
      Services().RegisterHotkey(window_, ModifiersFromHotkeyBits(settings_.hotkeyModifiers), settings_.hotkeyKey);
  return hotkeyId_ != 0;
}

void TrayAndHotkey::Toggle() {
  if (window_.isNull()) return;
  if (window_->IsShown()) {
    window_->SetShown(false);
    return;
  }
  window_->SetShown(true);
  // A window hidden while minimised or maximised comes back in its normal size.
  window_->SetState(kStateNormal);
}

void TrayAndHotkey::OnTrayEvent(int kind) {
  if (window_.isNull()) return;
  if (kind == kTrayLeftButtonUp) {
    Toggle();
  } else if (kind == kTrayRightButtonUp && contextMenus_) {
    const bool visible = window_->IsShown();
    contextMenus_->SetItemText(command::kTrayToggle, visible ? QStringLiteral("隐藏界面") : QStringLiteral("显示界面"));
    // A hidden window is not brought forward by its own menu.
    contextMenus_->OpenPopup(kTrayMenuPopup, QCursor::pos(), visible ? window_.data() : nullptr);
  }
}

void TrayAndHotkey::OnHotkey(int id) {
  if (id != 0 && id == hotkeyId_) Toggle();
}

// Hiding is only offered while there is a way back: the tray icon or the hotkey.
bool TrayAndHotkey::CanHide() const { return hasTrayIcon_ || hotkeyId_ != 0; }

bool TrayAndHotkey::FilterClose(QObject* target, QEvent* event) {
  // The user's close (title bar, window menu, Alt+F4); "退出" closes for good.
  if (target != window_.data() || event->type() != QEvent::Close) return false;
  if (exiting_ || !settings_.closeToTray || !CanHide()) return false;
  window_->SetShown(false);
  return true;
}

void TrayAndHotkey::OnMoved() {
  if (window_.isNull() || !settings_.minimizeToTray || !CanHide()) return;
  if (window_->State() != kStateMinimised || !window_->IsShown()) return;
  // Hidden after the state change has been handled, not in the middle of it.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!window_.isNull() && window_->State() == kStateMinimised) window_->SetShown(false);
      },
      Qt::QueuedConnection);
}

}  // namespace declarium
