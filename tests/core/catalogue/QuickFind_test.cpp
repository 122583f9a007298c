#include "catalogue/QuickFind.h"

#include <gtest/gtest.h>

#include "support/Catalogue.h"

namespace declarium {
namespace {

using test::TestCatalogue;

class QuickFindConstants : public ::testing::Test {
 protected:
  void SetUp() override {
    cat_.add().Constants({"WM_CREATE", "WM_CLOSE", "窗口样式_边框", "窗口样式_标题", "O'Brien_1"});
  }
  std::string Find(std::string_view key) { return FirstConstantWithPrefix(cat_.store(), key); }
  TestCatalogue cat_;
};

TEST_F(QuickFindConstants, AsciiKeyFindsTheFirstInNameOrder) {
  EXPECT_EQ(Find("wm_c"), "WM_CLOSE");
  EXPECT_EQ(Find("wm_cr"), "WM_CREATE");
  EXPECT_EQ(Find("WM_CR"), "WM_CREATE");
  EXPECT_EQ(Find("wm_x"), "");
}

// Whatever the letter case of key and name, the first match in name order
// (capitals first) is found, a name ending in a double-byte character too.
TEST_F(QuickFindConstants, EveryCaseOfTheKeyIsLookedFor) {
  cat_.add().Constants({"wM_ant", "Wm_Zed", "zz中文", "ZY"});
  EXPECT_EQ(Find("WM_A"), "wM_ant");
  EXPECT_EQ(Find("wm_"), "WM_CLOSE");
  cat_.Run("delete from 常量表 where 名称 like 'WM_C%'");
  EXPECT_EQ(Find("wm_"), "Wm_Zed");
  EXPECT_EQ(Find("ZZ"), "zz中文");
  EXPECT_EQ(Find("zz中"), "zz中文");
  EXPECT_EQ(Find("z"), "ZY");
}

TEST_F(QuickFindConstants, ChinesePrefixMatches) {
  EXPECT_EQ(Find("窗口样式"), "窗口样式_标题");
  EXPECT_EQ(Find("窗口样式_边"), "窗口样式_边框");
}

TEST_F(QuickFindConstants, KeyWithAQuote) {
  EXPECT_EQ(Find("o'b"), "O'Brien_1");
  EXPECT_EQ(Find("'"), "");
}

TEST(QuickFindTree, ItemTextCutToTheKey) {
  EXPECT_TRUE(TreeItemMatchesKey("CreateWindowEx", "createw"));
  EXPECT_TRUE(TreeItemMatchesKey("窗口函数", "窗口"));
  EXPECT_FALSE(TreeItemMatchesKey("Create", "createw"));
  EXPECT_TRUE(TreeItemMatchesKey("Anything", ""));
}

}  // namespace
}  // namespace declarium
