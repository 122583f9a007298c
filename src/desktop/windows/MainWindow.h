// The program's main window: the four browse views, the detail browser, the
// insert list, toolbar, status bar and the three splitters, and the one entry
// for every command, DispatchCommand.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "catalogue/AdvancedFind.h"
#include "import/Readers.h"
#include "model/InsertList.h"
#include "model/MainLayout.h"
#include "model/Settings.h"
#include "toolkit/Window.h"
#include "windows/Pictures.h"

class QAbstractButton;
class QPoint;
class QTreeWidgetItem;

namespace declarium {

struct WindowTemplate;

// Controls of the main window template.
namespace main_control {
inline constexpr int kFunctionList = 1001;
inline constexpr int kDataTypeList = 1002;
inline constexpr int kCategoryTree = 1003;
inline constexpr int kSearchBox = 1004;
inline constexpr int kToolbar = 1005;
inline constexpr int kStatusBar = 1006;
inline constexpr int kDetailBrowser = 1007;
inline constexpr int kEntryTextBox = 1008;
inline constexpr int kInsertList = 1009;
inline constexpr int kCopyButton = 1010;
inline constexpr int kLanguageBox = 1011;
inline constexpr int kFirstPage = 1012;
inline constexpr int kPreviousPage = 1013;
inline constexpr int kNextPage = 1014;
inline constexpr int kLastPage = 1015;
inline constexpr int kConstantList = 1016;
}  // namespace main_control

// Template 1000.
extern const WindowTemplate kMainWindowTemplate;

class BrowserHost;
class CatalogueStore;
class DropDownList;
class EditBox;
class ListBox;
class MultiLineEdit;
class ProfileFile;
class ReportView;
class SplitterBar;
class StatusBar;
class ToolBar;
class TreeView;
class MenuResource;
class AcceleratorTable;
class AdvancedFindWindow;

class MainWindow : public QObject {
  Q_OBJECT
 public:
  // config is the settings file read at creation and written at exit.
  MainWindow(CatalogueStore& store, ProfileFile& config);
  ~MainWindow() override;

  // Builds the window from template 1000, runs the creation steps and shows
  // it. False when the window cannot be made.
  bool Create();
  Window* window() const { return window_; }
  bool Exists() const { return !window_.isNull(); }

  void DispatchCommand(int commandId);

  int BrowseMode() const { return browseMode_; }
  const Settings& settings() const { return settings_; }
  void ShowBrowseMode(int mode);
  void LayoutMainWindow(int width, int height);
  // The layout inputs as the window has them now.
  LayoutInput CurrentLayout() const;
  // The splitter move handlers (old and new position, pixels).
  void MoveSplitter(Splitter splitter, int oldPosition, int newPosition);
  SplitterBar* splitter(Splitter which) const;

  void ShowSelectedFunction();
  void ShowSelectedDataType();

  // Browsing, copying and the insert list (MainWindowBrowse.cpp). Kinds are
  // BrowseMode values; masks are Ctrl 1, Shift 2, Alt 4.
  bool FillEntryList(ListBox* list, const char16_t* table, bool force = false);
  bool FillCategoryTree(bool force);
  void ShowTreeFunction(QTreeWidgetItem* item);
  // Selects a function's tree item without its change signal, scrolls to it
  // and shows its page.
  void SelectTreeFunction(QTreeWidgetItem* item);
  void DoubleClickEntry(int kind, int modifierMask);
  void CopySelectedDeclaration(int kind);
  void CopyInsertListDeclarations();
  void AddToInsertList(int kind);
  void RemoveInsertListEntry();
  void RemoveAllInsertListEntries();
  void LocateInsertListEntry();
  const InsertListModel& insertEntries() const { return insertEntries_; }
  // Constants view: paging buttons 0 first, 1 previous, 2 next, 3 last.
  bool RefreshConstantPage();
  void PageCommand(int button);
  int ConstantPageOffset() const { return constantPageOffset_; }
  void PositionOnConstant(const std::string& gbkName);
  void ClickConstantCell(int row, int column);
  void ShowStatistics();

  // Finding (MainWindowFind.cpp). QuickFind runs on every change of the SearchBox.
  void QuickFind();
  // Command 10007: opens the advanced find window unless it is open.
  void OpenAdvancedFind();
  AdvancedFindWindow* advancedFind() const;   // nullptr when closed
  const FindState& findState() const { return findState_; }
  // Makes mode the view without refilling its list (finding, locating).
  void SwitchView(int mode);
  // Selects and shows a match of the advanced find in view mode (name GBK).
  void ShowFoundEntry(int mode, const std::string& gbkName, int id);

