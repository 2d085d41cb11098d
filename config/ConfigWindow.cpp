#include "config/ConfigWindow.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "base/Error.h"
#include "base/PathUtils.h"
#include "base/ProductInfo.h"
#include "base/ResourceString.h"
#include "base/StringUtils.h"
#include "config/ConfigLayout.h"
#include "config/Dpi.h"
#include "config/ErrorBox.h"
#include "config/MoreActions.h"
#include "config/RegisterShellExtDialog.h"
#include "config/ShellExtRegistration.h"
#include "config/UiFont.h"
#include "config/WebAddresses.h"
#include "config/WindowsVersion.h"
#include "config/config_strings.h"
#include "settings/Globals.h"
#include "settings/StringOption.h"
#include "shellutils/Clipboard.h"
#include "shellutils/Registry.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr UINT_PTR kStartupTimer = 1;
constexpr UINT kStartupDelayMs = 500;
constexpr int kMainIconId = 1;

SIZE OuterSize(SIZE client, UINT dpi) { return OuterSizeForDpi(client, kStyle, kExStyle, dpi); }

SIZE ScaledSize(SIZE size96, UINT dpi) { return SIZE{ScaleForDpi(size96.cx, dpi), ScaleForDpi(size96.cy, dpi)}; }

std::wstring ProgramFolderWithoutBackslash() {
  std::wstring folder = GetModuleFolder();
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

std::wstring RegistryKeyPath() { return std::wstring(L"SOFTWARE\\") + kCompanyName + L"\\" + kProductName; }

// The "angle-down" glyph of the More button, drawn for the DPI in the button-text colour on a mask colour.
UniqueImageList CreateAngleDownImages(UINT dpi) {
  const int side = ScaleForDpi(10, dpi);
  UniqueImageList images(::ImageList_Create(side, side, ILC_COLOR24 | ILC_MASK, 1, 0));
  if (!images) return images;
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  UniqueGdiObject bitmap(::CreateCompatibleBitmap(screen, side, side));
  ::ReleaseDC(nullptr, screen);
  if (!dc || !bitmap) {
    if (dc) ::DeleteDC(dc);
    return images;
  }
  constexpr COLORREF kMask = RGB(255, 0, 255);
  HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap.get());
  RECT all{0, 0, side, side};
  UniqueGdiObject background(::CreateSolidBrush(kMask));
  ::FillRect(dc, &all, static_cast<HBRUSH>(background.get()));
  const LOGBRUSH brushOf{BS_SOLID, ::GetSysColor(COLOR_BTNTEXT), 0};
  // One pixel wide per 96 DPI, whole pixels only: a thicker stroke fills the small glyph in.
  const int width = std::max(1, static_cast<int>(dpi / kDefaultDpi));
  UniqueGdiObject pen(::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER, width,
                                     &brushOf, 0, nullptr));
  HGDIOBJ oldPen = ::SelectObject(dc, pen.get());
  // A chevron: from the upper left down to the middle and up to the upper right.
  const int s = side;
  POINT points[] = {{s * 2 / 10, s * 4 / 10}, {s / 2, s * 7 / 10}, {s - s * 2 / 10, s * 4 / 10}};
  if (points[2].x - points[1].x != points[1].x - points[0].x) points[2].x = 2 * points[1].x - points[0].x;
  ::Polyline(dc, points, 3);
  ::SelectObject(dc, oldPen);
  ::SelectObject(dc, oldBitmap);
  ::DeleteDC(dc);
  ::ImageList_AddMasked(images.get(), static_cast<HBITMAP>(bitmap.get()), kMask);
  return images;
}

}  // namespace

TfrmConfig::~TfrmConfig() {
  if (FHandle) ::DestroyWindow(FHandle);
}

void TfrmConfig::Create(int showCommand) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(kMainIconId));
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kConfigWindowClass;
  if (!::GetClassInfoExW(instance, kConfigWindowClass, &wc) && !::RegisterClassExW(&wc)) RaiseLastOSError();

  const UINT dpi = GetSystemDpi();
  const SIZE outer = OuterSize(ScaledSize(kConfigClientSize96, dpi), dpi);
  HWND window = ::CreateWindowExW(kExStyle, kConfigWindowClass, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx,
                                  outer.cy, nullptr, nullptr, instance, this);
  if (!window) RaiseLastOSError();
  FormShow();
  ::ShowWindow(FHandle, showCommand);
  ::UpdateWindow(FHandle);
}

