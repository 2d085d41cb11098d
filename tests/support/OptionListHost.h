// A window that hosts the option list the way the settings window does: its own font at its DPI sent with
// WM_SETFONT, the text height for OnGetFormTextHeight, and optionally OK and Cancel buttons with a message loop
// that runs IsDialogMessage (Tab moves the focus, Esc presses Cancel). For the tests, the pictures and the
// benchmark.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "base/Handles.h"
#include "config/optionlist/OptionList.h"

namespace tessera::test {

class TOptionListHost {
public:
  struct TSetup {
    bool DialogKeys = false;  // OK and Cancel buttons, and IsDialogMessage in Pump
    UINT Dpi = 0;             // 0: the window's
    SIZE Client{440, 420};    // at 96 DPI
    bool Show = true;
  };

  TOptionListHost();
  explicit TOptionListHost(const TSetup& setup);
  ~TOptionListHost();
  TOptionListHost(const TOptionListHost&) = delete;
  TOptionListHost& operator=(const TOptionListHost&) = delete;

  HWND Window() const noexcept { return FWindow; }
  TvOptionList& List() noexcept { return *FList; }
  HWND Ok() const noexcept { return FOk; }
  HWND Cancel() const noexcept { return FCancel; }
  HFONT Font() const noexcept { return static_cast<HFONT>(FFont.get()); }
  int TextHeight() const noexcept { return FTextHeight; }
  UINT Dpi() const noexcept { return FDpi; }

  // A new list in place of the old one, at the host's DPI again (Wine without a window manager waits two
  // seconds for every top-level window that goes, so tests keep their host and renew its list).
  void ResetList(UINT dpi = 0);
  // The host's DPI changes: a new font at that DPI, the layout, WM_SETFONT and the list's DpiChanged.
  void ChangeDpi(UINT dpi);
  // Handles messages for ms milliseconds (at least one round).
  void Pump(DWORD ms = 50);
  // Handles messages until the condition holds; false on time-out.
  bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000);
  // Brings the window to the foreground and gives the list the focus.
  void Activate();

  int OkClicks = 0;
  int CancelClicks = 0;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Layout();
  void CreateList();

  TSetup FSetup;
  HWND FWindow = nullptr;
  HWND FOk = nullptr;
  HWND FCancel = nullptr;
  UniqueGdiObject FFont;
  int FTextHeight = 0;
  UINT FDpi = 96;
  std::unique_ptr<TvOptionList> FList;
};

}  // namespace tessera::test
