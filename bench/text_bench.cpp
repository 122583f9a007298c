#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "text/Gbk.h"
#include "text/TextPrimitives.h"

namespace {

std::string SampleText(size_t bytes) {
  const std::string line = ".参数 hWnd, 整数型, 传址 , 窗口句柄\r\n";
  std::string t;
  while (t.size() < bytes) t += line;
  return t;
}

void BM_MemchrBaseline(benchmark::State& state) {
  std::string t = SampleText(5u << 20);
  for (auto _ : state) {
    const char* p = t.data();
    size_t left = t.size();
    size_t n = 0;
    while (const void* hit = std::memchr(p, ';', left)) {
      ++n;
      size_t k = static_cast<const char*>(hit) - p + 1;
      p += k;
      left -= k;
    }
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.size()));
}
BENCHMARK(BM_MemchrBaseline);

void BM_SplitLines(benchmark::State& state) {
  std::string t = SampleText(5u << 20);
  for (auto _ : state) benchmark::DoNotOptimize(declarium::SplitText(t, "\r\n").size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.size()));
}
BENCHMARK(BM_SplitLines);

void BM_GbkToUtf8(benchmark::State& state) {
  std::string t = SampleText(5u << 20);
  for (auto _ : state) benchmark::DoNotOptimize(declarium::GbkToUtf8(t).size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.size()));
}
BENCHMARK(BM_GbkToUtf8);

}  // namespace
