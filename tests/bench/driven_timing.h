// Timing for the benchmarks that drive a program from outside: a millisecond clock and the median of runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace ql::bench {

inline double now_ms() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// -1 when nothing was measured.
inline double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace ql::bench
