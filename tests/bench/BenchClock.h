// The benchmarks' clock: milliseconds from the performance counter.
#pragma once

#include <windows.h>

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

}  // namespace tessera::bench
