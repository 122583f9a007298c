// The browse lists at work: filling the category tree, showing the selected
// entry, double clicks, copying and gathering the selected entry, showing an
// InsertList entry in its view, and the statistics.
#include <QSignalBlocker>
#include <string>
#include <vector>

#include "catalogue/Categories.h"
#include "catalogue/ConstantPaging.h"
#include "catalogue/Statistics.h"
#include "model/Commands.h"
#include "output/CopyText.h"
#include "output/Dependencies.h"
#include "toolkit/Controls.h"
#include "windows/LayoutWindow.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "windows/ConstantsPager.h"
#include "windows/DetailPage.h"
#include "windows/InsertListPanel.h"
#include "windows/MainWindow.h"
#include "windows/Messages.h"

namespace declarium {

namespace {

// The entry selected in a view.
struct SelectedEntry {
  bool found = false;
  int id = 0;
  QString text;
};

SelectedEntry SelectedOf(BrowseMode kind, ListBox* functions, TreeView* tree, ListBox* dataTypes,
                         ReportView* constants) {
  SelectedEntry e;
  switch (kind) {
    case BrowseMode::Functions:
    case BrowseMode::DataTypes: {
      ListBox* list = kind == BrowseMode::Functions ? functions : dataTypes;
      const int row = list->Selection();
      if (row >= 0) e = {true, static_cast<int>(list->RowData(row)), list->RowText(row)};
      break;
    }
    case BrowseMode::Categories: {
      TreeView::Item item = tree->Selected();
      if (item != nullptr && TreeView::ParentOf(item) != nullptr) {
        e = {true, static_cast<int>(TreeView::ItemData(item)), TreeView::ItemText(item)};
      }
      break;
    }
    case BrowseMode::Constants: {
      const int row = constants->Selection();
      if (row >= 0) e = {true, static_cast<int>(constants->RowData(row)), constants->CellText(row, 0)};
      break;
    }
  }
  return e;
}

}  // namespace

bool MainWindow::FillCategoryTree(bool force) {
  if (categoryTree_->FirstItem() != nullptr && !force) return true;
  std::vector<CategoryNode> nodes;
  const bool ok = LoadCategoryTree(store_, nodes);
  if (!ok) ShowReadError(store_);
  // Refilling is no selection by the user: no page is shown for it.
  const QSignalBlocker quiet(categoryTree_);
  categoryTree_->Reset();
  for (const CategoryNode& node : nodes) {
    TreeView::Item root = categoryTree_->AddItem(nullptr, FromGbk(node.name), 0, node.id);
    for (const EntryRow& f : node.functions) categoryTree_->AddItem(root, FromGbk(f.name), 1, f.id);
  }
  return ok;
}

void MainWindow::ShowSelectedFunction() {
  const int row = functionList_->Selection();
  if (row < 0 || functionList_->RowData(row) == 0) return;
  if (!page_->Show(u"函数表", static_cast<int>(functionList_->RowData(row)))) return;
  // Bounded as the list is: laid out whole, a huge name would freeze the window.
  page_->SetStatus(0, ShownText(functionList_->RowText(row)));
  page_->SetEntryText(ShownText(functionList_->RowText(row)));
  functionList_->setFocus();
}

void MainWindow::ShowSelectedDataType() {
  const int row = dataTypeList_->Selection();
  if (row < 0 || dataTypeList_->RowData(row) == 0) return;
  if (!page_->Show(u"数据类型表", static_cast<int>(dataTypeList_->RowData(row)))) return;
  page_->SetEntryText(ShownText(dataTypeList_->RowText(row)));
  dataTypeList_->setFocus();
}

void MainWindow::SelectTreeFunction(QTreeWidgetItem* item) {
  {
    const QSignalBlocker quiet(categoryTree_);
    categoryTree_->Select(item);
  }
  categoryTree_->scrollToItem(item);
  ShowTreeFunction(item);
}

void MainWindow::ShowTreeFunction(QTreeWidgetItem* item) {
  if (item == nullptr || TreeView::ParentOf(item) == nullptr) return;
  const int id = static_cast<int>(TreeView::ItemData(item));
  if (id == 0) return;
  if (!page_->Show(u"函数表", id)) return;
  page_->SetEntryText(TreeView::ItemText(item));
  categoryTree_->setFocus();
}

bool MainWindow::SelectListEntry(BrowseMode mode, const std::string& gbkPrefix) {
  ListBox* list = mode == BrowseMode::Functions ? functionList_ : dataTypeList_;
  const int row = FirstRowWithPrefix(RowsOf(list), gbkPrefix);
  if (row < 0) return false;
  list->SetSelection(row);
  if (mode == BrowseMode::Functions) {
    ShowSelectedFunction();
  } else {
    ShowSelectedDataType();
  }
  return true;
}

void MainWindow::DoubleClickEntry(BrowseMode kind, int modifierMask) {
  if (modifierMask != 1) {
    AddToInsertList(kind);
    return;
  }
  switch (kind) {
    case BrowseMode::Functions: DispatchCommand(command::kFunctionCopy); break;
    case BrowseMode::Categories: DispatchCommand(command::kTreeCopy); break;
    case BrowseMode::DataTypes: DispatchCommand(command::kDataTypeCopy); break;
    case BrowseMode::Constants: DispatchCommand(command::kConstantCopy); break;
  }
}

void MainWindow::CopySelectedDeclaration(BrowseMode kind, bool withDependencies) {
  const SelectedEntry e = SelectedOf(kind, functionList_, categoryTree_, dataTypeList_, constants_->list());
  if (!e.found || e.id == 0) return;
  std::string text;
  const CopyResult result =
      withDependencies
          ? DeclarationsWithDependencies(store_, {{e.id, KindOfView(kind)}}, settings_.language, settings_.style, text)
          : SelectedDeclaration(store_, KindOfView(kind), e.id, settings_.language, settings_.style, text);
  DeliverCopy(*window_, result, text);
  // F8 gives no other sign that it worked.
  if (result == CopyResult::Copied) page_->ShowNote(QStringLiteral("已复制：") + e.text.left(256));
}

void MainWindow::ShowSelectedLayout() {
  const SelectedEntry e =
      SelectedOf(BrowseMode::DataTypes, functionList_, categoryTree_, dataTypeList_, constants_->list());
  if (!e.found || e.id == 0) return;
  RunLayoutWindow(window_, store_, e.id, settings_.style.vba7);
}

void MainWindow::AddToInsertList(BrowseMode kind) {
  const SelectedEntry e = SelectedOf(kind, functionList_, categoryTree_, dataTypeList_, constants_->list());
  if (!e.found || e.id == 0) return;
  insertList_->Add(e.text, e.id, kind);
}

void MainWindow::ShowInsertListEntry(const InsertListEntry& entry) {
  switch (entry.kind) {
    case BrowseMode::Functions:
      DispatchCommand(command::kBrowseFunctions);
      SelectListEntry(BrowseMode::Functions, entry.text);
      break;
    case BrowseMode::DataTypes:
      DispatchCommand(command::kBrowseDataTypes);
      SelectListEntry(BrowseMode::DataTypes, entry.text);
      break;
    case BrowseMode::Constants:
      SwitchView(BrowseMode::Constants);
      constants_->PlaceOn(ConstantNameById(store_, entry.id), false);
      break;
    case BrowseMode::Categories: {
      DispatchCommand(command::kBrowseCategories);
      const int id = entry.id;
      TreeView::Item match =
          categoryTree_->FirstLeaf([id](TreeView::Item item) { return TreeView::ItemData(item) == id; });
      if (match != nullptr) SelectTreeFunction(match);
      break;
    }
  }
}

void MainWindow::ShowHintWhileEmpty() { page_->ShowEmptyCatalogueHint(HoldsNoEntries(store_)); }

void MainWindow::ShowStatistics() {
  std::string text;
  if (!StatisticsText(store_, text)) {
    ShowReadError(store_);
    return;
  }
  window_->MessageBox(FromGbk(text), kMbIconInformation);
}

}  // namespace declarium
