// declare and page: the texts of the core, byte for byte, in each syntax.
#include <gtest/gtest.h>

#include "catalogue/EntryQueries.h"
#include "cli/CliRunner.h"
#include "output/CopyText.h"
#include "output/DetailPages.h"
#include "store/CatalogueStore.h"
#include "support/Entries.h"
#include "text/Gbk.h"

namespace declarium::test {
namespace {

const char kVb[] =
    "Public Declare Function MessageBox Lib \"user32\" Alias \"MessageBoxA\" (ByVal hWnd As Long, "
    "ByVal lpText As String) As Long\n"
    "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\n"
    "Public Type RECT\n    Left As Long 'left edge\n    Top As Long\nEnd Type\n"
    "Public Const WM_USER = &H400 'first user message\n";

class CliDeclareTest : public ::testing::Test {
 protected:
  void SetUp() override { cat.Import("vb", kVb); }

  // What the core gives for the entry, as UTF-8.
  std::string CoreDeclaration(const std::string& table, EntryKind kind, const std::string& name, int syntax,
                              const DeclarationStyle& style = {}) {
    CatalogueStore store;
    EXPECT_TRUE(store.OpenPath(cat.file("data.db"), false));
    int id = 0;
    EXPECT_TRUE(FindEntryByName(store, Utf8ToGbk(table), Utf8ToGbk(name), id));
    std::string text;
    EXPECT_EQ(SelectedDeclaration(store, kind, id, SyntaxOfNumber(syntax), style, text), CopyResult::Copied);
    return GbkToUtf8(text);
  }
  std::string CorePage(const std::string& table, const std::string& name, int syntax) {
    CatalogueStore store;
    EXPECT_TRUE(store.OpenPath(cat.file("data.db"), false));
    int id = 0;
    EXPECT_TRUE(FindEntryByName(store, Utf8ToGbk(table), Utf8ToGbk(name), id));
    DetailDocument doc;
    EXPECT_TRUE(BuildDetailDocument(store, Utf8ToGbk(table), id, SyntaxOfNumber(syntax), doc));
    return GbkToUtf8(doc.html);
  }

