// The category commands of the tree's menu, renaming a category in place,
// and opening the two filing windows.
#include <string>

#include "catalogue/Categories.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/CategoryWindows.h"
#include "windows/MainWindow.h"

namespace declarium {

namespace {

// The operation's own words, then the database's text on a line of its own.
QString WithError(const QString& words, const std::string& gbkError) {
  return words + QStringLiteral("\r\n") + FromGbk(gbkError);
}

bool IsCategory(QTreeWidgetItem* item) { return item != nullptr && TreeView::ParentOf(item) == nullptr; }
bool IsFiledFunction(QTreeWidgetItem* item) { return item != nullptr && TreeView::ParentOf(item) != nullptr; }

}  // namespace

void MainWindow::NewCategory() {
  int id = 0;
  std::string error;
  if (!declarium::NewCategory(store_, id, error)) {
    PlainMessageBox(WithError(QStringLiteral("新建分类失败！"), error), kMbIconError);
    return;
  }
  TreeView::Item item = categoryTree_->AddItem(nullptr, QStringLiteral("新分类"), 0, id);
  BeginRenameCategory(item);
}

void MainWindow::BeginRenameCategory(QTreeWidgetItem* item) {
  if (!IsCategory(item)) return;
  // Labels are editable only for the length of one rename.
  categoryTree_->SetLabelEditing(true);
  categoryTree_->Select(item);
  categoryTree_->BeginLabelEdit(item);
}

void MainWindow::EndRenameCategory(QTreeWidgetItem* item, const QString& editedText) {
  if (item != nullptr) {
    const std::string current = ToGbk(TreeView::ItemText(item));
    const std::string edited = ToGbk(editedText);
    std::string error;
    if (!GbkHolds(editedText)) {
      PlainMessageBox(QStringLiteral("重名了分类失败！\r\n") + NotInGbkMessage(), kMbIconError);
    } else if (RenameCategory(store_, static_cast<int>(TreeView::ItemData(item)), edited, current, error)) {
      categoryTree_->SetItemText(item, FromGbk(RenamedCategoryName(edited, current)));
    } else {
      PlainMessageBox(WithError(QStringLiteral("重名了分类失败！"), error), kMbIconError);
    }
  }
  categoryTree_->SetLabelEditing(false);
}

void MainWindow::DeleteCategory(QTreeWidgetItem* item) {
  if (!IsCategory(item)) return;
  const int id = static_cast<int>(TreeView::ItemData(item));
  if (id == 0) return;
  const QString question = FromGbk(DeleteCategoryQuestion(ToGbk(TreeView::ItemText(item))));
  if (PlainMessageBox(question, kMbYesNoWarning) == kAnswerNo) return;
  std::string error;
  if (!declarium::DeleteCategory(store_, id, error)) {
    PlainMessageBox(WithError(QStringLiteral("删除分类失败！"), error), kMbIconError);
    return;
  }
  categoryTree_->DeleteItem(item);
}

void MainWindow::UnfileFunction(QTreeWidgetItem* item) {
  if (!IsFiledFunction(item)) return;
  std::string error;
  if (!declarium::UnfileFunction(store_, static_cast<int>(TreeView::ItemData(item)), error)) {
    window_->MessageBox(QStringLiteral("删除函数分类失败！"), kMbIconError);
    return;
  }
  categoryTree_->DeleteItem(item);
}

void MainWindow::ExpandAllCategories(bool expand) {
  for (TreeView::Item root = categoryTree_->FirstItem(); root != nullptr; root = categoryTree_->NextSibling(root)) {
    categoryTree_->Expand(root, expand);
  }
}

void MainWindow::OpenFileFunctionsWindow() {
  TreeView::Item item = categoryTree_->Selected();
  if (item == nullptr) item = categoryTree_->FirstItem();
  if (IsFiledFunction(item)) item = TreeView::ParentOf(item);
  if (item == nullptr) return;
  const int categoryId = static_cast<int>(TreeView::ItemData(item));
  if (RunFileFunctionsWindow(window_, store_, categoryId, TreeView::ItemText(item))) FillCategoryTree(true);
}

void MainWindow::OpenChooseCategoryWindow() {
  const int row = functionList_->Selection();
  if (row < 0) return;
  const int functionId = static_cast<int>(functionList_->RowData(row));
  if (functionId == 0) return;
  if (RunChooseCategoryWindow(window_, store_, functionId)) FillCategoryTree(true);
}

}  // namespace declarium
