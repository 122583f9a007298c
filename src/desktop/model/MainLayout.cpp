#include "model/MainLayout.h"

#include <algorithm>

namespace declarium {

namespace {

constexpr int S = kSplitterThickness;
constexpr double kTolerance = 1e-7;

bool AtLeast(double p, double bound) { return p >= bound - kTolerance; }
bool AtMost(double p, double bound) { return p <= bound + kTolerance; }

void PlaceRightColumn(const LayoutInput& in, MainLayout& out) {
  const Rect& rs = out.rightSplitter;
  out.languageBox = {rs.right(), in.toolbarHeight, 72, kKeep};
  out.copyButton = {out.languageBox.right() + 4, in.toolbarHeight - 1, 70, 22};
  out.insertList = {rs.right(), out.copyButton.bottom(), in.toInsertWidth, rs.height - 21};
}

void LayoutThreeColumns(const LayoutInput& in, MainLayout& out) {
  const int W = in.width, H = in.height, TH = in.toolbarHeight, SH = in.statusHeight;
  const int SP = in.spreadingHeight, IW = in.toInsertWidth;
  // In a narrow window the list gives way, down to 50 pixels, so that the
  // page keeps a width it can be read in; the saved width stays as it was.
  constexpr int kUsablePage = 200, kNarrowestList = 50;
  const int BW = std::clamp(W - IW - 2 * S - kUsablePage, std::min(kNarrowestList, in.browseWidth), in.browseWidth);
  const int listHeight = H - TH - SH - in.searchHeight;
  out.lists = Rect{0, TH, BW, listHeight};
  out.searchBox = {0, TH + listHeight, BW, in.searchHeight};
  out.leftSplitter = Rect{BW, TH, S, listHeight + in.searchHeight};
  const int middleWidth = W - BW - IW - 2 * S;
  out.bottomSplitter = Rect{BW + S, H - SP - S - SH, middleWidth, S};
  out.entryTextBox = {BW + S, out.bottomSplitter->bottom(), middleWidth, SP};
  out.detailBrowser = Rect{BW + S, TH, middleWidth, H - S - TH - SH - SP};
  out.rightSplitter = {out.bottomSplitter->right(), TH, S, out.leftSplitter->height};
}

void LayoutConstants(const LayoutInput& in, MainLayout& out) {
  const int W = in.width, H = in.height, TH = in.toolbarHeight, SH = in.statusHeight;
  const Rect list{0, TH, W - in.toInsertWidth - 5, H - SH - 85};
  out.constantList = list;
  out.rightSplitter = {list.right(), TH, S, H - TH - SH};
  out.searchBox = {0, list.bottom() + 2, 290, 25};
  int left = 0;
  for (auto& button : out.pagingButtons) {
    button = Rect{left, out.searchBox.bottom() + 2, 70, 22};
    left += 72;
  }
  // The page caption goes beside the paging buttons, under the entry text.
  out.entryTextBox = {out.searchBox.right() + 2, out.searchBox.top, list.width - 290 - 2, out.searchBox.height};
  out.pageCaption = Rect{out.entryTextBox.left, out.searchBox.bottom() + 2, out.entryTextBox.width, 22};
}

}  // namespace

MainLayout LayoutMainWindow(const LayoutInput& in) {
  MainLayout out;
  if (in.mode == BrowseMode::Constants) {
    LayoutConstants(in, out);
  } else {
    LayoutThreeColumns(in, out);
  }
  PlaceRightColumn(in, out);
  return out;
}

BrowseVisibility ShowBrowseMode(BrowseMode mode) {
  BrowseVisibility v;
  if (mode == BrowseMode::Constants) {
    v.constantList = true;
    v.pagingButtons = true;
    return v;
  }
  v.functionList = mode == BrowseMode::Functions;
  v.categoryTree = mode == BrowseMode::Categories;
  v.dataTypeList = mode == BrowseMode::DataTypes;
  v.leftSplitter = true;
  v.bottomSplitter = true;
  v.detailBrowser = true;
  return v;
}

bool AcceptSplitterMove(Splitter splitter, double p, LayoutInput& in) {
  const int rightSplitterLeft = in.width - in.toInsertWidth - S;
  switch (splitter) {
    case Splitter::Left:
      if (!AtLeast(p, 50) || !AtMost(p, rightSplitterLeft - 50)) return false;
      in.browseWidth = static_cast<int>(p);
      return true;
    case Splitter::Right:
      // The left splitter bounds this one even while the constants view hides it.
      if (!AtMost(p, in.width - 150) || !AtLeast(p, in.browseWidth + S + 100)) return false;
      in.toInsertWidth = in.width - static_cast<int>(p) - S;
      return true;
    case Splitter::Bottom:
      if (!AtMost(p, in.height - in.statusHeight - S) || !AtLeast(p, in.toolbarHeight + 100)) {
        return false;
      }
      in.spreadingHeight = in.height - static_cast<int>(p) - S - in.statusHeight;
      return true;
  }
  return false;
}

MainLayout LayoutAfterSplitterMove(Splitter splitter, const LayoutInput& in) {
  MainLayout out = LayoutMainWindow(in);
  if (splitter == Splitter::Right) {
    out.languageBox.left = out.insertList.left + 2;
    out.copyButton.left = out.languageBox.right() + 4;
  }
  return out;
}

}  // namespace declarium
