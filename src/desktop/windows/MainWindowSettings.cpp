// Settings at creation and at exit, the two option dialogs, the teardown when
// the window goes, and bringing the window forward for a second start.
#include <QGuiApplication>
#include <QScreen>
#include <vector>

#include "model/Commands.h"
#include "model/Settings.h"
#include "store/CatalogueStore.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/Window.h"
#include "windows/AffixDialog.h"
#include "windows/MainWindow.h"
#include "windows/SettingsDialog.h"
#include "windows/TrayAndHotkey.h"

namespace declarium {

void MainWindow::LoadSettingsAtCreation(Window& w) {
  // The splitter values are checked against the size the window has from its template.
  settings_ = LoadSettings(config_, w.Width(), w.Height());
  if (MenuResource* menu = w.Menu()) {
    menu->SetChecked(command::kInsertChineseNames, settings_.style.insertChineseNames);
    menu->SetChecked(command::kInsertRemarks, settings_.style.insertRemarks);
    menu->SetChecked(command::kPublic, settings_.style.isPublic);
    menu->SetChecked(command::kCSharp64, settings_.style.csharp64);
    menu->SetChecked(command::kVba7, settings_.style.vba7);
  }
  // A placement made of garbage, too small to use or off every screen gives
  // way to the default one.
  std::vector<ScreenArea> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->availableGeometry();
    screens.push_back({r.left(), r.top(), r.width(), r.height()});
  }
  placement_ = UsablePlacement(LoadPlacement(config_), screens);
  if (placement_.maximized) {
    // Not shown yet: the state is taken over when the window is first shown.
    w.setWindowState(Qt::WindowMaximized);
  } else {
    w.SetPlacement(placement_.left, placement_.top, placement_.width, placement_.height);
  }
}

void MainWindow::SaveSettingsAtExit() {
  SaveContext context;
  context.windowState = window_->State();
  context.left = window_->Left();
  context.top = window_->Top();
  // Saved as it is restored, so that an unchanged window is saved unchanged.
  context.width = window_->InnerWidth();
  context.height = window_->InnerHeight();
  context.languageIndex = languageBox_->Selection();
  SaveSettings(config_, settings_, context);
}

void MainWindow::OpenAffixDialog() {
  RunAffixDialog(window_, settings_.style, [this] { SaveSettingsAtExit(); });
}

void MainWindow::OpenSettingsDialog() { RunSettingsDialog(window_, settings_, *tray_, config_); }

void MainWindow::OnDestroyed() {
  if (tornDown_) return;
  tornDown_ = true;
  tray_->TearDown();
  treePictures_.Destroy();
  toolbarPictures_.Destroy();
  statusPictures_.Destroy();
  EndAdvancedFind();
  store_.Close();
  SaveSettingsAtExit();
  emit finished();
}

void MainWindow::BringForward() {
  if (window_.isNull()) return;
  Window* w = window_.data();
  // Found even while hidden in the notification area; a minimised window
  // comes back in the state it had before.
  if (w->isMinimized()) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->show();
  w->raise();
  w->activateWindow();
  w->Focus();
}

}  // namespace declarium
