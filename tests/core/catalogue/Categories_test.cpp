#include "catalogue/Categories.h"

#include <gtest/gtest.h>

#include "support/Catalogue.h"

namespace declarium {
namespace {

using test::TestCatalogue;

std::string CategoryName(TestCatalogue& cat, int id) {
  return cat.store().QueryText("select 名称 from 类别表 where id=" + std::to_string(id));
}

int CategoryOf(TestCatalogue& cat, int functionId) {
  return cat.store().QueryInt("select 类别 from 函数表 where id=" + std::to_string(functionId), -1);
}

TEST(Categories, NewTwiceGivesTwoOfTheSameName) {
  TestCatalogue cat;
  int a = 0, b = 0;
  std::string error;
  ASSERT_TRUE(NewCategory(cat.store(), a, error));
  ASSERT_TRUE(NewCategory(cat.store(), b, error));
  EXPECT_NE(a, b);
  EXPECT_EQ(CategoryName(cat, a), "新分类");
  EXPECT_EQ(CategoryName(cat, b), "新分类");
}

TEST(Categories, RenameEmptyKeepsTheOldNameAndQuotesAreKept) {
  TestCatalogue cat;
  int id = 0;
  std::string error;
  ASSERT_TRUE(NewCategory(cat.store(), id, error));
  ASSERT_TRUE(RenameCategory(cat.store(), id, "窗口's", "新分类", error));
  EXPECT_EQ(CategoryName(cat, id), "窗口's");
  ASSERT_TRUE(RenameCategory(cat.store(), id, "", "窗口's", error));
  EXPECT_EQ(CategoryName(cat, id), "窗口's");
  EXPECT_EQ(RenamedCategoryName("", "旧"), "旧");
  EXPECT_EQ(DeleteCategoryQuestion("窗口"), "你真的要删除“窗口”分类吗？");
}

TEST(Categories, FilingUnfilingAndTheLists) {
  TestCatalogue cat;
  const int c1 = cat.add().Category("B类");
  const int c2 = cat.add().Category("A类");
  const int f1 = cat.add().Function("Zeta");
  const int f2 = cat.add().Function("Alpha");
  const int f3 = cat.add().Function("Mid");
  std::string error;
  EXPECT_EQ(FileFunctions(cat.store(), c1, {f1, f2}, error), 2);
  ASSERT_TRUE(FileFunction(cat.store(), c2, f3, error));

  std::vector<CategoryNode> tree;
  ASSERT_TRUE(LoadCategoryTree(cat.store(), tree));
  ASSERT_EQ(tree.size(), 2u);
  EXPECT_EQ(tree[0].name, "A类");
  ASSERT_EQ(tree[1].functions.size(), 2u);
  EXPECT_EQ(tree[1].functions[0].name, "Alpha");
  EXPECT_EQ(tree[1].functions[1].id, f1);

  std::vector<EntryRow> in, out;
  ASSERT_TRUE(FunctionsInCategory(cat.store(), c1, in));
  ASSERT_TRUE(FunctionsNotInCategory(cat.store(), c1, out));
  EXPECT_EQ(in.size(), 2u);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].id, f3);

  ASSERT_TRUE(UnfileFunction(cat.store(), f1, error));
  EXPECT_EQ(CategoryOf(cat, f1), 0);

  // A deleted category's functions keep its id and so show in another's left list.
  ASSERT_TRUE(DeleteCategory(cat.store(), c1, error));
  EXPECT_EQ(CategoryOf(cat, f2), c1);
  ASSERT_TRUE(FunctionsNotInCategory(cat.store(), c2, out));
  EXPECT_EQ(out.size(), 2u);
  EXPECT_FALSE(DeleteCategory(cat.store(), 0, error));

  std::vector<EntryRow> categories;
  ASSERT_TRUE(ListCategories(cat.store(), categories));
  ASSERT_EQ(categories.size(), 1u);
  EXPECT_EQ(categories[0].id, c2);
}

TEST(Categories, FilingStopsAtTheFirstFailure) {
  TestCatalogue cat;
  const int c = cat.add().Category("类");
  const int f1 = cat.add().Function("A");
  const int f2 = cat.add().Function("B");
  const int f3 = cat.add().Function("C");
  cat.Run("create trigger refuse before update on 函数表 when new.id=" + std::to_string(f2) +
          " begin select raise(abort,'拒绝'); end");
  std::string error;
  EXPECT_EQ(FileFunctions(cat.store(), c, {f1, f2, f3}, error), 1);
  EXPECT_NE(error.find("拒绝"), std::string::npos);
  EXPECT_EQ(CategoryOf(cat, f1), c);
  EXPECT_EQ(CategoryOf(cat, f3), 0);
}

TEST(Categories, MovingRowsBetweenTheFilingLists) {
  std::vector<EntryRow> left = {{1, "A"}, {2, "B"}, {3, "C"}}, right;
  EXPECT_EQ(MoveFilingRow(left, right, 1), 1);  // C is now at index 1
  EXPECT_EQ(MoveFilingRow(left, right, 1), -1);
  ASSERT_EQ(right.size(), 2u);
  EXPECT_EQ(right[1].name, "C");
  EXPECT_EQ(MoveFilingRow(right, left, 0), 0);
  EXPECT_EQ(left.back().name, "B");
  EXPECT_EQ(MoveFilingRow(left, right, 5), -1);
}

}  // namespace
}  // namespace declarium
