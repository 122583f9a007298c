// "删除" in the functions, data types and constants menus, and "修改" in the
// constants menu.
#include <string>

#include "catalogue/Deletion.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "windows/ConstantEditorDialog.h"
#include "windows/ConstantsPager.h"
#include "windows/MainWindow.h"

namespace declarium {

void MainWindow::DeleteSelectedEntry(BrowseMode kind) {
  if (kind == BrowseMode::Categories) return;
  ListBox* list = kind == BrowseMode::Functions ? functionList_ : kind == BrowseMode::DataTypes ? dataTypeList_ : nullptr;
  ReportView* constants = constants_->list();
  const int row = list != nullptr ? list->Selection() : constants->Selection();
  if (row < 0) return;
  const QString text = list != nullptr ? list->RowText(row) : constants->CellText(row, 0);
  const std::string name = ToGbk(text);
  const std::string question = kind == BrowseMode::Functions   ? DeleteFunctionQuestion(name)
                               : kind == BrowseMode::DataTypes ? DeleteDataTypeQuestion(name)
                                                               : DeleteConstantQuestion(name);
  if (window_->MessageBox(FromGbk(question), kMbYesNoWarning) == kAnswerNo) return;

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
