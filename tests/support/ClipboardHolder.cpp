#include "support/ClipboardHolder.h"

#include <stdexcept>
#include <vector>

#include "shellutils/SystemUtils.h"

namespace tessera::test {

ClipboardHolder::ClipboardHolder(DWORD holdMs) {
  const std::wstring eventName = L"TesseraClipHolder" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                                 std::to_wstring(::GetTickCount64());
  UniqueKernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
  std::wstring commandLine =
      L"\"" + GetModuleFolder() + L"helpers\\clipholder.exe\" " + std::to_wstring(holdMs) + L" " + eventName;
  std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
  writable.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!ready || !::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    throw std::runtime_error("cannot start clipholder.exe");
  FProcess.reset(info.hProcess);
  ::CloseHandle(info.hThread);
  HANDLE waits[] = {ready.get(), FProcess.get()};
  if (::WaitForMultipleObjects(2, waits, FALSE, 10000) != WAIT_OBJECT_0)
    throw std::runtime_error("clipholder.exe did not take the clipboard");
}

ClipboardHolder::~ClipboardHolder() {
  if (::WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT) ::TerminateProcess(FProcess.get(), 3);
  ::WaitForSingleObject(FProcess.get(), 10000);
}

bool ClipboardHolder::WaitForRelease(DWORD timeoutMs) const {
  return ::WaitForSingleObject(FProcess.get(), timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace tessera::test
