#include "catalogue/CellEditing.h"

#include <gtest/gtest.h>

#include "support/Catalogue.h"

namespace declarium {
namespace {

using test::TestCatalogue;

class CellEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    fn_ = cat_.add().Function("GetWindowText");
    other_ = cat_.add().Function("SetWindowText");
    param_ = cat_.add().Parameter(fn_, test::NewParam("hWnd").Array("0").ByRef(0));
    type_ = cat_.add().DataType("RECT");
    member_ = cat_.add().Member(type_, test::NewParam("left").ByRef(0));
  }
  std::string Text(const std::string& table, const std::string& field, int id) {
    return cat_.store().QueryText("select " + field + " from " + table + " where id=" + std::to_string(id));
  }
  int Int(const std::string& table, const std::string& field, int id) {
    return cat_.store().QueryInt("select " + field + " from " + table + " where id=" + std::to_string(id), -1);
  }
  // One double click on a yes/no cell: toggle, store, give the cell's new text.
  std::string DoubleClick(const std::string& table, const std::string& field, int id, const std::string& shown) {
    const YesNoToggle t = ToggleYesNo(shown);
    EXPECT_EQ(UpdateCell(cat_.store(), table, field, id, t.value, CellKind::Int), CellUpdate::Written);
    return t.text;
  }
  TestCatalogue cat_;
  int fn_ = 0, other_ = 0, param_ = 0, type_ = 0, member_ = 0;
};

TEST_F(CellEditing, TheThreeYesNoCells) {
  EXPECT_TRUE(IsYesNoCell("函数参数表", "数组"));
  EXPECT_TRUE(IsYesNoCell("函数参数表", "传址"));
  EXPECT_TRUE(IsYesNoCell("数据类型成员表", "传址"));
  EXPECT_FALSE(IsYesNoCell("数据类型成员表", "数组"));  // a dimension text
  EXPECT_FALSE(IsYesNoCell("函数参数表", "输出"));
  EXPECT_TRUE(IsTypeNameCell("数据类型成员表", "数据类型"));
  EXPECT_FALSE(IsTypeNameCell("函数表", "数据类型"));
}

TEST_F(CellEditing, ParameterCellFlipsAtTheFirstDoubleClick) {
  std::string shown = DoubleClick("函数参数表", "数组", param_, "");
  EXPECT_EQ(shown, "√");
  EXPECT_EQ(Int("函数参数表", "数组", param_), 1);
  shown = DoubleClick("函数参数表", "数组", param_, shown);
  EXPECT_EQ(shown, "");
  EXPECT_EQ(Int("函数参数表", "数组", param_), 0);
}

TEST_F(CellEditing, MemberCellShowingABlankStoresNoFirst) {
  // The page shows a member's no as a non-breaking space, which is not empty.
  std::string shown = DoubleClick("数据类型成员表", "传址", member_, "\xA0");
  EXPECT_EQ(shown, "");
  EXPECT_EQ(Int("数据类型成员表", "传址", member_), 0);
  shown = DoubleClick("数据类型成员表", "传址", member_, shown);
  EXPECT_EQ(shown, "√");
  EXPECT_EQ(Int("数据类型成员表", "传址", member_), 1);
  EXPECT_EQ(ToggleYesNo(" ").value, "0");
}

TEST_F(CellEditing, PromptNamesTheRowAndColumn) {
  EXPECT_EQ(EditPrompt(cat_.store(), "函数参数表", param_, "备注"), "hWnd → 备注");
  EXPECT_EQ(EditPrompt(cat_.store(), "函数表", 999, "备注"), " → 备注");
  EXPECT_EQ(EditPrompt(cat_.store(), "类别表", 1, "名称"), " → 名称");
}

TEST_F(CellEditing, FunctionAndTypeNamesMustBeUnique) {
  EXPECT_EQ(UpdateCell(cat_.store(), "函数表", "名称", fn_, "SetWindowText", CellKind::Text),
            CellUpdate::DuplicateName);
  EXPECT_EQ(Text("函数表", "名称", fn_), "GetWindowText");
  // Its own name, or another letter case, is not another row's name.
  EXPECT_EQ(UpdateCell(cat_.store(), "函数表", "名称", fn_, "GetWindowText", CellKind::Text), CellUpdate::Written);
  EXPECT_EQ(UpdateCell(cat_.store(), "函数表", "名称", fn_, "setwindowtext", CellKind::Text), CellUpdate::Written);
  cat_.add().DataType("POINT");
  EXPECT_EQ(UpdateCell(cat_.store(), "数据类型表", "名称", type_, "POINT", CellKind::Text), CellUpdate::DuplicateName);
  EXPECT_EQ(DuplicateNameMessage(), "此名称已经存在！");
}

TEST_F(CellEditing, ParametersMayShareNames) {
  cat_.add().Parameter(fn_, test::NewParam("lpString"));
  EXPECT_EQ(UpdateCell(cat_.store(), "函数参数表", "名称", param_, "lpString", CellKind::Text), CellUpdate::Written);
  EXPECT_EQ(Text("函数参数表", "名称", param_), "lpString");
}

TEST_F(CellEditing, QuotesInNamesAndTexts) {
  cat_.add().Function("O'Neil");
  EXPECT_EQ(UpdateCell(cat_.store(), "函数表", "名称", fn_, "O'Neil", CellKind::Text), CellUpdate::DuplicateName);
  EXPECT_EQ(UpdateCell(cat_.store(), "函数表", "函数说明", fn_, "it's '; --", CellKind::Text), CellUpdate::Written);
  EXPECT_EQ(Text("函数表", "函数说明", fn_), "it's '; --");
}

TEST_F(CellEditing, RefusedCells) {
  EXPECT_EQ(UpdateCell(cat_.store(), "函数表", "名称", 0, "X", CellKind::Text), CellUpdate::Refused);
  EXPECT_EQ(UpdateCell(cat_.store(), "类别表", "名称", 1, "X", CellKind::Text), CellUpdate::Refused);
  EXPECT_EQ(UpdateCell(cat_.store(), "函数表", "id", fn_, "5", CellKind::Int), CellUpdate::Refused);
  EXPECT_EQ(UpdateCell(cat_.store(), "函数表", "名称='x',备注", fn_, "y", CellKind::Text), CellUpdate::Refused);
  EXPECT_EQ(UpdateCell(cat_.store(), "函数参数表", "传址", param_, "1 or 1=1", CellKind::Int), CellUpdate::Refused);
  EXPECT_EQ(Text("函数表", "名称", fn_), "GetWindowText");
  EXPECT_EQ(Int("函数参数表", "传址", param_), 0);
}

TEST_F(CellEditing, FailedUpdateIsReported) {
  cat_.Run("create trigger keep before update on 函数表 begin select raise(abort,'x'); end");
  EXPECT_EQ(UpdateCell(cat_.store(), "函数表", "备注", fn_, "new", CellKind::Text), CellUpdate::Failed);
}

}  // namespace
}  // namespace declarium
