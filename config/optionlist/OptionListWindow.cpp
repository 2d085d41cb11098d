// The option list's window procedure and its parent's: painting, the mouse, the keyboard and the messages of
// the system; the decisions come from OptionListRules and OptionListGeometry.
#include "config/optionlist/OptionList.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Handles.h"
#include "config/optionlist/OptionListAccessible.h"
#include "config/optionlist/OptionListDpi.h"
#include "config/optionlist/OptionListErrors.h"
#include "config/optionlist/OptionListRules.h"
#include "config/optionlist/PopupListBox.h"
#include "config/optionlist/RowEditor.h"
#include "config/optionlist/WindowFocus.h"

#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace tessera {

LRESULT CALLBACK TvOptionList::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
  auto* list = reinterpret_cast<TvOptionList*>(self);
  try {
    return list->HandleMessage(message, wParam, lParam);
  } catch (...) {
    list->ReportError(CurrentErrorMessage());
  }
  (void)window;
  return 0;
}

LRESULT CALLBACK TvOptionList::ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self) {
  auto* list = reinterpret_cast<TvOptionList*>(self);
  switch (message) {
    case WM_MEASUREITEM: {
      // Sent while the list box is created (its handle is not known yet) and never again.
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item && item->CtlType == ODT_LISTBOX && static_cast<int>(item->CtlID) == list->FControlId &&
          (!list->FHandle || ::GetDlgItem(window, list->FControlId) == list->FHandle)) {
        item->itemHeight = static_cast<UINT>(list->Metrics().RowHeight);
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      // The list box draws rows of its own when its selection or focus changes; the list paints them itself,
      // from its own selection.
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item && list->FHandle && item->hwndItem == list->FHandle) {
        if (item->itemAction != ODA_FOCUS) ::InvalidateRect(list->FHandle, &item->rcItem, FALSE);
        return TRUE;
      }
      break;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(window, &ParentProc, id);
      list->FParent = nullptr;
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT TvOptionList::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefSubclassProc(FHandle, message, wParam, lParam);
}

LRESULT TvOptionList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  if (message == ShowErrorsMessage()) {
    ShowPendingErrors();
    return 0;
  }
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT: {
      RECT client{};
      ::GetClientRect(FHandle, &client);
      PaintRows(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_ERASEBKGND:
      EraseBelowRows(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_SIZE: {
      const LRESULT result = Default(message, wParam, lParam);
      Resized();
      return result;
    }
    case WM_SETFONT: {
      const LRESULT result = Default(message, wParam, lParam);
      FontChanged(reinterpret_cast<HFONT>(wParam));
      return result;
    }
    case WM_SETFOCUS: {
      const LRESULT result = Default(message, wParam, lParam);
      Repaint();
      FocusRowEditor();
      if (::GetFocus() == FHandle) NotifyAccessibleFocus();
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = Default(message, wParam, lParam);
      Repaint();
      return result;
    }
    case WM_KEYDOWN: {
      if (KeyDown(static_cast<WORD>(wParam))) return 0;
      const LRESULT result = Default(message, wParam, lParam);
      AfterScroll();
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      MouseDown(message, x, y);
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(x, y);
      return 0;
    case WM_LBUTTONUP:
      MouseUp();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == FHandle) {
        POINT p{};
        ::GetCursorPos(&p);
        ::ScreenToClient(FHandle, &p);
        ::SetCursor(CursorAt(p.x));
        return TRUE;
      }
      break;
    case WM_CAPTURECHANGED:
      if (FDraggingDivider && reinterpret_cast<HWND>(lParam) != FHandle) FDraggingDivider = false;
      break;
    case WM_CANCELMODE:
      if (FDraggingDivider) EndSplitterDrag();
      break;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case LB_SETTOPINDEX: {
      const LRESULT result = Default(message, wParam, lParam);
      AfterScroll();
      return result;
    }
    case WM_GETOBJECT:
      if (const LRESULT result = AnswerGetObject(FHandle, FAccessTarget, wParam, lParam)) return result;
      break;
    case WM_THEMECHANGED:
      OpenThemes();
      ApplyMetrics();
      break;
    case WM_SYSCOLORCHANGE:
      UpdateValueColor();
      FTools.Refresh(FFont);
      ApplyMetrics();
      break;
    case WM_DPICHANGED_AFTERPARENT:
      DpiChanged(WindowDpi(FHandle));
      return 0;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item && item->CtlID == TvPopupListBox::kControlId && FPopupListBox) {
        FPopupListBox->MeasureItem(*item);
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item && FPopupListBox && item->hwndItem == FPopupListBox->Handle()) {
        FPopupListBox->DrawEntry(*item);
        return TRUE;
      }
      break;
    }
    case WM_ENABLE:
      Repaint();
      break;
    case WM_NCDESTROY: {
      ::RemoveWindowSubclass(FHandle, &ListProc, 0);
      ::RemovePropW(FHandle, kObjectProperty);
      if (FParent) ::RemoveWindowSubclass(FParent, &ParentProc, reinterpret_cast<UINT_PTR>(this));
      FParent = nullptr;
      HWND window = FHandle;
      FHandle = nullptr;
      return ::DefSubclassProc(window, message, wParam, lParam);
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

// ---- painting

void TvOptionList::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(FHandle, &ps);
  RECT client{};
  ::GetClientRect(FHandle, &client);
  if (client.right > 0 && client.bottom > 0) {
    // One picture off the screen, copied at once: no row flickers while it is painted.
    if (!FBackBuffer || FBackBufferSize.cx != client.right || FBackBufferSize.cy != client.bottom) {
      FBackBuffer.reset(::CreateCompatibleBitmap(dc, client.right, client.bottom));
      FBackBufferSize = SIZE{client.right, client.bottom};
    }
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, FBackBuffer.get());
    PaintRows(memory, ps.rcPaint);
    ::BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
             ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
  }
  ::EndPaint(FHandle, &ps);
}

void TvOptionList::PaintRows(HDC dc, const RECT& clip) const {
  RECT client{};
  ::GetClientRect(FHandle, &client);
  const TListMetrics& m = Metrics();
  const int top = TopIndex();
  const int count = FDisplayList.Count();
  const bool focused = ::GetFocus() == FHandle;
  const int splitter = SplitterPosition();
  HGDIOBJ oldFont = ::SelectObject(dc, FTools.Font());
  for (int index = top + std::max(0L, clip.top) / std::max(1, m.RowHeight); index < count; ++index) {
    const RECT row = tessera::RowRect(index, top, client.right, m);
    if (row.top >= clip.bottom) break;
    const TDisplayItem& item = FDisplayList.GetItem(index);
    const bool selected = index == FSelectedIndex;
    if (item.ItemType() == diGroup && item.Group())
      DrawGroupRow(dc, FTools, row, *item.Group(), focused, selected, item.Enabled(), item.Indent(),
                   FDisplayList.GroupChanged(index));
    else if (item.Option())
      DrawOptionRow(dc, FTools, row, *item.Option(), focused, selected, item.Enabled(), item.Indent(), splitter);
  }
  ::SelectObject(dc, oldFont);
  EraseBelowRows(dc);
}

void TvOptionList::EraseBelowRows(HDC dc) const {
  RECT below{};
  ::GetClientRect(FHandle, &below);
  below.top = std::max(0, (FDisplayList.Count() - TopIndex()) * Metrics().RowHeight);
  if (below.top < below.bottom) ::FillRect(dc, &below, ::GetSysColorBrush(COLOR_WINDOW));
}

// ---- mouse and keyboard

bool TvOptionList::HitExpandBox(int index, int x, int y) const {
  if (!FDisplayList.IsGroup(index)) return false;
  const TDisplayItem& item = FDisplayList.GetItem(index);
  if (!item.Group() || !item.Group()->GetCanCollapse()) return false;
  const RECT box = ExpandBoxRect(RowRect(index), item.Indent(), Metrics());
  return ::PtInRect(&box, POINT{x, y}) != FALSE;
}

void TvOptionList::MouseDown(UINT message, int x, int y) {
  if (message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK) {
    if (FDisplayList.IsGroup(FSelectedIndex)) ToggleGroup(FSelectedIndex);
    return;
  }
  // A click takes the focus into the list, as it does in any list box.
  if (!HoldsFocus(FHandle)) ::SetFocus(FHandle);
  if (message == WM_RBUTTONDOWN) {
    if (FDraggingDivider) {
      EndSplitterDrag();
      return;
    }
    SelectRow(RowAtPoint(y, TopIndex(), FDisplayList.Count(), Metrics()), false);
    return;
  }
  if (IsOnSplitter(x)) {
    BeginSplitterDrag();
    return;
  }
  const int index = RowAtPoint(y, TopIndex(), FDisplayList.Count(), Metrics());
  SelectRow(index, false);
  switch (ListLeftDown(false, FDisplayList.IsGroup(index), HitExpandBox(index, x, y), FDisplayList.IsOption(index))) {
    case TListMouseAction::ToggleGroup:
      ToggleGroup(index);
      break;
    case TListMouseAction::ForwardToRowEditor:
      // One click on the box of any row toggles it: the editor that now covers the row gets the click.
      FRowEditor->MouseDown(false, x, y - RowRect(index).top);
      break;
    case TListMouseAction::BeginSplitterDrag:
    case TListMouseAction::None:
      break;
  }
}

void TvOptionList::MouseMove(int x, int /*y*/) {
  if (FDraggingDivider) SetSplitterPosition(x);
}

void TvOptionList::MouseUp() {
  if (FDraggingDivider) EndSplitterDrag();
  FocusRowEditor();
}

bool TvOptionList::KeyDown(WORD vk) {
  switch (ListKeyAction(vk, FDisplayList.IsGroup(FSelectedIndex))) {
    case TListKeyAction::ToggleGroup:
      ToggleGroup(FSelectedIndex);
      return true;
    case TListKeyAction::SelectPrevious:
      SelectPreviousRow();
      return true;
    case TListKeyAction::SelectNext:
      SelectNextRow();
      return true;
    case TListKeyAction::Default:
      break;
  }
  return false;
}

}  // namespace tessera
