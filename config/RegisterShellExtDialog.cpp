#include "config/RegisterShellExtDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Error.h"
#include "base/Module.h"
#include "base/ResourceString.h"
#include "config/Dpi.h"
#include "config/ErrorBox.h"
#include "config/ShellExtRegistration.h"
#include "config/UiFont.h"
#include "config/config_strings.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;

RECT Scaled(int left, int top, int width, int height, UINT dpi) {
  int l = ScaleForDpi(left, dpi), t = ScaleForDpi(top, dpi);
  return RECT{l, t, l + ScaleForDpi(width, dpi), t + ScaleForDpi(height, dpi)};
}

// An empty dialog: the controls are made in code, at the dialog's DPI, with the program's font.
struct TEmptyDialogTemplate {
  DLGTEMPLATE Header;
  WORD Menu, WindowClass, Title;
};

TEmptyDialogTemplate DialogTemplate() {
  TEmptyDialogTemplate t{};
  t.Header.style = kDialogStyle;
  t.Header.dwExtendedStyle = kDialogExStyle;
  return t;
}

}  // namespace

TRegisterShellExtLayout RegisterShellExtLayout(UINT dpi) {
  TRegisterShellExtLayout layout{};
  layout.Client = SIZE{ScaleForDpi(268, dpi), ScaleForDpi(312, dpi)};
  layout.lblInfo = Scaled(17, 16, 233, 73, dpi);
  layout.butEnableCurrent = Scaled(17, 88, 233, 25, dpi);
  layout.butEnableAll = Scaled(17, 122, 233, 25, dpi);
  layout.butDisableCurrent = Scaled(17, 168, 233, 25, dpi);
  layout.butDisableAll = Scaled(17, 203, 233, 25, dpi);
  layout.butClose = Scaled(170, 263, 80, 23, dpi);
  return layout;
}

POINT CentreOnOwner(const RECT& owner, SIZE size, const RECT& workArea) {
  LONG left = owner.left + (owner.right - owner.left - size.cx) / 2;
  LONG top = owner.top + (owner.bottom - owner.top - size.cy) / 2;
  // Wholly on the work area where it fits; its top-left corner stays visible where it does not.
  left = std::max(workArea.left, std::min(left, workArea.right - size.cx));
  top = std::max(workArea.top, std::min(top, workArea.bottom - size.cy));
  return POINT{left, top};
}

TfrmRegisterShellExt::~TfrmRegisterShellExt() {
  if (FHandle && !FModal) ::DestroyWindow(FHandle);
}

void TfrmRegisterShellExt::ShowModal() {
  TEmptyDialogTemplate t = DialogTemplate();
  FModal = true;
  INT_PTR result = ::DialogBoxIndirectParamW(GetCurrentModule(), &t.Header, FOwner, DialogProc,
                                             reinterpret_cast<LPARAM>(this));
  FModal = false;
  // A failure while the controls were made has been shown already.
  if (result == -1 && !FCreateFailed) RaiseLastOSError();
}

HWND TfrmRegisterShellExt::ShowModeless() {
  TEmptyDialogTemplate t = DialogTemplate();
  HWND dialog = ::CreateDialogIndirectParamW(GetCurrentModule(), &t.Header, FOwner, DialogProc,
                                             reinterpret_cast<LPARAM>(this));
  if (!dialog) RaiseLastOSError();
  ::ShowWindow(dialog, SW_SHOW);
  return dialog;
}

INT_PTR CALLBACK TfrmRegisterShellExt::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TfrmRegisterShellExt*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<TfrmRegisterShellExt*>(lParam);
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->FHandle = dialog;
  }
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  // Nothing may leave a window procedure: an error ends in the error box.
  bool done = CallReportingErrors(dialog, [&] { result = self->HandleMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->FHandle = nullptr;
  }
  if (!done && message == WM_INITDIALOG) {
    // A dialog that could not be built is not left half made.
    self->FCreateFailed = true;
    if (self->FModal) ::EndDialog(dialog, -1);
    else ::DestroyWindow(dialog);
  }
  return result;
}

INT_PTR TfrmRegisterShellExt::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return FALSE;  // the focus is set: Close, first in the tab order
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      switch (LOWORD(wParam)) {
        case idEnableCurrent: butEnableCurrentClick(); return TRUE;
        case idEnableAll: butEnableAllClick(); return TRUE;
        case idDisableCurrent: butDisableCurrentClick(); return TRUE;
        case idDisableAll: butDisableAllClick(); return TRUE;
        case IDCANCEL: butCloseClick(); return TRUE;
      }
      return FALSE;
    case WM_DPICHANGED:
      FormDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
  }
  return FALSE;
}

