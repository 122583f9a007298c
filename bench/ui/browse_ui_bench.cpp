// Filling the functions list with 20,000 functions and showing a page, beside
// starting the main window over an empty catalogue as the baseline; and the
// type-ahead of each view on the generated catalogue.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <memory>

#include "config/SettingsFile.h"
#include "desktop/support/ScriptedServices.h"
#include "model/Commands.h"
#include "store/CatalogueStore.h"
#include "store/Schema.h"
#include "store/Transaction.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"
#include "windows/Resources.h"

using namespace declarium;

namespace {

struct Fixture {
  QTemporaryDir dir;
  CatalogueStore store;
  std::unique_ptr<ProfileFile> config;
  std::unique_ptr<MainWindow> main;

  explicit Fixture(int functions) {
    std::string error;
    store.OpenPath(dir.filePath(QStringLiteral("data.db")).toStdString(), true);
    CreateSchema(store, error);
    Transaction filling(store);
    for (int i = 0; i < functions; ++i) {
      store.Exec(ToGbk(QStringLiteral("insert into 函数表(名称,库名,函数说明) values('Function%1','user32.dll','说明')")
                           .arg(i, 5, 10, QChar(u'0'))));
      store.Exec(ToGbk(
          QStringLiteral("insert into 函数参数表(名称,数据类型,所属函数) values('hWnd','整数型',%1)").arg(i + 1)));
    }
    filling.Commit();
    config = std::make_unique<ProfileFile>(dir.filePath(QStringLiteral("Config.ini")).toStdString());
  }
};

void BM_StartEmpty(benchmark::State& state) {
  ScriptedServices services;
  Fixture f(0);
  for (auto _ : state) {
    MainWindow main(f.store, *f.config);
    benchmark::DoNotOptimize(main.Create());
  }
}
BENCHMARK(BM_StartEmpty)->Unit(benchmark::kMillisecond);

void BM_Fill20000Functions(benchmark::State& state) {
  ScriptedServices services;
  Fixture f(20000);
  MainWindow main(f.store, *f.config);
  main.Create();
  ListBox* list = main.window()->listBox(1001);
  for (auto _ : state) benchmark::DoNotOptimize(main.FillEntryList(list, u"函数表", true));
}
BENCHMARK(BM_Fill20000Functions)->Unit(benchmark::kMillisecond);

void BM_ShowPage(benchmark::State& state) {
  ScriptedServices services;
  Fixture f(20000);
  MainWindow main(f.store, *f.config);
  main.Create();
  ListBox* list = main.window()->listBox(1001);
  int row = 0;
  for (auto _ : state) {
    list->SetSelection(row = (row + 7919) % list->Count());
    main.ShowSelectedFunction();
  }
}
BENCHMARK(BM_ShowPage)->Unit(benchmark::kMillisecond);

// Type-ahead on the generated Windows API catalogue (DECLARIUM_CATALOGUE, or
// the one the build makes): the lookup of every key of a name typed one key
// at a time, in each view; ms_per_key is the mean, frames_per_key the same
// against a 60 Hz frame.
QString GeneratedCatalogue() {
  const QString given = qEnvironmentVariable("DECLARIUM_CATALOGUE");
  return given.isEmpty() ? QStringLiteral(DECLARIUM_GENERATED_CATALOGUE) : given;
}

void TypeAhead(benchmark::State& state, int viewCommand, const QString& name) {
  ScriptedServices services;
  QTemporaryDir dir;
  const QString db = dir.filePath(QStringLiteral("data.db"));
  if (!QFile::copy(GeneratedCatalogue(), db)) {
    state.SkipWithError("no generated catalogue: build winapi_catalogue or set DECLARIUM_CATALOGUE");
    return;
  }
  CatalogueStore store;
  store.OpenPath(db.toStdString(), false);
  ProfileFile config(dir.filePath(QStringLiteral("Config.ini")).toStdString());
  MainWindow main(store, config);
  main.Create();
  main.DispatchCommand(viewCommand);
  EditBox* search = main.window()->editBox(main_control::kSearchBox);
  double keys = 0;
  for (auto _ : state) {
    for (qsizetype n = 1; n <= name.size(); ++n) {
      const QSignalBlocker quiet(search);  // the lookup is timed here, not queued
      search->setText(name.left(n));
      main.QuickFind();
      ++keys;
    }
    state.PauseTiming();
    search->clear();
    state.ResumeTiming();
  }
  // Elapsed time over thousands of keys: milliseconds per key.
  state.counters["ms_per_key"] =
      benchmark::Counter(keys / 1000, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["frames_per_key"] =
      benchmark::Counter(keys * 16.7 / 1000, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_TypeAheadFunctions(benchmark::State& s) {
  TypeAhead(s, command::kBrowseFunctions, QStringLiteral("CreateWindowExA"));
}
void BM_TypeAheadCategories(benchmark::State& s) {
  TypeAhead(s, command::kBrowseCategories, QStringLiteral("CreateWindowExA"));
}
void BM_TypeAheadDataTypes(benchmark::State& s) {
  TypeAhead(s, command::kBrowseDataTypes, QStringLiteral("WNDCLASSEXA"));
}
void BM_TypeAheadConstants(benchmark::State& s) {
  TypeAhead(s, command::kBrowseConstants, QStringLiteral("WM_SETTEXT"));
}
BENCHMARK(BM_TypeAheadFunctions)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TypeAheadCategories)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TypeAheadDataTypes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TypeAheadConstants)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
