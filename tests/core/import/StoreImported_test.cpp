#include "import/StoreImported.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "store/CatalogueStore.h"
#include "store/ConstantNumbers.h"
#include "support/Catalogue.h"

namespace declarium {
namespace {

using test::TestCatalogue;

ParameterRecord Param(std::string name, std::string type, std::string array = "", bool byRef = false,
                      std::string remark = "") {
  ParameterRecord p;
  p.name = std::move(name);
  p.type = std::move(type);
  p.array = std::move(array);
  p.byRef = byRef;
  p.remark = std::move(remark);
  return p;
}

FunctionRecord Function(std::string name, std::vector<ParameterRecord> parameters = {}) {
  FunctionRecord f;
  f.name = std::move(name);
  f.returnType = "整数型";
  f.library = "user32.dll";
  f.entryPoint = f.name;
  f.parameters = std::move(parameters);
  return f;
}

DataTypeRecord DataType(std::string name, std::vector<ParameterRecord> members = {}) {
  DataTypeRecord d;
  d.name = std::move(name);
  d.members = std::move(members);
  return d;
}

ConstantRecord Constant(std::string name, std::string decimalValue = "1", std::string hexValue = "&H1") {
  ConstantRecord c;
  c.name = std::move(name);
  c.decimalValue = std::move(decimalValue);
  c.hexValue = std::move(hexValue);
  c.type = "Long";
  return c;
}

// Counts stored, each followed by the names skipped as already there.
std::string Summary(int f, int t, int c, std::array<int, 3> skipped = {}) {
  const auto count = [&](int n, int i) {
    return std::to_string(n) + "个" +
           (skipped[i] > 0 ? "（" + std::to_string(skipped[i]) + " 个同名已存在，未添加）" : std::string());
  };
  return "成功添加\r\n函数：" + count(f, 0) + "\r\n数据类型：" + count(t, 1) + "\r\n常量：" + count(c, 2);
}

// Every cell of a table, typed, bytes kept (NUL included), in id order.
using Rows = std::vector<std::vector<std::string>>;
Rows Dump(CatalogueStore& store, const std::string& sql) {
  Rows rows;
  Statement stmt = store.Prepare(sql);
  EXPECT_TRUE(stmt) << sql;
  while (store.NextRow(stmt)) {
    std::vector<std::string> row;
    for (int i = 0; i < sqlite3_column_count(stmt.get()); ++i) {
      switch (sqlite3_column_type(stmt.get(), i)) {
        case SQLITE_NULL: row.push_back("<null>"); break;
        case SQLITE_INTEGER: row.push_back("i:" + std::to_string(sqlite3_column_int64(stmt.get(), i))); break;
        default: row.push_back("t:" + store.ColumnText(stmt, i));
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

const char* const kTables[] = {"函数表", "函数参数表", "数据类型表", "数据类型成员表", "常量表", "类别表"};

// Every table of the file (the schema too), whatever its name.
std::map<std::string, Rows> DumpAll(CatalogueStore& store) {
  std::map<std::string, Rows> all;
  all["sqlite_master"] = Dump(store, "select * from sqlite_master order by name");
  for (const std::vector<std::string>& t : Dump(store, "select name from sqlite_master where type = 'table'")) {
    std::string table = t[0].substr(2);
    all[table] = Dump(store, "select * from " + table + " order by rowid");
  }
  return all;
}

int Count(CatalogueStore& store, const std::string& table) {
  return store.QueryInt("select count(*) from " + table, -1);
}

bool InTransaction(CatalogueStore& store) { return sqlite3_get_autocommit(store.handle()) == 0; }

// A catalogue that already holds one entry of each kind.
void Seed(TestCatalogue& cat) {
  test::Entries& add = cat.add();
  add.Function(test::NewFunction("MessageBoxA")
                   .Returns("整数型")
                   .Library("user32.dll", "MessageBoxA")
                   .Syntax(SyntaxKind::E)
                   .Param("hWnd", "整数型"));
  add.DataType(test::NewDataType("POINT").Member("x", "整数型"));
  add.Constant(test::NewConstant("MB_OK", "0", "&H0"));
  add.Category("窗口");
}

TEST(StoreImported, EmptyListsCommitThreeZeroCounts) {
  TestCatalogue cat;
  std::string message = "old";
  EXPECT_TRUE(StoreImported(cat.store(), {}, {}, {}, message));
  EXPECT_EQ(message, Summary(0, 0, 0));
  EXPECT_FALSE(InTransaction(cat.store()));
}

TEST(StoreImported, EveryFieldReachesItsColumn) {
  TestCatalogue cat;
  FunctionRecord f = Function(
      "CreateFileA", {Param("lpFileName", "文本型", "", false, "文件名"), Param("lpBuffer", "字节型", "1", true),
                      Param("a", "整数型", "2"), Param("b", "整数型", " 1"), Param("c", "整数型", "1 ")});
  f.returnType = "int";
  f.remark = "打开文件";
  f.library = "kernel32";
  f.entryPoint = "CreateFileW";
  f.syntax = SyntaxKind::CSharp;
  f.charSet = "CharSet.Unicode";
  f.callingConvention = "CallingConvention.StdCall";
  f.chineseName = "不存储";
  f.description = "不存储";
  f.isPublic = true;
  DataTypeRecord d = DataType(
      "RECT", {Param("left", "Long", "10", false, "左"), Param("name", "Byte", "", true), Param("flags", "Long", "1")});
  d.remark = "矩形";
  d.syntax = SyntaxKind::Vb;
  d.charSet = "CharSet.Ansi";
  d.pack = "4";
  d.size = "16";
  ConstantRecord c = Constant("MAX_PATH", "260", "&H104");
  c.remark = "路径";
  c.type = "Integer";

  std::string message;
  ASSERT_TRUE(StoreImported(cat.store(), {f}, {d}, {c}, message)) << message;
  EXPECT_EQ(message, Summary(1, 1, 1));

  Rows fr = Dump(cat.store(),
                 "select 名称,返回值类型,备注,库名,库对应命令,导入语言,CharSet,CallingConvention,"
                 "中文名,函数说明,其他说明,类别,id from 函数表");
  ASSERT_EQ(fr.size(), 1u);
  std::string fid = fr[0].back().substr(2);
  fr[0].pop_back();
  EXPECT_EQ(fr[0], (std::vector<std::string>{"t:CreateFileA", "t:int", "t:打开文件", "t:kernel32", "t:CreateFileW",
                                             "i:1", "t:CharSet.Unicode", "t:CallingConvention.StdCall", "<null>",
                                             "<null>", "<null>", "i:0"}));

  Rows pr = Dump(cat.store(), "select 名称,数据类型,数组,传址,备注,所属函数,中文名,输出 from 函数参数表 order by id");
  Rows expectedParams = {
      {"t:lpFileName", "t:文本型", "i:0", "i:0", "t:文件名", "i:" + fid, "<null>", "i:0"},
      {"t:lpBuffer", "t:字节型", "i:1", "i:1", "t:", "i:" + fid, "<null>", "i:0"},
      {"t:a", "t:整数型", "i:0", "i:0", "t:", "i:" + fid, "<null>", "i:0"},
      {"t:b", "t:整数型", "i:0", "i:0", "t:", "i:" + fid, "<null>", "i:0"},
      {"t:c", "t:整数型", "i:0", "i:0", "t:", "i:" + fid, "<null>", "i:0"},
  };
  EXPECT_EQ(pr, expectedParams);

  Rows dr = Dump(cat.store(), "select 名称,备注,导入语言,CharSet,Pack,Size,中文名,id from 数据类型表");
  ASSERT_EQ(dr.size(), 1u);
  std::string did = dr[0].back().substr(2);
  dr[0].pop_back();
  EXPECT_EQ(dr[0], (std::vector<std::string>{"t:RECT", "t:矩形", "i:2", "t:CharSet.Ansi", "t:4", "t:16", "<null>"}));

  // A member's dimension is text: "10" stays "10", empty stays empty, "1" is not a flag.
  Rows mr = Dump(cat.store(), "select 名称,数据类型,数组,传址,备注,所属数据类型,输出 from 数据类型成员表 order by id");
  Rows expectedMembers = {
      {"t:left", "t:Long", "t:10", "i:0", "t:左", "i:" + did, "i:0"},
      {"t:name", "t:Byte", "t:", "i:1", "t:", "i:" + did, "i:0"},
      {"t:flags", "t:Long", "t:1", "i:0", "t:", "i:" + did, "i:0"},
  };
  EXPECT_EQ(mr, expectedMembers);

  // Decimal before hexadecimal in the statement, the other way round in the table.
  Rows cr = Dump(cat.store(), "select 名称,十进制值,十六进制值,备注,类型 from 常量表");
  EXPECT_EQ(cr, (Rows{{"t:MAX_PATH", "t:260", "t:&H104", "t:路径", "t:Integer"}}));
}

TEST(StoreImported, ExistingAndRepeatedNamesAreSkippedWithTheirParameters) {
  TestCatalogue cat;
  Seed(cat);
  std::vector<FunctionRecord> functions = {
      Function("MessageBoxA", {Param("other", "文本型"), Param("more", "整数型")}),      // already stored
      Function("GetTickCount"), Function("GetTickCount", {Param("ignored", "整数型")}),  // same paste, second time
      Function("messageboxa", {Param("hWnd", "整数型")}),                                // differs in case only
  };
  std::vector<DataTypeRecord> dataTypes = {DataType("POINT", {Param("y", "整数型")}),
                                           DataType("SIZE", {Param("cx", "整数型")}), DataType("SIZE"),
                                           DataType("point")};
  std::vector<ConstantRecord> constants = {Constant("MB_OK", "9"), Constant(""), Constant("", "2"), Constant("mb_ok")};

  std::string message;
  ASSERT_TRUE(StoreImported(cat.store(), functions, dataTypes, constants, message)) << message;
  // Each count says how many names were there already.
  EXPECT_EQ(message,
            "成功添加\r\n函数：2个（2 个同名已存在，未添加）\r\n数据类型：2个（2 个同名已存在，未添加）"
            "\r\n常量：2个（2 个同名已存在，未添加）");

  EXPECT_EQ(Dump(cat.store(), "select 名称 from 函数表 order by id"),
            (Rows{{"t:MessageBoxA"}, {"t:GetTickCount"}, {"t:messageboxa"}}));
  // The stored MessageBoxA keeps its one parameter; the new one got its own.
  EXPECT_EQ(
      Dump(cat.store(), "select p.名称, f.名称 from 函数参数表 p join 函数表 f on f.id = p.所属函数 order by p.id"),
      (Rows{{"t:hWnd", "t:MessageBoxA"}, {"t:hWnd", "t:messageboxa"}}));
  EXPECT_EQ(
      Dump(cat.store(),
           "select m.名称, d.名称 from 数据类型成员表 m join 数据类型表 d on d.id = m.所属数据类型 order by m.id"),
      (Rows{{"t:x", "t:POINT"}, {"t:cx", "t:SIZE"}}));
  EXPECT_EQ(Dump(cat.store(), "select 名称,十进制值 from 常量表 order by id"),
            (Rows{{"t:MB_OK", "t:0"}, {"t:", "t:1"}, {"t:mb_ok", "t:1"}}));

  // Pressing the button again stores nothing new.
  std::map<std::string, Rows> before = DumpAll(cat.store());
  ASSERT_TRUE(StoreImported(cat.store(), functions, dataTypes, constants, message)) << message;
  EXPECT_EQ(message,
            "成功添加\r\n函数：0个（4 个同名已存在，未添加）\r\n数据类型：0个（4 个同名已存在，未添加）"
            "\r\n常量：0个（4 个同名已存在，未添加）");
  EXPECT_EQ(DumpAll(cat.store()), before);
}

// A VB length or bound named by a constant the text did not define takes the
// catalogue's number; a name nobody defines is kept and named after the summary.
TEST(StoreImported, VbLengthsNamedByConstantsOfTheCatalogue) {
  TestCatalogue cat;
  std::string message;
  ASSERT_TRUE(StoreImported(cat.store(), {}, {}, {Constant("MAX_PATH", "260", "&H104")}, message)) << message;
  DataTypeRecord d = DataType("FIND", {Param("path", "String * MAX_PATH"), Param("alt", "Byte", "MAX_PATH + 1"),
                                       Param("rest", "Byte", "NO_SUCH + 1")});
  d.syntax = SyntaxKind::Vb;
  ASSERT_TRUE(StoreImported(cat.store(), {}, {d}, {}, message)) << message;
  EXPECT_EQ(message, Summary(0, 1, 0) + "\r\n未能确定的数组长度或文本长度（常量未定义）：NO_SUCH");
  EXPECT_EQ(Dump(cat.store(), "select 数据类型, 数组 from 数据类型成员表 order by id"),
            (Rows{{"t:String * 260", "t:"}, {"t:Byte", "t:261"}, {"t:Byte", "t:NO_SUCH + 1"}}));
}

// A declaration stored without a piece its reader could not read is named.
TEST(StoreImported, DeclarationsReadInPartAreNamed) {
  TestCatalogue cat;
  FunctionRecord f;
  f.name = "F";
  f.readInPart = true;
  DataTypeRecord d = DataType("T", {});
  d.readInPart = true;
  std::string message;
  ASSERT_TRUE(StoreImported(cat.store(), {f}, {d, DataType("FINE", {})}, {}, message)) << message;
  EXPECT_EQ(message, Summary(1, 2, 0) + "\r\n未能完整读取的声明：F、T");
}

TEST(StoreImported, NameExistsComparesExactly) {
  TestCatalogue cat;
  Seed(cat);
  EXPECT_TRUE(NameExists(cat.store(), "函数表", "MessageBoxA"));
  EXPECT_FALSE(NameExists(cat.store(), "函数表", "MESSAGEBOXA"));
  EXPECT_FALSE(NameExists(cat.store(), "函数表", "MessageBoxA "));
  EXPECT_FALSE(NameExists(cat.store(), "函数表", "x' or '1'='1"));
  EXPECT_FALSE(NameExists(cat.store(), "函数表", "MessageBoxA' --"));
  EXPECT_TRUE(NameExists(cat.store(), "类别表", "窗口"));
  EXPECT_FALSE(NameExists(cat.store(), "no_such_table", "窗口"));
}

// Names already stored are looked up once per run; the answer must stay the
// one the database gives for each name.
TEST(StoreImported, SkipsExactlyTheNamesTheDatabaseHolds) {
  TestCatalogue cat;
  // Names as another writer may have left them, beside texts: a blob, a number, NULL.
  ASSERT_TRUE(cat.store().Exec("insert into 常量表 (名称) values (x'41424344')"));  // a blob, not a name
  ASSERT_TRUE(cat.store().Exec("insert into 常量表 (名称) values ('?')"));
  ASSERT_TRUE(cat.store().Exec("insert into 常量表 (名称) values ('it''s')"));
  ASSERT_TRUE(cat.store().Exec("insert into 常量表 (名称) values (12)"));
  ASSERT_TRUE(cat.store().Exec("insert into 常量表 (名称) values (NULL)"));
  // "\x81" alone is no character: the database holds it as "?".
  const std::vector<std::string> names = {"ABCD", "?", "\x81", "it's", "12", "", "新"};
  std::vector<ConstantRecord> constants;
  std::vector<bool> existed;
  for (const std::string& n : names) {
    constants.push_back(Constant(n));
    existed.push_back(NameExists(cat.store(), "常量表", n));
  }
  EXPECT_EQ(existed, (std::vector<bool>{false, true, true, true, true, false, false}));

  std::string message;
  ASSERT_TRUE(StoreImported(cat.store(), {}, {}, constants, message)) << message;
  EXPECT_EQ(message, Summary(0, 0, 3, {0, 0, 4}));
  EXPECT_EQ(Dump(cat.store(), "select 名称 from 常量表 where id > 5 order by id"),
            (Rows{{"t:ABCD"}, {"t:"}, {"t:新"}}));
}

TEST(StoreImported, HostileValuesAreStoredExactlyAndTouchNothingElse) {
  TestCatalogue cat;
  Seed(cat);
  ASSERT_TRUE(EnsureConstantValues(cat.store()));  // the seeded constant's number is no change the import makes
  std::map<std::string, Rows> before = DumpAll(cat.store());
  const std::string nasty = std::string("it's \"q\" \\ 100% -- '); delete from 函数表; --") + std::string("\0end", 4);

  FunctionRecord f = Function(nasty, {Param(nasty, nasty, "", true, nasty)});
  f.returnType = f.remark = f.library = f.entryPoint = f.charSet = f.callingConvention = nasty;
  DataTypeRecord d = DataType(nasty, {Param(nasty, nasty, nasty, false, nasty)});
  d.remark = d.charSet = d.pack = d.size = nasty;
  ConstantRecord c;
  c.name = c.decimalValue = c.hexValue = c.remark = c.type = nasty;

  std::string message;
  ASSERT_TRUE(StoreImported(cat.store(), {f}, {d}, {c}, message)) << message;
  EXPECT_EQ(message, Summary(1, 1, 1));

  const std::string v = "t:" + nasty;
  EXPECT_EQ(Dump(cat.store(),
                 "select 名称,返回值类型,备注,库名,库对应命令,CharSet,CallingConvention from 函数表 where id > 1"),
            (Rows{{v, v, v, v, v, v, v}}));
  EXPECT_EQ(Dump(cat.store(), "select 名称,数据类型,备注 from 函数参数表 where id > 1"), (Rows{{v, v, v}}));
  EXPECT_EQ(Dump(cat.store(), "select 名称,备注,CharSet,Pack,Size from 数据类型表 where id > 1"),
            (Rows{{v, v, v, v, v}}));
  EXPECT_EQ(Dump(cat.store(), "select 名称,数据类型,数组,备注 from 数据类型成员表 where id > 1"), (Rows{{v, v, v, v}}));
  EXPECT_EQ(Dump(cat.store(), "select 名称,十进制值,十六进制值,备注,类型 from 常量表 where id > 1"),
            (Rows{{v, v, v, v, v}}));

  // The seeded rows are exactly as they were.
  std::map<std::string, Rows> after = DumpAll(cat.store());
  for (const char* table : kTables) {
    ASSERT_GE(after[table].size(), before[table].size());
    after[table].resize(before[table].size());
    EXPECT_EQ(after[table], before[table]) << table;
  }

  // The same names are found again, so nothing is added twice.
  EXPECT_TRUE(NameExists(cat.store(), "函数表", nasty));
  EXPECT_FALSE(NameExists(cat.store(), "函数表", nasty.substr(0, nasty.size() - 4)));
  ASSERT_TRUE(StoreImported(cat.store(), {f}, {d}, {c}, message)) << message;
  EXPECT_EQ(message, Summary(0, 0, 0, {1, 1, 1}));
}

TEST(StoreImported, LargeImportCommitsOnce) {
  TestCatalogue cat;
  std::vector<FunctionRecord> functions;
  for (int i = 0; i < 1000; ++i) {
    std::vector<ParameterRecord> ps;
    for (int k = 0; k < 5; ++k) ps.push_back(Param("p" + std::to_string(k), "整数型", k == 2 ? "1" : "", k == 3));
    functions.push_back(Function("Func" + std::to_string(i), std::move(ps)));
  }
  std::vector<DataTypeRecord> dataTypes;
  for (int i = 0; i < 300; ++i)
    dataTypes.push_back(DataType("Type" + std::to_string(i),
                                 {Param("a", "整数型"), Param("b", "字节型", "8"), Param("c", "短整数型")}));
  std::vector<ConstantRecord> constants;
  for (int i = 0; i < 3000; ++i) constants.push_back(Constant("CONST_" + std::to_string(i), std::to_string(i)));

  int commits = 0;
  sqlite3_commit_hook(
      cat.store().handle(),
      [](void* n) {
        ++*static_cast<int*>(n);
        return 0;
      },
      &commits);
  std::string message;
  ASSERT_TRUE(StoreImported(cat.store(), functions, dataTypes, constants, message)) << message;
  EXPECT_EQ(message, Summary(1000, 300, 3000));
  EXPECT_EQ(commits, 1);
  EXPECT_EQ(Count(cat.store(), "函数表"), 1000);
  EXPECT_EQ(Count(cat.store(), "函数参数表"), 5000);
  EXPECT_EQ(Count(cat.store(), "数据类型表"), 300);
  EXPECT_EQ(Count(cat.store(), "数据类型成员表"), 900);
  EXPECT_EQ(Count(cat.store(), "常量表"), 3000);
  // Each parameter belongs to the function inserted just before it.
  EXPECT_EQ(cat.store().QueryInt("select count(*) from 函数参数表 p join 函数表 f on f.id = p.所属函数 "
                                 "where f.名称 = 'Func' || ((p.id - 1) / 5)"),
            5000);
  EXPECT_EQ(cat.store().QueryInt("select count(*) from 函数参数表 where 数组 = 1"), 1000);

  int changesBefore = sqlite3_total_changes(cat.store().handle());
  ASSERT_TRUE(StoreImported(cat.store(), functions, dataTypes, constants, message)) << message;
  EXPECT_EQ(message, Summary(0, 0, 0, {1000, 300, 3000}));
  EXPECT_EQ(sqlite3_total_changes(cat.store().handle()), changesBefore);
  sqlite3_commit_hook(cat.store().handle(), nullptr, nullptr);
}

class FailingStore : public ::testing::Test {
 protected:
  void SetUp() override {
    Seed(cat_);
    for (int i = 0; i < 1000; ++i)
      functions_.push_back(Function("Func" + std::to_string(i), {Param("a", "整数型"), Param("b", "文本型")}));
    dataTypes_ = {DataType("SIZE", {Param("cx", "整数型")})};
    constants_ = {Constant("A"), Constant("B")};
  }

  void ExpectUnchanged(const std::map<std::string, Rows>& before) {
    EXPECT_FALSE(InTransaction(cat_.store()));
    EXPECT_EQ(DumpAll(cat_.store()), before);
    EXPECT_EQ(cat_.store().QueryText("PRAGMA integrity_check"), "ok");
  }

  TestCatalogue cat_;
  std::vector<FunctionRecord> functions_;
  std::vector<DataTypeRecord> dataTypes_;
  std::vector<ConstantRecord> constants_;
};

TEST_F(FailingStore, InsertFailingMidwayLeavesEveryTableAsBefore) {
  cat_.Run(
      "CREATE TRIGGER boom BEFORE INSERT ON 函数表 WHEN (select count(*) from 函数表) >= 500 "
      "BEGIN SELECT RAISE(ABORT,'boom'); END");
  std::map<std::string, Rows> before = DumpAll(cat_.store());
  std::string message;
  EXPECT_FALSE(StoreImported(cat_.store(), functions_, dataTypes_, constants_, message));
  EXPECT_EQ(message, "boom");
  ExpectUnchanged(before);
}

TEST_F(FailingStore, MissingTableAtTheEndUndoesFunctionsAndDataTypes) {
  cat_.Run("ALTER TABLE 常量表 RENAME TO 旧常量表");
  std::map<std::string, Rows> before = DumpAll(cat_.store());
  ASSERT_EQ(before["旧常量表"].size(), 1u);
  std::string message;
  EXPECT_FALSE(StoreImported(cat_.store(), functions_, dataTypes_, constants_, message));
  EXPECT_EQ(message, "no such table: 常量表");
  ExpectUnchanged(before);
}

TEST_F(FailingStore, FailingParameterInsertUndoesItsFunction) {
  cat_.Run(
      "CREATE TRIGGER boom BEFORE INSERT ON 函数参数表 WHEN NEW.名称 = 'bad' BEGIN SELECT RAISE(ABORT,'bad "
      "parameter'); END");
  std::map<std::string, Rows> before = DumpAll(cat_.store());
  std::string message;
  EXPECT_FALSE(StoreImported(cat_.store(),
                             {Function("F1", {Param("a", "整数型")}), Function("F2", {Param("bad", "整数型")})}, {}, {},
                             message));
  EXPECT_EQ(message, "bad parameter");
  ExpectUnchanged(before);
}

TEST_F(FailingStore, CommitRefusedIsAFailureAndStoresNothing) {
  // Another connection in the middle of reading keeps the file from being written.
  sqlite3* reader = nullptr;
  ASSERT_EQ(sqlite3_open_v2(cat_.file().string().c_str(), &reader, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* stmt = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(reader, "select * from sqlite_master", -1, &stmt, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);

  std::map<std::string, Rows> before = DumpAll(cat_.store());
  std::string message;
  EXPECT_FALSE(StoreImported(cat_.store(), {Function("F1", {Param("a", "整数型")})}, dataTypes_, constants_, message));
  EXPECT_EQ(message, "database is locked");
  EXPECT_FALSE(InTransaction(cat_.store()));

  sqlite3_finalize(stmt);
  sqlite3_close(reader);
  ExpectUnchanged(before);
}

TEST_F(FailingStore, GivingUpMidwayStoresNothingAndGivesTheSummarySoFar) {
  std::map<std::string, Rows> before = DumpAll(cat_.store());
  // 1000 functions with two parameters each are 3000 records; stop among the data types.
  for (int stopAt : {1, 1500, 3001, 3002, 3003, 3004}) {
    int calls = 0;
    std::string message;
    EXPECT_FALSE(
        StoreImported(cat_.store(), functions_, dataTypes_, constants_, message, [&] { return ++calls < stopAt; }));
    EXPECT_EQ(calls, stopAt);
    if (stopAt <= 3000) {
      EXPECT_EQ(message, "成功添加\r\n函数：");
    } else if (stopAt <= 3002) {
      EXPECT_EQ(message, "成功添加\r\n函数：1000个\r\n数据类型：");
    } else {
      EXPECT_EQ(message, "成功添加\r\n函数：1000个\r\n数据类型：1个\r\n常量：");
    }
    ExpectUnchanged(before);
  }
}

// Running out of memory part way (here thrown where the caller is asked)
// leaves the catalogue as it was and no transaction open, so the next import
// stores only its own records.
TEST_F(FailingStore, AnExceptionPartWayStoresNothingAndEndsTheTransaction) {
  std::map<std::string, Rows> before = DumpAll(cat_.store());
  int calls = 0;
  std::string message;
  EXPECT_THROW(StoreImported(cat_.store(), functions_, dataTypes_, constants_, message,
                             [&] {
                               if (++calls == 1500) throw std::bad_alloc();
                               return true;
                             }),
               std::bad_alloc);
  ExpectUnchanged(before);
  ASSERT_TRUE(StoreImported(cat_.store(), {}, {}, {Constant("C")}, message)) << message;
  EXPECT_EQ(Count(cat_.store(), "函数表"), 1);
  EXPECT_EQ(Count(cat_.store(), "常量表"), 2);
}

// A session given its records in several lists skips a name an earlier list
// brought, and its summary counts them all.
TEST(StoreImported, ASessionInBatchesIsOneImport) {
  TestCatalogue cat;
  Seed(cat);
  ImportSession session(cat.store());
  EXPECT_TRUE(session.Add(std::vector<FunctionRecord>{Function("A"), Function("MessageBoxA")}));
  EXPECT_TRUE(session.Add(std::vector<ConstantRecord>{Constant("K")}));
  EXPECT_TRUE(session.Add(std::vector<FunctionRecord>{Function("B"), Function("A", {Param("p", "整数型")})}));
  EXPECT_TRUE(session.Add(std::vector<DataTypeRecord>{DataType("SIZE")}));
  EXPECT_TRUE(session.Add(std::vector<ConstantRecord>{Constant("K"), Constant("L")}));
  EXPECT_TRUE(InTransaction(cat.store()));
  ASSERT_TRUE(session.Commit()) << session.Message();
  EXPECT_EQ(session.Message(), Summary(2, 1, 2, {2, 0, 1}));
  EXPECT_EQ(Dump(cat.store(), "select 名称 from 函数表 order by id"), (Rows{{"t:MessageBoxA"}, {"t:A"}, {"t:B"}}));
  EXPECT_EQ(Count(cat.store(), "函数参数表"), 1);
}

TEST(StoreImported, AskedBeforeEveryRecordButNotForSkippedParameters) {
  TestCatalogue cat;
  Seed(cat);
  int calls = 0;
  std::string message;
  ASSERT_TRUE(
      StoreImported(cat.store(),
                    {Function("MessageBoxA", {Param("a", "整数型"), Param("b", "整数型"), Param("c", "整数型")}),
                     Function("New", {Param("a", "整数型"), Param("b", "整数型")})},
                    {DataType("POINT", {Param("y", "整数型")}), DataType("SIZE", {Param("cx", "整数型")})},
                    {Constant("MB_OK"), Constant("X")}, message, [&] {
                      ++calls;
                      return true;
                    }));
  EXPECT_EQ(message, Summary(1, 1, 1, {1, 1, 1}));
  // Two functions, two new parameters, two data types, one new member, two constants.
  EXPECT_EQ(calls, 9);
}

}  // namespace
}  // namespace declarium
