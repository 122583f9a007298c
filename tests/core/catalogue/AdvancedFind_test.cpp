#include "catalogue/AdvancedFind.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/Catalogue.h"

namespace declarium {
namespace {

using test::TestCatalogue;

FindTarget Target(int tab, int radio) {
  FindTarget t;
  EXPECT_TRUE(FindTargetFor(tab, radio, t));
  return t;
}

class AdvancedFind : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [name, description] : {std::pair{"GetWindowText", "取窗口标题"},
                                            {"SetWindowText", "置窗口标题"},
                                            {"FindWindow", "查找窗口"},
                                            {"Beep", "响铃"}})
      cat_.add().Function(test::NewFunction(name).Description(description));
  }
  FindStep Step(const FindTarget& t, std::string_view text) {
    return state_.Step(cat_.store(), t.table, t.field, text);
  }
  TestCatalogue cat_;
  FindState state_;
};

TEST(AdvancedFindTable, TabsRadiosAndCaptions) {
  FindTarget t;
  ASSERT_TRUE(FindTargetFor(0, 3, t));
  EXPECT_EQ(t.table, "函数表");
  EXPECT_EQ(t.field, "库名");
  ASSERT_TRUE(FindTargetFor(1, 3, t));
  EXPECT_EQ(t.table, "数据类型表,数据类型成员表");
  EXPECT_EQ(t.field, "数据类型成员表.备注");
  ASSERT_TRUE(FindTargetFor(2, 2, t));
  EXPECT_EQ(t.field, "十六进制值");
  EXPECT_FALSE(FindTargetFor(3, 0, t));
  EXPECT_FALSE(FindTargetFor(0, 4, t));
  EXPECT_EQ(FindRadioCaption(0, 3), "DLL库名");
  EXPECT_EQ(FindRadioCaption(1, 2), "数据类型说明");
  EXPECT_EQ(FindRadioCaption(2, 1), "备注");
  EXPECT_EQ(FindTabKind(1), EntryKind::DataTypes);
  EXPECT_EQ(FindTabKind(3), std::nullopt);
  EXPECT_EQ(FindTabOfKind(EntryKind::Functions), 0);
  EXPECT_EQ(FindTabOfKind(EntryKind::Constants), 2);
  EXPECT_EQ(FindTableKind(t.table), EntryKind::Constants);
}

TEST_F(AdvancedFind, ThreeMatchesStepThenWrapToTheFirst) {
  const FindTarget names = Target(0, 0);
  EXPECT_EQ(Step(names, "Window").name, "FindWindow");
  EXPECT_EQ(Step(names, "Window").name, "GetWindowText");
  FindStep third = Step(names, "Window");
  EXPECT_EQ(third.outcome, FindOutcome::Match);
  EXPECT_EQ(third.name, "SetWindowText");
  FindStep fourth = Step(names, "Window");
  EXPECT_EQ(fourth.outcome, FindOutcome::WrappedToFirst);
  EXPECT_EQ(fourth.name, "FindWindow");
  EXPECT_EQ(Step(names, "Window").name, "GetWindowText");
}

TEST_F(AdvancedFind, ChangedInputsStartAgain) {
  const FindTarget names = Target(0, 0);
  Step(names, "Window");
  Step(names, "Window");
  // One character more, another field, then back: each starts at the first match.
  EXPECT_EQ(Step(names, "WindowT").name, "GetWindowText");
  EXPECT_EQ(Step(Target(0, 2), "窗口").name, "FindWindow");
  EXPECT_EQ(Step(names, "Window").name, "FindWindow");
  state_.End();
  EXPECT_FALSE(state_.HasCursor());
  EXPECT_EQ(Step(names, "Window").name, "FindWindow");
}

TEST_F(AdvancedFind, NoMatchAndEverything) {
  const FindTarget names = Target(0, 0);
  EXPECT_EQ(Step(names, "Nothing").outcome, FindOutcome::NoRecords);
  EXPECT_EQ(Step(names, "Nothing").outcome, FindOutcome::NoRecords);
  EXPECT_EQ(Step(names, "").name, "Beep");  // everything
}

