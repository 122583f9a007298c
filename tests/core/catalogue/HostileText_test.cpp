// Hostile text through every core path whose text reaches SQL: reading and
// storing an import, editing a cell in place, renaming a category, the constant editor,
// advanced find, quick find, export conditions and finding an entry by name.
// Each value is stored or found exactly (as far as the catalogue's UTF-8 can
// hold it) and no other row changes.
#include <sqlite3.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

#include "catalogue/AdvancedFind.h"
#include "catalogue/Categories.h"
#include "catalogue/CellEditing.h"
#include "catalogue/Deletion.h"
#include "catalogue/EntryQueries.h"
#include "catalogue/QuickFind.h"
#include "import/Readers.h"
#include "import/StoreImported.h"
#include "output/Export.h"
#include "store/ConstantNumbers.h"
#include "support/Catalogue.h"
#include "text/Gbk.h"

namespace declarium {
namespace {

using test::Entries;
using test::NewConstant;
using test::NewDataType;
using test::NewFunction;
using test::NewParam;
using test::ReadFileBytes;
using test::TestCatalogue;

struct Hostile {
  const char* label;
  std::string value;  // GBK
};

std::string Big() {
  std::string big;
  while (big.size() < (1u << 20)) big += "中'文%_\"\\;--/*";
  return big;
}

std::vector<Hostile> HostileValues() {
  return {
      {"quote", "'"},
      {"two quotes", "''"},
      {"double quote", "\""},
      {"backslash", "\\"},
      {"percent", "%"},
      {"underscore", "_"},
      {"semicolon", ";"},
      {"dashes", "--"},
      {"comment", "/*"},
      {"statement", "x'); delete from 函数表; --"},
      {"NUL byte", std::string("a\0b", 3)},
      {"lone lead byte at the end", "abc\x81"},
      {"characters GBK lacks, as they arrive", Utf8ToGbk("\xF0\x9F\x98\x80\xEA\xB0\x80")},
      {"1 MB", Big()},
  };
}

// What the catalogue holds of a GBK text: the store converts it to UTF-8, so
// a byte that is no GBK character comes back as "?".
std::string Kept(const std::string& v) { return Utf8ToGbk(GbkToUtf8(v)); }

bool HasWildcard(const std::string& v) { return v.find_first_of("%_") != std::string::npos; }

// Every row of every table: "table#id" -> column -> text ("<NULL>" for NULL).
using Rows = std::map<std::string, std::map<std::string, std::string>>;

Rows Snapshot(CatalogueStore& store) {
  Rows rows;
  for (const char* table : {"函数表", "函数参数表", "数据类型表", "数据类型成员表", "常量表", "类别表"}) {
    Statement st = store.Prepare(std::string("select * from ") + table);
    EXPECT_TRUE(st);
    const int columns = sqlite3_column_count(st.get());
    while (store.NextRow(st)) {
      auto& row = rows[std::string(table) + "#" + std::to_string(store.ColumnInt(st, 0))];
      for (int c = 0; c < columns; ++c) {
        row[Utf8ToGbk(sqlite3_column_name(st.get(), c))] =
            sqlite3_column_type(st.get(), c) == SQLITE_NULL ? "<NULL>" : store.ColumnText(st, c);
      }
    }
  }
  return rows;
}

class HostileText : public ::testing::Test {
 protected:
  void SetUp() override {
    Entries& add = cat_.add();
    add.Function(NewFunction("Alpha")
                     .Returns("整数型")
                     .Remark("甲")
                     .Library("user32", "Alpha")
                     .Description("说明")
                     .ChineseName("阿尔法")
                     .Category(1)
                     .Param(NewParam("p", "整数型").Array("0").ByRef().Remark("参数")));
    add.Function(NewFunction("Beta")
                     .Returns("逻辑型")
                     .Remark("乙")
                     .Library("kernel32", "Beta")
                     .Description("")
                     .ChineseName("")
                     .Category(0));
    add.DataType(NewDataType("RECT").Remark("矩形").Member(NewParam("left", "整数型").Array("").ByRef(0).Remark("左")));
    add.Constant(NewConstant("K1", "1", "0x1"));
    add.Constant(NewConstant("K2", "2", "0x2"));
    add.Category("窗口");
  }
  CatalogueStore& store() { return cat_.store(); }
  TestCatalogue cat_;
};

TEST_F(HostileText, KeptIsTheValueExceptWhereGbkHasNoCharacter) {
  for (const Hostile& h : HostileValues()) {
    if (std::string(h.label) == "lone lead byte at the end") {
      EXPECT_EQ(Kept(h.value), "abc?");
    } else {
      EXPECT_EQ(Kept(h.value), h.value) << h.label;
    }
  }
}

TEST_F(HostileText, Import) {
  const Rows start = Snapshot(store());
  for (const Hostile& h : HostileValues()) {
    SCOPED_TRACE(h.label);
    TestCatalogue cat;
    cat.add().Constant(NewConstant("K1").Decimal("1"));
    ASSERT_TRUE(EnsureConstantValues(cat.store()));  // its number is no change the import makes
    const Rows before = Snapshot(cat.store());
    const std::string& v = h.value;
    FunctionRecord f;
    f.name = f.returnType = f.remark = f.library = f.entryPoint = f.charSet = f.callingConvention = v;
    ParameterRecord p;
    p.name = p.type = p.remark = p.array = v;
    f.parameters = {p};
    DataTypeRecord d;
    d.name = d.remark = d.charSet = d.pack = d.size = v;
    d.members = {p};
    ConstantRecord c{v, v, v, v, v};
    std::string message;
    ASSERT_TRUE(StoreImported(cat.store(), {f}, {d}, {c}, message)) << message;
    EXPECT_EQ(message, "成功添加\r\n函数：1个\r\n数据类型：1个\r\n常量：1个");

    Rows after = Snapshot(cat.store());
    const std::string k = Kept(v);
    for (const auto& [key, columns] : before) EXPECT_EQ(after[key], columns) << key;
    EXPECT_EQ(after.size(), before.size() + 5);
    for (const char* column : {"名称", "返回值类型", "备注", "库名", "库对应命令", "CharSet", "CallingConvention"}) {
      EXPECT_EQ(after["函数表#1"][column], k) << column;
    }
    for (const char* column : {"名称", "数据类型", "备注"}) {
      EXPECT_EQ(after["函数参数表#1"][column], k) << column;
      EXPECT_EQ(after["数据类型成员表#1"][column], k) << column;
    }
    EXPECT_EQ(after["函数参数表#1"]["数组"], "0");  // only "1" marks an array
    EXPECT_EQ(after["数据类型成员表#1"]["数组"], k);
    for (const char* column : {"名称", "备注", "CharSet", "Pack", "Size"}) {
      EXPECT_EQ(after["数据类型表#1"][column], k) << column;
    }
    for (const char* column : {"名称", "十进制值", "十六进制值", "备注", "类型"}) {
      EXPECT_EQ(after["常量表#2"][column], k) << column;
    }

    // The names are found again exactly: a second storing adds nothing, and
    // the name finds its entry.
    ASSERT_TRUE(StoreImported(cat.store(), {f}, {d}, {c}, message)) << message;
    EXPECT_EQ(message,
              "成功添加\r\n函数：0个（1 个同名已存在，未添加）\r\n数据类型：0个（1 个同名已存在，未添加）"
              "\r\n常量：0个（1 个同名已存在，未添加）");
    EXPECT_TRUE(NameExists(cat.store(), "函数表", v));
    EXPECT_FALSE(NameExists(cat.store(), "函数表", v + "x"));
    int id = -1;
    ASSERT_TRUE(FindEntryByName(cat.store(), "常量表", v, id));
    EXPECT_EQ(id, 2);
    ASSERT_TRUE(FindEntryByName(cat.store(), "常量表", "K", id));
    EXPECT_EQ(id, 0);
  }
  EXPECT_EQ(Snapshot(store()), start);
}

// The text of an import, read before it is stored: every value comes back
// in the remarks of a function, its parameter and a constant, as it was.
TEST_F(HostileText, ReadFromText) {
  for (const Hostile& h : HostileValues()) {
    SCOPED_TRACE(h.label);
    const std::string& v = h.value;
    // A lead byte at the end of a line pairs with the line break, as in any GBK text.
    if (std::string(h.label) == "lone lead byte at the end") continue;
    const std::string text = ".版本 2\r\n\r\n.DLL命令 F, 整数型, \"k\", \"F\", 公开, " + v +
                             "\r\n    .参数 p, 整数型, , " + v + "\r\n.常量 C, \"1\", , " + v + "\r\n";
    ParsedDeclarations read;
    ReadDeclarations(text, SyntaxKind::E, read);
    ASSERT_EQ(read.functions.size(), 1u);
    EXPECT_EQ(read.functions[0].remark, v);
    ASSERT_EQ(read.functions[0].parameters.size(), 1u);
    EXPECT_EQ(read.functions[0].parameters[0].remark, v);
    ASSERT_EQ(read.constants.size(), 1u);
    EXPECT_EQ(read.constants[0].remark, v);
  }
}

TEST_F(HostileText, InPlaceEdit) {
  for (const Hostile& h : HostileValues()) {
    SCOPED_TRACE(h.label);
    TestCatalogue cat;
    cat.add().Function(NewFunction("Alpha").Remark("甲").Param(NewParam("p", "整数型").ByRef()));
    cat.add().Function(NewFunction("Beta").Remark("乙"));
    cat.add().Member(1, NewParam("m").Array(""));  // no data type owns it
    Rows expected = Snapshot(cat.store());
    const std::string& v = h.value;
    ASSERT_EQ(UpdateCell(cat.store(), "函数表", "备注", 1, v, CellKind::Text), CellUpdate::Written);
    ASSERT_EQ(UpdateCell(cat.store(), "函数表", "名称", 2, v, CellKind::Text), CellUpdate::Written);
    ASSERT_EQ(UpdateCell(cat.store(), "函数参数表", "名称", 1, v, CellKind::Text), CellUpdate::Written);
    ASSERT_EQ(UpdateCell(cat.store(), "数据类型成员表", "数组", 1, v, CellKind::Text), CellUpdate::Written);
    expected["函数表#1"]["备注"] = expected["函数表#2"]["名称"] = Kept(v);
    expected["函数参数表#1"]["名称"] = expected["数据类型成员表#1"]["数组"] = Kept(v);
    // The same name for another function is found as a duplicate, exactly.
    EXPECT_EQ(UpdateCell(cat.store(), "函数表", "名称", 1, v, CellKind::Text), CellUpdate::DuplicateName);
    // A number cell takes no text at all.
    EXPECT_EQ(UpdateCell(cat.store(), "函数参数表", "传址", 1, v, CellKind::Int), CellUpdate::Refused);
    EXPECT_EQ(Snapshot(cat.store()), expected);
  }
}

TEST_F(HostileText, CategoryNameAndConstantEditor) {
  for (const Hostile& h : HostileValues()) {
    SCOPED_TRACE(h.label);
    Rows expected = Snapshot(store());
    std::string error;
    ASSERT_TRUE(RenameCategory(store(), 1, h.value, "窗口", error)) << error;
    ASSERT_TRUE(SaveConstant(store(), 2, h.value, h.value, h.value, h.value));
    expected["类别表#1"]["名称"] = Kept(h.value);
    for (const char* column : {"名称", "十六进制值", "十进制值", "备注"}) expected["常量表#2"][column] = Kept(h.value);
    EXPECT_EQ(Snapshot(store()), expected);
    std::vector<EntryRow> categories;
    ASSERT_TRUE(ListCategories(store(), categories));
    ASSERT_EQ(categories.size(), 1u);
    EXPECT_EQ(categories[0].name, Kept(h.value));
  }
}

// A constant whose remark holds the value, and a decoy whose remark holds
// all of it but its last byte.
class HostileSearch : public HostileText {
 protected:
  void AddTarget(const std::string& v) {
    cat_.Run("delete from 常量表 where id > 2");
    std::string error;
    ASSERT_TRUE(SaveConstant(store(), 1, "K1", "0x1", "1", "<" + v + ">"));
    ASSERT_TRUE(SaveConstant(store(), 2, "K2", "0x2", "2", "<" + v.substr(0, v.size() - 1) + ">"));
  }
};

TEST_F(HostileSearch, AdvancedFind) {
  for (const Hostile& h : HostileValues()) {
    SCOPED_TRACE(h.label);
    AddTarget(h.value);
    const Rows before = Snapshot(store());
    FindState find;
    const FindStep first = find.Step(store(), "常量表", "备注", h.value);
    if (h.value.size() > 50000) {
      // Longer than the database takes for a LIKE pattern: the search fails, and says so.
      EXPECT_EQ(first.outcome, FindOutcome::Failed);
    } else if (HasWildcard(h.value)) {
      EXPECT_EQ(first.outcome, FindOutcome::Match);  // the wildcards keep their meaning
    } else {
      EXPECT_EQ(first.outcome, FindOutcome::Match);
      EXPECT_EQ(first.name, "K1");
      EXPECT_EQ(first.id, 1);
      // Only the one row matches: the next click comes back to it.
      const FindStep second = find.Step(store(), "常量表", "备注", h.value);
      EXPECT_EQ(second.outcome, FindOutcome::WrappedToFirst);
      EXPECT_EQ(second.name, "K1");
    }
    find.End();
    EXPECT_EQ(Snapshot(store()), before);
  }
}

TEST_F(HostileSearch, QuickFindKey) {
  for (const Hostile& h : HostileValues()) {
    SCOPED_TRACE(h.label);
    cat_.Run("delete from 常量表 where id > 2");
    // A space after the value: a byte it could pair with would make the
    // value's last byte part of another character.
    ASSERT_TRUE(SaveConstant(store(), 1, h.value + " tail", "", "", ""));
    ASSERT_TRUE(SaveConstant(store(), 2, h.value.substr(0, h.value.size() - 1) + " tail", "", "", ""));
    const Rows before = Snapshot(store());
    EXPECT_EQ(FirstConstantWithPrefix(store(), h.value), Kept(h.value) + " tail");
    EXPECT_EQ(Snapshot(store()), before);
  }
}

TEST_F(HostileSearch, ExportCondition) {
  const std::filesystem::path out = cat_.dir() / "out.txt";
  for (const Hostile& h : HostileValues()) {
    SCOPED_TRACE(h.label);
    AddTarget(h.value);
    const Rows before = Snapshot(store());
    for (const char* op : {"=", "like"}) {
      SCOPED_TRACE(op);
      ExportRequest request;
      request.constants = true;
      request.target = SyntaxKind::Vb;
      request.constantConditions = {{"备注", op, "<" + h.value + ">"}};
      std::string message;
      const ExportResult result = ExportDeclarations(store(), out, request, DeclarationStyle{}, nullptr, message);
      if (std::string(op) == "like" && h.value.size() > 50000) {
        // A pattern longer than the database takes is a failure, not an empty export.
        EXPECT_EQ(result, ExportResult::Failed);
        EXPECT_EQ(message, "导出常量失败！\r\nLIKE or GLOB pattern too complex");
        continue;
      }
      ASSERT_EQ(result, ExportResult::Done) << message;
      // like keeps its wildcards; and, as the database's LIKE reads a text
      // only up to a NUL byte, a pattern holding one also matches the decoy.
      if (std::string(op) == "like" && (HasWildcard(h.value) || h.value.find('\0') != std::string::npos)) continue;
      EXPECT_EQ(ReadFileBytes(out), "Private Const K1 = &H1\r\n");
    }
    EXPECT_EQ(Snapshot(store()), before);
  }
}

}  // namespace
}  // namespace declarium
