#include "config/optionlist/PopupListBox.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Error.h"
#include "base/Module.h"
#include "base/ResourceString.h"
#include "config/optionlist/OptionList.h"
#include "config/optionlist/OptionListDraw.h"
#include "config/optionlist/OptionListErrors.h"
#include "config/optionlist/OptionListRules.h"
#include "config/optionlist/RowEditor.h"
#include "config/optionlist/ValueEditor.h"
#include "config/optionlist/optionlist_strings.h"
#include "settings/IntegerOption.h"

namespace tessera {
namespace {

constexpr UINT kEntryTextFlags = DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER;  // 0x924

// The colour a colour option's value string stands for.
COLORREF EntryColor(const TCustomInheritingOption* _option, int _index) {
  if (const auto* integer = dynamic_cast<const TCustomInheritingIntegerOption*>(_option))
    return PaintColorOf(integer->ValueFromValueStringIndex(_index));
  return 0;
}

}  // namespace

TvPopupListBox::TvPopupListBox(TvOptionList& optionList) : FOptionList(optionList) {
  FHandle = ::CreateWindowExW(0, L"LISTBOX", nullptr,
                              WS_CHILD | WS_VSCROLL | WS_CLIPSIBLINGS | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS |
                                  LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                              0, 0, 0, 0, optionList.Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), GetCurrentModule(), nullptr);
  if (FHandle) ::SetWindowSubclass(FHandle, &PopupProc, 0, reinterpret_cast<DWORD_PTR>(this));
  ApplyBorder();
}

TvPopupListBox::~TvPopupListBox() {
  FDestroying = true;
  if (FHandle) {
    ::RemoveWindowSubclass(FHandle, &PopupProc, 0);
    ::DestroyWindow(FHandle);
  }
}

bool TvPopupListBox::Visible() const noexcept {
  return FHandle && (::GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TvPopupListBox::ApplyBorder() {
  if (!FHandle) return;
  // A sunken edge of its own where the button theme is open, a plain line otherwise.
  const bool themed = FOptionList.DrawTools().ButtonTheme != nullptr;
  LONG_PTR style = ::GetWindowLongPtrW(FHandle, GWL_STYLE);
  LONG_PTR exStyle = ::GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
  style = themed ? (style & ~static_cast<LONG_PTR>(WS_BORDER)) : (style | WS_BORDER);
  exStyle = themed ? (exStyle | WS_EX_CLIENTEDGE) : (exStyle & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
  ::SetWindowLongPtrW(FHandle, GWL_STYLE, style);
  ::SetWindowLongPtrW(FHandle, GWL_EXSTYLE, exStyle);
  ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TvPopupListBox::Refresh() {
  ApplyBorder();
  FInternalList.SetMetrics(FOptionList.Metrics());
  if (FHandle) {
    ::SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FOptionList.DrawTools().Font()), FALSE);
    for (int i = 0; i < FInternalList.Count(); ++i)
      ::SendMessageW(FHandle, LB_SETITEMHEIGHT, static_cast<WPARAM>(i), FInternalList.ItemHeight(i));
    ::InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TvPopupListBox::Hide(bool focusEditor) {
  if (!FHandle) return;
  ::ShowWindow(FHandle, SW_HIDE);
  if (focusEditor && !FDestroying && FRowEditor) FRowEditor->FocusEditControl();
}

void TvPopupListBox::PopupAtPos(const RECT& rect) {
  if (!FOption) throw TesseraError(ResString(IDS_OL_ERR_NO_POPUP_OPTION));
  ApplyBorder();
  ::SetWindowPos(FHandle, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW);
  ::SetFocus(FHandle);
}

bool TvPopupListBox::SetOptionAndFill(TCustomInheritingOption* option) {
  FOption = option;
  return FillItems();
}

bool TvPopupListBox::BuildEntries() {
  FInternalList.SetMetrics(FOptionList.Metrics());
  const TPopupTexts texts{FOptionList.LangStrValueInherit(), FOptionList.LangStrValueEdit(),
                          FOptionList.LangStrValueLoadDefault()};
  return FInternalList.BuildEntries(FOption, texts);
}

bool TvPopupListBox::FillItems() {
  const bool any = BuildEntries();
  if (!FHandle) return any;
  ::SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(FHandle, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < FInternalList.Count(); ++i)
    ::SendMessageW(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FInternalList.GetItem(i).Text().c_str()));
  ::SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  ::SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
  return any;
}

namespace {

// The popup's border: its size beyond the client area, the scroll bar aside.
RECT NonClient(HWND _popup) {
  RECT frame{0, 0, 0, 0};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(_popup, GWL_STYLE) & ~WS_VSCROLL), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(_popup, GWL_EXSTYLE)));
  return frame;
}

}  // namespace

int TvPopupListBox::DesiredHeight() const {
  const RECT frame = NonClient(FHandle);
  return FInternalList.ItemsHeight(kPopupVisibleEntries) + (frame.bottom - frame.top);
}

int TvPopupListBox::DesiredWidth() const {
  // The border, and the scroll bar when there are more entries than the popup shows at once.
  const RECT frame = NonClient(FHandle);
  int nonClient = frame.right - frame.left;
  if (FInternalList.Count() > kPopupVisibleEntries) nonClient += ::GetSystemMetrics(SM_CXVSCROLL);

  const TDrawTools& tools = FOptionList.DrawTools();
  const TListMetrics& m = FInternalList.Metrics();
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, tools.Font());
  int widest = 0;
  for (int i = 0; i < FInternalList.Count(); ++i) {
    const TListItem& item = FInternalList.GetItem(i);
    SIZE size{};
    ::GetTextExtentPoint32W(screen, item.Text().c_str(), static_cast<int>(item.Text().size()), &size);
    // The text starts right of the entry's box, if it has one.
    const RECT row{0, 0, 0, m.RowHeight};
    const int offset = item.HasVisualControl() ? VisualControlRect(row, 0, m).right + m.Px(4) : m.Px(2);
    widest = std::max(widest, static_cast<int>(offset + size.cx));
  }
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return nonClient + widest + m.Px(10);
}

