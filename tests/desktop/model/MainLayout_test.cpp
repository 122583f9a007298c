#include "model/MainLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace declarium {

void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << ")";
}

namespace {

// An 800 x 560 client area with a 28-pixel toolbar, 22-pixel status bar and
// a 21-pixel search box, default splitter settings.
LayoutInput Window(int mode) {
  LayoutInput in;
  in.mode = static_cast<BrowseMode>(mode);
  in.width = 800;
  in.height = 560;
  in.toolbarHeight = 28;
  in.statusHeight = 22;
  in.searchHeight = 21;
  in.browseWidth = 150;
  in.spreadingHeight = 100;
  in.toInsertWidth = 150;
  return in;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

// Every rectangle the layout placed, by name; the language box keeps its own
// height, so it is taken as reaching down to the insert list.
std::vector<std::pair<std::string, Rect>> Placed(const MainLayout& l) {
  std::vector<std::pair<std::string, Rect>> all = {{"search box", l.searchBox},
                                                   {"entry text", l.entryTextBox},
                                                   {"right splitter", l.rightSplitter},
                                                   {"copy button", l.copyButton},
                                                   {"insert list", l.insertList}};
  Rect language = l.languageBox;
  language.height = l.insertList.top - language.top;
  all.emplace_back("language box", language);
  const std::pair<const char*, const std::optional<Rect>*> optional[] = {{"lists", &l.lists},
                                                                         {"left splitter", &l.leftSplitter},
                                                                         {"bottom splitter", &l.bottomSplitter},
                                                                         {"detail page", &l.detailBrowser},
                                                                         {"constant list", &l.constantList},
                                                                         {"page caption", &l.pageCaption},
                                                                         {"first page", &l.pagingButtons[0]},
                                                                         {"previous page", &l.pagingButtons[1]},
                                                                         {"next page", &l.pagingButtons[2]},
                                                                         {"last page", &l.pagingButtons[3]}};
  for (const auto& [name, rect] : optional)
    if (*rect) all.emplace_back(name, **rect);
  return all;
}

// What every view promises: each control inside the client area above the
// status bar, none over another, the right column from the right splitter
// to the client's right edge, the insert list down to the status bar.
void ExpectTiled(const LayoutInput& in, const MainLayout& l) {
  const auto all = Placed(l);
  for (std::size_t i = 0; i < all.size(); ++i) {
    const auto& [name, r] = all[i];
    SCOPED_TRACE(name);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_GE(r.width, 0);
    EXPECT_GE(r.height, 0);
    EXPECT_LE(r.right(), in.width);
    EXPECT_LE(r.bottom(), in.height - in.statusHeight);
    for (std::size_t k = i + 1; k < all.size(); ++k) EXPECT_FALSE(Overlap(r, all[k].second)) << all[k].first;
  }
  EXPECT_EQ(l.rightSplitter.width, kSplitterThickness);
  EXPECT_EQ(l.rightSplitter.top, in.toolbarHeight);
  EXPECT_EQ(l.rightSplitter.bottom(), in.height - in.statusHeight);
  EXPECT_EQ(l.insertList.left, l.rightSplitter.right());
  EXPECT_EQ(l.insertList.right(), in.width);
  EXPECT_EQ(l.insertList.width, in.toInsertWidth);
  EXPECT_EQ(l.insertList.bottom(), in.height - in.statusHeight);
  EXPECT_EQ(l.languageBox.left, l.insertList.left);
  EXPECT_LE(l.languageBox.right(), l.copyButton.left);
  EXPECT_EQ(l.copyButton.bottom(), l.insertList.top);
}

// The three-column views: the lists above the search box on the left, the
// detail page above the entry text in the middle, splitters between them,
// each column as wide and the entry text as high as the settings say.
void ExpectThreeColumns(const LayoutInput& in, const MainLayout& l) {
  ASSERT_TRUE(l.lists && l.leftSplitter && l.bottomSplitter && l.detailBrowser);
  EXPECT_FALSE(l.constantList);
  EXPECT_FALSE(l.pagingButtons[0]);
  EXPECT_EQ(l.lists->left, 0);
  EXPECT_EQ(l.lists->top, in.toolbarHeight);
  EXPECT_EQ(l.lists->width, in.browseWidth);
  EXPECT_EQ(l.searchBox.left, 0);
  EXPECT_EQ(l.searchBox.width, l.lists->width);
  EXPECT_EQ(l.searchBox.top, l.lists->bottom());
  EXPECT_EQ(l.searchBox.height, in.searchHeight);
  EXPECT_EQ(l.searchBox.bottom(), in.height - in.statusHeight);
  EXPECT_EQ(l.leftSplitter->left, l.lists->right());
  EXPECT_EQ(l.leftSplitter->width, kSplitterThickness);
  EXPECT_EQ(l.detailBrowser->left, l.leftSplitter->right());
  EXPECT_EQ(l.detailBrowser->top, in.toolbarHeight);
  EXPECT_EQ(l.detailBrowser->right(), l.rightSplitter.left);
  EXPECT_EQ(l.bottomSplitter->top, l.detailBrowser->bottom());
  EXPECT_EQ(l.bottomSplitter->height, kSplitterThickness);
  EXPECT_EQ(l.entryTextBox.top, l.bottomSplitter->bottom());
  EXPECT_EQ(l.entryTextBox.height, in.spreadingHeight);
  EXPECT_EQ(l.entryTextBox.bottom(), in.height - in.statusHeight);
  for (const Rect& r : {*l.bottomSplitter, l.entryTextBox}) {
    EXPECT_EQ(r.left, l.detailBrowser->left);
    EXPECT_EQ(r.width, l.detailBrowser->width);
  }
}

TEST(MainLayout, ThreeColumnViewsShareOneLayout) {
  for (int mode = 0; mode <= 2; ++mode) {
    SCOPED_TRACE(mode);
    const MainLayout l = LayoutMainWindow(Window(mode));
    ExpectTiled(Window(mode), l);
    ExpectThreeColumns(Window(mode), l);
    EXPECT_EQ(Placed(l), Placed(LayoutMainWindow(Window(0))));
  }
}

TEST(MainLayout, MiddleColumnFollowsTheSettings) {
  LayoutInput in = Window(0);
  in.browseWidth = 200;
  in.spreadingHeight = 50;
  in.toInsertWidth = 300;
  const MainLayout l = LayoutMainWindow(in);
  ExpectTiled(in, l);
  ExpectThreeColumns(in, l);
}

// A wide saved list gives way in a narrow window; the page keeps its width.
TEST(MainLayout, NarrowWindowNarrowsTheListNotThePage) {
  LayoutInput in = Window(0);
  in.width = 700;
  in.browseWidth = 500;
  const MainLayout l = LayoutMainWindow(in);
  ExpectTiled(in, l);
  EXPECT_GE(l.detailBrowser->width, 200);
  EXPECT_LT(l.lists->width, 500);
  EXPECT_GE(l.lists->width, 50);
  EXPECT_EQ(l.lists->right(), l.leftSplitter->left);
}

// The constants view: the list across the left and middle columns, below it
// the search box and the entry text side by side, the four paging buttons in
// their order under the search box and the page caption beside them.
TEST(MainLayout, ConstantsView) {
  const LayoutInput in = Window(3);
  const MainLayout l = LayoutMainWindow(in);
  ExpectTiled(in, l);
  ASSERT_TRUE(l.constantList && l.pageCaption);
  EXPECT_EQ(l.constantList->left, 0);
  EXPECT_EQ(l.constantList->top, in.toolbarHeight);
  EXPECT_EQ(l.constantList->right(), l.rightSplitter.left);
  EXPECT_GT(l.searchBox.top, l.constantList->bottom() - 1);
  EXPECT_EQ(l.searchBox.left, 0);
  EXPECT_EQ(l.entryTextBox.top, l.searchBox.top);
  EXPECT_GT(l.entryTextBox.left, l.searchBox.right() - 1);
  EXPECT_EQ(l.entryTextBox.right(), l.rightSplitter.left);
  int left = 0;
  for (const std::optional<Rect>& button : l.pagingButtons) {
    ASSERT_TRUE(button);
    EXPECT_GE(button->left, left);
    EXPECT_GE(button->top, l.searchBox.bottom());
    left = button->right();
  }
  EXPECT_LE(left, l.searchBox.right());
  EXPECT_EQ(l.pageCaption->left, l.entryTextBox.left);
  EXPECT_EQ(l.pageCaption->right(), l.entryTextBox.right());
  EXPECT_EQ(l.pageCaption->top, l.pagingButtons[0]->top);
  // The hidden three-column controls keep their places.
  EXPECT_FALSE(l.lists);
  EXPECT_FALSE(l.detailBrowser);
  EXPECT_FALSE(l.leftSplitter);
  EXPECT_EQ(l.rightSplitter, LayoutMainWindow(Window(0)).rightSplitter);
}

TEST(MainLayout, SwitchingToConstantsAndBackRestoresTheColumns) {
  MainLayout before = LayoutMainWindow(Window(0));
  LayoutMainWindow(Window(3));
  MainLayout after = LayoutMainWindow(Window(0));
  EXPECT_EQ(*before.detailBrowser, *after.detailBrowser);
  EXPECT_EQ(before.entryTextBox, after.entryTextBox);
  EXPECT_EQ(before.searchBox, after.searchBox);
}

TEST(BrowseVisibility, ExactlyOneViewPerMode) {
  BrowseVisibility v0 = ShowBrowseMode(BrowseMode::Functions);
  EXPECT_TRUE(v0.functionList && v0.leftSplitter && v0.bottomSplitter && v0.detailBrowser);
  EXPECT_FALSE(v0.dataTypeList || v0.categoryTree || v0.constantList || v0.pagingButtons);
  BrowseVisibility v1 = ShowBrowseMode(BrowseMode::Categories);
  EXPECT_TRUE(v1.categoryTree && v1.detailBrowser);
  EXPECT_FALSE(v1.functionList || v1.dataTypeList || v1.constantList);
  BrowseVisibility v2 = ShowBrowseMode(BrowseMode::DataTypes);
  EXPECT_TRUE(v2.dataTypeList && v2.detailBrowser);
  EXPECT_FALSE(v2.functionList || v2.categoryTree || v2.constantList);
  BrowseVisibility v3 = ShowBrowseMode(BrowseMode::Constants);
  EXPECT_TRUE(v3.constantList && v3.pagingButtons);
  EXPECT_FALSE(v3.functionList || v3.dataTypeList || v3.categoryTree || v3.leftSplitter || v3.bottomSplitter ||
               v3.detailBrowser);
}

TEST(Splitters, LeftStaysBetween50AndFiftyLeftOfTheRightSplitter) {
  LayoutInput in = Window(0);  // right splitter at 645
  EXPECT_FALSE(AcceptSplitterMove(Splitter::Left, 49, in));
  EXPECT_FALSE(AcceptSplitterMove(Splitter::Left, 49.9999, in));
  EXPECT_FALSE(AcceptSplitterMove(Splitter::Left, 596, in));
  EXPECT_EQ(in.browseWidth, 150);
  EXPECT_TRUE(AcceptSplitterMove(Splitter::Left, 49.99999999, in));
  EXPECT_TRUE(AcceptSplitterMove(Splitter::Left, 595, in));
  EXPECT_EQ(in.browseWidth, 595);
  EXPECT_TRUE(AcceptSplitterMove(Splitter::Left, 50, in));
  EXPECT_EQ(in.browseWidth, 50);
  EXPECT_EQ(in.toInsertWidth, 150);
  EXPECT_EQ(in.spreadingHeight, 100);
}

TEST(Splitters, RightLeavesAtLeast145PixelsForTheRightColumn) {
  LayoutInput in = Window(0);  // left splitter ends at 155
  EXPECT_FALSE(AcceptSplitterMove(Splitter::Right, 651, in));
  EXPECT_FALSE(AcceptSplitterMove(Splitter::Right, 254, in));
  EXPECT_EQ(in.toInsertWidth, 150);
  EXPECT_TRUE(AcceptSplitterMove(Splitter::Right, 650, in));
  EXPECT_EQ(in.toInsertWidth, 145);
  EXPECT_TRUE(AcceptSplitterMove(Splitter::Right, 255, in));
  EXPECT_EQ(in.toInsertWidth, 540);
  EXPECT_EQ(in.browseWidth, 150);
}

TEST(Splitters, HiddenLeftSplitterStillBoundsTheRightOneInConstantsView) {
  LayoutInput in = Window(3);
  in.browseWidth = 300;
  EXPECT_FALSE(AcceptSplitterMove(Splitter::Right, 400, in));
  EXPECT_TRUE(AcceptSplitterMove(Splitter::Right, 405, in));
  MainLayout l = LayoutAfterSplitterMove(Splitter::Right, in);
  EXPECT_EQ(l.constantList->width, 405);
  EXPECT_EQ(l.entryTextBox.width, 405 - 292);
}

TEST(Splitters, BottomMayShrinkTheTextBoxToNothingButNotNearTheToolbar) {
  LayoutInput in = Window(0);
  EXPECT_FALSE(AcceptSplitterMove(Splitter::Bottom, 534, in));
  EXPECT_FALSE(AcceptSplitterMove(Splitter::Bottom, 127, in));
  EXPECT_EQ(in.spreadingHeight, 100);
  EXPECT_TRUE(AcceptSplitterMove(Splitter::Bottom, 128, in));
  EXPECT_EQ(in.spreadingHeight, 405);
  EXPECT_TRUE(AcceptSplitterMove(Splitter::Bottom, 533, in));
  EXPECT_EQ(in.spreadingHeight, 0);
  MainLayout l = LayoutAfterSplitterMove(Splitter::Bottom, in);
  ExpectThreeColumns(in, l);
  EXPECT_EQ(l.entryTextBox.height, 0);
}

TEST(Splitters, MovedRightSplitterPutsTheLanguageBoxTwoPixelsIn) {
  LayoutInput in = Window(0);
  ASSERT_TRUE(AcceptSplitterMove(Splitter::Right, 600, in));
  MainLayout l = LayoutAfterSplitterMove(Splitter::Right, in);
  EXPECT_EQ(l.insertList.left, 605);
  EXPECT_EQ(l.insertList.right(), in.width);
  EXPECT_EQ(l.languageBox.left, 607);
  EXPECT_EQ(l.copyButton.left, 607 + 72 + 4);
  EXPECT_EQ(LayoutMainWindow(in).languageBox.left, 605);
}

}  // namespace
}  // namespace declarium
