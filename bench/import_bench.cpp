// Reading a whole paste in each syntax (all three readers), against one
// memchr pass over the same bytes; and storing an import, against plain
// prepared inserts of the same rows in one transaction.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "WallClock.h"
#include "import/Readers.h"
#include "import/StoreImported.h"
#include "output/DeclarationStyle.h"
#include "output/Declarations.h"
#include "store/CatalogueStore.h"
#include "store/Schema.h"
#include "text/Gbk.h"

namespace {

using namespace declarium;

constexpr size_t kTextBytes = 5u << 20;

ParameterRecord Param(const std::string& name, const std::string& type, bool byRef = false,
                      const std::string& array = "", const std::string& remark = "") {
  ParameterRecord p;
  p.name = name;
  p.type = type;
  p.byRef = byRef;
  p.array = array;
  p.remark = remark;
  return p;
}

// Declarations as the E syntax holds them; the generators turn them into
// the other syntaxes, so every text says the same things.
FunctionRecord SampleFunction(int i) {
  FunctionRecord f;
  f.name = "SendMessageEx" + std::to_string(i);
  f.returnType = "整数型";
  f.remark = "发送消息";
  f.library = "user32.dll";
  f.entryPoint = "SendMessageA";
  f.charSet = "CharSet.Ansi";
  f.parameters = {Param("hWnd", "整数型", false, "", "窗口句柄"), Param("wMsg", "整数型", false, "", "消息"),
                  Param("wParam", "整数型"), Param("lParam", "文本型", true, "", "参数"),
                  Param("lpRect", "RECT", true)};
  return f;
}

DataTypeRecord SampleDataType(int i) {
  DataTypeRecord d;
  d.name = "WINDOWINFO" + std::to_string(i);
  d.remark = "窗口信息";
  d.pack = "4";
  d.members = {Param("cbSize", "整数型", false, "", "大小"), Param("dwStyle", "整数型"),
               Param("szName", "字节型", false, "32"), Param("wCreatorVersion", "短整数型")};
  return d;
}

ConstantRecord SampleConstant(int i) {
  ConstantRecord c;
  c.name = "WM_USER_" + std::to_string(i);
  c.decimalValue = std::to_string(1024 + i);
  c.hexValue = "0x" + std::to_string(400 + i);
  c.remark = "用户消息";
  return c;
}

// Functions, then data types, then constants, as a conversion writes them,
// until the text holds about 5 MB. E constants come last on purpose: the E
// reader joins whatever follows a constant to its line.
std::string SampleText(SyntaxKind syntax) {
  DeclarationStyle style;
  style.insertRemarks = true;
  style.isPublic = true;
  std::string functions, dataTypes, constants;
  for (int i = 0; functions.size() + dataTypes.size() + constants.size() < kTextBytes; ++i) {
    FunctionRecord f = SampleFunction(i);
    functions += DeclareFunction(syntax, f, style) + "\r\n";
    if (i % 3 == 0) {
      DataTypeRecord d = SampleDataType(i);
      dataTypes += DeclareDataType(syntax, d, style) + "\r\n";
    }
    ConstantRecord c = SampleConstant(i);
    // The C# generator writes enumeration members, which its reader does
    // not take; a paste holds const fields.
    constants += syntax == SyntaxKind::CSharp ? "    public const int " + c.name + " = " + c.hexValue + ";\r\n"
                                              : DeclareConstant(syntax, c, style) + "\r\n";
  }
  return functions + dataTypes + constants;
}

const std::string& Text(SyntaxKind syntax) {
  static const std::string texts[3] = {SampleText(SyntaxKind::E), SampleText(SyntaxKind::CSharp),
                                       SampleText(SyntaxKind::Vb)};
  return texts[SyntaxNumber(syntax)];
}

using bench::Best;
using bench::Now;
using bench::TimeEach;

// A byte the text does not hold, so the pass covers every byte.
void MemchrPass(const std::string& t) { benchmark::DoNotOptimize(std::memchr(t.data(), '\x01', t.size())); }

// Seconds per byte of the memchr pass over a text far larger than the
// caches: how fast a text not read a moment ago comes in from memory. The
// 5 MB texts stay in the cache between passes.
double UncachedSecondsPerByte() {
  static const double perByte = [] {
    const std::string big(256u << 20, 'a');
    return Best(3, [&] { MemchrPass(big); }) / static_cast<double>(big.size());
  }();
  return perByte;
}

void MemchrBaseline(benchmark::State& state, SyntaxKind syntax) {
  const std::string& t = Text(syntax);
  for (auto _ : state) MemchrPass(t);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.size()));
}

