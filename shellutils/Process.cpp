// Starting programs with CreateProcessW, optionally waiting for their exit code.
#include "shellutils/Process.h"

#include "base/Handles.h"

#include <vector>

namespace tessera {

int RunProcess(const std::wstring& commandLine, bool wait, int showWindow, DWORD& exitCode,
               const std::wstring& currentDirectory) {
  exitCode = 0;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (showWindow != SW_SHOWNORMAL) {  // with SW_SHOWNORMAL the new program decides
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showWindow);
  }
  std::vector<wchar_t> writableCommandLine(commandLine.begin(), commandLine.end());
  writableCommandLine.push_back(L'\0');
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, writableCommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &info))
    return rpCreateFailed;
  UniqueKernelHandle process(info.hProcess);
  UniqueKernelHandle thread(info.hThread);
  if (!wait) return rpOk;
  if (::WaitForSingleObject(process.get(), INFINITE) == WAIT_FAILED) {
    DWORD error = ::GetLastError();
    process.reset();
    thread.reset();
    ::SetLastError(error);
    return rpWaitFailed;
  }
  ::GetExitCodeProcess(process.get(), &exitCode);
  return rpOk;
}

bool StartProcess(const std::wstring& commandLine) {
  DWORD exitCode = 0;
  return RunProcess(commandLine, false, SW_SHOWNORMAL, exitCode) != rpCreateFailed;
}

}  // namespace tessera
