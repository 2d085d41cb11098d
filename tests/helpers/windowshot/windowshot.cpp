// Takes pictures of the settings program as a user sees it right after starting it:
//   windowshot.exe <program> <window.png> [<dialog.png>]
// starts the program, waits for its window, and saves its picture. With <dialog.png>, the enable/disable
// dialog that the program opens by itself when the shell extension is not enabled for the DLL beside it is
// saved too (it is closed before the window's picture is taken). The program is then closed.
// Exit code 0, or 2 for wrong arguments, 3 when the program did not start, 4 when the window or a picture is
// missing, 5 when only the dialog did not open (the extension is enabled for that DLL).
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/Handles.h"
#include "support/WindowSearch.h"
#include "support/WindowShot.h"

namespace {

HWND WaitForWindow(DWORD pid, const wchar_t* windowClass, const wchar_t* caption, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    HWND found = tessera::test::FindTopWindow(pid, windowClass, caption);
    if (found || ::GetTickCount() - start > timeoutMs) return found;
    ::Sleep(50);
  }
}

bool Shot(HWND window, const std::wstring& file) {
  ::SetForegroundWindow(window);
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::Sleep(400);  // painted
  return tessera::test::SaveWindowPng(window, file);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return 3;
  tessera::UniqueKernelHandle process(info.hProcess), thread(info.hThread);

  int result = 0;
  HWND window = WaitForWindow(info.dwProcessId, L"TTesseraConfigWnd", nullptr, 20000);
  if (!window) result = 4;
  if (window && argc >= 4) {
    HWND dialog = WaitForWindow(info.dwProcessId, L"#32770", L"Enable/disable shell extension", 5000);
    if (!dialog) result = 5;
    else if (!Shot(dialog, argv[3])) result = 4;
    if (dialog) ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  } else if (window) {
    ::Sleep(1000);  // past the start-up checks
  }
  if (window && !Shot(window, argv[2])) result = 4;
  if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 1);
  return result;
}
