// Finding from the main window: the type-ahead of the SearchBox and the
// advanced find window with the view switches and matches it asks for.
#include "catalogue/ConstantPaging.h"
#include "catalogue/QuickFind.h"
#include "model/Commands.h"
#include "text/AsciiFold.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "windows/AdvancedFindWindow.h"
#include "windows/ConstantsPager.h"
#include "windows/InsertListPanel.h"
#include "windows/MainWindow.h"

namespace declarium {

void MainWindow::QuickFind() {
  if (window_.isNull()) return;
  // No entry holds a character GBK lacks: such a key finds nothing.
  if (!GbkHolds(searchBox_->Text())) return;
  const std::string key = FoldAsciiLower(ToGbk(searchBox_->Text()));
  switch (browseMode_) {
    case BrowseMode::Functions:
    case BrowseMode::DataTypes:
      if (!SelectListEntry(browseMode_, key)) return;
      break;
    case BrowseMode::Categories: {
      TreeView::Item match = categoryTree_->FirstLeaf(
          [&key](TreeView::Item item) { return TreeItemMatchesKey(ToGbk(TreeView::ItemText(item)), key); });
      if (match == nullptr) return;
      SelectTreeFunction(match);
      break;
    }
    case BrowseMode::Constants: {
      const std::string name = FirstConstantWithPrefix(store_, key);
      if (name.empty() || !constants_->PlaceOn(name, true)) return;
      break;
    }
  }
  searchBox_->setFocus();
}

AdvancedFindWindow* MainWindow::advancedFind() const { return advancedFind_.data(); }

void MainWindow::OpenAdvancedFind() {
  if (!advancedFind_.isNull()) return;
  AdvancedFindWindow::Hooks hooks;
  hooks.browseMode = [this] { return browseMode_; };
  hooks.dispatch = [this](int id) { DispatchCommand(id); };
  hooks.switchView = [this](BrowseMode mode) { SwitchView(mode); };
  hooks.showMatch = [this](BrowseMode mode, const std::string& name, int id) { ShowFoundEntry(mode, name, id); };
  hooks.addToInsertList = [this](BrowseMode kind) { AddToInsertList(kind); };
  hooks.addConstant = [this](const std::string& name, int id) {
    insertList_->Add(FromGbk(name), id, BrowseMode::Constants);
  };
  hooks.closed = [this] {
    advancedFind_ = nullptr;
    if (!window_.isNull()) window_->SetState(kStateNormal);
  };
  advancedFind_ = AdvancedFindWindow::Open(window_, store_, findState_, std::move(hooks), &findPlacement_);
}

void MainWindow::EndAdvancedFind() {
  // The cursor must be gone before the store closes.
  if (!advancedFind_.isNull()) advancedFind_->Detach();
  advancedFind_ = nullptr;
  findState_.End();
}

void MainWindow::ShowFoundEntry(BrowseMode mode, const std::string& gbkName, int id) {
  switch (mode) {
    case BrowseMode::Functions:
    case BrowseMode::DataTypes: SelectListEntry(mode, gbkName); break;
    case BrowseMode::Constants: constants_->PlaceOn(ConstantNameById(store_, id), false); break;
    case BrowseMode::Categories: break;
  }
}

}  // namespace declarium
