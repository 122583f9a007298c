#include "app/AffixDialog.h"

#include <QAbstractButton>

#include "app/Settings.h"
#include "text/CutToBytes.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"
#include "ui/Templates.h"
#include "ui/Window.h"

namespace declarium {

namespace {
constexpr int kPrefixEdit = 1602;
constexpr int kSuffixEdit = 1603;
constexpr int kOkButton = 1605;
constexpr int kCancelButton = 1606;
// The fields hold what a fixed-size buffer of the settings file kept.
constexpr std::size_t kAffixBytes = 20;
}  // namespace

bool RunAffixDialog(QWidget* owner, Settings& settings, const std::function<void()>& saveSettings) {
  const int result = Window::RunModal(kAffixDialogTemplate, owner, [&](Window& w) {
    w.SetIcon(ApplicationIcon());
    w.SetItemText(kPrefixEdit, FromGbk(settings.namePrefix));
    w.SetItemText(kSuffixEdit, FromGbk(settings.nameSuffix));
    if (QAbstractButton* ok = w.button(kOkButton))
      QObject::connect(ok, &QAbstractButton::clicked, &w, [&w, &settings, &saveSettings] {
        settings.namePrefix = CutToBytes(ToGbk(w.ItemText(kPrefixEdit)), kAffixBytes);
        settings.nameSuffix = CutToBytes(ToGbk(w.ItemText(kSuffixEdit)), kAffixBytes);
        if (saveSettings) saveSettings();
        w.EndWithResult(kOkButton);
      });
    if (QAbstractButton* cancel = w.button(kCancelButton))
      QObject::connect(cancel, &QAbstractButton::clicked, &w, [&w] { w.EndWithResult(kCancelButton); });
  });
  return result == kOkButton;
}

}  // namespace declarium
