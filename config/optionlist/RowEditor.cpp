#include "config/optionlist/RowEditor.h"

#include "base/Handles.h"
#include "base/Module.h"
#include "config/optionlist/OptionList.h"
#include "config/optionlist/OptionListErrors.h"
#include "config/optionlist/OptionListRules.h"
#include "config/optionlist/ValueEditor.h"
#include "config/optionlist/WindowFocus.h"

namespace tessera {
namespace {

constexpr wchar_t kClassName[] = L"TesseraOptionRowEditor";
constexpr int kRowEditorId = 2;

void RegisterClassOnce(WNDPROC _windowProc) {
  static const bool registered = [&] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = _windowProc;
    wc.hInstance = GetCurrentModule();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

TRowEditor::TRowEditor(TvOptionList& optionList) : FOptionListLink(optionList) {
  RegisterClassOnce(&WindowProc);
  ::CreateWindowExW(0, kClassName, nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                    optionList.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRowEditorId)),
                    GetCurrentModule(), this);
  FValueEditBox = std::make_unique<TValueEditor>(*this);
  FBtnDropDown = std::make_unique<TFlatButton>(FHandle, TFlatGlyph::DropDown);
  FBtnEditValue = std::make_unique<TFlatButton>(FHandle, TFlatGlyph::Ellipsis);
  // The buttons' clicks arrive in their own window procedure: errors are reported from here.
  FBtnDropDown->OnClick = [this] {
    try {
      DropDownClick();
    } catch (...) {
      FOptionListLink.ReportError(CurrentErrorMessage());
    }
  };
  FBtnEditValue->OnClick = [this] {
    try {
      EditButtonClick();
    } catch (...) {
      FOptionListLink.ReportError(CurrentErrorMessage());
    }
  };
  RefreshGlyphs();
}

TRowEditor::~TRowEditor() {
  FBtnEditValue.reset();
  FBtnDropDown.reset();
  FValueEditBox.reset();
  if (FHandle) ::DestroyWindow(FHandle);
}

HWND TRowEditor::DropDownButton() const noexcept { return FBtnDropDown ? FBtnDropDown->Handle() : nullptr; }
HWND TRowEditor::EditButton() const noexcept { return FBtnEditValue ? FBtnEditValue->Handle() : nullptr; }

bool TRowEditor::Visible() const noexcept {
  return FHandle && (::GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TRowEditor::Show(const RECT& row, TCustomInheritingOption* option, int indent, int splitterPos) {
  Hide();
  FSplitterPosition = splitterPos;
  SetSelectedOption(option);
  FIndent = indent;
  Placed(row);
  ::ShowWindow(FHandle, SW_SHOWNA);
  ::InvalidateRect(FHandle, nullptr, FALSE);
  FocusEditControl();
}

void TRowEditor::Hide() {
  if (!Visible()) return;
  const bool hadFocus = HoldsFocus(FHandle);
  ::ShowWindow(FHandle, SW_HIDE);
  // A hidden window may keep the focus; the list takes it, and the edit box commits on losing it.
  if (hadFocus && HoldsFocus(FHandle)) ::SetFocus(FOptionListLink.Handle());
}

void TRowEditor::MoveTo(const RECT& row) { Placed(row); }

void TRowEditor::Discard() noexcept {
  FSelectedOption = nullptr;
  if (FValueEditBox) FValueEditBox->Forget();
}

void TRowEditor::Placed(const RECT& row) {
  ::SetWindowPos(FHandle, nullptr, row.left, row.top, row.right - row.left, row.bottom - row.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateLayout();
}

void TRowEditor::FocusEditControl() {
  HWND edit = FValueEditBox ? FValueEditBox->Handle() : nullptr;
  if (edit && ::GetFocus() != edit && FOptionListLink.CanTakeFocus(edit)) ::SetFocus(edit);
}

void TRowEditor::SetSplitterAndWidth(int splitterPos, int width) {
  RECT client{};
  ::GetClientRect(FHandle, &client);
  if (splitterPos == FSplitterPosition && width == client.right) return;
  FSplitterPosition = splitterPos;
  if (width != client.right)
    ::SetWindowPos(FHandle, nullptr, 0, 0, width, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  UpdateLayout();
  ::InvalidateRect(FHandle, nullptr, FALSE);
}

void TRowEditor::SetSplitterPosition(int value) {
  if (value == FSplitterPosition) return;
  FSplitterPosition = value;
  UpdateLayout();
  ::InvalidateRect(FHandle, nullptr, FALSE);
}

void TRowEditor::SetSelectedOption(TCustomInheritingOption* option) {
  // What was typed belongs to the option shown so far; a value it cannot take is reported, and the new option
  // is shown all the same.
  try {
    CommitEdit();
  } catch (...) {
    FOptionListLink.ReportError(CurrentErrorMessage());
  }
  FSelectedOption = option;
  UpdateLayout();
  LoadEditor();
}

void TRowEditor::UpdateLayout() {
  if (!FHandle) return;
  if (!FSelectedOption) {
    FCaption.clear();
    ::SetWindowTextW(FHandle, L"");
    return;
  }
  FCaption = FSelectedOption->GetCaption();
  ::SetWindowTextW(FHandle, FCaption.c_str());
  RECT client{};
  ::GetClientRect(FHandle, &client);
  const TRowEditorLayout layout =
      RowEditorLayout(client.right, client.bottom, FSplitterPosition, FSelectedOption->HasFlag(flShowEditButton),
                      FSelectedOption->GetHasVisualControl(), FOptionListLink.Metrics());
  const bool enabled = FSelectedOption->GetEnabled();
  auto place = [&](HWND window, const RECT& r, bool visible) {
    if (!window) return;
    ::SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  };
  ::EnableWindow(DropDownButton(), enabled);
  ::EnableWindow(EditButton(), enabled);
  place(DropDownButton(), layout.DropDown, layout.DropDownVisible);
  place(EditButton(), layout.EditButton, layout.EditButtonVisible);
  place(FValueEditBox->Handle(), layout.Edit, true);
}

void TRowEditor::LoadEditor() { FValueEditBox->SetOption(FSelectedOption); }

void TRowEditor::CommitEdit() { FValueEditBox->Commit(); }

void TRowEditor::EditButtonClick() {
  CommitEdit();
  FOptionListLink.DoEditButtonClick(FSelectedOption);
  ::InvalidateRect(FHandle, nullptr, FALSE);
  LoadEditor();
  FocusEditControl();
}

void TRowEditor::DropDownClick() {
  if (FOptionListLink.IsPopupVisible()) {
    FOptionListLink.HidePopup();
    FocusEditControl();
  } else {
    ShowPopup();
  }
}

void TRowEditor::VisualControlClick(TCustomInheritingOption* option) {
  if (!option || !option->GetEnabled()) return;
  if (option->GetVisualControlType() == vcColorBox) {
    EditButtonClick();
    return;
  }
  option->VisualControlClicked();
  ::InvalidateRect(FHandle, nullptr, FALSE);
  LoadEditor();
  FocusEditControl();
}

bool TRowEditor::HitVisualControl(int x, int y) const {
  if (!FSelectedOption || !FSelectedOption->GetHasVisualControl()) return false;
  RECT client{};
  ::GetClientRect(FHandle, &client);
  const RECT box = VisualControlRect(client, FOptionListLink.SplitterPosition(), FOptionListLink.Metrics());
  return ::PtInRect(&box, POINT{x, y}) != FALSE;
}

void TRowEditor::RefreshGlyphs() {
  for (TFlatButton* button : {FBtnDropDown.get(), FBtnEditValue.get()}) {
    if (!button) continue;
    button->SetDpi(FOptionListLink.Dpi());
    button->Refresh();
  }
}

void TRowEditor::ShowPopup() {
  if (!FSelectedOption || !FSelectedOption->GetEnabled()) return;
  // The popup shows the option as it is with what was typed: its check marks come from the option.
  CommitEdit();
  FOptionListLink.ShowPopup();
}

void TRowEditor::SelectNextRow() { FOptionListLink.SelectNextRow(); }
void TRowEditor::SelectPreviousRow() { FOptionListLink.SelectPreviousRow(); }

void TRowEditor::MouseDown(bool doubleClick, int x, int y) {
  switch (RowEditorLeftDown(doubleClick, FOptionListLink.IsOnSplitter(x), HitVisualControl(x, y))) {
    case TEditorMouseAction::DoubleClick:
      FValueEditBox->DblClick();
      break;
    case TEditorMouseAction::BeginSplitterDrag:
      FOptionListLink.BeginSplitterDrag();
      break;
    case TEditorMouseAction::VisualControlClick:
      VisualControlClick(FSelectedOption);
      break;
    case TEditorMouseAction::FocusEdit:
      FocusEditControl();
      break;
  }
}

void TRowEditor::MouseMove(int x, int y) {
  RECT r{};
  ::GetWindowRect(FHandle, &r);
  ::MapWindowPoints(nullptr, FOptionListLink.Handle(), reinterpret_cast<POINT*>(&r), 2);
  ::SendMessageW(FOptionListLink.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x + r.left, y + r.top));
}

void TRowEditor::EditFocusChanged() {
  ::InvalidateRect(FHandle, nullptr, FALSE);
  FOptionListLink.NotifyAccessibleFocus();
}

void TRowEditor::Paint(HDC dc) const {
  RECT client{};
  ::GetClientRect(FHandle, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  // Drawn off the screen first, so that the row never flickers.
  HDC memory = ::CreateCompatibleDC(dc);
  UniqueGdiObject bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
  HGDIOBJ old = ::SelectObject(memory, bitmap.get());
  if (FSelectedOption) {
    const bool focused = FValueEditBox && ::GetFocus() == FValueEditBox->Handle();
    DrawOptionRow(memory, FOptionListLink.DrawTools(), client, *FSelectedOption, focused, true,
                  FSelectedOption->GetEnabled(), FIndent, FSplitterPosition);
  } else {
    ::FillRect(memory, &client, ::GetSysColorBrush(COLOR_WINDOW));
  }
  ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
}

LRESULT CALLBACK TRowEditor::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<TRowEditor*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->FHandle = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<TRowEditor*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    self->FOptionListLink.ReportError(CurrentErrorMessage());
  }
  return 0;
}

LRESULT TRowEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
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
    case WM_SIZE:
      UpdateLayout();
      return 0;
    case WM_SETFOCUS:
      FocusEditControl();  // the row editor never keeps the focus itself
      return 0;
    case WM_LBUTTONDOWN:
      MouseDown(false, x, y);
      return 0;
    case WM_LBUTTONDBLCLK:
      MouseDown(true, x, y);
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(x, y);
      return 0;
    case WM_LBUTTONUP:
      if (FOptionListLink.DraggingDivider()) FOptionListLink.EndSplitterDrag();
      return 0;
    case WM_CONTEXTMENU:
      ShowPopup();
      return 0;
    case WM_VSCROLL:
      return ::SendMessageW(FOptionListLink.Handle(), message, wParam, lParam);
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT p{};
        ::GetCursorPos(&p);
        ::ScreenToClient(FHandle, &p);
        ::SetCursor(FOptionListLink.CursorAt(p.x));
        return TRUE;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      const bool enabled = FSelectedOption && FSelectedOption->GetEnabled();
      ::SetTextColor(dc, enabled ? ValueColor() : ::GetSysColor(COLOR_GRAYTEXT));
      ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    default:
      break;
  }
  return ::DefWindowProcW(FHandle, message, wParam, lParam);
}

}  // namespace tessera