bool TfrmConfig::PreTranslateMessage(MSG& msg) {
  if (!FHandle || (msg.hwnd != FHandle && !::IsChild(FHandle, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
    CallReportingErrors(FHandle, [&] { ShowHelp(FHandle); });
    return true;
  }
  return ::IsDialogMessageW(FHandle, &msg) != FALSE;
}

LRESULT CALLBACK TfrmConfig::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TfrmConfig*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<TfrmConfig*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->FHandle = window;
  }
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  // Nothing may leave a window procedure: an error ends in the error box and the program goes on.
  if (!CallReportingErrors(window, [&] { result = self->HandleMessage(message, wParam, lParam); }) &&
      message == WM_CREATE) {
    return -1;
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
  }
  return result;
}

LRESULT TfrmConfig::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) FormResize();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = ScaleForDpi(kConfigMinOuterSize96.cx, FDpi);
      info->ptMinTrackSize.y = ScaleForDpi(kConfigMinOuterSize96.cy, FDpi);
      return 0;
    }
    case WM_DPICHANGED:
      FormAfterMonitorDpiChanged(FDpi, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ACTIVATE:
      FormActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_NEXTDLGCTL:
      // The dialog keys (Tab, Shift+Tab, a label's mnemonic) ask the window to move the focus, as a dialog's
      // own procedure would.
      NextControl(LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : nullptr, wParam != 0);
      return 0;
    case WM_COMMAND:
      if (HandleCommand(LOWORD(wParam))) return 0;
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == lblLink && (header->code == NM_CLICK || header->code == NM_RETURN)) {
        lblLinkLinkClick(reinterpret_cast<const NMLINK*>(lParam)->item.szUrl);
        return 0;
      }
      break;
    }
    case WM_TIMER:
      if (wParam == kStartupTimer) {
        timerStartupTimer();
        return 0;
      }
      break;
    case WM_INITMENUPOPUP:
      if (reinterpret_cast<HMENU>(wParam) == pmnuMore.get()) pmnuMorePopup();
      return 0;
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
      // The glyph is drawn in the button-text colour; the controls hear of the change themselves.
      if (message == WM_SYSCOLORCHANGE && lbOptions) ::SendMessageW(lbOptions->Handle(), message, wParam, lParam);
      ApplyFontAndGlyph();
      break;
    case WM_DESTROY:
      FormDestroy();
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(FHandle, message, wParam, lParam);
}

bool TfrmConfig::HandleCommand(int id) {
  switch (id) {
    case idOK: butOKClick(); return true;
    case idApply: butApplyClick(); return true;
    case IDCANCEL: butCancelClick(); return true;
    case IDOK: return true;  // Enter with no default button: nothing
    case idMore: butMoreClick(); return true;
    case idRestoreDefaults: Restoredefaultsettings1Click(); return true;
    case idEnableShellExtension: mnuEnableShellExtensionClick(); return true;
    case idCheckForUpdate: mnuCheckForUpdateClick(); return true;
    case idCopySystemInfo: mnuCopySystemInfoClick(); return true;
    case idHelp: mnuHelpClick(); return true;
  }
  return false;
}

