// Wall time for benchmarks that time a baseline themselves. <chrono> cannot
// be compiled with the GBK execution character set (it holds a micro sign),
// so the time comes from the C library.
#pragma once

#include <ctime>

namespace declarium::bench {

inline double Now() {
  std::timespec ts{};
  std::timespec_get(&ts, TIME_UTC);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

}  // namespace declarium::bench