// All three readers over the text. Beside the throughput, the time of one
// reading as a multiple of, measured in the same run:
//   x_memchr           one memchr pass over the same bytes, from the cache;
//   x_memchr_uncached  the same pass at the speed of memory;
//   x_records_only     building the same records without reading (a copy of
//                      the lists, made and freed as a reading's are), which
//                      no reader can be faster than.
void ReadAll(benchmark::State& state, SyntaxKind syntax) {
  const std::string& t = Text(syntax);
  ParsedDeclarations parsed;
  ReadDeclarations(t, syntax, parsed);
  if (parsed.functions.empty() || parsed.dataTypes.empty() || parsed.constants.empty()) {
    state.SkipWithError("the sample text is not read back");
    return;
  }
  const double memchrSeconds = Best(200, [&] { MemchrPass(t); });
  const double uncachedSeconds = UncachedSecondsPerByte() * static_cast<double>(t.size());
  ParsedDeclarations copy;
  const double recordsSeconds = Best(5, [&] {
    copy = ParsedDeclarations();
    copy.functions.assign(parsed.functions.begin(), parsed.functions.end());
    copy.dataTypes.assign(parsed.dataTypes.begin(), parsed.dataTypes.end());
    copy.constants.assign(parsed.constants.begin(), parsed.constants.end());
    benchmark::DoNotOptimize(copy.functions.data());
  });
  copy = ParsedDeclarations();
  const double seconds = TimeEach(state, [&] {
    ReadDeclarations(t, syntax, parsed);
    benchmark::DoNotOptimize(parsed.functions.data());
  });
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.size()));
  state.counters["functions"] = static_cast<double>(parsed.functions.size());
  state.counters["dataTypes"] = static_cast<double>(parsed.dataTypes.size());
  state.counters["constants"] = static_cast<double>(parsed.constants.size());
  if (state.iterations() > 0) {
    const double perReading = seconds / static_cast<double>(state.iterations());
    state.counters["x_memchr"] = perReading / memchrSeconds;
    state.counters["x_memchr_uncached"] = perReading / uncachedSeconds;
    state.counters["x_records_only"] = perReading / recordsSeconds;
  }
}

void BM_ImportMemchrE(benchmark::State& s) { MemchrBaseline(s, SyntaxKind::E); }
void BM_ImportReadAllE(benchmark::State& s) { ReadAll(s, SyntaxKind::E); }
void BM_ImportMemchrCSharp(benchmark::State& s) { MemchrBaseline(s, SyntaxKind::CSharp); }
void BM_ImportReadAllCSharp(benchmark::State& s) { ReadAll(s, SyntaxKind::CSharp); }
void BM_ImportMemchrVb(benchmark::State& s) { MemchrBaseline(s, SyntaxKind::Vb); }
void BM_ImportReadAllVb(benchmark::State& s) { ReadAll(s, SyntaxKind::Vb); }

BENCHMARK(BM_ImportMemchrE)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ImportReadAllE)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportMemchrCSharp)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ImportReadAllCSharp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportMemchrVb)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ImportReadAllVb)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- storing

struct ImportSet {
  std::vector<FunctionRecord> functions;
  std::vector<DataTypeRecord> dataTypes;
  std::vector<ConstantRecord> constants;
  int64_t rows = 0;
};

const ImportSet& Imports() {
  static const ImportSet set = [] {
    ImportSet s;
    for (int i = 0; i < 1000; ++i) s.functions.push_back(SampleFunction(i));
    for (int i = 0; i < 300; ++i) s.dataTypes.push_back(SampleDataType(i));
    for (int i = 0; i < 3000; ++i) s.constants.push_back(SampleConstant(i));
    for (const auto& f : s.functions) s.rows += 1 + static_cast<int64_t>(f.parameters.size());
    for (const auto& d : s.dataTypes) s.rows += 1 + static_cast<int64_t>(d.members.size());
    s.rows += static_cast<int64_t>(s.constants.size());
    return s;
  }();
  return set;
}

// A new, empty catalogue file for each timed run.
class FreshCatalogue {
 public:
  FreshCatalogue() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() / ("declarium-import-bench-" + std::to_string(counter++) + ".db");
    std::filesystem::remove(path_);
    std::string error;
    ok_ = store_.OpenPath(path_, true) && CreateSchema(store_, error);
  }
  ~FreshCatalogue() {
    store_.Close();
    std::filesystem::remove(path_);
    std::filesystem::remove(path_.string() + "-journal");
  }
  bool ok() const { return ok_; }
  CatalogueStore& store() { return store_; }

 private:
  std::filesystem::path path_;
  CatalogueStore store_;
  bool ok_ = false;
};