void TfrmConfig::FormCreate() {
  FDpi = GetWindowDpi(FHandle);
  ::SetWindowTextW(FHandle, GetProgramCaption().c_str());
  CreateControls();
  BuildMoreMenu();
  ApplyFontAndGlyph();
  // The window opens at its size for the DPI of where it is (the system DPI was only a first guess).
  const SIZE outer = OuterSize(ScaledSize(kConfigClientSize96, FDpi), FDpi);
  ::SetWindowPos(FHandle, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetTimer(FHandle, kStartupTimer, kStartupDelayMs, nullptr);

  Options = std::make_unique<TOptions>(GetSettingsFileName());
  // A settings file that cannot be read is reported; the window opens with what was read and the defaults.
  CallReportingErrors(FHandle, [&] { Options->Load(); });
}

void TfrmConfig::CreateControls() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto make = [&](const wchar_t* windowClass, const std::wstring& text, DWORD style, int id, DWORD exStyle = 0) {
    HWND control = ::CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                     FHandle, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!control) RaiseLastOSError();
    return control;
  };
  // Creation order is tab order: the label (its mnemonic reaches the list after it), the list, More, OK,
  // Cancel, Apply, the link.
  lblOptions = make(WC_STATICW, ResString(IDS_CFG_OPTIONS_LABEL), SS_LEFT | SS_ENDELLIPSIS, idOptionsLabel);
  lbOptions = std::make_unique<TvOptionList>(FHandle, idOptions);
  lbOptions->OnGetFormTextHeight = [this](TvOptionList&, int& textHeight) {
    textHeight = lbOptionsGetFormTextHeight();
  };
  lbOptions->OnEditButtonClick = [this](TvOptionList&, TCustomInheritingOption* option) {
    lbOptionsEditButtonClick(option);
  };
  lbOptions->OnValueModified = [this](TvOptionList&, TCustomInheritingOption* option) {
    lbOptionsValueModified(option);
  };
  lbOptions->OnError = [this](const std::wstring& message) { ShowErrorBox(FHandle, message); };
  butMore = make(WC_BUTTONW, ResString(IDS_CFG_MORE), WS_TABSTOP | BS_PUSHBUTTON, idMore);
  butOK = make(WC_BUTTONW, ResString(IDS_CFG_OK), WS_TABSTOP | BS_PUSHBUTTON, idOK);
  butCancel = make(WC_BUTTONW, ResString(IDS_CFG_CANCEL), WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
  butApply = make(WC_BUTTONW, ResString(IDS_CFG_APPLY), WS_TABSTOP | BS_PUSHBUTTON, idApply);
  lblLink = make(WC_LINK, FormatText(TResText{IDS_CFG_LINK}, kWebSiteAddress, kWebSiteHost), WS_TABSTOP, idLink);
}

void TfrmConfig::BuildMoreMenu() {
  pmnuMore.reset(::CreatePopupMenu());
  if (!pmnuMore) RaiseLastOSError();
  HMENU menu = pmnuMore.get();
  ::AppendMenuW(menu, MF_STRING, idRestoreDefaults, ResString(IDS_CFG_RESTORE_DEFAULTS).c_str());
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);  // N3
  ::AppendMenuW(menu, MF_STRING, idEnableShellExtension, ResString(IDS_CFG_ENABLE_SHELLEXT).c_str());
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);  // N1
  ::AppendMenuW(menu, MF_STRING, idCheckForUpdate, ResString(IDS_CFG_CHECK_UPDATE).c_str());
  ::AppendMenuW(menu, MF_STRING, idCopySystemInfo, ResString(IDS_CFG_COPY_SYSINFO).c_str());
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);  // N2
  ::AppendMenuW(menu, MF_STRING, idHelp, ResString(IDS_CFG_HELP).c_str());
}

void TfrmConfig::ApplyFontAndGlyph() {
  // The old font and glyphs stay alive until every control has let go of them.
  UniqueGdiObject oldFont = std::move(FFont);
  UniqueImageList oldImages = std::move(ilSmallImages);
  FFont = CreateUiFont(FDpi);
  for (HWND control : {lblOptions, butMore, butOK, butCancel, butApply, lblLink}) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
  }
  if (lbOptions) ::SendMessageW(lbOptions->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
  ilSmallImages = CreateAngleDownImages(FDpi);
  BUTTON_IMAGELIST glyph{};
  glyph.himl = ilSmallImages.get();
  glyph.margin.right = ScaleForDpi(4, FDpi);
  glyph.uAlign = BUTTON_IMAGELIST_ALIGN_RIGHT;
  ::SendMessageW(butMore, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&glyph));
  LayoutControls();
  ::InvalidateRect(FHandle, nullptr, TRUE);
}

int TfrmConfig::lbOptionsGetFormTextHeight() const { return FontTextHeight(static_cast<HFONT>(FFont.get()), L"Ij"); }

