// The browse views: which controls each shows, where they go, the splitters,
// and filling the two list boxes.
#include <QAbstractButton>
#include <QSignalBlocker>
#include <vector>

#include "catalogue/EntryQueries.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"
#include "windows/Messages.h"

namespace declarium {

namespace {

void Place(QWidget* widget, const Rect& r) {
  if (widget == nullptr) return;
  widget->setGeometry(r.left, r.top, r.width, r.height == kKeep ? widget->height() : r.height);
}

}  // namespace

void MainWindow::ShowBrowseMode(BrowseMode mode) {
  const BrowseVisibility v = declarium::ShowBrowseMode(mode);
  functionList_->setVisible(v.functionList);
  categoryTree_->setVisible(v.categoryTree);
  dataTypeList_->setVisible(v.dataTypeList);
  constantList_->setVisible(v.constantList);
  for (QAbstractButton* b : pagingButtons_) b->setVisible(v.pagingButtons);
  pageCaption_->setVisible(v.pagingButtons);
  leftSplitter_->setVisible(v.leftSplitter);
  bottomSplitter_->setVisible(v.bottomSplitter);
  detailBrowser_->setVisible(v.detailBrowser);
  for (QWidget* always :
       std::vector<QWidget*>{insertListBox_, searchBox_, entryTextBox_, rightSplitter_, languageBox_, copyButton_}) {
    always->setVisible(true);
  }
  const QRect client = window_->ClientRect();
  LayoutMainWindow(client.width(), client.height());
}

LayoutInput MainWindow::CurrentLayout() const {
  LayoutInput in;
  in.mode = browseMode_;
  const QRect client = window_->ClientRect();
  in.width = client.width();
  in.height = client.height();
  in.toolbarHeight = toolbar_->Height();
  in.statusHeight = statusBar_->Height();
  in.searchHeight = searchBox_->height();
  in.browseWidth = settings_.browseWidth;
  in.spreadingHeight = settings_.spreadingHeight;
  in.toInsertWidth = settings_.toInsertWidth;
  return in;
}

void MainWindow::LayoutMainWindow(int width, int height) {
  if (window_.isNull()) return;
  toolbar_->SizeToWindow();
  statusBar_->SizeToWindow();
  LayoutInput in = CurrentLayout();
  in.width = width;
  in.height = height;
  ApplyLayout(declarium::LayoutMainWindow(in));
}

void MainWindow::ApplyLayout(const MainLayout& l) {
  if (l.lists) {
    Place(functionList_, *l.lists);
    Place(dataTypeList_, *l.lists);
    Place(categoryTree_, *l.lists);
  }
  Place(searchBox_, l.searchBox);
  if (l.leftSplitter) {
    const Rect& r = *l.leftSplitter;
    leftSplitter_->MoveTo(QRect(r.left, r.top, r.width, r.height));
  }
  if (l.bottomSplitter) {
    const Rect& r = *l.bottomSplitter;
    bottomSplitter_->MoveTo(QRect(r.left, r.top, r.width, r.height));
  }
  Place(entryTextBox_, l.entryTextBox);
  if (l.detailBrowser) Place(detailBrowser_, *l.detailBrowser);
  rightSplitter_->MoveTo(
      QRect(l.rightSplitter.left, l.rightSplitter.top, l.rightSplitter.width, l.rightSplitter.height));
  if (l.constantList) Place(constantList_, *l.constantList);
  for (int i = 0; i < 4; ++i) {
    if (l.pagingButtons[i]) Place(pagingButtons_[i], *l.pagingButtons[i]);
  }
  if (l.pageCaption) Place(pageCaption_, *l.pageCaption);
  Place(languageBox_, l.languageBox);
  Place(copyButton_, l.copyButton);
  Place(insertListBox_, l.insertList);
}

void MainWindow::MoveSplitter(Splitter which, int oldPosition, int newPosition) {
  LayoutInput in = CurrentLayout();
  if (!AcceptSplitterMove(which, newPosition, in)) {
    splitter(which)->SetPosition(oldPosition);
    if (detailBrowser_->isVisible()) {
      // Hiding and showing again makes the browser repaint what the bar covered.
      detailBrowser_->hide();
      detailBrowser_->show();
    }
    return;
  }
  settings_.browseWidth = in.browseWidth;
  settings_.toInsertWidth = in.toInsertWidth;
  settings_.spreadingHeight = in.spreadingHeight;
  ApplyLayout(LayoutAfterSplitterMove(which, in));
  if (which == Splitter::Right) insertListBox_->viewport()->update();
}

void MainWindow::SwitchView(BrowseMode mode) {
  if (browseMode_ == mode) return;
  browseMode_ = mode;
  ShowBrowseMode(mode);
  for (int i = 0; i < 4; ++i) toolbar_->SetPressed(i, i == static_cast<int>(mode));
}

std::vector<EntryRow>& MainWindow::RowsOf(ListBox* list) {
  return list == functionList_ ? functionRows_ : dataTypeRows_;
}

bool MainWindow::FillEntryList(ListBox* list, const char16_t* table, bool force) {
  if (list->Count() > 0 && !force) return true;
  std::vector<EntryRow>& rows = RowsOf(list);
  const QSignalBlocker quiet(list);
  list->Reset();
  const bool ok = ListEntries(store_, ToGbk(QString::fromUtf16(table)), rows);
  if (!ok) ShowReadError(store_);
  list->setUpdatesEnabled(false);
  for (const EntryRow& row : rows) list->AddRow(FromGbk(row.name), row.id);
  list->setUpdatesEnabled(true);
  return ok;
}

}  // namespace declarium
