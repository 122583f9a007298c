// Building the main window: controls, toolbar, status bar, splitters, menus
// and the wiring of their events.
#include "windows/LanguageChoice.h"
#include "windows/MainWindow.h"

#include <QAbstractButton>

#include "config/SettingsFile.h"
#include "model/Commands.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/Resources.h"

namespace declarium {

namespace {

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
  Window* w = Window::CreateModeless(kMainWindowTemplate, nullptr, [this](Window& created) {
    OnCreate(created);
  });
  if (w == nullptr) return false;
  // The frame's size is known only once the window is shown; placing it
  // again keeps the stored outer size from growing by the frame at every run.
  if (!placement_.maximized) {
    w->SetOuterGeometry(placement_.left, placement_.top, placement_.width, placement_.height);
  }
  // The first layout runs once the window has its placement, before it is painted.
  LayoutMainWindow(w->ClientRect().width(), w->ClientRect().height());
  return true;
}

void MainWindow::OnCreate(Window& w) {
  window_ = &w;
  w.SetIcon(ApplicationIcon());
  LoadSettingsAtCreation(w);
  BindControls(w);
  detailBrowser_->Navigate(QStringLiteral("about:blank"));
  CreateSplitters(w);
  FillLanguageChoice(languageBox_, settings_.language);
  SetUpConstantList();

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
  searchBox_->setFocus();
  WireEvents(w);
  SetUpTrayAndHotkey(w);
}

void MainWindow::BindControls(Window& w) {
  functionList_ = w.listBox(main_control::kFunctionList);
  dataTypeList_ = w.listBox(main_control::kDataTypeList);
  categoryTree_ = w.treeView(main_control::kCategoryTree);
  searchBox_ = w.editBox(main_control::kSearchBox);
  toolbar_ = w.toolBar(main_control::kToolbar);
  statusBar_ = w.statusBar(main_control::kStatusBar);
  detailBrowser_ = w.browser(main_control::kDetailBrowser);
  entryTextBox_ = w.multiLineEdit(main_control::kEntryTextBox);
  insertList_ = w.listBox(main_control::kInsertList);
  copyButton_ = w.button(main_control::kCopyButton);
  languageBox_ = w.dropDownList(main_control::kLanguageBox);
  for (int i = 0; i < 4; ++i) pagingButtons_[i] = w.button(main_control::kFirstPage + i);
  constantList_ = w.reportView(main_control::kConstantList);
}

void MainWindow::CreateSplitters(Window& w) {
  QWidget* client = w.Client();
  const int top = toolbar_->Height();
  leftSplitter_ = new SplitterBar(client, SplitterBar::Direction::Vertical,
                                  QRect(0, top, kSplitterThickness, client->height()));
  bottomSplitter_ = new SplitterBar(client, SplitterBar::Direction::Horizontal,
                                    QRect(kSplitterThickness, 200, 200, kSplitterThickness));
  rightSplitter_ = new SplitterBar(client, SplitterBar::Direction::Vertical,
                                   QRect(400, top, kSplitterThickness, client->height()));
  for (SplitterBar* bar : {leftSplitter_, bottomSplitter_, rightSplitter_}) {
    w.WatchControl(bar);
    bar->show();
  }
}

void MainWindow::SetUpConstantList() {
  constantList_->AddColumn(QStringLiteral("常量名称"), 200);
  constantList_->AddColumn(QStringLiteral("十六进制值"), 100);
  constantList_->AddColumn(QStringLiteral("十进制值"), 100);
  constantList_->AddColumn(QStringLiteral("备注"), 300);
  constantList_->SetFullRowSelect(true);
  constantList_->SetGridLines(true);
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
  connect(&w, &Window::clientSizeChanged, this,
          [this](int width, int height) { LayoutMainWindow(width, height); });
  connect(toolbar_, &ToolBar::buttonClicked, this, [this](int id) { DispatchCommand(id); });

  connect(leftSplitter_, &SplitterBar::moved, this,
          [this](int from, int to) { MoveSplitter(Splitter::Left, from, to); });
  connect(rightSplitter_, &SplitterBar::moved, this,
          [this](int from, int to) { MoveSplitter(Splitter::Right, from, to); });
  connect(bottomSplitter_, &SplitterBar::moved, this,
          [this](int from, int to) { MoveSplitter(Splitter::Bottom, from, to); });

  connect(functionList_, &ListBox::selectionChanged, this, [this](int) { ShowSelectedFunction(); });
  connect(dataTypeList_, &ListBox::selectionChanged, this, [this](int) { ShowSelectedDataType(); });
  connect(languageBox_, &DropDownList::selectionChanged, this, [this](int) { ChangeLanguage(); });
  connect(searchBox_, &QLineEdit::textChanged, this, [this] { QuickFind(); });
  connect(categoryTree_, &TreeView::labelEditEnded, this,
          [this](QTreeWidgetItem* item, const QString& text, bool) { EndRenameCategory(item, text); });

  // Right-click menus: popups 0 tree, 1 insert list, 2 functions, 3 data types, 4 constants.
  connect(categoryTree_, &TreeView::rightButton, this,
          [this](QPoint p) { OpenContextMenu(categoryTree_, 0, p); });
  connect(insertList_, &ListBox::rightButton, this,
          [this](QPoint p) { OpenContextMenu(insertList_, 1, p); });
  connect(functionList_, &ListBox::rightButton, this,
          [this](QPoint p) { OpenContextMenu(functionList_, 2, p); });
  connect(dataTypeList_, &ListBox::rightButton, this,
          [this](QPoint p) { OpenContextMenu(dataTypeList_, 3, p); });
  connect(constantList_, &ReportView::rightButton, this,
          [this](QPoint p) { OpenContextMenu(constantList_, 4, p); });
  WireBrowseEvents();
}

void MainWindow::OpenContextMenu(QWidget* control, int popupIndex, QPoint globalPos) {
  if (auto* list = qobject_cast<ListBox*>(control)) {
    list->SetSelection(list->RowAt(list->viewport()->mapFromGlobal(globalPos)));
  } else if (auto* tree = qobject_cast<TreeView*>(control)) {
    tree->Select(tree->ItemAt(tree->viewport()->mapFromGlobal(globalPos)));
  } else if (auto* view = qobject_cast<ReportView*>(control)) {
    view->SetSelection(view->RowAt(view->viewport()->mapFromGlobal(globalPos)));
  }
  if (contextMenus_) contextMenus_->OpenPopup(popupIndex, globalPos, window_);
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
