// Building the main window: controls, toolbar, status bar, splitters, menus
// and the wiring of their events.
#include "app/MainWindow.h"

#include <QAbstractButton>

#include "app/Commands.h"
#include "app/ConfigFile.h"
#include "ui/BrowserHost.h"
#include "ui/Controls.h"
#include "ui/Menus.h"
#include "ui/QtText.h"
#include "ui/Window.h"

namespace declarium {

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
  contextMenus_ = MenuResource::Load(command::kContextMenus, [this](int id) { DispatchCommand(id); });
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
  FillLanguageBox();
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
  functionList_ = w.listBox(control::kFunctionList);
  dataTypeList_ = w.listBox(control::kDataTypeList);
  categoryTree_ = w.treeView(control::kCategoryTree);
  searchBox_ = w.editBox(control::kSearchBox);
  toolbar_ = w.toolBar(control::kToolbar);
  statusBar_ = w.statusBar(control::kStatusBar);
  detailBrowser_ = w.browser(control::kDetailBrowser);
  entryTextBox_ = w.multiLineEdit(control::kEntryTextBox);
  insertList_ = w.listBox(control::kInsertList);
  copyButton_ = w.button(control::kCopyButton);
  languageBox_ = w.dropDownList(control::kLanguageBox);
  for (int i = 0; i < 4; ++i) pagingButtons_[i] = w.button(control::kFirstPage + i);
  constantList_ = w.reportView(control::kConstantList);
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

void MainWindow::FillLanguageBox() {
  languageBox_->Reset();
  languageBox_->AddItem(QStringLiteral("易语言"), 0);
  languageBox_->AddItem(QStringLiteral("CSharp"), 1);
  languageBox_->AddItem(QStringLiteral("VB"), 2);
  languageBox_->SetSelection(settings_.language);
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
  toolbar_->AddButtons(MainToolbarTemplate());
  statusBar_->SetParts({200, -1});
  statusBar_->SetPartIcon(0, statusPictures_.Icon(0));
  statusBar_->SetPartIcon(1, statusPictures_.Icon(1));
}

void MainWindow::WireEvents(Window& w) {
  w.SetCommandHandler([this](int id) { DispatchCommand(id); });
  w.InstallAccelerators(command::kAccelerators);
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
  connect(languageBox_, &DropDownList::selectionChanged, this, [this](int i) { ChangeLanguage(i); });
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
