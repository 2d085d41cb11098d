#include "config/optionlist/ValueEditor.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "base/Module.h"
#include "config/optionlist/OptionList.h"
#include "config/optionlist/OptionListErrors.h"
#include "config/optionlist/OptionListRules.h"
#include "config/optionlist/RowEditor.h"
#include "settings/StringOption.h"
#include "shellutils/Clipboard.h"

namespace tessera {
namespace {

// The edit box's text starts where the list draws the values of the other rows: no inner margins (a new font
// brings its own, so they are set again after each one).
void SetFont(HWND edit, HFONT font, bool redraw) {
  ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

std::wstring EditText(HWND edit) {
  const int length = ::GetWindowTextLengthW(edit);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(edit, text.data(), length + 1)));
  return text;
}

bool IsKeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

TValueEditor::TValueEditor(TRowEditor& rowEditor) : FRowEditor(rowEditor) {
  FHandle = ::CreateWindowExW(0, L"EDIT", nullptr, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_NOHIDESEL, 0, 0, 0, 0,
                              rowEditor.Handle(), nullptr, GetCurrentModule(), nullptr);
  if (FHandle) ::SetWindowSubclass(FHandle, &EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

TValueEditor::~TValueEditor() {
  if (FHandle) {
    ::RemoveWindowSubclass(FHandle, &EditProc, 0);
    ::DestroyWindow(FHandle);
  }
}

void TValueEditor::SetOption(TCustomInheritingOption* option) {
  FOption = option;
  Reload();
}

bool TValueEditor::Modified() const noexcept {
  return FHandle && ::SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
}

void TValueEditor::Reload() {
  if (!FHandle) return;
  std::wstring text;
  bool readOnly = false;
  int maxLength = 0;
  FBold = false;
  if (FOption) {
    text = FOption->GetValueAsTextWithInherit();
    FBold = FOption->GetValueOrInheritChangedFromDefaultUI();
    readOnly = !FOption->GetEnabled() || FOption->HasFlag(flReadOnlyEdit);
    // Every option sets its own limit, so that a text option's limit never stays on the options after it.
    if (const auto* string = dynamic_cast<const TCustomInheritingStringOption*>(FOption))
      maxLength = std::max(0, string->GetMaxLength());
  }
  const TDrawTools& tools = FRowEditor.OptionList().DrawTools();
  SetFont(FHandle, FBold ? tools.BoldFont() : tools.Font(), false);
  ::SendMessageW(FHandle, EM_SETREADONLY, readOnly, 0);
  ::SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  if (EditText(FHandle) != text) ::SetWindowTextW(FHandle, text.c_str());
  ::SendMessageW(FHandle, EM_SETMODIFY, FALSE, 0);
  ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TValueEditor::ApplyFont() {
  const TDrawTools& tools = FRowEditor.OptionList().DrawTools();
  if (FHandle) SetFont(FHandle, FBold ? tools.BoldFont() : tools.Font(), true);
}

void TValueEditor::Commit() {
  if (!FHandle || !FOption || !Modified() || !FOption->GetEnabled()) return;
  const std::wstring text = EditText(FHandle);
  // The flag goes first: a conversion that fails must not be tried again at every focus change.
  ::SendMessageW(FHandle, EM_SETMODIFY, FALSE, 0);
  struct TReloadAfterwards {
    TValueEditor& Editor;
    ~TReloadAfterwards() {
      Editor.Reload();
      ::InvalidateRect(Editor.FRowEditor.Handle(), nullptr, FALSE);
    }
  } reload{*this};
  FOption->SetValueAsText(text);
}

void TValueEditor::ToggleOptionValue() {
  if (!FOption) return;
  FOption->ToggleValue(true);
  ::InvalidateRect(FRowEditor.Handle(), nullptr, FALSE);
  FRowEditor.LoadEditor();
}

void TValueEditor::ClearSelection() {
  if (FHandle) ::SendMessageW(FHandle, EM_SETSEL, 0, 0);
}

void TValueEditor::DblClick() {
  if (!FOption || !FOption->GetEnabled()) return;
  if (FOption->HasFlag(flShowEditButton)) {
    ClearSelection();
    FRowEditor.EditButtonClick();
  } else {
    ToggleOptionValue();
  }
}

bool TValueEditor::KeyDown(WORD vk) {
  const TEditKeyAction action = EditKeyAction(vk, IsKeyDown(VK_CONTROL), IsKeyDown(VK_SHIFT), FOption);
  switch (action) {
    case TEditKeyAction::Default:
      return false;
    case TEditKeyAction::Consume:
      break;
    case TEditKeyAction::Commit:
      Commit();
      ::SendMessageW(FHandle, EM_SETSEL, 0, -1);
      break;
    case TEditKeyAction::Reload:
      Reload();
      break;
    case TEditKeyAction::ShowPopup:
      FRowEditor.ShowPopup();
      break;
    case TEditKeyAction::Toggle:
      ToggleOptionValue();
      break;
    case TEditKeyAction::SelectPrevious:
      FRowEditor.SelectPreviousRow();
      break;
    case TEditKeyAction::SelectNext:
      FRowEditor.SelectNextRow();
      break;
    case TEditKeyAction::CopyCaption:
      if (FOption) CopyTextToClipboard(FOption->GetCaption());
      break;
  }
  return true;
}

LRESULT CALLBACK TValueEditor::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
  auto* editor = reinterpret_cast<TValueEditor*>(self);
  try {
    return editor->HandleMessage(message, wParam, lParam);
  } catch (...) {
    editor->FRowEditor.OptionList().ReportError(CurrentErrorMessage());
  }
  (void)window;
  return 0;
}

LRESULT TValueEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return ClaimDialogKeys(::DefSubclassProc(FHandle, message, wParam, lParam), reinterpret_cast<MSG*>(lParam));
    case WM_KEYDOWN:
      FSwallowChar = false;
      if (KeyDown(static_cast<WORD>(wParam))) {
        FSwallowChar = true;
        return 0;
      }
      break;
    case WM_CHAR:
      if (FSwallowChar) {
        FSwallowChar = false;
        return 0;
      }
      break;
    case WM_KILLFOCUS:
      // Leaving the edit box by any way (a click elsewhere, Tab, the host's buttons) keeps what was typed.
      try {
        Commit();
      } catch (...) {
        FRowEditor.OptionList().ReportError(CurrentErrorMessage());
      }
      ClearSelection();
      break;
    case WM_SETFOCUS: {
      const LRESULT result = ::DefSubclassProc(FHandle, message, wParam, lParam);
      // Arriving by keyboard the whole value is selected, so that typing replaces it; a click places the caret.
      if (!(::GetKeyState(VK_LBUTTON) & 0x8000) && !(::GetKeyState(VK_RBUTTON) & 0x8000))
        ::SendMessageW(FHandle, EM_SETSEL, 0, -1);
      FRowEditor.EditFocusChanged();
      return result;
    }
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = ::DefSubclassProc(FHandle, message, wParam, lParam);
      DblClick();
      return result;
    }
    case WM_CONTEXTMENU:
      FRowEditor.ShowPopup();  // instead of the edit box's own menu
      return 0;
    case WM_MOUSEMOVE: {
      const LRESULT result = ::DefSubclassProc(FHandle, message, wParam, lParam);
      RECT r;
      ::GetWindowRect(FHandle, &r);
      ::MapWindowPoints(nullptr, FRowEditor.Handle(), reinterpret_cast<POINT*>(&r), 2);
      FRowEditor.MouseMove(static_cast<short>(LOWORD(lParam)) + r.left, static_cast<short>(HIWORD(lParam)) + r.top);
      return result;
    }
    case WM_NCDESTROY: {
      ::RemoveWindowSubclass(FHandle, &EditProc, 0);
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
