// Declaration output over a catalogue of 20,000 functions with 4 parameters
// each and 104,053 constants: generation alone, the whole export to a file,
// and as the baseline plain loops that read the same rows through the SQLite
// C interface, one pass per query.
//
// The catalogue schema has no index on 函数参数表.所属函数; loading one
// function's parameters scans the whole table. The generation benchmark
// loads them so, on the 20,000 with that one index added; the plain schema is
// measured on 2,000 functions.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "WallClock.h"
#include "output/Declarations.h"
#include "output/Export.h"
#include "store/CatalogueStore.h"
#include "store/Loaders.h"
#include "store/Schema.h"

namespace {

using namespace declarium;

constexpr int kFunctions = 20000;
constexpr int kPlainFunctions = 2000;

using bench::Now;

// SQL handed to sqlite3 directly must be UTF-8; narrow literals here are GBK.
const char* U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

class BenchCatalogue {
 public:
  BenchCatalogue(int functions, bool indexed) : functions_(functions) {
    dir_ = std::filesystem::temp_directory_path() / ("declarium-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir_);
    if (!store_.OpenPath(dir_ / "data.db", true)) throw std::runtime_error("open");
    std::string error;
    if (!CreateSchema(store_, error)) throw std::runtime_error(error);
    Fill();
    if (indexed) store_.Exec("CREATE INDEX Index_所属函数 on 函数参数表(所属函数 ASC)");
  }
  ~BenchCatalogue() {
    store_.Close();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  CatalogueStore& store() { return store_; }
  std::filesystem::path exportPath() const { return dir_ / "export.txt"; }
  int functions() const { return functions_; }
  double BaselineSeconds();
  double ConstantBaselineSeconds();

 private:
  void Fill() {
    sqlite3* db = store_.handle();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* fn = nullptr;
    sqlite3_stmt* pa = nullptr;
    sqlite3_prepare_v2(db,
                       U8(u8"insert into 函数表 (名称,中文名,返回值类型,备注,库名,库对应命令,函数说明,其他说明) "
                          u8"values (?,'示例函数','整数型','示例函数的备注','kernel32.dll',?,'函数说明文本','')"),
                       -1, &fn, nullptr);
    sqlite3_prepare_v2(db,
                       U8(u8"insert into 函数参数表 (名称,中文名,数据类型,数组,传址,备注,所属函数) "
                          u8"values (?,?,?,?,?,?,?)"),
                       -1, &pa, nullptr);
    struct P {
      const char8_t* name;
      const char8_t* chinese;
      const char8_t* type;
      int array;
      int byRef;
      const char8_t* remark;
    };
    const P params[] = {{u8"hWnd", u8"窗口句柄", u8"整数型", 0, 0, u8"窗口"},
                        {u8"lpBuffer", u8"缓冲区", u8"字节型", 1, 0, u8"接收数据的缓冲区"},
                        {u8"nSize", u8"", u8"整数型", 0, 1, u8""},
                        {u8"dwFlags", u8"标志", u8"整数型", 0, 0, u8"标志位"}};
    // Names inserted out of order, so the export's "order by 名称" has work to do.
    std::vector<int> order(functions_);
    for (int i = 0; i < functions_; ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(42));
    char name[32];
    for (int i : order) {
      std::snprintf(name, sizeof name, "GetSomething%05d", i);
      std::string entry = std::string(name) + "A";
      sqlite3_bind_text(fn, 1, name, -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(fn, 2, entry.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_step(fn);
      sqlite3_reset(fn);
      const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
      for (const P& p : params) {
        sqlite3_bind_text(pa, 1, U8(p.name), -1, SQLITE_STATIC);
        sqlite3_bind_text(pa, 2, U8(p.chinese), -1, SQLITE_STATIC);
        sqlite3_bind_text(pa, 3, U8(p.type), -1, SQLITE_STATIC);
        sqlite3_bind_int(pa, 4, p.array);
        sqlite3_bind_int(pa, 5, p.byRef);
        sqlite3_bind_text(pa, 6, U8(p.remark), -1, SQLITE_STATIC);
        sqlite3_bind_int64(pa, 7, id);
        sqlite3_step(pa);
        sqlite3_reset(pa);
      }
    }
    sqlite3_finalize(fn);
    sqlite3_finalize(pa);
    // As many constants as the Windows API catalogue has, in no name order.
    sqlite3_exec(db,
                 U8(u8"with recursive n(i) as (select 1 union all select i + 1 from n where i < 104053) "
                    u8"insert into 常量表(名称,十进制值,十六进制值,备注) select printf('K_%06d', (i * 7919) % 104053), "
                    u8"i, printf('0x%X', i), '常量的备注' from n"),
                 nullptr, nullptr, nullptr);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  }

  int functions_;
  double baseline_ = -1;
  double constantBaseline_ = -1;
  std::filesystem::path dir_;
  CatalogueStore store_;
};

BenchCatalogue& Catalogue() {
  static BenchCatalogue catalogue(kFunctions, true);
  return catalogue;
}

BenchCatalogue& PlainCatalogue() {
  static BenchCatalogue catalogue(kPlainFunctions, false);
  return catalogue;
}

DeclarationStyle BenchSettings() {
  DeclarationStyle s;
  s.insertChineseNames = true;
  s.insertRemarks = true;
  s.isPublic = true;
  return s;
}

// The same rows the export reads, in the same order, through the C interface
// in one pass each: the floor for any export.
size_t ReadQuery(sqlite3* db, const char* sql) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
  size_t bytes = 0;
  const int n = sqlite3_column_count(s);
  while (sqlite3_step(s) == SQLITE_ROW) {
    for (int c = 0; c < n; ++c) {
      if (sqlite3_column_text(s, c) != nullptr) bytes += static_cast<size_t>(sqlite3_column_bytes(s, c));
    }
  }
  sqlite3_finalize(s);
  return bytes;
}

size_t ReadRows(sqlite3* db) {
  return ReadQuery(db, U8(u8"select id,名称,返回值类型,备注,库名,库对应命令,函数说明,中文名,其他说明,CharSet,"
                          u8"CallingConvention,导入语言 from 函数表 order by 名称 asc")) +
         ReadQuery(db, U8(u8"select id,名称,中文名,数据类型,数组,传址,输出,备注,所属函数 from 函数参数表 "
                          u8"order by id asc"));
}

size_t ReadConstantRows(sqlite3* db) {
  return ReadQuery(db, U8(u8"select 名称,十进制值,十六进制值,备注,类型 from 常量表 order by 名称 asc"));
}

// Seconds of one pass of read, the best of three, measured once into cached.
double BestOfThree(double& cached, size_t (*read)(sqlite3*), sqlite3* db) {
  if (cached < 0) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
      const double t0 = Now();
      benchmark::DoNotOptimize(read(db));
      best = std::min(best, Now() - t0);
    }
    cached = best;
  }
  return cached;
}

double BenchCatalogue::BaselineSeconds() { return BestOfThree(baseline_, ReadRows, store_.handle()); }

double BenchCatalogue::ConstantBaselineSeconds() {
  return BestOfThree(constantBaseline_, ReadConstantRows, store_.handle());
}

// Records per second, and the time per pass as a multiple of the baseline's.
void Report(benchmark::State& state, BenchCatalogue& catalogue, double seconds) {
  state.SetItemsProcessed(state.iterations() * catalogue.functions());
  if (state.iterations() > 0)
    state.counters["x_sqlite_read"] = seconds / static_cast<double>(state.iterations()) / catalogue.BaselineSeconds();
}

BenchCatalogue& CatalogueOf(const benchmark::State& state) {
  return state.range(1) == 0 ? Catalogue() : PlainCatalogue();
}

void BM_OutputSqliteReadBaseline(benchmark::State& state) {
  BenchCatalogue& catalogue = CatalogueOf(state);
  catalogue.BaselineSeconds();
  double seconds = 0;
  for (auto _ : state) {
    const double t0 = Now();
    benchmark::DoNotOptimize(ReadRows(catalogue.store().handle()));
    seconds += Now() - t0;
  }
  Report(state, catalogue, seconds);
}
// Second argument: 0 the indexed 20,000, 1 the plain schema with 2,000.
BENCHMARK(BM_OutputSqliteReadBaseline)->Args({0, 0})->Args({0, 1})->Unit(benchmark::kMillisecond);

// Generation alone, from records loaded beforehand.
void BM_OutputDeclareLoaded(benchmark::State& state) {
  const SyntaxKind target = static_cast<SyntaxKind>(state.range(0));
  BenchCatalogue& catalogue = Catalogue();
  CatalogueStore& store = catalogue.store();
  std::vector<FunctionRecord> records;
  records.reserve(kFunctions);
  {
    Statement ids = store.Prepare("select id from 函数表 order by 名称 asc");
    while (store.NextRow(ids)) {
      FunctionRecord f;
      LoadFunction(store, store.ColumnInt(ids, 0), f);
      records.push_back(std::move(f));
    }
  }
  const DeclarationStyle style = BenchSettings();
  catalogue.BaselineSeconds();
  double seconds = 0;
  size_t bytes = 0;
  for (auto _ : state) {
    const double t0 = Now();
    for (FunctionRecord& f : records) bytes += DeclareFunction(target, f, style).size();
    seconds += (Now() - t0);
  }
  benchmark::DoNotOptimize(bytes);
  Report(state, catalogue, seconds);
}
BENCHMARK(BM_OutputDeclareLoaded)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The whole export: query, load, generate and write.
void BM_OutputExportFunctions(benchmark::State& state) {
  ExportRequest request;
  request.functions = true;
  request.target = static_cast<SyntaxKind>(state.range(0));
  const DeclarationStyle style = BenchSettings();
  BenchCatalogue& catalogue = CatalogueOf(state);
  catalogue.BaselineSeconds();
  double seconds = 0;
  std::string message;
  for (auto _ : state) {
    const double t0 = Now();
    if (ExportDeclarations(catalogue.store(), catalogue.exportPath(), request, style, nullptr, message) !=
        ExportResult::Done) {
      state.SkipWithError(message.c_str());
      break;
    }
    seconds += (Now() - t0);
  }
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(catalogue.exportPath()));
  Report(state, catalogue, seconds);
}
BENCHMARK(BM_OutputExportFunctions)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

// The constants of the catalogue, exported; against reading the same rows.
void BM_OutputExportConstants(benchmark::State& state) {
  ExportRequest request;
  request.constants = true;
  request.target = static_cast<SyntaxKind>(state.range(0));
  const DeclarationStyle style = BenchSettings();
  BenchCatalogue& catalogue = Catalogue();
  const double baseline = catalogue.ConstantBaselineSeconds();
  double seconds = 0;
  std::string message;
  for (auto _ : state) {
    const double t0 = Now();
    if (ExportDeclarations(catalogue.store(), catalogue.exportPath(), request, style, nullptr, message) !=
        ExportResult::Done) {
      state.SkipWithError(message.c_str());
      break;
    }
    seconds += (Now() - t0);
  }
  if (state.iterations() > 0)
    state.counters["x_sqlite_read"] = seconds / static_cast<double>(state.iterations()) / baseline;
}
BENCHMARK(BM_OutputExportConstants)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
