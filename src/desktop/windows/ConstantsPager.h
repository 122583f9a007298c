// The constants view of the main window: one page of 30 constants in the
// ConstantList, the four paging buttons under it, and positioning on a
// constant by name.
#pragma once

#include <QObject>
#include <array>
#include <string>

class QAbstractButton;
class QLabel;

namespace declarium {

class CatalogueStore;
class DetailPage;
class ReportView;

class ConstantsPager : public QObject {
  Q_OBJECT
 public:
  // buttons: 首页, 上一页, 下一页, 尾页; caption: which page is shown. A cell
  // clicked shows its text on page.
  ConstantsPager(QObject* parent, CatalogueStore& store, ReportView* list,
                 const std::array<QAbstractButton*, 4>& buttons, QLabel* caption, DetailPage& page);

  ReportView* list() const { return list_; }
  int Offset() const { return offset_; }

  // Reads the page at the current offset again; false, with "获取数据错误！"
  // shown, when it cannot be read.
  bool Refresh();
  // Paging buttons 0 first, 1 previous, 2 next, 3 last.
  void Page(int button);
  // Shows the page of the constant named gbkName (the first one beginning
  // with it when byPrefix) and selects its row; false when there is none.
  bool PlaceOn(const std::string& gbkName, bool byPrefix);
  // The selected row in the EntryTextBox and the status bar, or nothing
  // when none is selected: the panels follow the keyboard and the find too.
  void ShowRow(int row);
  // A click on a cell: its text in the EntryTextBox, the name and remark in the status bar.
  void ClickCell(int row, int column);

 private:
  CatalogueStore& store_;
  ReportView* list_;
  QLabel* caption_;
  DetailPage& page_;
  int offset_ = 0;
};

}  // namespace declarium
