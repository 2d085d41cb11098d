#include "support/ChildProcess.h"

#include <stdexcept>

namespace tessera::test {

ChildProcess::ChildProcess(const std::wstring& commandLine, const std::wstring& currentDirectory) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;  // CreateProcessW may write into it
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &info))
    throw std::runtime_error("cannot start a program the test needs");
  ::CloseHandle(info.hThread);
  FProcess.reset(info.hProcess);
  FPid = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (FProcess && ::WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(FProcess.get(), 1);
    ::WaitForSingleObject(FProcess.get(), 5000);
  }
}

std::optional<DWORD> ChildProcess::waitForExit(DWORD timeoutMs) const {
  if (::WaitForSingleObject(FProcess.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!::GetExitCodeProcess(FProcess.get(), &code)) return std::nullopt;
  return code;
}

std::optional<DWORD> RunToEnd(const std::wstring& commandLine, DWORD timeoutMs, const std::wstring& currentDirectory) {
  ChildProcess child(commandLine, currentDirectory);
  return child.waitForExit(timeoutMs);
}

bool ThirtyTwoBitProgramsRun() {
  if constexpr (sizeof(void*) == 4) return true;  // this one runs
  wchar_t folder[MAX_PATH] = {};
  const UINT n = ::GetSystemWow64DirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  try {
    return RunToEnd(L"\"" + std::wstring(folder) + L"\\cmd.exe\" /c exit 7", 30000) == std::optional<DWORD>(7);
  } catch (const std::runtime_error&) {
    return false;
  }
}

}  // namespace tessera::test
