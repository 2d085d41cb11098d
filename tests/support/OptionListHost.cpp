#include "support/OptionListHost.h"

#include <cwchar>

#include "config/optionlist/OptionListDpi.h"

namespace tessera::test {
namespace {

constexpr wchar_t kClassName[] = L"TesseraOptionListHost";
constexpr int kListId = 100;

UniqueGdiObject CreateHostFont(UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(8, static_cast<int>(dpi), 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  ::wcsncpy(font.lfFaceName, L"Tahoma", LF_FACESIZE - 1);
  return UniqueGdiObject(::CreateFontIndirectW(&font));
}

int TextHeightOf(HFONT font) {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, font);
  SIZE size{};
  ::GetTextExtentPoint32W(screen, L"Ij", 2, &size);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return size.cy;
}

}  // namespace

TOptionListHost::TOptionListHost() : TOptionListHost(TSetup{}) {}

TOptionListHost::TOptionListHost(const TSetup& setup) : FSetup(setup) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  FWindow = ::CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"Option list host",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 40, 40, 200,
                              200, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
  if (setup.DialogKeys) {
    FOk = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                            FWindow, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    FCancel = ::CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0,
                                0, FWindow, reinterpret_cast<HMENU>(IDCANCEL), nullptr, nullptr);
  }
  ResetList(setup.Dpi);
  if (setup.Show) {
    ::ShowWindow(FWindow, SW_SHOW);
    ::UpdateWindow(FWindow);
  }
}

TOptionListHost::~TOptionListHost() {
  FList.reset();
  if (FWindow) ::DestroyWindow(FWindow);
}

void TOptionListHost::ResetList(UINT dpi) {
  FList.reset();
  FDpi = dpi ? dpi : WindowDpi(FWindow);
  FFont = CreateHostFont(FDpi);
  FTextHeight = TextHeightOf(Font());
  FList = std::make_unique<TvOptionList>(FWindow, kListId);
  FList->OnGetFormTextHeight = [this](TvOptionList&, int& height) { height = FTextHeight; };
  for (HWND child : {FList->Handle(), FOk, FCancel})
    if (child) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
  // The tab order: the list first.
  ::SetWindowPos(FList->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (FList->Dpi() != FDpi) FList->DpiChanged(FDpi);
  OkClicks = CancelClicks = 0;
  Layout();
}

void TOptionListHost::Layout() {
  auto px = [&](int v) { return ::MulDiv(v, static_cast<int>(FDpi), 96); };
  RECT outer{0, 0, px(FSetup.Client.cx), px(FSetup.Client.cy)};
  ::AdjustWindowRectEx(&outer, static_cast<DWORD>(::GetWindowLongPtrW(FWindow, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(FWindow, GWL_EXSTYLE)));
  RECT current{};
  ::GetWindowRect(FWindow, &current);
  ::SetWindowPos(FWindow, nullptr, current.left, current.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  ::GetClientRect(FWindow, &client);
  const int margin = px(8), buttonHeight = px(23), buttonWidth = px(75);
  const int listBottom = FOk ? client.bottom - margin - buttonHeight - margin : client.bottom - margin;
  ::MoveWindow(FList->Handle(), margin, margin, client.right - 2 * margin, listBottom - margin, TRUE);
  if (FOk) {
    const int top = client.bottom - margin - buttonHeight;
    ::MoveWindow(FCancel, client.right - margin - buttonWidth, top, buttonWidth, buttonHeight, TRUE);
    ::MoveWindow(FOk, client.right - 2 * (margin + buttonWidth), top, buttonWidth, buttonHeight, TRUE);
  }
}

void TOptionListHost::ChangeDpi(UINT dpi) {
  FDpi = dpi;
  FFont = CreateHostFont(dpi);
  FTextHeight = TextHeightOf(Font());
  Layout();
  for (HWND child : {FList->Handle(), FOk, FCancel})
    if (child) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
  FList->DpiChanged(dpi);
}

void TOptionListHost::Pump(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (FSetup.DialogKeys && ::IsDialogMessageW(FWindow, &msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (::GetTickCount() - start >= ms) break;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (true);
}

bool TOptionListHost::PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    Pump(10);
  }
  return true;
}

void TOptionListHost::Activate() {
  ::SetForegroundWindow(FWindow);
  ::SetActiveWindow(FWindow);
  ::SetFocus(FList->Handle());
  Pump(30);
}

LRESULT CALLBACK TOptionListHost::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    ::SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* host = reinterpret_cast<TOptionListHost*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (host && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (LOWORD(wParam) == IDOK) ++host->OkClicks;
    if (LOWORD(wParam) == IDCANCEL) ++host->CancelClicks;
    return 0;
  }
  if (host && message == WM_SYSCOLORCHANGE && host->FList) ::SendMessageW(host->FList->Handle(), message, wParam, lParam);
  if (message == WM_NCDESTROY && host) host->FWindow = nullptr;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tessera::test
