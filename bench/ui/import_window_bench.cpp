// What one keystroke costs in the import window with a 700 KB paste: the
// whole refresh (edit text to GBK, readers, preview fill) against the three
// readers alone over the same text. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cstdlib>
#include <string>

#include "import/Readers.h"
#include "store/CatalogueStore.h"
#include "text/TextPrimitives.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/ImportWindow.h"

namespace {

using namespace declarium;

constexpr size_t kTextBytes = 700u << 10;

std::string Repeat(std::string_view unit, std::string head) {
  while (head.size() < kTextBytes) head += unit;
  return head;
}

// E declarations, GBK with CR LF; constants close the text.
const std::string& EText() {
  static const std::string text = [] {
    const std::string unit =
        ToGbk(QStringLiteral(".DLL命令 MessageBoxA, 整数型, \"user32.dll\", \"MessageBoxA\", 公开, 弹出信息框\r\n"
                             "    .参数 hWnd, 整数型, , 父窗口\r\n"
                             "    .参数 lpText, 文本型, 传址, 内容\r\n"
                             "    .参数 lpCaption, 文本型, , 标题\r\n"
                             "    .参数 uType, 整数型, , 风格\r\n"
                             "\r\n"
                             ".数据类型 RECT, 公开, 矩形\r\n"
                             "    .成员 left, 整数型, , , 左边\r\n"
                             "    .成员 top, 整数型, , , 顶边\r\n"
                             "\r\n"));
    std::string t = Repeat(unit, ToGbk(QStringLiteral(".版本 2\r\n\r\n")));
    for (int i = 0; i < 200; ++i) t += ToGbk(QStringLiteral(".常量 WM_USER%1, \"1024\", 公开, 用户消息\r\n").arg(i));
    return t;
  }();
  return text;
}

// The Win32 API declarations in VB, grown to 700 KB; empty when the corpus is absent.
const std::string& VbText() {
  static const std::string text = [] {
    QString dir = qEnvironmentVariable("DECLARIUM_CORPUS_DIR");
#ifdef DECLARIUM_CORPUS_DIR
    if (dir.isEmpty()) dir = QStringLiteral(DECLARIUM_CORPUS_DIR);
#endif
    QFile f(dir + QStringLiteral("/WIN32API.TXT"));
    if (!f.open(QIODevice::ReadOnly)) return std::string();
    const QByteArray bytes = f.readAll();
    const std::string corpus(bytes.constData(), static_cast<size_t>(bytes.size()));
    std::string t = corpus;
    if (t.size() < kTextBytes) t += corpus.substr(0, kTextBytes - t.size());
    return t;
  }();
  return text;
}

void ReadersOnly(benchmark::State& state, const std::string& text, SyntaxKind syntax) {
  if (text.empty()) {
    state.SkipWithError("corpus not found (DECLARIUM_CORPUS_DIR)");
    return;
  }
  ParsedDeclarations parsed;
  for (auto _ : state) {
    ReadDeclarations(text, syntax, parsed);
    benchmark::DoNotOptimize(parsed.functions.data());
  }
  state.counters["functions"] = static_cast<double>(parsed.functions.size());
  state.counters["constants"] = static_cast<double>(parsed.constants.size());
}

// renamed: every iteration ends the text with another declaration, so the
// preview is filled anew; otherwise the text is the same each time, as when a
// keystroke changes no name.
void WindowRefresh(benchmark::State& state, const std::string& text, SyntaxKind syntax, bool renamed) {
  if (text.empty()) {
    state.SkipWithError("corpus not found (DECLARIUM_CORPUS_DIR)");
    return;
  }
  CatalogueStore store;  // never opened: refreshing does not touch the catalogue
  ParsedDeclarations parsed;
  ImportWindow importWindow(store, parsed, {});
  int rows = 0;
  QTimer::singleShot(0, [&] {
    Window* w = importWindow.window();
    MultiLineEdit* edit = w->multiLineEdit(import_control::kText);
    const QString shown = FromGbk(text);
    edit->SetText(shown);
    int n = 0;
    for (auto _ : state) {
      if (renamed) {
        state.PauseTiming();
        const QString tail = syntax == SyntaxKind::Vb ? QStringLiteral("Const ADDED_%1 = 1\n")
                                                      : QStringLiteral(".常量 ADDED_%1, \"1\"\n");
        edit->SetText(shown + tail.arg(++n));
        state.ResumeTiming();
      }
      importWindow.Refresh();
    }
    rows = w->listBox(import_control::kPreview)->Count();
    w->CloseWindow();
  });
  importWindow.Run(nullptr, syntax);
  state.counters["rows"] = rows;
}

// The share of a refresh spent getting the edit's text into the readers' form.
void EditText(benchmark::State& state, const std::string& text) {
  if (text.empty()) {
    state.SkipWithError("corpus not found (DECLARIUM_CORPUS_DIR)");
    return;
  }
  MultiLineEdit edit;
  edit.SetText(FromGbk(text));
  for (auto _ : state) benchmark::DoNotOptimize(ToCrLf(ToGbk(edit.toPlainText())).size());
}

void BM_ReadersOnly_Vb(benchmark::State& state) { ReadersOnly(state, VbText(), SyntaxKind::Vb); }
void BM_WindowRefresh_Vb(benchmark::State& state) { WindowRefresh(state, VbText(), SyntaxKind::Vb, false); }
void BM_WindowRefreshRenamed_Vb(benchmark::State& state) { WindowRefresh(state, VbText(), SyntaxKind::Vb, true); }
void BM_ReadersOnly_E(benchmark::State& state) { ReadersOnly(state, EText(), SyntaxKind::E); }
void BM_WindowRefresh_E(benchmark::State& state) { WindowRefresh(state, EText(), SyntaxKind::E, false); }
void BM_WindowRefreshRenamed_E(benchmark::State& state) { WindowRefresh(state, EText(), SyntaxKind::E, true); }

void BM_EditText_Vb(benchmark::State& state) { EditText(state, VbText()); }
BENCHMARK(BM_EditText_Vb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadersOnly_Vb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRefresh_Vb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRefreshRenamed_Vb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadersOnly_E)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRefresh_E)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowRefreshRenamed_E)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
