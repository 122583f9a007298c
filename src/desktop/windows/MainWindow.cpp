// Building the main window: controls, toolbar, status bar, splitters, menus
// and the wiring of their events.
#include "windows/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <functional>
#include <QLabel>
#include <QTimer>

#include "model/Commands.h"
#include "model/ContextMenus.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/QtText.h"
#include "windows/ConstantsPager.h"
#include "windows/DetailPage.h"
#include "windows/InsertListPanel.h"
#include "windows/LanguageChoice.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"
#include "windows/TrayAndHotkey.h"

namespace declarium {

namespace {

// Up and Down in the SearchBox move the selection of the list shown.
class ArrowKeysTo : public QObject {
 public:
  ArrowKeysTo(QObject* parent, std::function<QWidget*()> target) : QObject(parent), target_(std::move(target)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) return false;
    QWidget* list = target_();
    if (list == nullptr) return false;
    QKeyEvent copy(QEvent::KeyPress, key->key(), Qt::NoModifier);
    QCoreApplication::sendEvent(list, &copy);
    // The selection handlers take the focus; typing goes on in the box.
    if (auto* box = qobject_cast<QWidget*>(watched)) box->setFocus();
    return true;
  }

 private:
  std::function<QWidget*()> target_;
};

using namespace main_control;
using K = ControlKind;
constexpr ControlTemplate kMainControls[] = {
    {kToolbar, K::ToolBar, nullptr, 0, 0, 500, 14, kNoStyle},
    {kFunctionList, K::ListBox, nullptr, 0, 30, 100, 246, kVScroll},
    {kDataTypeList, K::ListBox, nullptr, 0, 30, 100, 246, kVScroll | kHidden},
    {kCategoryTree, K::TreeView, nullptr, 0, 30, 100, 246, kHidden},
    {kConstantList, K::ReportView, nullptr, 0, 30, 400, 230, kHidden | kSingleSelection | kShowSelectionAlways},
    {kFirstPage, K::Button, u"首页", 0, 262, 40, 14, kHidden},
    {kPreviousPage, K::Button, u"上一页", 42, 262, 40, 14, kHidden},
    {kNextPage, K::Button, u"下一页", 84, 262, 40, 14, kHidden},
    {kLastPage, K::Button, u"尾页", 126, 262, 40, 14, kHidden},
    {kPageCaption, K::Static, nullptr, 168, 262, 120, 14, kHidden},
    {kSearchBox, K::Edit, nullptr, 0, 16, 100, 13, kNoStyle},
    {kDetailBrowser, K::Browser, nullptr, 103, 16, 294, 190, kBorder},
    {kEntryTextBox, K::Edit, nullptr, 103, 209, 294, 67, kMultiLine | kVScroll | kWantReturn},
    {kLanguageBox, K::ComboBox, nullptr, 400, 16, 100, 80, kNoStyle},
    {kInsertList, K::ListBox, nullptr, 400, 31, 100, 228, kVScroll},
    {kCopyButton, K::Button, u"复制(&C)", 400, 262, 100, 14, kNoStyle},
    {kStatusBar, K::StatusBar, nullptr, 0, 288, 500, 12, kNoStyle},
};

}  // namespace

const WindowTemplate kMainWindowTemplate{resource::kMainWindow, u"Declarium", u"mornel-API", 500, 300, MainMenu(),
                                         kMainControls};

MainWindow::MainWindow(CatalogueStore& store, ProfileFile& config) : store_(store), config_(config) {}

MainWindow::~MainWindow() {
  if (!window_.isNull()) {
    // Tearing down without closing (tests): the destroy handler still runs once.
    window_->disconnect(this);
    OnDestroyed();
    delete window_.data();
  }
}

bool MainWindow::Create() {
  contextMenus_ = MenuResource::Load(ContextMenus(), [this](int id) { DispatchCommand(id); });
  Window* w = Window::CreateModeless(kMainWindowTemplate, nullptr, [this](Window& created) { OnCreate(created); });
  if (w == nullptr) return false;
  // Placed again now that it is shown (and on its screen).
  if (!placement_.maximized) w->SetPlacement(placement_.left, placement_.top, placement_.width, placement_.height);
  // The first layout runs once the window has its placement, before it is painted.
  LayoutMainWindow(w->ClientRect().width(), w->ClientRect().height());
  return true;
}

