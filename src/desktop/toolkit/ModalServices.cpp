#include "toolkit/ModalServices.h"

#include "toolkit/QtServices.h"

namespace declarium {
namespace {
ModalServices* installed = nullptr;
}

ModalServices& Services() {
  if (installed) return *installed;
  static QtServices defaults;
  return defaults;
}

void SetServices(ModalServices* services) { installed = services; }

int PlainMessageBox(const QString& text, int style, const QString& caption) {
  return Services().ShowMessage(nullptr, text, style, caption.isEmpty() ? QString::fromUtf16(kPlainCaption) : caption);
}

int OwnedMessageBox(QWidget* owner, const QString& text, int style, const QString& caption) {
  return Services().ShowMessage(owner, text, style, caption.isEmpty() ? QString::fromUtf16(kOwnedCaption) : caption);
}

}  // namespace declarium
