// A program a test starts as a user would (a window of its own, a current folder of the test's choosing),
// waited for and, if it is still running when the test ends, ended.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/Handles.h"

namespace tessera::test {

class ChildProcess {
public:
  // Starts commandLine; an empty currentDirectory keeps the test's. Throws std::runtime_error when it cannot.
  explicit ChildProcess(const std::wstring& commandLine, const std::wstring& currentDirectory = L"");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  DWORD pid() const noexcept { return FPid; }
  HANDLE handle() const noexcept { return FProcess.get(); }
  // The exit code once the program has ended within timeoutMs; nothing while it still runs.
  std::optional<DWORD> waitForExit(DWORD timeoutMs = 10000) const;

private:
  UniqueKernelHandle FProcess;
  DWORD FPid = 0;
};

// Runs commandLine to its end (at most timeoutMs) and returns its exit code; nothing on time-out.
std::optional<DWORD> RunToEnd(const std::wstring& commandLine, DWORD timeoutMs = 30000,
                              const std::wstring& currentDirectory = L"");

// Whether 32-bit programs run here (a Wine without its 32-bit loader cannot run them).
bool ThirtyTwoBitProgramsRun();

}  // namespace tessera::test
