#include "model/MainLayout.h"

#include <gtest/gtest.h>

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

void ExpectRightColumn(const MainLayout& l) {
  EXPECT_EQ(l.rightSplitter, (Rect{645, 28, 5, 510}));
  EXPECT_EQ(l.languageBox, (Rect{650, 28, 72, kKeep}));
  EXPECT_EQ(l.copyButton, (Rect{726, 27, 70, 22}));
  EXPECT_EQ(l.insertList, (Rect{650, 49, 150, 489}));
}

TEST(MainLayout, ThreeColumnViewsShareOneLayout) {
  for (int mode = 0; mode <= 2; ++mode) {
    SCOPED_TRACE(mode);
    MainLayout l = LayoutMainWindow(Window(mode));
    ASSERT_TRUE(l.lists && l.leftSplitter && l.bottomSplitter && l.detailBrowser);
    EXPECT_EQ(*l.lists, (Rect{0, 28, 150, 489}));
    EXPECT_EQ(l.searchBox, (Rect{0, 517, 150, 21}));
    EXPECT_EQ(*l.leftSplitter, (Rect{150, 28, 5, 510}));
    EXPECT_EQ(*l.bottomSplitter, (Rect{155, 433, 490, 5}));
    EXPECT_EQ(l.entryTextBox, (Rect{155, 438, 490, 100}));
    EXPECT_EQ(*l.detailBrowser, (Rect{155, 28, 490, 405}));
    ExpectRightColumn(l);
    EXPECT_FALSE(l.constantList);
    EXPECT_FALSE(l.pagingButtons[0]);
  }
}

TEST(MainLayout, MiddleColumnFollowsTheSettings) {
  LayoutInput in = Window(0);
  in.browseWidth = 200;
  in.spreadingHeight = 50;
  in.toInsertWidth = 300;
  MainLayout l = LayoutMainWindow(in);
  EXPECT_EQ(*l.detailBrowser, (Rect{205, 28, 290, 455}));
  EXPECT_EQ(*l.bottomSplitter, (Rect{205, 483, 290, 5}));
  EXPECT_EQ(l.entryTextBox, (Rect{205, 488, 290, 50}));
  EXPECT_EQ(l.rightSplitter, (Rect{495, 28, 5, 510}));
  EXPECT_EQ(l.insertList, (Rect{500, 49, 300, 489}));  // ends at the client's right edge
}

// A wide saved list gives way in a narrow window; the page keeps its width.
TEST(MainLayout, NarrowWindowNarrowsTheListNotThePage) {
  LayoutInput in = Window(0);
  in.width = 700;
  in.browseWidth = 500;
  const MainLayout l = LayoutMainWindow(in);
  EXPECT_GE(l.detailBrowser->width, 200);
  EXPECT_LT(l.lists->width, 500);
  EXPECT_EQ(l.lists->right(), l.leftSplitter->left);
}

TEST(MainLayout, ConstantsView) {
  MainLayout l = LayoutMainWindow(Window(3));
  ASSERT_TRUE(l.constantList);
  EXPECT_EQ(*l.constantList, (Rect{0, 28, 645, 453}));
  EXPECT_EQ(l.searchBox, (Rect{0, 483, 290, 25}));
  EXPECT_EQ(*l.pagingButtons[0], (Rect{0, 510, 70, 22}));
  EXPECT_EQ(*l.pagingButtons[1], (Rect{72, 510, 70, 22}));
  EXPECT_EQ(*l.pagingButtons[2], (Rect{144, 510, 70, 22}));
  EXPECT_EQ(*l.pagingButtons[3], (Rect{216, 510, 70, 22}));
  EXPECT_EQ(l.entryTextBox, (Rect{292, 483, 353, 25}));
  EXPECT_EQ(*l.pageCaption, (Rect{292, 510, 353, 22}));
  ExpectRightColumn(l);
  // The hidden three-column controls keep their places.
  EXPECT_FALSE(l.lists);
  EXPECT_FALSE(l.detailBrowser);
  EXPECT_FALSE(l.leftSplitter);
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
  EXPECT_FALSE(v3.functionList || v3.dataTypeList || v3.categoryTree || v3.leftSplitter ||
               v3.bottomSplitter || v3.detailBrowser);
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
  EXPECT_EQ(l.entryTextBox, (Rect{155, 538, 490, 0}));
  EXPECT_EQ(l.detailBrowser->height, 560 - 28 - 0 - 22 - 5);
}

TEST(Splitters, MovedRightSplitterPutsTheLanguageBoxTwoPixelsIn) {
  LayoutInput in = Window(0);
  ASSERT_TRUE(AcceptSplitterMove(Splitter::Right, 600, in));
  MainLayout l = LayoutAfterSplitterMove(Splitter::Right, in);
  EXPECT_EQ(l.insertList, (Rect{605, 49, 195, 489}));
  EXPECT_EQ(l.languageBox.left, 607);
  EXPECT_EQ(l.copyButton.left, 607 + 72 + 4);
  EXPECT_EQ(LayoutMainWindow(in).languageBox.left, 605);
}

}  // namespace
}  // namespace declarium
