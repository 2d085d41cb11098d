#include "config/ConfigApp.h"

#include <commctrl.h>

#include "config/ConfigWindow.h"
#include "config/ErrorBox.h"

namespace tessera {

void FlashTaskbarButton(HWND window, UINT count) {
  FLASHWINFO flash{};
  flash.cbSize = sizeof(flash);
  flash.hwnd = window;
  flash.dwFlags = FLASHW_TRAY;
  flash.uCount = count;
  flash.dwTimeout = 0;
  ::FlashWindowEx(&flash);
}

void BringInstanceForward(HWND window) {
  if (::IsIconic(window)) {
    ::OpenIcon(window);
    if (::GetForegroundWindow() != window) FlashTaskbarButton(window, 3);
  } else {
    ::SetForegroundWindow(window);
  }
}

int RunConfigProgram(HINSTANCE, int showCommand) {
  // The one check between instances: a window of the class already made.
  if (HWND running = ::FindWindowW(kConfigWindowClass, nullptr)) {
    BringInstanceForward(running);
    return 0;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  // COM for the shell's file dialog and for opening web pages.
  const bool comReady = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  int exitCode = 0;
  {
    TfrmConfig form;
    if (CallReportingErrors(nullptr, [&] { form.Create(showCommand); })) {
      MSG msg;
      while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (form.PreTranslateMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    } else {
      exitCode = 1;
    }
  }
  if (comReady) ::CoUninitialize();
  return exitCode;
}

}  // namespace tessera