  CliCatalogue cat;
};

TEST_F(CliDeclareTest, FunctionInEachSyntax) {
  CliResult r = cat.Run({"declare", "function", "GetTickCount"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // Composed CR LF kept, nothing added at the end.
  EXPECT_EQ(r.out, ".版本 2\r\n\r\n.DLL命令 GetTickCount, 整数型, \"kernel32\", \"GetTickCount\", , ");
  const char* words[] = {"e", "csharp", "vb"};
  for (int s = 0; s < 3; ++s) {
    r = cat.Run({"--syntax", words[s], "declare", "function", "MessageBox"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, CoreDeclaration("函数表", EntryKind::Functions, "MessageBox", s)) << words[s];
    // Numbers name the syntaxes too, and the option may follow the command.
    EXPECT_EQ(cat.Run({"declare", "function", "MessageBox", "--syntax", std::to_string(s)}).out, r.out);
  }
  EXPECT_EQ(cat.Run({"--syntax", "vb", "declare", "function", "MessageBox"}).out,
            "Private Declare Function MessageBox Lib \"user32\" Alias \"MessageBoxA\" (ByVal hWnd As Long, "
            "ByVal lpText As String) As Long");
}

TEST_F(CliDeclareTest, TypeAndConstantInEachSyntax) {
  for (int s = 0; s < 3; ++s) {
    const std::string word = std::to_string(s);
    CliResult r = cat.Run({"--syntax", word, "declare", "type", "RECT"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, CoreDeclaration("数据类型表", EntryKind::DataTypes, "RECT", s));
    r = cat.Run({"--syntax", word, "declare", "constant", "WM_USER"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, CoreDeclaration("常量表", EntryKind::Constants, "WM_USER", s));
  }
  EXPECT_EQ(cat.Run({"--syntax", "csharp", "declare", "constant", "WM_USER"}).out, "WM_USER = 1024,");
}

TEST_F(CliDeclareTest, SettingsFromFlagsAndConfigFile) {
  DeclarationStyle s;
  s.isPublic = true;
  s.insertRemarks = true;
  s.namePrefix = Utf8ToGbk("前");
  s.nameSuffix = "W";
  CliResult r = cat.Run({"--public", "--remarks", "--prefix", "前", "--suffix", "W", "--syntax", "vb", "declare",
                         "function", "GetTickCount"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Public Declare Function 前GetTickCountW Lib \"kernel32\" Alias \"GetTickCount\" () As Long");
  EXPECT_EQ(r.out, CoreDeclaration("函数表", EntryKind::Functions, "GetTickCount", 2, s));
  r = cat.Run({"--public", "--remarks", "--syntax", "vb", "declare", "type", "RECT"});
  EXPECT_EQ(r.out, CoreDeclaration("数据类型表", EntryKind::DataTypes, "RECT", 2, s));

  // The same settings from a Config.ini (GBK); a flag given wins over the file.
  WriteFileBytes(cat.file("Config.ini"),
                 Utf8ToGbk("[Setings]\r\n插入备注信息=1\r\nPublic=1\r\nAPI名称前缀=前\r\nAPI名称后缀=W\r\n"));
  r = cat.Run({"--config", "Config.ini", "--syntax", "vb", "declare", "function", "GetTickCount"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Public Declare Function 前GetTickCountW Lib \"kernel32\" Alias \"GetTickCount\" () As Long");
  r = cat.Run({"--config", "Config.ini", "--public=false", "--prefix", "", "--syntax", "vb", "declare", "function",
               "GetTickCount"});
  EXPECT_EQ(r.out, "Private Declare Function GetTickCountW Lib \"kernel32\" Alias \"GetTickCount\" () As Long");
  r = cat.Run({"--config", "missing.ini", "stats"});
  EXPECT_EQ(r.exitCode, 2);
}

TEST_F(CliDeclareTest, PageInEachSyntax) {
  for (int s = 0; s < 3; ++s) {
    CliResult r = cat.Run({"--syntax", std::to_string(s), "page", "function", "MessageBox"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, CorePage("函数表", "MessageBox", s));
    EXPECT_EQ(r.out.rfind("<style>\r\n", 0), 0u);
    EXPECT_EQ(r.out.substr(r.out.size() - 8), "</table>");
    r = cat.Run({"--syntax", std::to_string(s), "page", "type", "RECT"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, CorePage("数据类型表", "RECT", s));
  }
  // Only C# pages have the CharSet rows.
  EXPECT_NE(cat.Run({"--syntax", "csharp", "page", "function", "MessageBox"}).out.find("CallingConvention"),
            std::string::npos);
  EXPECT_EQ(cat.Run({"page", "function", "MessageBox"}).out.find("CallingConvention"), std::string::npos);
  // GBK output is the composed bytes themselves.
  EXPECT_EQ(cat.Run({"--output-encoding", "gbk", "page", "type", "RECT"}).out,
            Utf8ToGbk(CorePage("数据类型表", "RECT", 0)));
}

TEST_F(CliDeclareTest, FirstOfEqualNamesInListOrder) {
  cat.Import("vb", "Private Declare Function Twice Lib \"first\" () As Long\n");
  cat.Import("vb", "Private Declare Function Other Lib \"x\" () As Long\n");
  // Import skips a name already present, so the duplicate goes in by SQL.
  CatalogueStore store;
  ASSERT_TRUE(store.OpenPath(cat.file("data.db"), false));
  Entries(store).Function(NewFunction("Twice").Library("second"));
  store.Close();
  CliResult r = cat.Run({"--syntax", "vb", "declare", "function", "Twice"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\"first\""), std::string::npos) << r.out;
}

TEST_F(CliDeclareTest, UnknownNameAndWrongWords) {
  CliResult r = cat.Run({"declare", "function", "NoSuchFunction"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "没有找到记录！\n");
  EXPECT_TRUE(r.out.empty());
  // Exact name: kind, case and prefix matter; quotes are part of the name.
  EXPECT_EQ(cat.Run({"declare", "type", "GetTickCount"}).exitCode, 1);
  EXPECT_EQ(cat.Run({"declare", "function", "gettickcount"}).exitCode, 1);
  EXPECT_EQ(cat.Run({"declare", "function", "GetTick"}).exitCode, 1);
  r = cat.Run({"declare", "function", "x' or '1'='1"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "没有找到记录！\n");
  EXPECT_EQ(cat.Run({"page", "type", "NoSuchType"}).err, "没有找到记录！\n");
  EXPECT_EQ(cat.Run({"--output-encoding", "gbk", "page", "type", "NoSuchType"}).err, Utf8ToGbk("没有找到记录！\n"));

  EXPECT_EQ(cat.Run({"--syntax", "java", "declare", "function", "GetTickCount"}).exitCode, 2);
  EXPECT_EQ(cat.Run({"--syntax", "3", "declare", "function", "GetTickCount"}).exitCode, 2);
  EXPECT_EQ(cat.Run({"declare", "struct", "RECT"}).exitCode, 2);
  EXPECT_EQ(cat.Run({"page", "constant", "WM_USER"}).exitCode, 2);  // constants have no page
  EXPECT_EQ(cat.Run({"declare", "function"}).exitCode, 2);
}

TEST_F(CliDeclareTest, WithDependenciesEveryUsedTypeComesFirstAndMissingOnesLast) {
  cat.Import("vb",
             "Public Type POINTAPI\n    x As Long\n    y As Long\nEnd Type\n"
             "Public Type PLACEMENT\n    pt As POINTAPI\n    rc As RECT\n    other As NOTHERE\nEnd Type\n"
             "Private Declare Function GetPlacement Lib \"user32\" (ByVal hWnd As Long, lp As PLACEMENT) As Long\n");
  CliResult r = cat.Run({"--syntax", "vb", "declare", "--with-dependencies", "function", "GetPlacement"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const size_t point = r.out.find("Type POINTAPI"), rect = r.out.find("Type RECT"),
               placement = r.out.find("Type PLACEMENT"), function = r.out.find("Function GetPlacement");
  ASSERT_NE(function, std::string::npos) << r.out;
  EXPECT_TRUE(point < rect && rect < placement && placement < function) << r.out;
  const std::string missing = "' 未找到：NOTHERE\r\n";
  EXPECT_EQ(r.out.substr(r.out.size() - missing.size()), missing);
  r = cat.Run({"--syntax", "csharp", "declare", "--with-dependencies", "type", "PLACEMENT"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("// 未找到：NOTHERE"), std::string::npos);
  EXPECT_EQ(r.out.find("GetPlacement"), std::string::npos);
  // Without the flag, the entry alone as before.
  EXPECT_EQ(cat.Run({"declare", "type", "PLACEMENT"}).out,
            CoreDeclaration("数据类型表", EntryKind::DataTypes, "PLACEMENT", 0));
}

TEST_F(CliDeclareTest, ConstantsByValueInAnyNotation) {
  cat.Import("vb",
             "Public Const WM_X = 1024\nPublic Const OTHER_X = &H400&\nPublic Const WM_ALL = -1\n"
             "Public Const WM_EXPR = WM_USER + 1\n");
  const std::string expected = "OTHER_X = 1024 (0x400)\nWM_USER = 1024 (0x400)\nWM_X = 1024 (0x400)\n";
  for (const char* value : {"1024", "0x400", "&H400", "400h"}) {
    CliResult r = cat.Run({"constants", "--value", value});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected) << value;
  }
  EXPECT_EQ(cat.Run({"constants", "--value", "0x400", "--prefix", "WM_"}).out,
            "WM_USER = 1024 (0x400)\nWM_X = 1024 (0x400)\n");
  EXPECT_EQ(cat.Run({"constants", "--value", "0xFFFFFFFF"}).out, "WM_ALL = 4294967295 (0xFFFFFFFF)\n");
  CliResult none = cat.Run({"constants", "--value", "7", "--prefix", "x' or '1'='1"});
  EXPECT_EQ(none.exitCode, 0) << none.err;
  EXPECT_TRUE(none.out.empty());
  EXPECT_EQ(cat.Run({"constants", "--value", "WM_USER + 1"}).exitCode, 2);
  EXPECT_EQ(cat.Run({"constants", "--value", "1' or '1'='1"}).exitCode, 2);
}

}  // namespace
}  // namespace declarium::test