void BM_StoreImported(benchmark::State& state) {
  const ImportSet& set = Imports();
  for (auto _ : state) {
    state.PauseTiming();
    {
      FreshCatalogue cat;
      state.ResumeTiming();
      std::string message;
      if (!cat.ok() || !StoreImported(cat.store(), set.functions, set.dataTypes, set.constants, message)) {
        state.SkipWithError("storing failed");
        break;
      }
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * set.rows);
}
BENCHMARK(BM_StoreImported)->Unit(benchmark::kMillisecond);

// The same rows through statements prepared once with bound values: the
// least any insert of them can cost.
class BoundInsert {
 public:
  BoundInsert(sqlite3* db, const char* gbkSql) : db_(db) {
    std::string sql = GbkToUtf8(gbkSql);
    sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr);
  }
  ~BoundInsert() { sqlite3_finalize(stmt_); }
  BoundInsert& Text(int i, const std::string& gbk) {
    std::string utf8 = GbkToUtf8(gbk);
    sqlite3_bind_text(stmt_, i, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    return *this;
  }
  BoundInsert& Int(int i, int64_t v) {
    sqlite3_bind_int64(stmt_, i, v);
    return *this;
  }
  bool Run() {
    bool ok = sqlite3_step(stmt_) == SQLITE_DONE;
    sqlite3_reset(stmt_);
    return ok;
  }
  int64_t LastId() const { return sqlite3_last_insert_rowid(db_); }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

bool PlainInserts(sqlite3* db, const ImportSet& set) {
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  BoundInsert fn(db,
                 "insert into 函数表 (名称,返回值类型,备注,库名,库对应命令,导入语言,CharSet,CallingConvention) "
                 "values (?,?,?,?,?,?,?,?)");
  BoundInsert param(db, "insert into 函数参数表 (名称,数据类型,数组,传址,备注,所属函数) values (?,?,?,?,?,?)");
  BoundInsert type(db, "insert into 数据类型表 (名称,备注,导入语言,CharSet,Pack,Size) values (?,?,?,?,?,?)");
  BoundInsert member(db, "insert into 数据类型成员表 (名称,数据类型,数组,传址,备注,所属数据类型) values (?,?,?,?,?,?)");
  BoundInsert constant(db, "insert into 常量表 (名称,十进制值,十六进制值,备注,类型) values (?,?,?,?,?)");
  bool ok = true;
  for (const FunctionRecord& f : set.functions) {
    ok &= fn.Text(1, f.name)
              .Text(2, f.returnType)
              .Text(3, f.remark)
              .Text(4, f.library)
              .Text(5, f.entryPoint)
              .Int(6, SyntaxNumber(f.syntax))
              .Text(7, f.charSet)
              .Text(8, f.callingConvention)
              .Run();
    int64_t id = fn.LastId();
    for (const ParameterRecord& p : f.parameters)
      ok &= param.Text(1, p.name)
                .Text(2, p.type)
                .Int(3, p.array == "1")
                .Int(4, p.byRef)
                .Text(5, p.remark)
                .Int(6, id)
                .Run();
  }
  for (const DataTypeRecord& d : set.dataTypes) {
    ok &= type.Text(1, d.name)
              .Text(2, d.remark)
              .Int(3, SyntaxNumber(d.syntax))
              .Text(4, d.charSet)
              .Text(5, d.pack)
              .Text(6, d.size)
              .Run();
    int64_t id = type.LastId();
    for (const ParameterRecord& m : d.members)
      ok &= member.Text(1, m.name).Text(2, m.type).Text(3, m.array).Int(4, m.byRef).Text(5, m.remark).Int(6, id).Run();
  }
  for (const ConstantRecord& c : set.constants)
    ok &= constant.Text(1, c.name).Text(2, c.decimalValue).Text(3, c.hexValue).Text(4, c.remark).Text(5, c.type).Run();
  return sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
}

void BM_StorePlainPreparedInserts(benchmark::State& state) {
  const ImportSet& set = Imports();
  for (auto _ : state) {
    state.PauseTiming();
    {
      FreshCatalogue cat;
      state.ResumeTiming();
      if (!cat.ok() || !PlainInserts(cat.store().handle(), set)) {
        state.SkipWithError("plain inserts failed");
        break;
      }
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * set.rows);
}
BENCHMARK(BM_StorePlainPreparedInserts)->Unit(benchmark::kMillisecond);

}  // namespace