void TfrmRegisterShellExt::FormCreate() {
  KeepDialogDpiLayoutToItself(FHandle);
  ::SetWindowTextW(FHandle, ResString(IDS_REGDLG_CAPTION).c_str());
  HINSTANCE instance = GetCurrentModule();
  auto make = [&](const wchar_t* windowClass, unsigned textId, DWORD style, int id) {
    HWND control = ::CreateWindowExW(0, windowClass, ResString(textId).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0,
                                     0, 0, FHandle, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                     nullptr);
    if (!control) RaiseLastOSError();
    return control;
  };
  // Creation order is tab order: Close first, then the four buttons from top to bottom.
  lblInfo = make(WC_STATICW, IDS_REGDLG_INFO, SS_LEFT | SS_NOPREFIX, idInfo);
  butClose = make(WC_BUTTONW, IDS_REGDLG_CLOSE, WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
  butEnableCurrent = make(WC_BUTTONW, IDS_REGDLG_ENABLE_CURRENT, WS_TABSTOP | BS_PUSHBUTTON, idEnableCurrent);
  butEnableAll = make(WC_BUTTONW, IDS_REGDLG_ENABLE_ALL, WS_TABSTOP | BS_PUSHBUTTON, idEnableAll);
  butDisableCurrent = make(WC_BUTTONW, IDS_REGDLG_DISABLE_CURRENT, WS_TABSTOP | BS_PUSHBUTTON, idDisableCurrent);
  butDisableAll = make(WC_BUTTONW, IDS_REGDLG_DISABLE_ALL, WS_TABSTOP | BS_PUSHBUTTON, idDisableAll);
  // The two buttons for all users ask for elevation; their captions leave room for the shield.
  ::SendMessageW(butEnableAll, BCM_SETSHIELD, 0, TRUE);
  ::SendMessageW(butDisableAll, BCM_SETSHIELD, 0, TRUE);

  // The dialog opens over the middle of its owner, so it takes the owner's DPI (WM_DPICHANGED follows if
  // it lands on another monitor).
  FDpi = GetWindowDpi(FOwner ? FOwner : FHandle);
  LayoutControls();
  PlaceOnOwner();
  ::SetFocus(butClose);
}

void TfrmRegisterShellExt::LayoutControls() {
  FFont = CreateUiFont(FDpi);
  const TRegisterShellExtLayout layout = RegisterShellExtLayout(FDpi);
  const std::pair<HWND, const RECT*> places[] = {
      {lblInfo, &layout.lblInfo},           {butEnableCurrent, &layout.butEnableCurrent},
      {butEnableAll, &layout.butEnableAll}, {butDisableCurrent, &layout.butDisableCurrent},
      {butDisableAll, &layout.butDisableAll}, {butClose, &layout.butClose},
  };
  for (const auto& [control, place] : places) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
    MoveControl(control, *place);
  }
  ::InvalidateRect(FHandle, nullptr, TRUE);
}

// Outer size for the client size at the dialog's DPI.
static SIZE OuterSize(HWND dialog, SIZE client, UINT dpi) {
  return OuterSizeForDpi(client, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)),
                         static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi);
}

void TfrmRegisterShellExt::PlaceOnOwner() {
  const SIZE size = OuterSize(FHandle, RegisterShellExtLayout(FDpi).Client, FDpi);
  RECT owner{};
  bool restoredPlace = false;
  HMONITOR monitor = nullptr;
  if (FOwner && ::GetWindowRect(FOwner, &owner)) {
    // A minimized owner is centred on where it will be restored to, not on its icon.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    restoredPlace = ::IsIconic(FOwner) && ::GetWindowPlacement(FOwner, &placement);
    if (restoredPlace) owner = placement.rcNormalPosition;
    monitor = ::MonitorFromRect(&owner, MONITOR_DEFAULTTONEAREST);
  } else {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    monitor = ::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
  }
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(monitor, &info);
  if (restoredPlace)  // the restored place is in work-area coordinates
    ::OffsetRect(&owner, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
  if (!FOwner) owner = info.rcWork;  // no owner: the middle of the work area
  const POINT at = CentreOnOwner(owner, size, info.rcWork);
  ::SetWindowPos(FHandle, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmRegisterShellExt::FormDpiChanged(UINT dpi, const RECT& suggested) {
  FDpi = dpi;
  LayoutControls();
  const SIZE size = OuterSize(FHandle, RegisterShellExtLayout(FDpi).Client, FDpi);
  ::SetWindowPos(FHandle, nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmRegisterShellExt::butEnableCurrentClick() { RegisterShellExtension(true, true); }
void TfrmRegisterShellExt::butEnableAllClick() { RegisterShellExtension(true, false); }
void TfrmRegisterShellExt::butDisableCurrentClick() { RegisterShellExtension(false, true); }
void TfrmRegisterShellExt::butDisableAllClick() { RegisterShellExtension(false, false); }
void TfrmRegisterShellExt::butCloseClick() { FormClose(); }

void TfrmRegisterShellExt::FormClose() {
  // The dialog goes with its window: each opening gets a fresh one.
  if (FModal) ::EndDialog(FHandle, IDCANCEL);
  else ::DestroyWindow(FHandle);
}

void TfrmRegisterShellExt::RegisterShellExtension(bool enable, bool currentUser) {
  // The same refusal for disabling: a registration made from a share would point to the share.
  if (IsNetworkDrive(GetModulePath())) throw TesseraError(ResString(IDS_REGDLG_NETWORK_SHARE));
  RunRegSvr32(FHandle, ShellExtDllPath(), currentUser, enable);
}

void ShowShellExtensionDialog(HWND owner) noexcept {
  CallReportingErrors(owner, [&] {
    TfrmRegisterShellExt dialog(owner);
    dialog.ShowModal();
  });
}

}  // namespace tessera
