// The "高级查找" window: a modeless find-next over one chosen field of
// functions, data types or constants. The search itself is FindState's; this
// window binds the tab, the radio buttons and the buttons to it and asks the
// main window, through Hooks, to switch views and show each match.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <string>

#include "model/BrowseMode.h"

class QWidget;

namespace declarium {

class CatalogueStore;
class FindState;
class ReportView;
class TabControl;
class Window;
struct WindowTemplate;

namespace find_control {
inline constexpr int kText = 1201;
inline constexpr int kFind = 1202;
inline constexpr int kAddToList = 1203;
inline constexpr int kTabs = 1204;
inline constexpr int kFirstRadio = 1205;  // 1205 to 1208
inline constexpr int kByValue = 1209;     // constants: the text is a number
inline constexpr int kPrefixLabel = 1210;
inline constexpr int kPrefix = 1211;   // by value: the names' beginning (optional)
inline constexpr int kMatches = 1212;  // by value: every match
}  // namespace find_control

// Template 1200.
extern const WindowTemplate kAdvancedFindTemplate;

class AdvancedFindWindow : public QObject {
  Q_OBJECT
 public:
  struct Hooks {
    std::function<BrowseMode()> browseMode;
    std::function<void(int commandId)> dispatch;      // the view commands
    std::function<void(BrowseMode mode)> switchView;  // without refilling a list
    // Selects and shows a match: by name (GBK) in the functions and data
    // types views, by id in the constants view.
    std::function<void(BrowseMode mode, const std::string& name, int id)> showMatch;
    std::function<void(BrowseMode kind)> addToInsertList;
    // A constant chosen in the list of matches (name GBK).
    std::function<void(const std::string& name, int id)> addConstant;
    std::function<void()> closed;  // after the search has ended
  };

  // Creates the window beside owner (shown at once: right of it where the
  // screen has room, else with its bottom-right corner on the owner's; where
  // the user last put it when placement holds that), with the tab of the
  // owner's current view. Closing keeps its place in placement. nullptr when
  // the window cannot be made. The object lives as long as its window.
  static AdvancedFindWindow* Open(QWidget* owner, CatalogueStore& store, FindState& state, Hooks hooks,
                                  QRect* placement = nullptr);

  Window* window() const;

  // The tab for a view (functions for the categories too), then ApplyFindTab.
  void SelectFindTab(BrowseMode mode);
  // Radio captions of the selected tab, and the view command of its kind.
  void ApplyFindTab();
  // The "查找" button (and Enter in the text box).
  void FindNext();
  // The "添加到列表" button: the matches chosen in the list, else the entry
  // selected in the main window.
  void AddToList();
  // By value: lists every constant of that number (and name prefix) in name
  // order and shows the first one.
  void ListByValue(const std::string& text);
  // A double click on a match: the constant in the constants view.
  void ShowListedMatch(int row);
  // The owner is going away: end the search now and tell it nothing more.
  void Detach();

 private:
  AdvancedFindWindow(Window& window, CatalogueStore& store, FindState& state, Hooks hooks);
  int CheckedRadio() const;
  void OnClosed();

  QPointer<Window> window_;
  CatalogueStore& store_;
  FindState& state_;
  Hooks hooks_;
  TabControl* tabs_ = nullptr;
  ReportView* matches_ = nullptr;
  QRect* placement_ = nullptr;
  bool closed_ = false;
};

}  // namespace declarium
