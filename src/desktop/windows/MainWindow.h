// The program's main window: the four browse views with the SearchBox,
// toolbar, status bar, LanguageBox and the three splitters, and the one entry
// for every command, DispatchCommand. The detail page, the constants pages,
// the insert list and the tray each have a part of their own.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/AdvancedFind.h"
#include "catalogue/EntryQueries.h"
#include "import/Readers.h"
#include "model/MainLayout.h"
#include "model/Settings.h"
#include "toolkit/PictureList.h"
#include "toolkit/Window.h"

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
inline constexpr int kPageCaption = 1017;
}  // namespace main_control

// Template 1000.
extern const WindowTemplate kMainWindowTemplate;

class AdvancedFindWindow;
class CatalogueStore;
class ConstantsPager;
class DetailPage;
class DropDownList;
class EditBox;
class InsertListPanel;
class ListBox;
class MenuResource;
class ProfileFile;
class SplitterBar;
class StatusBar;
class ToolBar;
class TrayAndHotkey;
class TreeView;
struct InsertListEntry;

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

  BrowseMode browseMode() const { return browseMode_; }
  const Settings& settings() const { return settings_; }
  // The parts of the window, each with the controls it looks after.
  DetailPage& page() const { return *page_; }
  ConstantsPager& constants() const { return *constants_; }
  InsertListPanel& insertList() const { return *insertList_; }
  TrayAndHotkey& tray() const { return *tray_; }
  MenuResource* contextMenus() const { return contextMenus_.get(); }

  // Views and layout (MainWindowViews.cpp).
  void ShowBrowseMode(BrowseMode mode);
  void LayoutMainWindow(int width, int height);
  // The layout inputs as the window has them now.
  LayoutInput CurrentLayout() const;
  // The splitter move handlers (old and new position, pixels).
  void MoveSplitter(Splitter splitter, int oldPosition, int newPosition);
  SplitterBar* splitter(Splitter which) const;
  // Makes mode the view without refilling its list (finding, locating).
  void SwitchView(BrowseMode mode);

  // The browse lists (MainWindowBrowse.cpp). Masks are Ctrl 1, Shift 2, Alt 4.
  bool FillEntryList(ListBox* list, const char16_t* table, bool force = false);
  bool FillCategoryTree(bool force);
  void ShowSelectedFunction();
  void ShowSelectedDataType();
  void ShowTreeFunction(QTreeWidgetItem* item);
  // Selects a function's tree item without its change signal, scrolls to it
  // and shows its page.
  void SelectTreeFunction(QTreeWidgetItem* item);
  // Selects and shows the first row of the function list or the data type
  // list whose name starts with gbkPrefix; false if none.
  bool SelectListEntry(BrowseMode mode, const std::string& gbkPrefix);
  void DoubleClickEntry(BrowseMode kind, int modifierMask);
  void CopySelectedDeclaration(BrowseMode kind, bool withDependencies = false);
  void ShowSelectedLayout();
  void AddToInsertList(BrowseMode kind);
  // An InsertList entry shown in its own view.
  void ShowInsertListEntry(const InsertListEntry& entry);
  void ShowStatistics();

  // Finding (MainWindowFind.cpp). QuickFind runs once the keys typed into
  // the SearchBox have all been taken, for the text they left: a burst of
  // keys is one lookup.
  void QuickFind();
  bool QuickFindPending() const { return quickFindPending_; }
  // Command 10007: opens the advanced find window unless it is open.
  void OpenAdvancedFind();
  AdvancedFindWindow* advancedFind() const;  // nullptr when closed
  const FindState& findState() const { return findState_; }
  // Selects and shows a match of the advanced find in view mode (name GBK).
  void ShowFoundEntry(BrowseMode mode, const std::string& gbkName, int id);

  // Categories (MainWindowCategories.cpp).
  void NewCategory();
  void BeginRenameCategory(QTreeWidgetItem* item);
  void EndRenameCategory(QTreeWidgetItem* item, const QString& editedText);
  void DeleteCategory(QTreeWidgetItem* item);
  void UnfileFunction(QTreeWidgetItem* item);
  void ExpandAllCategories(bool expand);
  void OpenFileFunctionsWindow();   // "添加函数"
  void OpenChooseCategoryWindow();  // "分类到..."

  // Deleting entries and the constant editor (MainWindowDelete.cpp): the
  // functions, data types and constants lists.
  void DeleteSelectedEntry(BrowseMode kind);
  void OpenConstantEditor();

  // Opens popup index of the context menus for control at a screen point,
  // after selecting the item under that point.
  void OpenContextMenu(QWidget* control, int popupIndex, QPoint globalPos);

  // Another start asked for this window: restore, show, raise, activate.
  void BringForward();

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
  void SetUpToolbarAndStatus();
  void WireEvents(Window& w);
  void LoadSettingsAtCreation(Window& w);
  void OnDestroyed();
  void SaveSettingsAtExit();

  void ViewCommand(BrowseMode mode);
  void ToggleOption(int commandId, bool& field);
  void ChangeLanguage();
  // The page of the selected entry, after a setting that shapes it changed.
  void ShowSelectedEntryAgain();
  // After a view change: the panels show that view's selection, or nothing.
  void ShowViewSelection();
  void ApplyLayout(const MainLayout& layout);
  void OpenAffixDialog();
  void OpenSettingsDialog();
  void ReloadEntryLists();
  // The detail view's hint on how to fill a catalogue that holds nothing.
  void ShowHintWhileEmpty();
  // The rows the function list (or the data type list) was filled with.
  std::vector<EntryRow>& RowsOf(ListBox* list);
  void EndAdvancedFind();

  CatalogueStore& store_;
  ProfileFile& config_;
  bool quickFindPending_ = false;
  Settings settings_;
  BrowseMode browseMode_ = BrowseMode::Functions;
  QPointer<Window> window_;
  std::unique_ptr<MenuResource> contextMenus_;
  // Children of the window, gone with it.
  DetailPage* page_ = nullptr;
  ConstantsPager* constants_ = nullptr;
  InsertListPanel* insertList_ = nullptr;
  TrayAndHotkey* tray_ = nullptr;

  ListBox* functionList_ = nullptr;
  ListBox* dataTypeList_ = nullptr;
  TreeView* categoryTree_ = nullptr;
  EditBox* searchBox_ = nullptr;
  ToolBar* toolbar_ = nullptr;
  StatusBar* statusBar_ = nullptr;
  QWidget* detailBrowser_ = nullptr;
  QWidget* entryTextBox_ = nullptr;
  ListBox* insertListBox_ = nullptr;
  QWidget* copyButton_ = nullptr;
  DropDownList* languageBox_ = nullptr;
  std::array<QAbstractButton*, 4> pagingButtons_ = {};
  QWidget* constantList_ = nullptr;
  QWidget* pageCaption_ = nullptr;
  SplitterBar* leftSplitter_ = nullptr;
  SplitterBar* bottomSplitter_ = nullptr;
  SplitterBar* rightSplitter_ = nullptr;
  std::vector<EntryRow> functionRows_, dataTypeRows_;
  PictureList treePictures_, toolbarPictures_, statusPictures_;
  // The placement read at creation.
  WindowPlacement placement_;
  bool tornDown_ = false;
  ParsedDeclarations imported_;
  // The remembered search of the advanced find; it outlives the window.
  FindState findState_;
  QPointer<AdvancedFindWindow> advancedFind_;
  // Where the user left the advanced find window (invalid until it closes once).
  QRect findPlacement_;
};

}  // namespace declarium
