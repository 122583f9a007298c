// Converting the Win32 API declarations for VB (the corpus) into each
// syntax, as `declarium-cli convert` does between reading the file and
// writing standard output, against one iconv pass over the same bytes.
//
// The baseline is what `iconv -f GBK -t UTF-8 WIN32API.TXT` does once the
// file is in memory: one call of iconv(3) over all its bytes, into room made
// once, with the converter opened before the timing. The conversion is timed
// from the file's bytes to the UTF-8 of what it writes: the input decoded to
// GBK with lone line ends made CR LF (the corpus is ASCII with CR LF, so
// neither changes a byte, as in the command), read, generated and every
// piece encoded as UTF-8, its standard output's default. The command's check
// that the input keeps its text, the file's reading and the writing to the
// output are not in it; `time` of the command beside `time iconv` shows them.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "WallClock.h"
#include "import/Convert.h"
#include "import/Readers.h"
#include "text/Gbk.h"
#include "text/TextPrimitives.h"

namespace {

using namespace declarium;
using bench::Best;
using bench::TimeEach;

// The corpus's bytes; empty when it is absent (DECLARIUM_CORPUS_DIR names
// another folder than the one built in).
const std::string& Corpus() {
  static const std::string bytes = [] {
    const char* dir = std::getenv("DECLARIUM_CORPUS_DIR");
    const std::string path = std::string(dir != nullptr ? dir : DECLARIUM_CORPUS_DIR) + "/WIN32API.TXT";
    std::string b;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
      char buffer[65536];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) b.append(buffer, n);
      std::fclose(f);
    }
    return b;
  }();
  return bytes;
}

// Seconds of one iconv pass over the bytes (the best of many); 0 when the
// platform's iconv cannot convert them.
double IconvSeconds(const std::string& bytes) {
  static const double seconds = [&bytes] {
    const iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return 0.0;
    std::string out(bytes.size() * 2 + 16, '\0');
    std::string in = bytes;
    bool ok = true;
    const double best = Best(200, [&] {
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      char* inp = in.data();
      char* outp = out.data();
      std::size_t inLeft = in.size(), outLeft = out.size();
      ok = ok && iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
      benchmark::DoNotOptimize(out.data());
    });
    iconv_close(cd);
    return ok ? best : 0.0;
  }();
  return seconds;
}

// The input as the command hands it to the readers.
std::string TextOf(const std::string& bytes) {
  std::string text = Utf8ToGbk(bytes);
  MakeCrLf(text);
  return text;
}

bool Ready(benchmark::State& state) {
  if (Corpus().empty()) {
    state.SkipWithError("corpus not found (DECLARIUM_CORPUS_DIR)");
    return false;
  }
  if (IconvSeconds(Corpus()) == 0) {
    state.SkipWithError("iconv cannot convert GBK to UTF-8 here");
    return false;
  }
  return true;
}

// x_iconv: one conversion as a multiple of the iconv pass, measured in the same run.
void Report(benchmark::State& state, double seconds) {
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Corpus().size()));
  if (state.iterations() > 0)
    state.counters["x_iconv"] = seconds / static_cast<double>(state.iterations()) / IconvSeconds(Corpus());
}

void BM_ConvertCorpus(benchmark::State& state, SyntaxKind target) {
  if (!Ready(state)) return;
  const std::string& bytes = Corpus();
  const DeclarationStyle style;
  std::size_t written = 0;
  const double seconds = TimeEach(state, [&] {
    written = 0;
    ConvertDeclarations(TextOf(bytes), SyntaxKind::Vb, target, style,
                        [&written](std::string_view piece) { written += GbkToUtf8(piece).size(); });
  });
  benchmark::DoNotOptimize(written);
  Report(state, seconds);
  state.counters["output_bytes"] = static_cast<double>(written);
}

// The readers alone, over the same text: the part of a conversion before
// any declaration is written.
void BM_ConvertCorpusRead(benchmark::State& state) {
  if (!Ready(state)) return;
  const std::string text = TextOf(Corpus());
  ParsedDeclarations parsed;
  Report(state, TimeEach(state, [&] {
           ReadDeclarations(text, SyntaxKind::Vb, parsed);
           benchmark::DoNotOptimize(parsed.functions.data());
         }));
}

BENCHMARK(BM_ConvertCorpusRead)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConvertCorpus, ToE, SyntaxKind::E)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConvertCorpus, ToCSharp, SyntaxKind::CSharp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConvertCorpus, ToVb, SyntaxKind::Vb)->Unit(benchmark::kMillisecond);

}  // namespace
