#include "windows/ConstantsPager.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSignalBlocker>
#include <vector>

#include "catalogue/ConstantPaging.h"
#include "catalogue/EntryQueries.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "windows/DetailPage.h"
#include "windows/Messages.h"

namespace declarium {

ConstantsPager::ConstantsPager(QObject* parent, CatalogueStore& store, ReportView* list,
                               const std::array<QAbstractButton*, 4>& buttons, QLabel* caption, DetailPage& page)
    : QObject(parent), store_(store), list_(list), caption_(caption), page_(page) {
  list_->AddColumn(QStringLiteral("常量名称"), 200);
  list_->AddColumn(QStringLiteral("十六进制值"), 100);
  list_->AddColumn(QStringLiteral("十进制值"), 100);
  list_->AddColumn(QStringLiteral("备注"), 300);
  list_->SetFullRowSelect(true);
  list_->SetGridLines(true);
  if (caption_ != nullptr) {
    caption_->setWordWrap(false);
    caption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  connect(list_, &ReportView::selectionChanged, this, [this](int row) {
    ShowRow(row);
    if (row >= 0) list_->setFocus();
  });
  connect(list_, &ReportView::cellClickedAt, this, [this](int row, int column) { ClickCell(row, column); });
  for (int i = 0; i < 4; ++i) connect(buttons[i], &QAbstractButton::clicked, this, [this, i] { Page(i); });
}

bool ConstantsPager::Refresh() {
  std::vector<ConstantRow> rows;
  if (!LoadConstantPage(store_, offset_, rows)) {
    ShowReadError(store_);
    return false;
  }
  const QSignalBlocker quiet(list_);
  list_->setUpdatesEnabled(false);
  const int selected = list_->Selection();
  list_->Reset();
  for (const ConstantRow& c : rows) {
    const int r = list_->AddRow(FromGbk(c.name), c.id);
    list_->SetCellText(r, 1, FromGbk(c.hexValue));
    list_->SetCellText(r, 2, FromGbk(c.decimalValue));
    list_->SetCellText(r, 3, FromGbk(c.remark));
  }
  if (selected >= 0 && selected < list_->Count()) list_->SetSelection(selected);
  list_->setUpdatesEnabled(true);
  if (caption_ != nullptr) caption_->setText(FromGbk(PageCaption(offset_, CountConstants(store_))));
  ShowRow(list_->Selection());
  return true;
}

void ConstantsPager::Page(int button) {
  PageMove move;
  switch (button) {
    case 0: move = FirstPage(offset_); break;
    case 1: move = PreviousPage(offset_); break;
    case 2: move = NextPage(offset_, CountConstants(store_)); break;
    case 3: move = LastPage(offset_, CountConstants(store_)); break;
    default: return;
  }
  if (!move.changed) return;
  offset_ = move.offset;
  Refresh();
  // A new page is read from its first row.
  list_->scrollToTop();
}

bool ConstantsPager::PlaceOn(const std::string& gbkName, bool byPrefix) {
  PageMove move;
  if (!PageMoveToConstant(store_, gbkName, offset_, move)) return false;
  // A page never read yet (the view not shown so far) is read as well.
  if (move.changed || list_->Count() == 0) {
    offset_ = move.offset;
    Refresh();
  }
  // The names as the list shows them: a deleted or edited row counts as shown.
  std::vector<EntryRow> shown(static_cast<std::size_t>(list_->Count()));
  for (int r = 0; r < list_->Count(); ++r) shown[static_cast<std::size_t>(r)].name = ToGbk(list_->CellText(r, 0));
  const int row = byPrefix ? FirstRowWithPrefix(shown, gbkName) : FirstRowNamed(shown, gbkName);
  if (row < 0) return false;
  list_->SetSelection(row);
  ShowRow(row);
  list_->EnsureRowVisible(row);
  list_->setFocus();
  return true;
}

void ConstantsPager::ShowRow(int row) {
  if (row < 0 || row >= list_->Count()) {
    page_.SetEntryText(QString());
    page_.SetStatus(0, QString());
    page_.SetStatus(1, QString());
    return;
  }
  page_.SetEntryText(list_->CellText(row, 0));
  page_.SetStatus(0, list_->CellText(row, 0));
  page_.SetStatus(1, list_->CellText(row, 3));
}

void ConstantsPager::ClickCell(int row, int column) {
  if (row < 0 || row >= list_->Count()) return;
  page_.SetEntryText(list_->CellText(row, column));
  page_.SetStatus(0, list_->CellText(row, 0));
  page_.SetStatus(1, list_->CellText(row, 3));
}

}  // namespace declarium
