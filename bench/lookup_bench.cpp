// Lookups on the generated Windows API catalogue (DECLARIUM_CATALOGUE, or the
// build's own): constants by value, through the indexed number column and
// without it, beside a constant found by name through its index as the
// baseline; and copying a function with everything it uses.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/ConstantValues.h"
#include "output/Dependencies.h"
#include "store/CatalogueStore.h"
#include "store/ConstantNumbers.h"

using namespace declarium;

namespace {

// A copy of the catalogue in a folder of its own, since opening it for the
// value lookup may add the number column; without a catalogue, empty.
std::filesystem::path CatalogueCopy(bool withValueColumn) {
  const char* given = std::getenv("DECLARIUM_CATALOGUE");
  const std::filesystem::path source = given != nullptr ? given : DECLARIUM_GENERATED_CATALOGUE;
  if (!std::filesystem::exists(source)) return {};
  const std::filesystem::path copy =
      std::filesystem::temp_directory_path() / ("declarium_lookup_bench_" + std::to_string(withValueColumn) + ".db");
  std::filesystem::copy_file(source, copy, std::filesystem::copy_options::overwrite_existing);
  CatalogueStore store;
  if (!store.OpenPath(copy, false)) return {};
  if (withValueColumn) {
    if (!EnsureConstantValues(store)) return {};
  } else if (HasConstantValueColumn(store)) {
    store.Exec("drop index if exists Index_数值; alter table 常量表 drop column 数值");
  }
  return copy;
}

bool Open(benchmark::State& state, bool withValueColumn, CatalogueStore& store) {
  const std::filesystem::path file = CatalogueCopy(withValueColumn);
  if (file.empty() || !store.OpenPath(file, false)) {
    state.SkipWithError("no generated catalogue: build winapi_catalogue or set DECLARIUM_CATALOGUE");
    return false;
  }
  return true;
}

// Values people look up: WM_USER, WS_POPUP / CW_USEDEFAULT, -1, 0.
constexpr std::int64_t kValues[] = {0x400, 0x80000000LL, 0xFFFFFFFFLL, 0};

void ByValue(benchmark::State& state, bool withValueColumn) {
  CatalogueStore store;
  if (!Open(state, withValueColumn, store)) return;
  std::vector<ConstantRow> rows;
  std::size_t i = 0, found = 0;
  for (auto _ : state) {
    FindConstantsByValue(store, kValues[i++ % std::size(kValues)], {}, rows);
    found += rows.size();
  }
  state.counters["rows"] = benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}

void BM_ConstantByName(benchmark::State& state) {
  CatalogueStore store;
  if (!Open(state, true, store)) return;
  for (auto _ : state) benchmark::DoNotOptimize(store.QueryInt("select id from 常量表 where 名称='WM_USER'"));
}
BENCHMARK(BM_ConstantByName)->Unit(benchmark::kMillisecond);

void BM_ConstantsByValue(benchmark::State& state) { ByValue(state, true); }
BENCHMARK(BM_ConstantsByValue)->Unit(benchmark::kMillisecond);

void BM_ConstantsByValueWithoutTheColumn(benchmark::State& state) { ByValue(state, false); }
BENCHMARK(BM_ConstantsByValueWithoutTheColumn)->Unit(benchmark::kMillisecond);

// The time a catalogue without the column takes to gain it, on first writing open.
void BM_AddingTheValueColumn(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    CatalogueStore store;
    const bool ok = Open(state, false, store);
    state.ResumeTiming();
    if (!ok) return;
    benchmark::DoNotOptimize(EnsureConstantValues(store));
  }
}
BENCHMARK(BM_AddingTheValueColumn)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CopyWithDependencies(benchmark::State& state) {
  CatalogueStore store;
  if (!Open(state, true, store)) return;
  const int id = store.QueryInt("select id from 函数表 where 名称='GetWindowPlacement'");
  std::string text;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        DeclarationsWithDependencies(store, {{id, EntryKind::Functions}}, SyntaxKind::CSharp, {}, text));
}
BENCHMARK(BM_CopyWithDependencies)->Unit(benchmark::kMillisecond);

}  // namespace
