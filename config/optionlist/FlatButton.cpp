#include "config/optionlist/FlatButton.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "base/Handles.h"
#include "base/Module.h"

namespace tessera {
namespace {

constexpr wchar_t kClassName[] = L"TesseraFlatButton";

void RegisterClassOnce(WNDPROC _windowProc) {
  static const bool registered = [&] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = _windowProc;
    wc.hInstance = GetCurrentModule();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

void DrawFlatGlyph(HDC dc, const RECT& rect, TFlatGlyph glyph, COLORREF color, UINT dpi) {
  const int cell = ::MulDiv(10, static_cast<int>(dpi), 96);
  const int x0 = rect.left + (rect.right - rect.left - cell) / 2;
  const int y0 = rect.top + (rect.bottom - rect.top - cell) / 2;
  auto at = [&](int v) { return ::MulDiv(v, static_cast<int>(dpi), 96); };
  UniqueGdiObject brush(::CreateSolidBrush(color));
  if (glyph == TFlatGlyph::Ellipsis) {
    // Three dots: (1,6)-(3,8), (4,6)-(6,8), (7,6)-(9,8) of the cell.
    for (int left : {1, 4, 7}) {
      RECT dot{x0 + at(left), y0 + at(6), x0 + at(left + 2), y0 + at(8)};
      ::FillRect(dc, &dot, static_cast<HBRUSH>(brush.get()));
    }
    return;
  }
  // A filled triangle (1,4), (7,4), (4,7) pointing down.
  UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, color));
  HGDIOBJ oldPen = ::SelectObject(dc, pen.get());
  HGDIOBJ oldBrush = ::SelectObject(dc, brush.get());
  const POINT corners[] = {{x0 + at(1), y0 + at(4)}, {x0 + at(7), y0 + at(4)}, {x0 + at(4), y0 + at(7)}};
  ::Polygon(dc, corners, 3);
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, oldPen);
}

TFlatButton::TFlatButton(HWND parent, TFlatGlyph glyph) : FGlyph(glyph) {
  RegisterClassOnce(&WindowProc);
  ::CreateWindowExW(0, kClassName, nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr,
                    GetCurrentModule(), this);
  OpenTheme();
}

TFlatButton::~TFlatButton() {
  if (FTheme) ::CloseThemeData(static_cast<HTHEME>(FTheme));
  if (FHandle) ::DestroyWindow(FHandle);
}

void TFlatButton::SetDpi(UINT dpi) {
  if (dpi == FDpi) return;
  FDpi = dpi;
  Refresh();
}

void TFlatButton::Refresh() {
  OpenTheme();
  if (FHandle) ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TFlatButton::OpenTheme() {
  if (FTheme) ::CloseThemeData(static_cast<HTHEME>(FTheme));
  FTheme = nullptr;
  if (FHandle && ::IsAppThemed() && ::IsThemeActive()) FTheme = ::OpenThemeData(FHandle, L"TOOLBAR");
}

LRESULT CALLBACK TFlatButton::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<TFlatButton*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->FHandle = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<TFlatButton*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // Painting and the mouse state raise nothing of their own; a click's handler reports its errors itself.
    return 0;
  }
}

LRESULT TFlatButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(FHandle, &ps);
      Paint(dc);
      ::EndPaint(FHandle, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      if (!FHot) {
        FHot = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        ::TrackMouseEvent(&track);
        ::InvalidateRect(FHandle, nullptr, FALSE);
      }
      if (FPressed) {
        RECT client;
        ::GetClientRect(FHandle, &client);
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const bool hot = ::PtInRect(&client, p) != FALSE;
        if (hot != FHot) {
          FHot = hot;
          ::InvalidateRect(FHandle, nullptr, FALSE);
        }
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      FHot = false;
      ::InvalidateRect(FHandle, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FPressed = true;
      ::SetCapture(FHandle);
      ::InvalidateRect(FHandle, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      const bool click = FPressed && FHot;
      FPressed = false;
      if (::GetCapture() == FHandle) ::ReleaseCapture();
      ::InvalidateRect(FHandle, nullptr, FALSE);
      if (click && OnClick) OnClick();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (FPressed) {
        FPressed = false;
        ::InvalidateRect(FHandle, nullptr, FALSE);
      }
      return 0;
    case WM_ENABLE:
      ::InvalidateRect(FHandle, nullptr, FALSE);
      return 0;
    case WM_THEMECHANGED:
      Refresh();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(FHandle, message, wParam, lParam);
}

void TFlatButton::Paint(HDC dc) const {
  RECT r;
  ::GetClientRect(FHandle, &r);
  const bool enabled = ::IsWindowEnabled(FHandle) != FALSE;
  ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
  if (FTheme) {
    int state = TS_NORMAL;
    if (!enabled)
      state = TS_DISABLED;
    else if (FPressed && FHot)
      state = TS_PRESSED;
    else if (FHot)
      state = TS_HOT;
    ::DrawThemeBackground(static_cast<HTHEME>(FTheme), dc, TP_BUTTON, state, &r, nullptr);
  } else if (enabled && (FHot || FPressed)) {
    RECT edge = r;
    ::DrawEdge(dc, &edge, FPressed && FHot ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  RECT glyph = r;
  if (FPressed && FHot) ::OffsetRect(&glyph, 1, 1);
  DrawFlatGlyph(dc, glyph, FGlyph, ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT), FDpi);
}

}  // namespace tessera
