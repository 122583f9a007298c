#include "windows/AdvancedFindWindow.h"

#include <QAbstractButton>
#include <QItemSelectionModel>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "catalogue/ConstantValues.h"

#include "catalogue/AdvancedFind.h"
#include "model/Commands.h"
#include "store/CatalogueStore.h"
#include "store/ConstantNumbers.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/Messages.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"

namespace declarium {

namespace {

constexpr int kRadioCount = 4;

using namespace find_control;
using K = ControlKind;
constexpr ControlTemplate kAdvancedFindControls[] = {
    {kTabs, K::TabControl, nullptr, 3, 3, 234, 16, kNoStyle},
    {kFirstRadio, K::RadioButton, u"函数名", 9, 24, 54, 10, kGroupStart},
    {kFirstRadio + 1, K::RadioButton, u"中文名", 66, 24, 54, 10, kNoStyle},
    {kFirstRadio + 2, K::RadioButton, u"函数说明", 123, 24, 54, 10, kNoStyle},
    {kFirstRadio + 3, K::RadioButton, u"DLL库名", 180, 24, 54, 10, kNoStyle},
    {kText, K::Edit, nullptr, 3, 41, 126, 13, kNoStyle},
    {kFind, K::Button, u"查找", 133, 40, 40, 15, kDefaultButton},
    {kAddToList, K::Button, u"添加到列表", 177, 40, 60, 15, kNoStyle},
    {kByValue, K::CheckBox, u"按数值查找（十进制或十六进制，如 1024、0x400）", 3, 58, 234, 10, kDisabled},
    {kPrefixLabel, K::Static, u"名称前缀：", 3, 73, 40, 10, kNoStyle},
    {kPrefix, K::Edit, nullptr, 45, 71, 84, 13, kDisabled},
    {kMatches, K::ReportView, nullptr, 3, 88, 234, 110, kShowSelectionAlways},
};

int ViewCommandOfKind(std::optional<EntryKind> kind) {
  if (kind == EntryKind::Functions) return command::kBrowseFunctions;
  if (kind == EntryKind::DataTypes) return command::kBrowseDataTypes;
  if (kind == EntryKind::Constants) return command::kBrowseConstants;
  return 0;
}

}  // namespace

const WindowTemplate kAdvancedFindTemplate{resource::kAdvancedFind, u"高级查找", nullptr, 240, 202, {},
                                           kAdvancedFindControls};

Window* AdvancedFindWindow::window() const { return window_; }

AdvancedFindWindow* AdvancedFindWindow::Open(QWidget* owner, CatalogueStore& store, FindState& state, Hooks hooks,
                                             QRect* placement) {
  AdvancedFindWindow* controller = nullptr;
  Window* w = Window::CreateModeless(kAdvancedFindTemplate, owner, [&](Window& created) {
    controller = new AdvancedFindWindow(created, store, state, std::move(hooks));
    created.SetClosesOnEscape(true);
  });
  if (w == nullptr || controller == nullptr) return nullptr;
  controller->placement_ = placement;
  // The frame is known once the window is shown. It goes beside the owner,
  // not over the list it searches, when the screen has room there.
  if (placement != nullptr && placement->isValid()) {
    w->SetOuterGeometry(placement->left(), placement->top(), w->Width(), w->Height());
  } else if (owner != nullptr) {
    const QRect ownerFrame = owner->window()->frameGeometry();
    const QScreen* screen = owner->screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : QRect();
    if (room.contains(QRect(ownerFrame.right() + 1, ownerFrame.top(), w->Width(), w->Height()))) {
      w->SetOuterGeometry(ownerFrame.right() + 1, ownerFrame.top(), w->Width(), w->Height());
    } else {
      w->SetOuterGeometry(ownerFrame.left() + ownerFrame.width() - w->Width(),
                          ownerFrame.top() + ownerFrame.height() - w->Height(), w->Width(), w->Height());
    }
  }
  controller->SelectFindTab(controller->hooks_.browseMode ? controller->hooks_.browseMode() : BrowseMode::Functions);
  return controller;
}

AdvancedFindWindow::AdvancedFindWindow(Window& window, CatalogueStore& store, FindState& state, Hooks hooks)
    : QObject(&window), window_(&window), store_(store), state_(state), hooks_(std::move(hooks)) {
  Window& w = window;
  w.SetIcon(ApplicationIcon());
  tabs_ = w.tabControl(find_control::kTabs);
  tabs_->AddTab(QStringLiteral("函数"), 0);
  tabs_->AddTab(QStringLiteral("数据类型"), 2);
  tabs_->AddTab(QStringLiteral("常量"), 3);
  w.SetChecked(find_control::kFirstRadio, true);
  matches_ = w.reportView(find_control::kMatches);
  matches_->AddColumn(QStringLiteral("常量名称"), 150);
  matches_->AddColumn(QStringLiteral("十进制值"), 80);
  matches_->AddColumn(QStringLiteral("十六进制值"), 80);
  matches_->AddColumn(QStringLiteral("备注"), 200);
  matches_->SetFullRowSelect(true);
  // Several matches may be chosen for 添加到列表.
  matches_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  connect(matches_, &ReportView::doubleClicked, this, [this](int row, int) { ShowListedMatch(row); });
  connect(w.button(find_control::kByValue), &QAbstractButton::toggled, this,
          [this](bool on) { window_->EnableItem(find_control::kPrefix, on); });

  connect(tabs_, &TabControl::selectionChanged, this, [this](int) { ApplyFindTab(); });
  connect(w.button(find_control::kFind), &QAbstractButton::clicked, this, [this] { FindNext(); });
  connect(w.button(find_control::kAddToList), &QAbstractButton::clicked, this, [this] { AddToList(); });
  // Closing by any means (title bar, the owner's teardown) ends the search once.
  connect(&w, &QDialog::finished, this, [this](int) {
    if (placement_ != nullptr && !window_.isNull()) *placement_ = window_->frameGeometry();
    OnClosed();
  });
  connect(&w, &Window::windowDestroyed, this, [this] { OnClosed(); });
}

void AdvancedFindWindow::SelectFindTab(BrowseMode mode) {
  if (window_.isNull()) return;
  tabs_->SetSelection(FindTabOfKind(KindOfView(mode)));
  ApplyFindTab();
}

void AdvancedFindWindow::ApplyFindTab() {
  if (window_.isNull()) return;
  const int tab = tabs_->Selection();
  for (int r = 0; r < kRadioCount; ++r) {
    window_->SetItemText(find_control::kFirstRadio + r, FromGbk(FindRadioCaption(tab, r)));
  }
  // Only constants have a value to find by.
  const bool constants = FindTabKind(tab) == EntryKind::Constants;
  window_->EnableItem(find_control::kByValue, constants);
  window_->EnableItem(find_control::kPrefix, constants && window_->IsChecked(find_control::kByValue));
  const int view = ViewCommandOfKind(FindTabKind(tab));
  if (view != 0 && hooks_.dispatch) hooks_.dispatch(view);
}

int AdvancedFindWindow::CheckedRadio() const {
  for (int r = 0; r < kRadioCount; ++r) {
    if (window_->IsChecked(find_control::kFirstRadio + r)) return r;
  }
  return -1;
}

void AdvancedFindWindow::FindNext() {
  if (window_.isNull()) return;
  FindTarget target;
  if (!FindTargetFor(tabs_->Selection(), CheckedRadio(), target)) return;
  if (!GbkHolds(window_->ItemText(find_control::kText))) {
    window_->MessageBox(NotInGbkMessage(), kMbIconWarning);
    return;
  }
  const std::string text = ToGbk(window_->ItemText(find_control::kText));
  if (window_->Item(find_control::kByValue)->isEnabled() && window_->IsChecked(find_control::kByValue)) {
    if (!ParseConstantValue(text)) {
      window_->MessageBox(QStringLiteral("请输入十进制或十六进制数值，如 1024、0x400、&H400 或 400h！"),
                          kMbIconWarning);
      return;
    }
    ListByValue(text);
    return;
  }
  const bool fresh = !state_.Continues(target.table, target.field, text);
  const FindStep step = state_.Step(store_, target.table, target.field, text);
  if (step.outcome == FindOutcome::NothingShown) return;
  if (step.outcome == FindOutcome::Failed) {
    ShowReadError(store_);
    return;
  }

  const std::optional<EntryKind> kind = FindTableKind(target.table);
  if (!kind) return;
  const BrowseMode mode = ViewOfKind(*kind);
  if (fresh && hooks_.browseMode && hooks_.switchView && hooks_.browseMode() != mode) hooks_.switchView(mode);
  if (step.outcome == FindOutcome::NoRecords) {
    window_->MessageBox(FromGbk(NoRecordsMessage()), kMbIconInformation);
    return;
  }
  if (step.outcome == FindOutcome::WrappedToFirst) {
    window_->MessageBox(FromGbk(WrappedToFirstMessage()), kMbIconInformation);
    if (window_.isNull()) return;
  }
  if (hooks_.showMatch) hooks_.showMatch(mode, step.name, step.id);
}

void AdvancedFindWindow::ListByValue(const std::string& text) {
  std::vector<ConstantRow> rows;
  const QString prefix = window_->ItemText(find_control::kPrefix);
  if (!GbkHolds(prefix)) {
    window_->MessageBox(NotInGbkMessage(), kMbIconWarning);
    return;
  }
  if (!FindConstantsByValue(store_, *ParseConstantValue(text), ToGbk(prefix), rows)) {
    ShowReadError(store_);
    return;
  }
  matches_->setUpdatesEnabled(false);
  matches_->Reset();
  for (const ConstantRow& c : rows) {
    const int r = matches_->AddRow(FromGbk(c.name), c.id);
    matches_->SetCellText(r, 1, FromGbk(c.decimalValue));
    matches_->SetCellText(r, 2, FromGbk(c.hexValue));
    matches_->SetCellText(r, 3, FromGbk(c.remark));
  }
  matches_->setUpdatesEnabled(true);
  if (rows.empty()) {
    window_->MessageBox(FromGbk(NoRecordsMessage()), kMbIconInformation);
    return;
  }
  ShowListedMatch(0);
}

void AdvancedFindWindow::ShowListedMatch(int row) {
  if (window_.isNull() || row < 0 || row >= matches_->Count()) return;
  if (hooks_.browseMode && hooks_.switchView && hooks_.browseMode() != BrowseMode::Constants) {
    hooks_.switchView(BrowseMode::Constants);
  }
  if (hooks_.showMatch) {
    hooks_.showMatch(BrowseMode::Constants, ToGbk(matches_->CellText(row, 0)),
                     static_cast<int>(matches_->RowData(row)));
  }
}

void AdvancedFindWindow::AddToList() {
  if (window_.isNull() || !hooks_.addToInsertList) return;
  if (FindTabKind(tabs_->Selection()) == EntryKind::Constants && hooks_.addConstant) {
    QModelIndexList chosen = matches_->selectionModel()->selectedRows();
    if (!chosen.empty()) {
      std::sort(chosen.begin(), chosen.end(),
                [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
      for (const QModelIndex& i : chosen) {
        hooks_.addConstant(ToGbk(matches_->CellText(i.row(), 0)), static_cast<int>(matches_->RowData(i.row())));
      }
      return;
    }
  }
  if (const std::optional<EntryKind> kind = FindTabKind(tabs_->Selection())) hooks_.addToInsertList(ViewOfKind(*kind));
}

void AdvancedFindWindow::Detach() {
  hooks_ = {};
  OnClosed();
}

void AdvancedFindWindow::OnClosed() {
  if (closed_) return;
  closed_ = true;
  state_.End();
  if (hooks_.closed) hooks_.closed();
}

}  // namespace declarium
