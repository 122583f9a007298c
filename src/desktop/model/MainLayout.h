// Where the main window's controls go in each browse view, which of them are
// visible, and when a splitter move is accepted. Pure arithmetic, so the
// window code only applies the rectangles it gets.
#pragma once

#include <optional>

#include "model/BrowseMode.h"

namespace declarium {

inline constexpr int kSplitterThickness = 5;
// A dimension the layout leaves as the control has it (the LanguageBox height).
inline constexpr int kKeep = -1;

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

struct LayoutInput {
  BrowseMode mode = BrowseMode::Functions;
  int width = 0, height = 0;  // client size W x H
  int toolbarHeight = 0;      // TH
  int statusHeight = 0;       // SH
  int searchHeight = 0;       // EH
  int browseWidth = 150;      // BW
  int spreadingHeight = 100;  // SP
  int toInsertWidth = 150;    // IW
};

// Rectangles of every control the layout places; controls a view does not
// place keep where they are (empty optionals).
struct MainLayout {
  std::optional<Rect> lists;  // FunctionList, DataTypeList, CategoryTree (all but the constants view)
  Rect searchBox;
  std::optional<Rect> leftSplitter;    // all but the constants view
  std::optional<Rect> bottomSplitter;  // all but the constants view
  Rect entryTextBox;
  std::optional<Rect> detailBrowser;  // all but the constants view
  Rect rightSplitter;
  std::optional<Rect> constantList;      // the constants view
  std::optional<Rect> pagingButtons[4];  // the constants view: 首页, 上一页, 下一页, 尾页
  std::optional<Rect> pageCaption;       // the constants view: which page of how many
  Rect languageBox;                      // height kKeep
  Rect copyButton;
  Rect insertList;
};

MainLayout LayoutMainWindow(const LayoutInput& in);

// Which controls ShowBrowseMode makes visible; SearchBox, EntryTextBox,
// RightSplitter, LanguageBox, CopyButton and InsertList are always visible.
struct BrowseVisibility {
  bool functionList = false;
  bool categoryTree = false;
  bool dataTypeList = false;
  bool constantList = false;
  bool pagingButtons = false;
  bool leftSplitter = false;
  bool bottomSplitter = false;
  bool detailBrowser = false;
  bool operator==(const BrowseVisibility&) const = default;
};

BrowseVisibility ShowBrowseMode(BrowseMode mode);

enum class Splitter { Left, Right, Bottom };

// A splitter moved to position p (its left, or its top for the bottom one).
// Accepted moves write the setting they govern into `in` (BrowseWidth,
// ToInsertWidth or SpreadingHeight) and return true; rejected ones change
// nothing and the splitter goes back to where it was.
bool AcceptSplitterMove(Splitter splitter, double p, LayoutInput& in);

// The rectangles after an accepted move: the full layout, except that a
// moved right splitter puts the LanguageBox 2 pixels right of the
// InsertList's left edge (the CopyButton following it); the next full
// layout puts it back at the edge.
MainLayout LayoutAfterSplitterMove(Splitter splitter, const LayoutInput& in);

}  // namespace declarium
