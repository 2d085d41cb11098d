// Benchmark (not a test): the settings program's start as a user feels it, from CreateProcess until its
// window is up and painted with the option list filled (the process then waits for input: WaitForInputIdle),
// against a bare Win32 program that opens a window of the same size with one owner-drawn list box, started the
// same way in the same run, interleaved. Each program is closed before the next start.
// Run: scripts/wine-run build/win64/tests/bench_config_start.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "base/Handles.h"
#include "shellutils/SystemUtils.h"
#include "support/WindowSearch.h"

using namespace tessera;

namespace {

using bench::Now;

// One start: milliseconds until the window is visible and the program idles, or a negative number.
double StartOnce(const std::wstring& program, const wchar_t* windowClass) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const double start = Now();
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return -1;
  UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  HWND found = nullptr;
  double elapsed = -1;
  for (int i = 0; i < 2000 && !found; ++i) {
    // Idle after the first paint: the queue is empty once WM_PAINT has been handled.
    ::WaitForInputIdle(process.get(), 10000);
    found = test::FindTopWindow(info.dwProcessId, windowClass);
    if (!found) ::Sleep(1);
  }
  if (found) elapsed = Now() - start;
  if (found) ::PostMessageW(found, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 1);
  return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 30;
  const std::wstring folder = GetModuleFolder();
  const std::wstring config = folder + L"..\\dist\\TesseraConfig.exe";
  const std::wstring bare = folder + L"bare_window.exe";
  std::vector<double> configTimes, bareTimes;
  for (int i = 0; i < rounds + 3; ++i) {
    const double c = StartOnce(config, L"TTesseraConfigWnd");
    const double b = StartOnce(bare, L"TBareWindow");
    if (c < 0 || b < 0) {
      std::fprintf(stderr, "a program did not start or show its window\n");
      return 1;
    }
    if (i >= 3) {  // the first starts warm the caches
      configTimes.push_back(c);
      bareTimes.push_back(b);
    }
  }
  const double mc = bench::Percentile(configTimes, 50), mb = bench::Percentile(bareTimes, 50);
  std::printf("starts: %d each, interleaved\n", rounds);
  std::printf("settings program: median %.1f ms (min %.1f, max %.1f)\n", mc,
              *std::min_element(configTimes.begin(), configTimes.end()),
              *std::max_element(configTimes.begin(), configTimes.end()));
  std::printf("bare program:     median %.1f ms (min %.1f, max %.1f)\n", mb,
              *std::min_element(bareTimes.begin(), bareTimes.end()),
              *std::max_element(bareTimes.begin(), bareTimes.end()));
  std::printf("ratio of medians: %.2f\n", mb > 0 ? mc / mb : 0.0);
  return 0;
}
