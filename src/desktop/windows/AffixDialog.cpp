#include "windows/AffixDialog.h"

#include <QAbstractButton>

#include "output/DeclarationStyle.h"
#include "text/CutToBytes.h"
#include "toolkit/QtText.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"

namespace declarium {

namespace {

using namespace affix_control;
using K = ControlKind;
constexpr ControlTemplate kAffixControls[] = {
    {-1, K::Static, u"请自定义API名称之前后缀，在复制API函数时会自动添加：", 7, 7, 200, 10, kNoStyle},
    {-1, K::Static, u"前缀：", 7, 24, 26, 10, kNoStyle},
    {kPrefix, K::Edit, nullptr, 35, 22, 170, 13, kNoStyle},
    {-1, K::Static, u"后缀：", 7, 42, 26, 10, kNoStyle},
    {kSuffix, K::Edit, nullptr, 35, 40, 170, 13, kNoStyle},
    {kOk, K::Button, u"确定", 100, 60, 50, 15, kDefaultButton},
    {kCancel, K::Button, u"取消", 155, 60, 50, 15, kNoStyle},
};

// The fields hold what a fixed-size buffer of the settings file kept.
constexpr std::size_t kAffixBytes = 20;

}  // namespace

const WindowTemplate kAffixDialogTemplate{resource::kAffixDialog, u"API名称前后缀", nullptr, 212, 80, {},
                                          kAffixControls};

bool RunAffixDialog(QWidget* owner, DeclarationStyle& style, const std::function<void()>& saveSettings) {
  const int result = Window::RunModal(kAffixDialogTemplate, owner, [&](Window& w) {
    w.SetIcon(ApplicationIcon());
    w.SetItemText(kPrefix, FromGbk(style.namePrefix));
    w.SetItemText(kSuffix, FromGbk(style.nameSuffix));
    if (QAbstractButton* ok = w.button(kOk))
      QObject::connect(ok, &QAbstractButton::clicked, &w, [&w, &style, &saveSettings] {
        style.namePrefix = CutToBytes(ToGbk(w.ItemText(kPrefix)), kAffixBytes);
        style.nameSuffix = CutToBytes(ToGbk(w.ItemText(kSuffix)), kAffixBytes);
        if (saveSettings) saveSettings();
        w.EndWithResult(kOk);
      });
    if (QAbstractButton* cancel = w.button(kCancel))
      QObject::connect(cancel, &QAbstractButton::clicked, &w, [&w] { w.EndWithResult(kCancel); });
  });
  return result == kOk;
}

}  // namespace declarium