void MainWindow::OnCreate(Window& w) {
  window_ = &w;
  w.SetIcon(ApplicationIcon());
  // Smaller, the columns overlap and the splitters cut through the lists.
  w.setMinimumSize(kMinimumWindowWidth, kMinimumWindowHeight);
  LoadSettingsAtCreation(w);
  BindControls(w);
  w.browser(kDetailBrowser)->Navigate(QStringLiteral("about:blank"));
  CreateSplitters(w);
  FillLanguageChoice(languageBox_, settings_.language);

  FillEntryList(functionList_, u"函数表");
  FillCategoryTree(false);
  functionList_->SetSelection(0);
  dataTypeList_->SetSelection(0);
  categoryTree_->Select(categoryTree_->FirstItem());
  categoryTree_->hide();
  dataTypeList_->hide();
  constantList_->hide();

  treePictures_ = BuildPictureList(PictureSet::Tree);
  toolbarPictures_ = BuildPictureList(PictureSet::Toolbar);
  statusPictures_ = BuildPictureList(PictureSet::Status);
  categoryTree_->SetPictureList(treePictures_);
  SetUpToolbarAndStatus();
  ShowSelectedFunction();
  ShowHintWhileEmpty();
  searchBox_->setFocus();
  WireEvents(w);
  tray_->SetUp();
}

void MainWindow::BindControls(Window& w) {
  functionList_ = w.listBox(kFunctionList);
  dataTypeList_ = w.listBox(kDataTypeList);
  categoryTree_ = w.treeView(kCategoryTree);
  searchBox_ = w.editBox(kSearchBox);
  toolbar_ = w.toolBar(kToolbar);
  statusBar_ = w.statusBar(kStatusBar);
  detailBrowser_ = w.Item(kDetailBrowser);
  entryTextBox_ = w.Item(kEntryTextBox);
  insertListBox_ = w.listBox(kInsertList);
  copyButton_ = w.Item(kCopyButton);
  languageBox_ = w.dropDownList(kLanguageBox);
  for (int i = 0; i < 4; ++i) pagingButtons_[static_cast<std::size_t>(i)] = w.button(kFirstPage + i);
  constantList_ = w.Item(kConstantList);
  pageCaption_ = w.Item(kPageCaption);

  page_ = new DetailPage(w, store_, settings_, w.browser(kDetailBrowser), w.multiLineEdit(kEntryTextBox), statusBar_);
  page_->typeNameClicked = [this](const QString& typeName) {
    const int row = FirstRowWithPrefix(dataTypeRows_, ToGbk(typeName));
    if (row < 0) return;
    dataTypeList_->SetSelection(row);
    DispatchCommand(command::kBrowseDataTypes);
  };
  constants_ = new ConstantsPager(&w, store_, w.reportView(kConstantList), pagingButtons_,
                                  qobject_cast<QLabel*>(pageCaption_), *page_);
  insertList_ = new InsertListPanel(w, store_, settings_, insertListBox_, w.button(kCopyButton));
  insertList_->entryChosen = [this](const InsertListEntry& entry) { ShowInsertListEntry(entry); };
  tray_ = new TrayAndHotkey(w, settings_, contextMenus_.get());
}

void MainWindow::CreateSplitters(Window& w) {
  QWidget* client = w.Client();
  const int top = toolbar_->Height();
  leftSplitter_ =
      new SplitterBar(client, SplitterBar::Direction::Vertical, QRect(0, top, kSplitterThickness, client->height()));
  bottomSplitter_ = new SplitterBar(client, SplitterBar::Direction::Horizontal,
                                    QRect(kSplitterThickness, 200, 200, kSplitterThickness));
  rightSplitter_ =
      new SplitterBar(client, SplitterBar::Direction::Vertical, QRect(400, top, kSplitterThickness, client->height()));
  for (SplitterBar* bar : {leftSplitter_, bottomSplitter_, rightSplitter_}) {
    w.WatchControl(bar);
    bar->show();
  }
}

void MainWindow::SetUpToolbarAndStatus() {
  toolbar_->SetPictureList(toolbarPictures_);
  toolbar_->AddButtons(MainToolbar());
  statusBar_->SetParts({200, -1});
  statusBar_->SetPartIcon(0, statusPictures_.Icon(0));
  statusBar_->SetPartIcon(1, statusPictures_.Icon(1));
}

