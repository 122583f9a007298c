#include "windows/HelpWindow.h"

#include <QAbstractButton>
#include <QFile>

#include "toolkit/Controls.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"

namespace declarium {
namespace {

using namespace help_control;
using K = ControlKind;
constexpr ControlTemplate kHelpControls[] = {
    {kText, K::Edit, nullptr, 3, 3, 334, 230, kMultiLine | kVScroll | kReadOnly},
    {kClose, K::Button, u"关闭", 287, 237, 50, 15, kDefaultButton},
};

}  // namespace

const WindowTemplate kHelpWindowTemplate{resource::kHelpWindow, u"帮助主题", nullptr, 340, 255, {}, kHelpControls};

QString UserGuideText() {
  QFile file(QStringLiteral(":/guide/guide.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QString text = QString::fromUtf8(file.readAll());
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return text;
}

void RunHelpWindow(QWidget* owner) {
  Window::RunModal(kHelpWindowTemplate, owner, [](Window& w) {
    w.SetIcon(ApplicationIcon());
    if (MultiLineEdit* text = w.multiLineEdit(kText)) text->SetText(UserGuideText());
    if (QAbstractButton* close = w.button(kClose))
      QObject::connect(close, &QAbstractButton::clicked, &w, [&w] { w.EndWithResult(kClose); });
  });
}

}  // namespace declarium
