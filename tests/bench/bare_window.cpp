// The baseline of bench_config_start: a bare Win32 program that opens a window of the settings window's size
// with one owner-drawn virtual list box of 30 rows, each painted with one text.
#include <windows.h>

#include <string>

namespace {

constexpr int kListId = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA |
                                        LBS_NOINTEGRALHEIGHT,
                                    18, 40, 548, 440, window, reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
      ::SendMessageW(list, LB_SETCOUNT, 30, 0);
      ::SetFocus(list);
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const std::wstring text = L"Row " + std::to_wstring(item->itemID);
      ::FillRect(item->hDC, &item->rcItem, ::GetSysColorBrush(COLOR_WINDOW));
      RECT r = item->rcItem;
      ::DrawTextW(item->hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      return TRUE;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"TBareWindow";
  ::RegisterClassW(&wc);
  HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 600,
                                  600, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