void TvPopupListBox::ChooseSelected() {
  const int index = static_cast<int>(::SendMessageW(FHandle, LB_GETCURSEL, 0, 0));
  if (!FInternalList.ValidIndex(index)) {
    Hide();
    return;
  }
  FInternalList.SelectedIndex = index;
  const TPopupChoice choice = ChooseEntry(FOption, FInternalList, index);
  if (choice.EditRequested && FRowEditor) {
    Hide();
    FRowEditor->EditButtonClick();
  }
  if (!FRowEditor) throw TesseraError(ResString(IDS_OL_ERR_NO_ROW_EDITOR));
  ::InvalidateRect(FRowEditor->Handle(), nullptr, FALSE);
  FRowEditor->LoadEditor();
  if (choice.Close) {
    Hide();
  } else {
    ::InvalidateRect(FHandle, nullptr, FALSE);  // the check marks changed
  }
}

void TvPopupListBox::MeasureItem(MEASUREITEMSTRUCT& item) const {
  item.itemHeight = static_cast<UINT>(std::max(1, FInternalList.ItemHeight(static_cast<int>(item.itemID))));
}

void TvPopupListBox::DrawEntry(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  const RECT rect = item.rcItem;
  ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_WINDOW));
  const int index = static_cast<int>(item.itemID);
  if (!FInternalList.ValidIndex(index)) return;
  const TListItem& entry = FInternalList.GetItem(index);
  const TListMetrics& m = FInternalList.Metrics();
  const TDrawTools& tools = FOptionList.DrawTools();
  RECT area = rect;
  if (entry.HasSeparator()) area.top += m.Px(3);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  if (selected) ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_HIGHLIGHT));
  int offset = m.Px(2);
  if (entry.HasVisualControl()) {
    const COLORREF color = entry.VisualControlType() == vcColorBox ? EntryColor(FOption, index) : 0;
    const RECT box = VisualControlRect(area, 0, m);
    DrawVisualControl(dc, tools, box, entry.VisualControlType(), entry.VisualControlChecked(FOption, index), true,
                      color, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    offset = box.right + m.Px(4) - area.left;
  }
  if (entry.HasSeparator()) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, rect.left + 1, rect.top + 1, nullptr);
    ::LineTo(dc, rect.right - 1, rect.top + 1);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
  }
  HGDIOBJ oldFont = ::SelectObject(dc, tools.Font());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text = area;
  text.left += offset;
  ::DrawTextW(dc, entry.Text().c_str(), static_cast<int>(entry.Text().size()), &text, kEntryTextFlags);
  ::SelectObject(dc, oldFont);
}

LRESULT CALLBACK TvPopupListBox::PopupProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
  auto* popup = reinterpret_cast<TvPopupListBox*>(self);
  try {
    return popup->HandleMessage(message, wParam, lParam);
  } catch (...) {
    popup->FOptionList.ReportError(CurrentErrorMessage());
  }
  return 0;
}

LRESULT TvPopupListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return ClaimDialogKeys(::DefSubclassProc(FHandle, message, wParam, lParam), reinterpret_cast<MSG*>(lParam));
    case WM_KEYDOWN: {
      FSwallowChar = false;
      const WORD vk = static_cast<WORD>(wParam);
      switch (PopupKeyAction(vk)) {
        case TPopupKeyAction::Choose:
          FSwallowChar = true;
          ChooseSelected();
          return 0;
        case TPopupKeyAction::Hide:
          FSwallowChar = true;
          Hide();
          return 0;
        case TPopupKeyAction::Default:
          break;
      }
      // Opened with nothing selected, the list box's first key would only select its caret entry: Down and
      // Home pick the first entry, Up and End the last, the page keys move from the first.
      if (::SendMessageW(FHandle, LB_GETCURSEL, 0, 0) == LB_ERR && FInternalList.Count() > 0) {
        const int last = FInternalList.Count() - 1;
        if (vk == VK_DOWN || vk == VK_HOME || vk == VK_UP || vk == VK_END) {
          ::SendMessageW(FHandle, LB_SETCURSEL, vk == VK_DOWN || vk == VK_HOME ? 0 : last, 0);
          return 0;
        }
        if (vk == VK_NEXT || vk == VK_PRIOR) ::SendMessageW(FHandle, LB_SETCURSEL, 0, 0);
      }
      break;
    }
    case WM_CHAR:
      if (FSwallowChar) {
        FSwallowChar = false;
        return 0;
      }
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = ::DefSubclassProc(FHandle, message, wParam, lParam);
      RECT client{};
      ::GetClientRect(FHandle, &client);
      if (::PtInRect(&client, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}))
        ChooseSelected();
      return result;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      Hide();
      return 0;
    case WM_CONTEXTMENU:
      return 0;
    case WM_KILLFOCUS: {
      const LRESULT result = ::DefSubclassProc(FHandle, message, wParam, lParam);
      // The focus is going elsewhere (Tab, a click outside): it is not taken back.
      Hide(false);
      return result;
    }
    case WM_NCDESTROY: {
      FDestroying = true;
      ::RemoveWindowSubclass(FHandle, &PopupProc, 0);
      HWND window = FHandle;
      FHandle = nullptr;
      return ::DefSubclassProc(window, message, wParam, lParam);
    }
    default:
      break;
  }
  return ::DefSubclassProc(FHandle, message, wParam, lParam);
}

}  // namespace tessera
