#include "output/Dependencies.h"

#include <gtest/gtest.h>

#include "support/Catalogue.h"

namespace declarium {
namespace {

class DependenciesTest : public ::testing::Test {
 protected:
  int Type(const std::string& name, std::initializer_list<std::pair<std::string, std::string>> members) {
    test::NewDataType row(name);
    for (const auto& [member, type] : members) row.Member(test::NewParam(member, type).Array("").ByRef(0));
    return cat.add().DataType(row);
  }
  int Function(const std::string& name, std::initializer_list<std::pair<std::string, std::string>> params,
               int syntax = 0) {
    test::NewFunction row(name);
    row.Returns(syntax == 2 ? "Long" : "整数型").Library("user32", name).Syntax(SyntaxOfNumber(syntax));
    for (const auto& [param, type] : params) row.Param(test::NewParam(param, type).Array("0").ByRef());
    return cat.add().Function(row);
  }
  std::string Copy(std::vector<CopyEntry> entries, SyntaxKind target) {
    std::string text;
    EXPECT_EQ(DeclarationsWithDependencies(cat.store(), entries, target, style, text), CopyResult::Copied);
    return text;
  }
  static size_t At(const std::string& text, const std::string& part) {
    const size_t at = text.find(part);
    EXPECT_NE(at, std::string::npos) << part;
    return at;
  }
  static size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }

  test::TestCatalogue cat;
  DeclarationStyle style;
};

TEST_F(DependenciesTest, NestedTypesComeOnceBeforeTheirFirstUseAndMissingNamesLast) {
  Type("POINT", {{"x", "整数型"}, {"y", "整数型"}});
  Type("RECT", {{"left", "整数型"}, {"corner", "POINT"}});
  Type("PLACEMENT", {{"length", "整数型"}, {"minPosition", "POINT"}, {"normal", "RECT"}, {"owner", "HOOK"}});
  const int f =
      Function("GetPlacement", {{"hWnd", "整数型"}, {"place", "PLACEMENT"}, {"point", "POINT"}, {"other", "MISSING"}});
  const std::string vb = Copy({{f, EntryKind::Functions}}, SyntaxKind::Vb);
  EXPECT_LT(At(vb, "Type POINT"), At(vb, "Type RECT"));
  EXPECT_LT(At(vb, "Type RECT"), At(vb, "Type PLACEMENT"));
  EXPECT_LT(At(vb, "Type PLACEMENT"), At(vb, "Declare Function GetPlacement"));
  EXPECT_EQ(Count(vb, "Type POINT\r\n"), 1u);
  // Missing names close the text in the order met, each as a comment of the syntax.
  EXPECT_NE(vb.find("' 未找到：MISSING\r\n' 未找到：HOOK\r\n"), std::string::npos) << vb;
  EXPECT_EQ(vb.find("整数型"), std::string::npos);  // basic types are no dependency

  const std::string cs = Copy({{f, EntryKind::Functions}}, SyntaxKind::CSharp);
  EXPECT_LT(At(cs, "struct POINT"), At(cs, "struct RECT"));
  EXPECT_NE(cs.find("// 未找到：MISSING\r\n"), std::string::npos);
  const std::string e = Copy({{f, EntryKind::Functions}}, SyntaxKind::E);
  EXPECT_EQ(e.rfind(".版本 2\r\n\r\n.数据类型 POINT", 0), 0u) << e;
  EXPECT_EQ(Count(e, ".版本 2"), 1u);
  EXPECT_NE(e.find("' 未找到：HOOK\r\n"), std::string::npos);
}

// With 插入中文名 a type is declared by its 中文名, and so are its uses.
TEST_F(DependenciesTest, UsesOfATypeTakeTheNameItIsDeclaredWith) {
  const int self = Type("SELF", {{"next", "SELF"}, {"n", "整数型"}});
  cat.Run("update 数据类型表 set 中文名='甲型' where id=" + std::to_string(self));
  Type("OUTER", {{"inner", "SELF"}});
  const int f = Function("F", {{"p", "OUTER"}, {"q", "SELF"}});
  style.insertChineseNames = true;
  const std::string e = Copy({{f, EntryKind::Functions}}, SyntaxKind::E);
  EXPECT_NE(e.find(".数据类型 甲型"), std::string::npos) << e;
  EXPECT_EQ(e.find("SELF"), std::string::npos) << e;
}

TEST_F(DependenciesTest, ACycleEndsTheWalkAndEachTypeIsWrittenOnce) {
  const int node = Type("NODE", {{"next", "NODE"}, {"value", "整数型"}});
  const int a = Type("A", {{"b", "B"}});
  Type("B", {{"a", "A"}});
  std::string text = Copy({{node, EntryKind::DataTypes}}, SyntaxKind::Vb);
  EXPECT_EQ(text, "Private Type NODE\r\nnext As NODE\r\nvalue As Long\r\nEnd Type\r\n");
  text = Copy({{a, EntryKind::DataTypes}, {node, EntryKind::DataTypes}}, SyntaxKind::Vb);
  EXPECT_LT(At(text, "Type B"), At(text, "Type A"));
  EXPECT_EQ(Count(text, "End Type"), 3u);
}

TEST_F(DependenciesTest, AListSharesItsTypesAndAnEntryAlreadyWrittenIsNotRepeated) {
  const int point = Type("POINT", {{"x", "Long"}});
  const int f1 = Function("MoveTo", {{"p", "POINT"}}, 2);
  // Found regardless of case; an array's element is the dependency.
  const int f2 = Function("LineTo", {{"p", "point"}, {"q", "POINT[]"}, {"n", "Long"}}, 2);
  const std::string text = Copy({{f1, EntryKind::Functions},
                                 {0, EntryKind::Functions},
                                 {f2, EntryKind::Functions},
                                 {point, EntryKind::DataTypes}},
                                SyntaxKind::Vb);
  EXPECT_EQ(Count(text, "Type POINT"), 1u);
  EXPECT_LT(At(text, "Type POINT"), At(text, "MoveTo"));
  EXPECT_EQ(text.find("未找到"), std::string::npos);
}

TEST_F(DependenciesTest, QuotedTypeNamesAreLookedUpAsText) {
  const int f = Function("Hostile", {{"p", "X'); drop table 数据类型表;--"}});
  const std::string text = Copy({{f, EntryKind::Functions}}, SyntaxKind::CSharp);
  EXPECT_NE(text.find("// 未找到：X'); drop table 数据类型表;--\r\n"), std::string::npos) << text;
  EXPECT_EQ(cat.store().QueryInt("select count(1) from sqlite_master where name='数据类型表'"), 1);
}

TEST_F(DependenciesTest, NothingToCopyAndUnloadableEntries) {
  std::string text = "kept";
  EXPECT_EQ(DeclarationsWithDependencies(cat.store(), {}, SyntaxKind::E, style, text), CopyResult::Nothing);
  EXPECT_EQ(DeclarationsWithDependencies(cat.store(), {{1, static_cast<EntryKind>(7)}}, SyntaxKind::E, style, text),
            CopyResult::Failed);
  EXPECT_EQ(text, "kept");
}

}  // namespace
}  // namespace declarium
