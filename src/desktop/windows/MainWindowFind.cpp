// Finding from the main window: the type-ahead of the SearchBox and the
// advanced find window with the view switches and matches it asks for.

#include "catalogue/ConstantPaging.h"
#include "catalogue/QuickFind.h"
#include "model/Commands.h"
#include "text/AsciiFold.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/AdvancedFindWindow.h"
#include "windows/MainWindow.h"

namespace declarium {

namespace {

// Depth first, a category before its functions: the first item without
// children that matches the key.
TreeView::Item FirstLeafMatching(const TreeView& tree, const std::string& key) {
  for (TreeView::Item root = tree.FirstItem(); root != nullptr; root = tree.NextSibling(root)) {
    if (root->childCount() == 0) {
      if (TreeItemMatchesKey(ToGbk(TreeView::ItemText(root)), key)) return root;
      continue;
    }
    for (TreeView::Item child = tree.FirstChild(root); child != nullptr; child = tree.NextSibling(child)) {
      if (child->childCount() == 0 && TreeItemMatchesKey(ToGbk(TreeView::ItemText(child)), key)) return child;
    }
  }
  return nullptr;
}

}  // namespace

bool MainWindow::SelectListEntry(int mode, const std::string& gbkPrefix) {
  ListBox* list = mode == 0 ? functionList_ : dataTypeList_;
  const int row = list->FindPrefix(FromGbk(gbkPrefix));
  if (row < 0) return false;
  list->SetSelection(row);
  if (mode == 0) {
    ShowSelectedFunction();
  } else {
    ShowSelectedDataType();
  }
  return true;
}

void MainWindow::QuickFind() {
  if (window_.isNull()) return;
  // No entry holds a character GBK lacks: such a key finds nothing.
  if (!GbkHolds(searchBox_->Text())) return;
  const std::string key = FoldAsciiLower(ToGbk(searchBox_->Text()));
  switch (browseMode_) {
    case 0:
    case 2:
      if (!SelectListEntry(browseMode_, key)) return;
      break;
    case 1: {
      TreeView::Item match = FirstLeafMatching(*categoryTree_, key);
      if (match == nullptr) return;
      SelectTreeFunction(match);
      break;
    }
    case 3: {
      const std::string name = FirstConstantWithPrefix(store_, key);
      if (name.empty() || !PlaceOnConstant(name, true)) return;
      break;
    }
    default:
      return;
  }
  searchBox_->setFocus();
}

AdvancedFindWindow* MainWindow::advancedFind() const { return advancedFind_.data(); }

void MainWindow::OpenAdvancedFind() {
  if (!advancedFind_.isNull()) return;
  AdvancedFindWindow::Hooks hooks;
  hooks.browseMode = [this] { return browseMode_; };
  hooks.dispatch = [this](int id) { DispatchCommand(id); };
  hooks.switchView = [this](int mode) { SwitchView(mode); };
  hooks.showMatch = [this](int mode, const std::string& name, int id) { ShowFoundEntry(mode, name, id); };
  hooks.addToInsertList = [this](int kind) { AddToInsertList(kind); };
  hooks.closed = [this] {
    advancedFind_ = nullptr;
    if (!window_.isNull()) window_->SetState(kStateNormal);
  };
  advancedFind_ = AdvancedFindWindow::Open(window_, store_, findState_, std::move(hooks));
}

void MainWindow::EndAdvancedFind() {
  // The cursor must be gone before the store closes.
  if (!advancedFind_.isNull()) advancedFind_->Detach();
  advancedFind_ = nullptr;
  findState_.End();
}

void MainWindow::SwitchView(int mode) {
  if (browseMode_ == mode) return;
  browseMode_ = mode;
  ShowBrowseMode(mode);
  for (int i = 0; i < 4; ++i) toolbar_->SetPressed(i, i == mode);
}

void MainWindow::ShowFoundEntry(int mode, const std::string& gbkName, int id) {
  switch (mode) {
    case 0:
    case 2:
      SelectListEntry(mode, gbkName);
      break;
    case 3:
      PositionOnConstant(ConstantNameById(store_, id));
      break;
    default:
      break;
  }
}

}  // namespace declarium
