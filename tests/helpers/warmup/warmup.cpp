// Shows and closes one window, so that Wine starts its desktop process before the tests need it: the
// first message box of a fresh Wine session otherwise waits seconds for the desktop to come up.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  HWND window = ::CreateWindowExW(0, L"STATIC", L"warm-up", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  instance, nullptr);
  if (!window) return 1;
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  DWORD start = ::GetTickCount();
  MSG msg;
  while (::GetTickCount() - start < 200) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::Sleep(10);
  }
  ::DestroyWindow(window);
  return 0;
}
