// The enable/disable dialog of the shell extension: four buttons that run regsvr32.exe on the DLL beside the
// program for the current user or (elevated) for all users, and Close. It shows no state.
#pragma once

#include <windows.h>

#include "base/Handles.h"

namespace tessera {

// Places, in pixels at dpi, of the dialog's client area and its controls, from its layout at 96 DPI.
struct TRegisterShellExtLayout {
  SIZE Client;
  RECT lblInfo, butEnableCurrent, butEnableAll, butDisableCurrent, butDisableAll, butClose;
};
TRegisterShellExtLayout RegisterShellExtLayout(UINT dpi);

// The top-left corner that centres a window of size on owner, kept inside workArea.
POINT CentreOnOwner(const RECT& owner, SIZE size, const RECT& workArea);

// Control identifiers; Close is IDCANCEL, so that Esc and the title bar's close button press it.
enum : int {
  idEnableCurrent = 101,
  idEnableAll = 102,
  idDisableCurrent = 103,
  idDisableAll = 104,
  idInfo = 105,
};

class TfrmRegisterShellExt {
public:
  explicit TfrmRegisterShellExt(HWND owner) noexcept : FOwner(owner) {}
  TfrmRegisterShellExt(const TfrmRegisterShellExt&) = delete;
  TfrmRegisterShellExt& operator=(const TfrmRegisterShellExt&) = delete;
  ~TfrmRegisterShellExt();

  // Shows the dialog modally (the owner is disabled meanwhile) until it is closed. Throws the system error
  // when the dialog cannot be created.
  void ShowModal();
  // Creates the dialog without a modal loop of its own and shows it; it goes when closed or destroyed.
  HWND ShowModeless();
  HWND Handle() const noexcept { return FHandle; }

private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void FormClose();
  void FormDpiChanged(UINT dpi, const RECT& suggested);
  void LayoutControls();
  void PlaceOnOwner();
  void butEnableCurrentClick();
  void butEnableAllClick();
  void butDisableCurrentClick();
  void butDisableAllClick();
  void butCloseClick();
  void RegisterShellExtension(bool enable, bool currentUser);

  HWND FOwner;
  HWND FHandle = nullptr;
  bool FModal = false;
  bool FCreateFailed = false;
  UINT FDpi = 96;
  UniqueGdiObject FFont;
  HWND lblInfo = nullptr;
  HWND butEnableCurrent = nullptr;
  HWND butEnableAll = nullptr;
  HWND butDisableCurrent = nullptr;
  HWND butDisableAll = nullptr;
  HWND butClose = nullptr;
};

// What the settings window calls (its menu item and its start-up check): a fresh dialog, modal over owner,
// gone when it closes. Errors are shown in the error box; nothing is thrown.
void ShowShellExtensionDialog(HWND owner) noexcept;

}  // namespace tessera
