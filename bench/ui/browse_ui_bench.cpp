// Filling the functions list with 20,000 functions and showing a page, beside
// starting the main window over an empty catalogue as the baseline.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "config/SettingsFile.h"
#include "store/CatalogueStore.h"
#include "store/Schema.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/ScriptedServices.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"

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
    store.Begin();
    for (int i = 0; i < functions; ++i) {
      store.Exec(ToGbk(QStringLiteral("insert into 函数表(名称,库名,函数说明) values('Function%1','user32.dll','说明')")
                           .arg(i, 5, 10, QChar(u'0'))));
      store.Exec(ToGbk(QStringLiteral("insert into 函数参数表(名称,数据类型,所属函数) values('hWnd','整数型',%1)")
                           .arg(i + 1)));
    }
    store.Commit();
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

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
