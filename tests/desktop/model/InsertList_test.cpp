#include "model/InsertList.h"

#include <gtest/gtest.h>

namespace declarium {
namespace {

TEST(InsertList, EntriesAreUniqueByTextIgnoringAsciiCase) {
  InsertListModel list;
  InsertAdd a = list.Add("CreateWindowEx", 7, BrowseMode::Functions);
  EXPECT_TRUE(a.added);
  EXPECT_EQ(a.index, 0);
  InsertAdd b = list.Add("CreateWindow", 8, BrowseMode::Categories);  // a prefix is another entry
  EXPECT_TRUE(b.added);
  EXPECT_EQ(b.index, 1);
  InsertAdd c = list.Add("createwindowex", 9, BrowseMode::DataTypes);
  EXPECT_FALSE(c.added);
  EXPECT_EQ(c.index, 0);
  ASSERT_EQ(list.size(), 2);
  EXPECT_EQ(list.entries()[0].id, 7);
  EXPECT_EQ(list.KindOf(1), BrowseMode::Categories);
  EXPECT_EQ(list.KindOfText("CreateWindowEx"), BrowseMode::Functions);
  EXPECT_EQ(list.KindOfText("nothing"), std::nullopt);
}

TEST(InsertList, IdZeroAddsNothing) {
  InsertListModel list;
  EXPECT_EQ(list.Add("RECT", 0, BrowseMode::DataTypes).index, -1);
  EXPECT_EQ(list.size(), 0);
}

TEST(InsertList, RemoveOneAndAll) {
  InsertListModel list;
  list.Add("A", 1, BrowseMode::Functions);
  list.Add("B", 2, BrowseMode::DataTypes);
  list.Add("C", 3, BrowseMode::Constants);
  EXPECT_FALSE(list.Remove(3));
  EXPECT_TRUE(list.Remove(1));
  EXPECT_EQ(list.KindOfText("B"), std::nullopt);
  EXPECT_EQ(list.KindOf(1), BrowseMode::Constants);
  list.Clear();
  EXPECT_EQ(list.size(), 0);
  EXPECT_EQ(list.KindOf(0), std::nullopt);
}

TEST(InsertList, CopiesEachEntryAsTheKindItsViewLists) {
  InsertListModel list;
  list.Add("Sleep", 1, BrowseMode::Categories);
  list.Add("POINT", 2, BrowseMode::DataTypes);
  list.Add("INFINITE", 3, BrowseMode::Constants);
  list.Add("Beep", 4, BrowseMode::Functions);
  const std::vector<CopyEntry> copy = list.ToCopy();
  ASSERT_EQ(copy.size(), 4u);
  // A function taken from the category tree is copied as a function.
  EXPECT_EQ(copy[0].id, 1);
  EXPECT_EQ(copy[0].kind, EntryKind::Functions);
  EXPECT_EQ(copy[1].kind, EntryKind::DataTypes);
  EXPECT_EQ(copy[2].kind, EntryKind::Constants);
  EXPECT_EQ(copy[3].kind, EntryKind::Functions);
  // Each kind is shown in the view it came from, functions in the function list.
  for (BrowseMode view : {BrowseMode::Functions, BrowseMode::DataTypes, BrowseMode::Constants})
    EXPECT_EQ(ViewOfKind(KindOfView(view)), view);
  EXPECT_EQ(ViewOfKind(KindOfView(BrowseMode::Categories)), BrowseMode::Functions);
}

}  // namespace
}  // namespace declarium
