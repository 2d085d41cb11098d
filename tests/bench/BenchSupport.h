// The benchmarks' clock (milliseconds from the performance counter) and how they sum up their samples.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace tessera::bench {

inline double Now() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
}

// The sample at that percentile (50: the median): the one at index size * percent / 100 once sorted.
inline double Percentile(std::vector<double> samples, int percent) {
  if (samples.empty()) return 0;
  const auto at = samples.begin() + std::min(samples.size() * percent / 100, samples.size() - 1);
  std::nth_element(samples.begin(), at, samples.end());
  return *at;
}

}  // namespace tessera::bench
