// "删除" in the functions, data types and constants menus, and "修改" in the
// constants menu.
#include <QString>

#include "catalogue/Deletion.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "windows/ConstantEditorDialog.h"
#include "windows/ConstantsPager.h"
#include "windows/MainWindow.h"

namespace declarium {

namespace {

QString DeleteQuestion(BrowseMode kind, const QString& name) {
  const QString what = kind == BrowseMode::Functions   ? QStringLiteral("API函数")
                       : kind == BrowseMode::DataTypes ? QStringLiteral("数据类型")
                                                       : QStringLiteral("常量");
  return QStringLiteral("您真的要删除“") + name + QStringLiteral("”") + what + QStringLiteral("吗？");
}

// The row to select once the row at deletedIndex is gone and remaining rows
// are left: the one before it, the new first row, or -1 for an empty list.
int RowAfterDeletion(int deletedIndex, int remaining) {
  if (remaining <= 0) return -1;
  const int row = deletedIndex <= 0 ? 0 : deletedIndex - 1;
  return row < remaining ? row : remaining - 1;
}

}  // namespace

void MainWindow::DeleteSelectedEntry(BrowseMode kind) {
  if (kind == BrowseMode::Categories) return;
  ListBox* list = kind == BrowseMode::Functions   ? functionList_
                  : kind == BrowseMode::DataTypes ? dataTypeList_
                                                  : nullptr;
  ReportView* constants = constants_->list();
  const int row = list != nullptr ? list->Selection() : constants->Selection();
  if (row < 0) return;
  const QString name = list != nullptr ? list->RowText(row) : constants->CellText(row, 0);
  if (window_->MessageBox(DeleteQuestion(kind, name), kMbYesNoWarning) == kAnswerNo) return;

  const int id = static_cast<int>(list != nullptr ? list->RowData(row) : constants->RowData(row));
  const bool deleted = kind == BrowseMode::Functions   ? DeleteFunction(store_, id)
                       : kind == BrowseMode::DataTypes ? DeleteDataType(store_, id)
                                                       : DeleteConstant(store_, id);
  if (!deleted) {
    window_->MessageBox(QStringLiteral("删除失败！"), kMbIconError);
    return;
  }
  ShowHintWhileEmpty();
  if (list != nullptr) {
    list->DeleteRow(row);
    std::vector<EntryRow>& rows = RowsOf(list);
    if (row < static_cast<int>(rows.size())) rows.erase(rows.begin() + row);
    list->SetSelection(RowAfterDeletion(row, list->Count()));
    if (kind == BrowseMode::Functions) {
      ShowSelectedFunction();
    } else {
      ShowSelectedDataType();
    }
    return;
  }
  // The page is not read again: it shows one row less until the next refresh.
  constants->DeleteRow(row);
  constants->SetSelection(RowAfterDeletion(row, constants->Count()));
  constants->setFocus();
}

void MainWindow::OpenConstantEditor() {
  ReportView* constants = constants_->list();
  const int row = constants->Selection();
  if (row < 0 || constants->RowData(row) == 0) return;
  RunConstantEditor(window_, store_, constants, row);
}

}  // namespace declarium
