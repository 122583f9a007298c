#include "windows/ConstantEditorDialog.h"

#include <QAbstractButton>
#include <algorithm>
#include <array>

#include "catalogue/ConstantEdit.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"

namespace declarium {

namespace {

using namespace constant_control;
using K = ControlKind;
constexpr ControlTemplate kConstantEditorControls[] = {
    {kNameLabel, K::Static, u"常量名：", 5, 7, 46, 10, kNoStyle},
    {kName, K::Edit, nullptr, 52, 5, 163, 13, kNoStyle},
    {kDecimalLabel, K::Static, u"十进制值：", 5, 25, 46, 10, kNoStyle},
    {kDecimal, K::Edit, nullptr, 52, 23, 163, 13, kNoStyle},
    {kHexLabel, K::Static, u"十六进制值：", 5, 43, 46, 10, kNoStyle},
    {kHex, K::Edit, nullptr, 52, 41, 163, 13, kNoStyle},
    {kRemarkLabel, K::Static, u"备注：", 5, 61, 46, 10, kNoStyle},
    {kRemark, K::Edit, nullptr, 52, 59, 163, 45, kMultiLine | kVScroll | kWantReturn},
    {kOk, K::Button, u"确定", 110, 110, 50, 15, kDefaultButton},
    {kCancel, K::Button, u"取消", 165, 110, 50, 15, kNoStyle},
};

// One edit box and the list column it comes from. What the box shows may
// differ from the stored text in line ends only; an untouched box gives the
// row's own text back, so saving unchanged writes exactly what was there.
struct Field {
  int edit;
  int column;
  QString original;
  QString shown;
};

}  // namespace

const WindowTemplate kConstantEditorTemplate{resource::kConstantEditor, u"修改常量", nullptr, 220, 130, {},
                                             kConstantEditorControls};

bool RunConstantEditor(QWidget* owner, CatalogueStore& store, ReportView* list, int row) {
  if (list == nullptr || row < 0 || row >= list->Count()) return false;
  const int id = static_cast<int>(list->RowData(row));
  std::array<Field, 4> fields = {{{constant_control::kName, 0, {}, {}},
                                  {constant_control::kHex, 1, {}, {}},
                                  {constant_control::kDecimal, 2, {}, {}},
                                  {constant_control::kRemark, 3, {}, {}}}};
  const int result = Window::RunModal(kConstantEditorTemplate, owner, [&](Window& w) {
    w.SetIcon(ApplicationIcon());
    for (Field& f : fields) {
      f.original = list->CellText(row, f.column);
      w.SetItemText(f.edit, f.original);
      f.shown = w.ItemText(f.edit);
    }
    QObject::connect(w.button(constant_control::kOk), &QAbstractButton::clicked, &w, [&] {
      std::array<QString, 4> texts;
      for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString now = w.ItemText(fields[i].edit);
        texts[i] = now == fields[i].shown ? fields[i].original : now;
      }
      if (!std::all_of(texts.begin(), texts.end(), GbkHolds)) {
        w.MessageBox(QStringLiteral("修改失败！\r\n") + NotInGbkMessage(), kMbIconError);
        return;
      }
      const ConstantTexts before{ToGbk(fields[0].original), ToGbk(fields[1].original), ToGbk(fields[2].original),
                                 ToGbk(fields[3].original)};
      ConstantTexts after{ToGbk(texts[0]), ToGbk(texts[1]), ToGbk(texts[2]), ToGbk(texts[3])};
      switch (SaveEditedConstant(store, id, before, after)) {
        case ConstantSave::Conflict: w.MessageBox(FromGbk(ConflictingValuesMessage(after)), kMbIconError); return;
        case ConstantSave::Failed: w.MessageBox(QStringLiteral("修改失败！"), kMbIconError); return;
        case ConstantSave::Saved: break;
      }
      // A value worked out from the other one is shown as stored.
      if (after.hexValue != ToGbk(texts[1])) texts[1] = FromGbk(after.hexValue);
      if (after.decimalValue != ToGbk(texts[2])) texts[2] = FromGbk(after.decimalValue);
      // The row stays where it is, even when the new name sorts elsewhere.
      for (std::size_t i = 0; i < fields.size(); ++i) list->SetCellText(row, fields[i].column, texts[i]);
      w.EndWithResult(constant_control::kOk);
    });
    QObject::connect(w.button(constant_control::kCancel), &QAbstractButton::clicked, &w,
                     [&w] { w.EndWithResult(constant_control::kCancel); });
  });
  return result == constant_control::kOk;
}

}  // namespace declarium