  // Categories (MainWindowCategories.cpp).
  void NewCategory();
  void BeginRenameCategory(QTreeWidgetItem* item);
  void EndRenameCategory(QTreeWidgetItem* item, const QString& editedText);
  void DeleteCategory(QTreeWidgetItem* item);
  void UnfileFunction(QTreeWidgetItem* item);
  void ExpandAllCategories(bool expand);
  void OpenFileFunctionsWindow();     // "添加函数"
  void OpenChooseCategoryWindow();    // "分类到..."

  // Deleting entries and the constant editor (MainWindowDelete.cpp). Kinds 0, 2, 3.
  void DeleteSelectedEntry(int kind);
  void OpenConstantEditor();

  // The detail page's clicks (point in the browser's coordinates): true
  // passes the click on to the browser.
  bool ClickCell(QPoint point);
  bool EditCell(QPoint point);
  void DocumentKey(int key, int modifiers);

  // Opens popup index of the context menus for control at a screen point,
  // after selecting the item under that point.
  void OpenContextMenu(QWidget* control, int popupIndex, QPoint globalPos);

  // Another start asked for this window: restore, show, raise, activate.
  void BringForward();

  MenuResource* contextMenus() const { return contextMenus_.get(); }

  // Visible: hide; hidden: show in the normal state. Also tray item 11010.
  void ToggleMainWindow();
  int HotkeyId() const { return hotkeyId_; }   // 0 = no global hotkey
  // The import and conversion windows (modal); the lists read by the import
  // window are kept here between its openings.
  void OpenImportWindow();
  void OpenConversionWindow();
  const ParsedDeclarations& importedDeclarations() const { return imported_; }
  // Selects a syntax in the LanguageBox as if the user had picked it.
  void SelectLanguage(SyntaxKind syntax);

 signals:
  // The window is gone and its teardown has run (store closed, settings written).
  void finished();

 private:
  void OnCreate(Window& w);
  void BindControls(Window& w);
  void CreateSplitters(Window& w);
  void SetUpConstantList();
  void SetUpToolbarAndStatus();
  void WireEvents(Window& w);
  void LoadSettingsAtCreation(Window& w);
  void OnDestroyed();
  void SaveSettingsAtExit();

  void WireBrowseEvents();
  bool ShowEntry(const char16_t* table, ListBox* list);
  void ViewCommand(int mode);
  void ToggleOption(int commandId, bool& field);
  void ChangeLanguage();
  void ApplyLayout(const MainLayout& layout);
  void SetUpTrayAndHotkey(Window& w);
  void TearDownTrayAndHotkey();
  void OnTrayEvent(int kind);
  void OnHotkey(int id);
  bool FilterMainMessage(QObject* target, QEvent* event);
  void OnMainWindowMoved();
  bool CanHideToTray() const;
  void OpenAffixDialog();
  void OpenSettingsDialog();
  void ReloadEntryLists();
  bool PlaceOnConstant(const std::string& gbkName, bool byPrefix);
  // Selects and shows the first row of the function list (mode 0) or the
  // data type list (mode 2) whose name starts with gbkPrefix; false if none.
  bool SelectListEntry(int mode, const std::string& gbkPrefix);
  void EndAdvancedFind();

  CatalogueStore& store_;
  ProfileFile& config_;
  Settings settings_;
  int browseMode_ = 0;
  QPointer<Window> window_;
  std::unique_ptr<MenuResource> contextMenus_;

  ListBox* functionList_ = nullptr;
  ListBox* dataTypeList_ = nullptr;
  TreeView* categoryTree_ = nullptr;
  EditBox* searchBox_ = nullptr;
  ToolBar* toolbar_ = nullptr;
  StatusBar* statusBar_ = nullptr;
  BrowserHost* detailBrowser_ = nullptr;
  MultiLineEdit* entryTextBox_ = nullptr;
  ListBox* insertList_ = nullptr;
  QAbstractButton* copyButton_ = nullptr;
  DropDownList* languageBox_ = nullptr;
  QAbstractButton* pagingButtons_[4] = {};
  ReportView* constantList_ = nullptr;
  SplitterBar* leftSplitter_ = nullptr;
  SplitterBar* bottomSplitter_ = nullptr;
  SplitterBar* rightSplitter_ = nullptr;
  PictureList treePictures_, toolbarPictures_, statusPictures_;
  // The placement read at creation (Config: IsMax, left, top, width, height).
  struct Placement {
    bool maximized = false;
    int left = 200, top = 200, width = 800, height = 600;
  } placement_;
  bool tornDown_ = false;
  InsertListModel insertEntries_;
  int constantPageOffset_ = 0;
  int hotkeyId_ = 0;
  bool hasTrayIcon_ = false;
  bool exiting_ = false;   // "退出": the close is not sent to the tray
  ParsedDeclarations imported_;
  // The remembered search of the advanced find; it outlives the window.
  FindState findState_;
  QPointer<AdvancedFindWindow> advancedFind_;
};

}  // namespace declarium
