#include "windows/LayoutWindow.h"

#include <QAbstractButton>
#include <QFontDatabase>

#include "output/LayoutReport.h"
#include "store/CatalogueStore.h"
#include "store/Loaders.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/Messages.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"

namespace declarium {
namespace {

using namespace layout_control;
using K = ControlKind;
constexpr ControlTemplate kLayoutControls[] = {
    {kText, K::Edit, nullptr, 3, 3, 334, 190, kMultiLine | kVScroll | kHScroll | kReadOnly},
    {kFor64, K::CheckBox, u"64 位（64 位 C 与 VBA 7）", 5, 199, 160, 10, kNoStyle},
    {kClose, K::Button, u"关闭", 287, 197, 50, 15, kDefaultButton},
};

QString LayoutText(CatalogueStore& store, int id, bool for64) {
  DataTypeRecord record;
  if (!LoadDataType(store, id, record)) return ReadErrorText(store);
  DataTypeCache types(&store);
  const std::string report = LayoutReport(record, for64, types.Lookup());
  if (report.empty()) return QStringLiteral("无法计算布局：有成员的类型不明（不是基本类型，也不在目录中）。");
  return FromGbk(report);
}

}  // namespace

const WindowTemplate kLayoutWindowTemplate{resource::kLayoutWindow, u"内存布局", nullptr, 340, 215, {},
                                           kLayoutControls};

void RunLayoutWindow(QWidget* owner, CatalogueStore& store, int dataTypeId, bool for64) {
  Window::RunModal(kLayoutWindowTemplate, owner, [&](Window& w) {
    w.SetIcon(ApplicationIcon());
    MultiLineEdit* text = w.multiLineEdit(kText);
    // Columns line up only in a face whose letters are all as wide.
    if (text) text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto show = [&w, &store, dataTypeId, text] {
      if (text) text->SetText(LayoutText(store, dataTypeId, w.IsChecked(kFor64)));
    };
    w.SetChecked(kFor64, for64);
    show();
    if (QAbstractButton* box = w.button(kFor64)) QObject::connect(box, &QAbstractButton::toggled, &w, show);
    if (QAbstractButton* close = w.button(kClose))
      QObject::connect(close, &QAbstractButton::clicked, &w, [&w] { w.EndWithResult(kClose); });
  });
}

}  // namespace declarium