SIZE TfrmConfig::LinkSize() const {
  // The label's own size: its visible text (the address's host) in the window's font, plus the room the
  // control keeps for its focus rectangle.
  HDC dc = ::GetDC(FHandle);
  HGDIOBJ old = ::SelectObject(dc, FFont.get());
  SIZE text{};
  ::GetTextExtentPoint32W(dc, kWebSiteHost, static_cast<int>(::wcslen(kWebSiteHost)), &text);
  ::SelectObject(dc, old);
  ::ReleaseDC(FHandle, dc);
  return SIZE{text.cx + 2, text.cy + 2};
}

void TfrmConfig::LayoutControls() {
  if (!lbOptions || !FFont) return;
  RECT client{};
  ::GetClientRect(FHandle, &client);
  const TConfigLayout l = ConfigWindowLayout(client.right, client.bottom, FDpi, lbOptionsGetFormTextHeight(), LinkSize());
  MoveControl(lblOptions, l.lblOptions);
  MoveControl(lblLink, l.lblLink);
  MoveControl(butApply, l.butApply);
  MoveControl(butCancel, l.butCancel);
  MoveControl(butOK, l.butOK);
  MoveControl(butMore, l.butMore);
  MoveControl(lbOptions->Handle(), l.lbOptions);
}

void TfrmConfig::FormShow() {
  lbOptions->SetOptionStore(&Options->OptionStore());
  lbOptions->SetSplitterPosition(ScaleForDpi(170, FDpi));
  // Centred on the work area of the monitor under the mouse, where the user is looking.
  POINT cursor{};
  ::GetCursorPos(&cursor);
  HMONITOR monitor = ::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!monitor || !::GetMonitorInfoW(monitor, &info)) {
    monitor = ::MonitorFromWindow(FHandle, MONITOR_DEFAULTTONEAREST);
    ::GetMonitorInfoW(monitor, &info);
  }
  RECT window{};
  ::GetWindowRect(FHandle, &window);
  const SIZE size = FitToWorkArea(SIZE{window.right - window.left, window.bottom - window.top},
                                  ScaledSize(kConfigMinOuterSize96, FDpi), info.rcWork);
  const POINT at = CentreOnWorkArea(info.rcWork, size);
  ::SetWindowPos(FHandle, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmConfig::FormActivate(bool active) {
  if (!active) {
    // Remembered so that coming back to the window puts the user where they were.
    HWND focus = ::GetFocus();
    FLastFocus = focus && ::IsChild(FHandle, focus) ? focus : nullptr;
    return;
  }
  // The option list passes the focus on to the edit box of its selected row.
  HWND target = FLastFocus && ::IsWindow(FLastFocus) && ::IsChild(FHandle, FLastFocus) ? FLastFocus : nullptr;
  if (!target && lbOptions) target = lbOptions->Handle();
  if (target) ::SetFocus(target);
}

void TfrmConfig::NextControl(HWND control, bool previous) {
  HWND target = control ? control : ::GetNextDlgTabItem(FHandle, ::GetFocus(), previous ? TRUE : FALSE);
  if (!target) return;
  ::SetFocus(target);
  // An edit box reached with the keyboard has its text selected, ready to be typed over.
  if (::SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageW(target, EM_SETSEL, 0, -1);
}

void TfrmConfig::FormResize() {
  LayoutControls();
}

void TfrmConfig::FormAfterMonitorDpiChanged(UINT oldDpi, UINT newDpi, const RECT& suggested) {
  FDpi = newDpi;
  const int splitter = lbOptions->SplitterPosition();
  ApplyFontAndGlyph();
  lbOptions->SetSplitterPosition(::MulDiv(splitter, static_cast<int>(newDpi), static_cast<int>(oldDpi)));
  ::SetWindowPos(FHandle, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
}

void TfrmConfig::FormDestroy() {
  ::KillTimer(FHandle, kStartupTimer);
  // The list lets go of the store before the settings it belongs to go.
  if (lbOptions) lbOptions->SetOptionStore(nullptr);
  Options.reset();
}

void TfrmConfig::ApplySettings() {
  // An edit still in the edit box belongs to what is saved, however the button was pressed (a click moves
  // the focus and commits it; a mnemonic does not).
  lbOptions->SavePendingEdit();
  // The program's folder and version for other tools; a failure here does not stop the save.
  WriteRegistryString(HKEY_CURRENT_USER, RegistryKeyPath(), L"Dir", ProgramFolderWithoutBackslash());
  WriteRegistryString(HKEY_CURRENT_USER, RegistryKeyPath(), L"Version", kVersionText);
  Options->Save();
}

void TfrmConfig::butApplyClick() { CallReportingErrors(FHandle, [&] { ApplySettings(); }); }

void TfrmConfig::butOKClick() {
  // A save that failed keeps the window open with the user's edits: closing would lose them.
  if (CallReportingErrors(FHandle, [&] { ApplySettings(); })) ::DestroyWindow(FHandle);
}

void TfrmConfig::butCancelClick() { ::DestroyWindow(FHandle); }

void TfrmConfig::butMoreClick() {
  RECT button{};
  ::GetWindowRect(butMore, &button);
  // A popup menu of a window that is not in front would close at once.
  ::SetForegroundWindow(FHandle);
  ::TrackPopupMenu(pmnuMore.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.left, button.bottom, 0,
                   FHandle, nullptr);
}

void TfrmConfig::pmnuMorePopup() {
  // "Check for update" is there only when the update program is; it stands before "Copy system info".
  HMENU menu = pmnuMore.get();
  const bool present = ::GetMenuState(menu, idCheckForUpdate, MF_BYCOMMAND) != static_cast<UINT>(-1);
  const bool wanted = FileExists(GetRenewerFileName());
  if (present && !wanted) ::DeleteMenu(menu, idCheckForUpdate, MF_BYCOMMAND);
  if (!present && wanted) {
    ::InsertMenuW(menu, idCopySystemInfo, MF_BYCOMMAND | MF_STRING, idCheckForUpdate,
                  ResString(IDS_CFG_CHECK_UPDATE).c_str());
  }
}

void TfrmConfig::Restoredefaultsettings1Click() {
  if (::MessageBoxW(FHandle, ResString(IDS_CFG_RESTORE_QUESTION).c_str(), kProductName,
                    MB_YESNO | MB_ICONQUESTION) == IDYES) {
    lbOptions->LoadDefaultValues();
  }
}

void TfrmConfig::mnuEnableShellExtensionClick() { ShowShellExtensionDialog(FHandle); }

void TfrmConfig::mnuCheckForUpdateClick() {
  CallReportingErrors(FHandle, [&] { RunRenewer(false, L"/checknow"); });
}

void TfrmConfig::mnuCopySystemInfoClick() {
  HCURSOR old = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  ScopeExit restore([&] { ::SetCursor(old); });
  CallReportingErrors(FHandle, [&] { CopyTextToClipboard(BuildSystemInfoText(Options->OptionStore())); });
}

void TfrmConfig::mnuHelpClick() { ShowHelp(FHandle); }

void TfrmConfig::lblLinkLinkClick(const std::wstring& link) { OpenLink(FHandle, link); }

void TfrmConfig::timerStartupTimer() {
  ::KillTimer(FHandle, kStartupTimer);  // once
  if (!IsWindows7OrLater()) {
    ::MessageBoxW(FHandle, FormatText(TResText{IDS_CFG_OUTDATED_WINDOWS}, kWebSiteHost).c_str(), kProductName, MB_OK);
  }
  if (!IsShellExtensionEnabled()) ShowShellExtensionDialog(FHandle);
  RunRenewer(true, L"");
}

void TfrmConfig::lbOptionsEditButtonClick(TCustomInheritingOption* option) {
  auto* templateOption = dynamic_cast<TCustomInheritingStringOption*>(option);
  if (!templateOption || option->GetName() != L"SandboxTemplateFile") return;
  std::wstring folder = ExtractFilePath(templateOption->GetValue());
  if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = FHandle;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // The program's current folder stays where it was.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (::GetOpenFileNameW(&dialog)) templateOption->SetValue(file.data());
}

void TfrmConfig::lbOptionsValueModified(TCustomInheritingOption* option) {
  auto* sizes = dynamic_cast<TStringOption*>(option);
  if (!sizes || option->GetName() != L"ResizeImageSizes") return;
  if (auto invalid = FirstInvalidImageSize(sizes->GetValue())) {
    ::MessageBoxW(FHandle, FormatText(TResText{IDS_CFG_BAD_IMAGE_SIZE}, invalid->c_str()).c_str(), kProductName,
                  MB_OK | MB_ICONERROR);
  }
}

}  // namespace tessera
