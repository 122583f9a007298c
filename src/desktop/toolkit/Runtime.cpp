#include "toolkit/Runtime.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace declarium {
namespace {
int busyDepth = 0;
}

void BusyCursor::Set() {
  if (busyDepth++ == 0) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void BusyCursor::Clear() {
  if (busyDepth == 0) return;
  if (--busyDepth == 0) QGuiApplication::restoreOverrideCursor();
}

bool BusyCursor::IsSet() { return busyDepth > 0; }

FocusReturn::FocusReturn() : window_(QApplication::activeWindow()), focus_(QApplication::focusWidget()) {}

FocusReturn::~FocusReturn() {
  if (window_.isNull() || !window_->isVisible()) return;
  window_->activateWindow();
  if (!focus_.isNull() && focus_->window() == window_) focus_->setFocus(Qt::ActiveWindowFocusReason);
}

bool InstallChineseTranslation() {
  static QTranslator* translator = nullptr;
  if (translator != nullptr) return true;
  auto* loaded = new QTranslator(QCoreApplication::instance());
  const QString name = QStringLiteral("qtbase_zh_CN");
  if (loaded->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      loaded->load(name, QCoreApplication::applicationDirPath() + QStringLiteral("/translations"))) {
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
  }
  delete loaded;
  return false;
}

void PumpMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace declarium
