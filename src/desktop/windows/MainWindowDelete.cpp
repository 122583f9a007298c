// "删除" in the functions, data types and constants menus, and "修改" in the
// constants menu.
#include <string>

#include "catalogue/Deletion.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/ConstantEditorDialog.h"
#include "windows/MainWindow.h"

namespace declarium {

void MainWindow::DeleteSelectedEntry(int kind) {
  if (kind != 0 && kind != 2 && kind != 3) return;
  ListBox* list = kind == 0 ? functionList_ : kind == 2 ? dataTypeList_ : nullptr;
  const int row = list != nullptr ? list->Selection() : constantList_->Selection();
  if (row < 0) return;
  const QString text = list != nullptr ? list->RowText(row) : constantList_->CellText(row, 0);
  const std::string name = ToGbk(text);
  const std::string question = kind == 0   ? DeleteFunctionQuestion(name)
                               : kind == 2 ? DeleteDataTypeQuestion(name)
                                           : DeleteConstantQuestion(name);
  if (window_->MessageBox(FromGbk(question), kMbYesNoWarning) == kAnswerNo) return;

  const int id = static_cast<int>(list != nullptr ? list->RowData(row) : constantList_->RowData(row));
  const bool deleted = kind == 0   ? DeleteFunction(store_, id)
                       : kind == 2 ? DeleteDataType(store_, id)
                                   : DeleteConstant(store_, id);
  if (!deleted) {
    window_->MessageBox(QStringLiteral("删除失败！"), kMbIconError);
    return;
  }
  if (list != nullptr) {
    list->DeleteRow(row);
    list->SetSelection(RowAfterDeletion(row, list->Count()));
    if (kind == 0) {
      ShowSelectedFunction();
    } else {
      ShowSelectedDataType();
    }
    return;
  }
  // The page is not read again: it shows one row less until the next refresh.
  constantList_->DeleteRow(row);
  constantList_->SetSelection(RowAfterDeletion(row, constantList_->Count()));
  constantList_->setFocus();
}

void MainWindow::OpenConstantEditor() {
  const int row = constantList_->Selection();
  if (row < 0 || constantList_->RowData(row) == 0) return;
  RunConstantEditor(window_, store_, constantList_, row);
}

}  // namespace declarium