// "_", "%" and "\" in the text are those characters, not wildcards; A to Z
// still match either case, and a double-byte character whose second byte is
// "\" or "_" is that character.
TEST_F(AdvancedFind, WildcardCharactersStandForThemselves) {
  cat_.add().Constants({"CDB2GVF_ALLOWPREVIEWPANE", "PREVIEW_ON", "A%B", "AxB", "C\\D", "\x95\x5C", "\x95\x5F", "E_F"});
  const FindTarget names = Target(2, 0);
  auto all = [&](std::string_view text) {
    std::string found;
    for (FindStep s = Step(names, text); s.outcome == FindOutcome::Match; s = Step(names, text)) found += s.name + ";";
    return found;
  };
  EXPECT_EQ(all("REVIEW_"), "PREVIEW_ON;");
  EXPECT_EQ(all("review_"), "PREVIEW_ON;");
  EXPECT_EQ(all("A%B"), "A%B;");
  EXPECT_EQ(all("C\\D"), "C\\D;");
  EXPECT_EQ(all("B_ep"), "");
  EXPECT_EQ(all("\x95\x5C"), "\x95\x5C;");
  EXPECT_EQ(all("\x95\x5F"), "\x95\x5F;");
  EXPECT_EQ(all("_F"), "E_F;");
}

TEST_F(AdvancedFind, QuoteInTheSearchText) {
  cat_.add().Function(test::NewFunction("Quote").Description("it's here"));
  FindStep s = Step(Target(0, 2), "it's");
  EXPECT_EQ(s.outcome, FindOutcome::Match);
  EXPECT_EQ(s.name, "Quote");
  EXPECT_EQ(Step(Target(0, 2), "'; drop table 函数表; --").outcome, FindOutcome::NoRecords);
  EXPECT_EQ(cat_.store().QueryInt("select count(1) from 函数表"), 5);
}

TEST_F(AdvancedFind, ConstantsGiveIdAndName) {
  const int id = cat_.add().Constant(test::NewConstant("WM_USER").Remark("用户消息"));
  FindStep s = Step(Target(2, 1), "用户");
  EXPECT_EQ(s.outcome, FindOutcome::Match);
  EXPECT_EQ(s.id, id);
  EXPECT_EQ(s.name, "WM_USER");
}

TEST_F(AdvancedFind, MemberRemarksListATypeOncePerMatchingMember) {
  const int rect = cat_.add().DataType("RECT");
  const int point = cat_.add().DataType("POINT");
  for (const auto& [name, remark, owner] : {std::tuple{"left", "左边坐标", rect},
                                            {"top", "顶边坐标", rect},
                                            {"x", "横坐标", point},
                                            {"bottom", "底边", rect}})
    cat_.add().Member(owner, test::NewParam(name).Remark(remark));
  const FindTarget members = Target(1, 3);
  EXPECT_EQ(Step(members, "坐标").name, "POINT");
  EXPECT_EQ(Step(members, "坐标").name, "RECT");
  EXPECT_EQ(Step(members, "坐标").name, "RECT");
  FindStep wrapped = Step(members, "坐标");
  EXPECT_EQ(wrapped.outcome, FindOutcome::WrappedToFirst);
  EXPECT_EQ(wrapped.name, "POINT");
}

TEST_F(AdvancedFind, ContinuesOnlyWithTheSameInputsUntilEnded) {
  const FindTarget names = Target(0, 0);
  EXPECT_FALSE(state_.Continues(names.table, names.field, ""));
  Step(names, "Window");
  EXPECT_TRUE(state_.Continues(names.table, names.field, "Window"));
  EXPECT_FALSE(state_.Continues(names.table, names.field, "window"));
  EXPECT_FALSE(state_.Continues(names.table, "中文名", "Window"));
  state_.End();
  EXPECT_FALSE(state_.HasCursor());
  EXPECT_FALSE(state_.Continues(names.table, names.field, "Window"));
  EXPECT_EQ(Step(names, "Window").name, "FindWindow");
}

TEST_F(AdvancedFind, UnknownTargetsAreNeverRun) {
  EXPECT_EQ(state_.Step(cat_.store(), "函数表", "1=1; --", "x").outcome, FindOutcome::NothingShown);
  EXPECT_EQ(state_.Step(cat_.store(), "函数表", "1=1; --", "x").outcome, FindOutcome::NoRecords);
}

TEST_F(AdvancedFind, UnpreparableSearchShowsNothingThenFails) {
  cat_.Run("drop table 常量表");
  const FindTarget constants = Target(2, 0);
  EXPECT_EQ(Step(constants, "WM").outcome, FindOutcome::NothingShown);
  EXPECT_EQ(Step(constants, "WM").outcome, FindOutcome::Failed);
}

}  // namespace
}  // namespace declarium
