#include "browse/ConstantEditorDialog.h"

#include <QAbstractButton>
#include <algorithm>
#include <array>

#include "browse/Deletion.h"
#include "ui/Controls.h"
#include "ui/ModalServices.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"
#include "ui/Templates.h"
#include "ui/Window.h"

namespace declarium {

namespace {

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
      if (!SaveConstant(store, id, ToGbk(texts[0]), ToGbk(texts[1]), ToGbk(texts[2]), ToGbk(texts[3]))) {
        w.MessageBox(QStringLiteral("修改失败！"), kMbIconError);
        return;
      }
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
