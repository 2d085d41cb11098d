// clipholder <milliseconds> <event name>: opens the clipboard, sets the named event once it holds it, keeps it
// open for the given time and lets it go. Exit code 0, or 1 when the clipboard could not be opened.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 2;
  const DWORD holdMs = static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10));
  HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  // A window of its own opens it, as a clipboard manager's would.
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  bool open = false;
  for (int attempt = 0; attempt < 250 && !open; ++attempt) {  // the test may still be closing it
    open = ::OpenClipboard(owner) != 0;
    if (!open) ::Sleep(20);
  }
  if (!open) return 1;
  if (ready) ::SetEvent(ready);
  ::Sleep(holdMs);
  ::CloseClipboard();
  ::DestroyWindow(owner);
  return 0;
}
