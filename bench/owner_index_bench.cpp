// Lookups by owner with and without the indexes on 函数参数表.所属函数 and
// 数据类型成员表.所属数据类型: a copy with dependencies through a chain of
// 10,000 nested data types, alone and inside the generated catalogue
// (DECLARIUM_CATALOGUE, or the build's own), and the detail page of a
// function and of a data type of that catalogue.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "output/DetailPages.h"
#include "output/Dependencies.h"
#include "store/CatalogueStore.h"
#include "store/Schema.h"

using namespace declarium;

namespace {

constexpr int kChain = 10000;

std::filesystem::path Generated() {
  const char* given = std::getenv("DECLARIUM_CATALOGUE");
  return given != nullptr ? given : DECLARIUM_GENERATED_CATALOGUE;
}

// A catalogue in a folder of its own: a copy of the generated one, or a new
// one, with or without the owner indexes; empty when there is none to copy.
class Catalogue {
 public:
  Catalogue(bool generated, bool indexed) {
    dir_ = std::filesystem::temp_directory_path() / ("declarium-owner-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir_);
    const std::filesystem::path file = dir_ / "data.db";
    std::string error;
    if (generated) {
      if (!std::filesystem::exists(Generated())) return;
      std::filesystem::copy_file(Generated(), file);
      if (!store_.OpenPath(file, false)) return;
    } else if (!store_.OpenPath(file, true) || !CreateSchema(store_, error)) {
      return;
    }
    ok_ = indexed ? AddOwnerIndexes(store_)
                  : store_.Exec("drop index if exists Index_所属函数; drop index if exists Index_所属数据类型");
  }
  ~Catalogue() {
    store_.Close();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  bool ok() const { return ok_; }
  CatalogueStore& store() { return store_; }

  // CHAIN00000 holds a CHAIN00001, which holds a CHAIN00002, ...; the id of the first.
  int AddChain() {
    const std::string n =
        "with recursive n(i) as (select 0 union all select i + 1 from n where i < " + std::to_string(kChain - 1) + ") ";
    if (!store_.Exec(n + "insert into 数据类型表(名称) select printf('CHAIN%05d', i) from n;" +
                     "insert into 数据类型成员表(名称,数据类型,所属数据类型) select 'next', printf('CHAIN%05d', "
                     "substr(名称, 6) + 1), id from 数据类型表 where 名称 like 'CHAIN%';"
                     "insert into 数据类型成员表(名称,数据类型,所属数据类型) select 'a', '整数型', id from 数据类型表 "
                     "where 名称 like 'CHAIN%'"))
      return 0;
    return store_.QueryInt("select id from 数据类型表 where 名称='CHAIN00000'");
  }

 private:
  std::filesystem::path dir_;
  CatalogueStore store_;
  bool ok_ = false;
};

// range(0): inside the generated catalogue; range(1): with the indexes.
void BM_DeepChainWithDependencies(benchmark::State& state) {
  Catalogue cat(state.range(0) != 0, state.range(1) != 0);
  const int id = cat.ok() ? cat.AddChain() : 0;
  if (id == 0) {
    state.SkipWithError("no catalogue: build winapi_catalogue or set DECLARIUM_CATALOGUE");
    return;
  }
  std::string text;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        DeclarationsWithDependencies(cat.store(), {{id, EntryKind::DataTypes}}, SyntaxKind::E, {}, text));
}
BENCHMARK(BM_DeepChainWithDependencies)
    ->ArgNames({"generated", "indexed"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// range(0): with the indexes.
void BM_DetailPages(benchmark::State& state) {
  Catalogue cat(true, state.range(0) != 0);
  const int function = cat.store().QueryInt("select id from 函数表 where 名称='CreateWindowExA'");
  const int type = cat.store().QueryInt("select id from 数据类型表 where 名称='WINDOWPLACEMENT'");
  if (!cat.ok() || function == 0 || type == 0) {
    state.SkipWithError("no generated catalogue: build winapi_catalogue or set DECLARIUM_CATALOGUE");
    return;
  }
  DetailDocument page;
  for (auto _ : state) {
    benchmark::DoNotOptimize(BuildDetailDocument(cat.store(), "函数表", function, SyntaxKind::E, page));
    benchmark::DoNotOptimize(BuildDetailDocument(cat.store(), "数据类型表", type, SyntaxKind::E, page));
  }
}
BENCHMARK(BM_DetailPages)->ArgNames({"indexed"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
