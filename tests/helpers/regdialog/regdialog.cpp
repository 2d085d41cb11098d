// Stands in for the settings program around its enable/disable dialog: a main window of the settings
// window's size, centred on the screen, owns the dialog exactly as the settings window will.
//
//   regdialog.exe                    shows the dialog; ends with 0 when it is closed
//   regdialog.exe --enabled          ends with 10 when the shell extension is enabled for the DLL beside it,
//                                    20 when not
//   regdialog.exe --shot <file.png>  shows the dialog, saves its picture, closes it; 0, or 3 when no picture
//   regdialog.exe --minimized        shows the dialog over the main window minimized
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "config/Dpi.h"
#include "config/RegisterShellExtDialog.h"
#include "config/ShellExtRegistration.h"
#include "support/WindowShot.h"

namespace {

constexpr UINT_PTR kShotTimer = 1;     // the dialog is up: have it painted
constexpr UINT_PTR kCaptureTimer = 2;  // the painting has reached the screen: take the picture
std::wstring gShotFile;
int gExitCode = 0;

BOOL CALLBACK FindDialog(HWND window, LPARAM lp) {
  wchar_t name[32] = {};
  ::GetClassNameW(window, name, 32);
  if (std::wstring(name) == L"#32770" && ::IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(lp) = window;
    return FALSE;
  }
  return TRUE;
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && (wParam == kShotTimer || wParam == kCaptureTimer)) {
    // The timers run in the dialog's modal loop, on this thread. The loop must run between painting and
    // the picture: the system hands what was painted to the screen from there.
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return 0;
    ::KillTimer(window, wParam);
    if (wParam == kShotTimer) {
      ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      ::SetTimer(window, kCaptureTimer, 500, nullptr);
      return 0;
    }
    if (!tessera::test::SaveWindowPng(dialog, gShotFile)) gExitCode = 3;
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateOwner(HINSTANCE instance, bool minimized) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = OwnerProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"TTesseraRegDialogOwner";
  ::RegisterClassExW(&wc);
  // The settings window's client size, 584 x 561 at 96 DPI, in the middle of the work area.
  const UINT dpi = tessera::GetSystemDpi();
  RECT r{0, 0, tessera::ScaleForDpi(584, dpi), tessera::ScaleForDpi(561, dpi)};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME;
  tessera::AdjustWindowRectForDpi(&r, style, 0, dpi);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HWND owner = ::CreateWindowExW(0, wc.lpszClassName, L"Tessera settings (stand-in)", style,
                                 work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2,
                                 w, h, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(owner, SW_SHOW);
  if (minimized) ::ShowWindow(owner, SW_MINIMIZE);  // as the user minimizes it
  ::UpdateWindow(owner);
  return owner;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  const std::wstring mode = argc > 1 ? argv[1] : L"";

  if (mode == L"--enabled") return tessera::IsShellExtensionEnabled() ? 10 : 20;

  HWND owner = CreateOwner(instance, mode == L"--minimized");
  if (mode == L"--shot" && argc > 2) {
    gShotFile = argv[2];
    ::SetCursorPos(0, 0);  // no button under the mouse: the picture shows the dialog at rest
    ::SetTimer(owner, kShotTimer, 500, nullptr);
  }
  tessera::ShowShellExtensionDialog(owner);
  ::DestroyWindow(owner);
  return gExitCode;
}