void MainWindow::WireEvents(Window& w) {
  w.SetCommandHandler([this](int id) { DispatchCommand(id); });
  w.InstallAccelerators(MainAccelerators());
  connect(&w, &Window::windowDestroyed, this, &MainWindow::OnDestroyed);
  connect(&w, &Window::clientSizeChanged, this, [this](int width, int height) { LayoutMainWindow(width, height); });
  connect(toolbar_, &ToolBar::buttonClicked, this, [this](int id) { DispatchCommand(id); });

  connect(leftSplitter_, &SplitterBar::moved, this,
          [this](int from, int to) { MoveSplitter(Splitter::Left, from, to); });
  connect(rightSplitter_, &SplitterBar::moved, this,
          [this](int from, int to) { MoveSplitter(Splitter::Right, from, to); });
  connect(bottomSplitter_, &SplitterBar::moved, this,
          [this](int from, int to) { MoveSplitter(Splitter::Bottom, from, to); });

  connect(functionList_, &ListBox::selectionChanged, this, [this](int) { ShowSelectedFunction(); });
  connect(dataTypeList_, &ListBox::selectionChanged, this, [this](int) { ShowSelectedDataType(); });
  connect(categoryTree_, &TreeView::selectionChanged, this, [this](QTreeWidgetItem* item) { ShowTreeFunction(item); });
  connect(languageBox_, &DropDownList::selectionChanged, this, [this](int) { ChangeLanguage(); });
  connect(searchBox_, &QLineEdit::textChanged, this, [this] {
    if (quickFindPending_) return;
    quickFindPending_ = true;
    // A zero timer runs once the events already waiting (the other keys of a
    // burst) have been handled.
    QTimer::singleShot(0, this, [this] {
      quickFindPending_ = false;
      QuickFind();
    });
  });
  searchBox_->installEventFilter(new ArrowKeysTo(searchBox_, [this]() -> QWidget* {
    switch (browseMode_) {
      case BrowseMode::Functions: return functionList_;
      case BrowseMode::Categories: return categoryTree_;
      case BrowseMode::DataTypes: return dataTypeList_;
      case BrowseMode::Constants: return constants_->list();
    }
    return nullptr;
  }));
  connect(categoryTree_, &TreeView::labelEditEnded, this,
          [this](QTreeWidgetItem* item, const QString& text, bool) { EndRenameCategory(item, text); });

  // Double clicks add to the insert list, or copy with Ctrl held.
  const auto held = [] {
    const Qt::KeyboardModifiers m = QGuiApplication::keyboardModifiers();
    return (m & Qt::ControlModifier ? 1 : 0) | (m & Qt::ShiftModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
  };
  connect(functionList_, &ListBox::doubleClicked, this,
          [this, held](int) { DoubleClickEntry(BrowseMode::Functions, held()); });
  connect(categoryTree_, &TreeView::doubleClicked, this,
          [this, held](QTreeWidgetItem*) { DoubleClickEntry(BrowseMode::Categories, held()); });
  connect(dataTypeList_, &ListBox::doubleClicked, this,
          [this, held](int) { DoubleClickEntry(BrowseMode::DataTypes, held()); });
  connect(constants_->list(), &ReportView::doubleClicked, this,
          [this, held](int, int) { DoubleClickEntry(BrowseMode::Constants, held()); });

  // Right-click menus: popups 0 tree, 1 insert list, 2 functions, 3 data types, 4 constants.
  connect(categoryTree_, &TreeView::rightButton, this, [this](QPoint p) { OpenContextMenu(categoryTree_, 0, p); });
  connect(insertListBox_, &ListBox::rightButton, this, [this](QPoint p) { OpenContextMenu(insertListBox_, 1, p); });
  connect(functionList_, &ListBox::rightButton, this, [this](QPoint p) { OpenContextMenu(functionList_, 2, p); });
  connect(dataTypeList_, &ListBox::rightButton, this, [this](QPoint p) { OpenContextMenu(dataTypeList_, 3, p); });
  connect(constants_->list(), &ReportView::rightButton, this,
          [this](QPoint p) { OpenContextMenu(constantList_, 4, p); });
}

void MainWindow::OpenContextMenu(QWidget* control, int popupIndex, QPoint globalPos) {
  ContextSelection state;
  if (auto* list = qobject_cast<ListBox*>(control)) {
    list->SetSelection(list->RowAt(list->viewport()->mapFromGlobal(globalPos)));
    state.hasItems = list->Count() > 0;
    state.rowSelected = list->Selection() >= 0;
  } else if (auto* tree = qobject_cast<TreeView*>(control)) {
    tree->Select(tree->ItemAt(tree->viewport()->mapFromGlobal(globalPos)));
    TreeView::Item item = tree->Selected();
    state.hasItems = tree->FirstItem() != nullptr;
    state.rowSelected = item != nullptr;
    state.categorySelected = item != nullptr && TreeView::ParentOf(item) == nullptr;
    state.functionSelected = item != nullptr && TreeView::ParentOf(item) != nullptr;
  } else if (auto* view = qobject_cast<ReportView*>(control)) {
    view->SetSelection(view->RowAt(view->viewport()->mapFromGlobal(globalPos)));
    state.hasItems = view->Count() > 0;
    state.rowSelected = view->Selection() >= 0;
  }
  if (!contextMenus_) return;
  for (int id : ContextMenuCommands()) {
    if (QAction* action = contextMenus_->Action(id)) action->setEnabled(ContextCommandEnabled(id, state));
  }
  contextMenus_->OpenPopup(popupIndex, globalPos, window_);
}

SplitterBar* MainWindow::splitter(Splitter which) const {
  switch (which) {
    case Splitter::Left: return leftSplitter_;
    case Splitter::Right: return rightSplitter_;
    case Splitter::Bottom: return bottomSplitter_;
  }
  return nullptr;
}

}  // namespace declarium
