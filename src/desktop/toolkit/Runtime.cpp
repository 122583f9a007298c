#include "toolkit/Runtime.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

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

void PumpMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace declarium
