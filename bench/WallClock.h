// Wall time for benchmarks that time a baseline themselves. <chrono> cannot
// be compiled with the GBK execution character set (it holds a micro sign),
// so the time comes from the C library.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

namespace declarium::bench {

inline double Now() {
  std::timespec ts{};
  std::timespec_get(&ts, TIME_UTC);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Seconds of the best of `runs` calls of f: a baseline's.
template <class F>
double Best(int runs, F&& f) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const double t0 = Now();
    f();
    best = std::min(best, Now() - t0);
  }
  return best;
}

// Calls f once for each iteration of the benchmark; the seconds of all calls.
template <class F>
double TimeEach(benchmark::State& state, F&& f) {
  double seconds = 0;
  for (auto _ : state) {
    const double t0 = Now();
    f();
    seconds += Now() - t0;
  }
  return seconds;
}

}  // namespace declarium::bench
