#include "config/optionlist/OptionList.h"

#include <commctrl.h>

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Module.h"
#include "base/ResourceString.h"
#include "config/optionlist/OptionListAccessible.h"
#include "config/optionlist/OptionListDpi.h"
#include "config/optionlist/OptionListTexts.h"
#include "config/optionlist/PopupListBox.h"
#include "config/optionlist/RowEditor.h"
#include "config/optionlist/ValueEditor.h"
#include "config/optionlist/WindowFocus.h"
#include "config/optionlist/optionlist_strings.h"

namespace tessera {

TvOptionList::TvOptionList(HWND parent, int controlId)
    : FParent(parent),
      FLangStrInheritValue(ResString(IDS_OL_INHERIT)),
      FLangStrLoadDefaultValue(ResString(IDS_OL_LOAD_DEFAULT)),
      FLangStrEditValue(ResString(IDS_OL_EDIT)),
      FAccessTarget(std::make_shared<TAccessTarget>()) {
  FAccessTarget->List = this;
  // The parent's subclass comes first: the list box asks its parent for the row height while it is created,
  // and asks it to draw rows whenever it changes its own selection.
  ::SetWindowSubclass(parent, &ParentProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
  FControlId = controlId;
  FHandle = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPCHILDREN | LBS_OWNERDRAWFIXED |
                                  LBS_NODATA | LBS_NOINTEGRALHEIGHT,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                              GetCurrentModule(), nullptr);
  if (!FHandle) {
    const DWORD error = ::GetLastError();
    ::RemoveWindowSubclass(parent, &ParentProc, reinterpret_cast<UINT_PTR>(this));
    throw TesseraError(ErrorText(error), HRESULT_FROM_WIN32(error));
  }
  ::SetPropW(FHandle, kObjectProperty, this);
  ::SetWindowSubclass(FHandle, &ListProc, 0, reinterpret_cast<DWORD_PTR>(this));

  TListMetrics& m = FTools.Metrics;
  m.Dpi = WindowDpi(FHandle);
  FSplitter.SetMinLeft(m.Px(50));
  FSplitter.SetMinRight(m.Px(50));
  FSplitter.SetInitialPosition(m.Px(100));
  FSplitter.OnMoved = [this](TvVirtualSplitter& splitter) {
    Repaint();
    if (FRowEditor) FRowEditor->SetSplitterPosition(splitter.Position());
  };
  UpdateValueColor();
  OpenThemes();
  FFont = reinterpret_cast<HFONT>(::SendMessageW(FHandle, WM_GETFONT, 0, 0));
  FTools.Refresh(FFont);
  m.TextHeight = MeasureTextHeight(FFont);
  m.FormTextHeight = m.TextHeight;
  m.RowHeight = RowHeightForText(m.TextHeight);
  ::SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, m.RowHeight);

  FRowEditor = std::make_unique<TRowEditor>(*this);
  FPopupListBox = std::make_unique<TvPopupListBox>(*this);
  FPopupListBox->SetRowEditor(FRowEditor.get());
  Resized();
}

TvOptionList::~TvOptionList() {
  FDestroying = true;
  if (FOptionStore) {
    FOptionStore->SetOnValueModified(nullptr);
    FOptionStore->SetOnHelpText(nullptr);
  }
  FAccessTarget->List = nullptr;
  // What is typed but not saved goes with the list: the host saves pending edits (SavePendingEdit) when it
  // keeps them, and its store may be gone by now.
  if (FRowEditor) FRowEditor->Discard();
  FPopupListBox.reset();
  FRowEditor.reset();
  if (FHandle) ::DestroyWindow(FHandle);
  if (FParent && ::IsWindow(FParent))
    ::RemoveWindowSubclass(FParent, &ParentProc, reinterpret_cast<UINT_PTR>(this));
}

TvOptionList* TvOptionList::FromHandle(HWND list) noexcept {
  return list && ::IsWindow(list) ? static_cast<TvOptionList*>(::GetPropW(list, kObjectProperty)) : nullptr;
}

const std::wstring& TvOptionList::LangStrInherited() { return tessera::LangStrInherited(); }
void TvOptionList::SetLangStrInherited(std::wstring value) { tessera::SetLangStrInherited(std::move(value)); }
const std::wstring& TvOptionList::LangStrValueNotSpecified() { return tessera::LangStrValueNotSpecified(); }
void TvOptionList::SetLangStrValueNotSpecified(std::wstring value) {
  tessera::SetLangStrValueNotSpecified(std::move(value));
}

// ---- the store and the rows

void TvOptionList::SetOptionStore(TCustomOptionStore* store) {
  FRowEditor->Hide();
  FSelectedIndex = -1;
  FSelectedOption = nullptr;
  // A store that is no longer shown calls the list no more.
  if (FOptionStore && FOptionStore != store) {
    FOptionStore->SetOnValueModified(nullptr);
    FOptionStore->SetOnHelpText(nullptr);
  }
  if (store) {
    store->SetOnValueModified([this](TCustomInheritingOption* option) { StoreValueModified(option); });
    store->SetOnHelpText([this](TCustomInheritingOption* option, std::wstring& text) {
      text.clear();
      if (OnHelpText) OnHelpText(*this, option, text);
    });
  }
  FOptionStore = store;
  if (!FInitFinished && store) {
    UpdateRowHeight();
    OpenThemes();
    FRowEditor->SetSplitterPosition(FSplitter.Position());
    FInitFinished = true;
  }
  FDisplayList.PopulateFromOptionStore(store);
  RefreshRowCount();
  // A store is shown from its first row, wherever the one before was scrolled to.
  if (TopIndex() != 0) ::SendMessageW(FHandle, LB_SETTOPINDEX, 0, 0);
  if (FDisplayList.Count() > 0) SelectRow(FDisplayList.FirstOptionRow(), false);
}

void TvOptionList::RefreshRowCount() {
  ::SendMessageW(FHandle, LB_SETCOUNT, static_cast<WPARAM>(FDisplayList.Count()), 0);
  ::NotifyWinEvent(EVENT_OBJECT_REORDER, FHandle, OBJID_CLIENT, CHILDID_SELF);
  Repaint();
  AfterScroll();
}

void TvOptionList::ToggleGroup(int index) {
  FDisplayList.ToggleGroupCollapsed(index);
  RefreshRowCount();
  ::SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  AfterScroll();
  if (FDisplayList.ValidIndex(index))
    ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, FHandle, OBJID_CLIENT, index + 1);
}

void TvOptionList::RememberSelection() {
  FRememberSelectionName =
      FDisplayList.ValidIndex(FSelectedIndex) ? FDisplayList.GetItem(FSelectedIndex).Name() : std::wstring();
}

void TvOptionList::RestoreSelection() {
  if (FRememberSelectionName.empty()) return;
  SelectRow(FDisplayList.FindByName(FRememberSelectionName), false);
  if (FDisplayList.ValidIndex(FSelectedIndex)) {
    EnsureSelectionVisible(true);
    EnsureSelectionVisible(false);
  }
}

void TvOptionList::ExpandGroups(bool expand) {
  RememberSelection();
  try {
    FDisplayList.SetExpandGroups(expand);
  } catch (...) {
    RefreshRowCount();
    RestoreSelection();
    throw;
  }
  RefreshRowCount();
  RestoreSelection();
}

void TvOptionList::SavePendingEdit() { FRowEditor->CommitEdit(); }

void TvOptionList::LoadDefaultValues() {
  TCustomOptionStore* store = FOptionStore;
  // One picture at the end instead of the rows going and coming back.
  const bool locked = ::LockWindowUpdate(FHandle) != FALSE;
  try {
    SetOptionStore(nullptr);
    if (store) store->LoadDefaultValues();
    SetOptionStore(store);
  } catch (...) {
    if (locked) ::LockWindowUpdate(nullptr);
    throw;
  }
  if (locked) ::LockWindowUpdate(nullptr);
}

void TvOptionList::StoreValueModified(TCustomInheritingOption* option) {
  FDisplayList.ValuesChanged();
  Repaint();
  if (FRowEditor->Visible()) {
    ::InvalidateRect(FRowEditor->Handle(), nullptr, FALSE);
    // The edit box shows the new value unless the user is typing over it.
    if (!FRowEditor->ValueEditor().Modified()) FRowEditor->LoadEditor();
  }
  if (option && option == FSelectedOption && FDisplayList.ValidIndex(FSelectedIndex)) {
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, FHandle, OBJID_CLIENT, FSelectedIndex + 1);
    ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, FHandle, OBJID_CLIENT, FSelectedIndex + 1);
  }
  if (OnValueModified) OnValueModified(*this, option);
}

// ---- selection

void TvOptionList::SelectRow(int index, bool focusList) {
  FSelectedIndex = index;
  if (!FDisplayList.IsOption(index)) {
    FRowEditor->Hide();
    FSelectedOption = nullptr;
    Repaint();
    if (focusList && ::IsWindowVisible(FHandle) && ::IsWindowEnabled(FHandle)) ::SetFocus(FHandle);
    if (FLastFocusEvent != FSelectedIndex) NotifyAccessibleFocus();
    return;
  }
  const TDisplayItem& item = FDisplayList.GetItem(index);
  FSelectedOption = item.Option();
  FSelectedOptionIndent = item.Indent();
  Repaint();  // the row selected before shows its value again
  FRowEditor->Show(RowRect(index), FSelectedOption, FSelectedOptionIndent, SplitterPosition());
  if (FLastFocusEvent != FSelectedIndex) NotifyAccessibleFocus();
  DoSelectionChange(FSelectedOption);
}

void TvOptionList::SelectNextRow() {
  if (!FDisplayList.ValidIndex(FSelectedIndex + 1)) return;
  SelectRow(FSelectedIndex + 1, true);
  EnsureSelectionVisible(true);
}

void TvOptionList::SelectPreviousRow() {
  if (FSelectedIndex - 1 < 0) return;
  SelectRow(FSelectedIndex - 1, true);
  EnsureSelectionVisible(false);
}

void TvOptionList::EnsureSelectionVisible(bool down) {
  RECT client{};
  ::GetClientRect(FHandle, &client);
  const int top = TopIndex();
  const int wanted = TopIndexShowing(FSelectedIndex, top, client.bottom, down, Metrics());
  if (wanted != top) ::SendMessageW(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(wanted), 0);
  AfterScroll();
}

void TvOptionList::AfterScroll() {
  const int top = TopIndex();
  if (top == FLastTopIndex) return;
  FLastTopIndex = top;
  // The popup belongs to the row it opened on.
  if (IsPopupVisible()) HidePopup();
  PlaceRowEditor();
  Repaint();
}

void TvOptionList::PlaceRowEditor() {
  if (FRowEditor->Visible() && FDisplayList.IsOption(FSelectedIndex)) FRowEditor->MoveTo(RowRect(FSelectedIndex));
}

int TvOptionList::TopIndex() const noexcept {
  return FHandle ? static_cast<int>(::SendMessageW(FHandle, LB_GETTOPINDEX, 0, 0)) : 0;
}

RECT TvOptionList::RowRect(int index) const noexcept {
  RECT client{};
  ::GetClientRect(FHandle, &client);
  return tessera::RowRect(index, TopIndex(), client.right, Metrics());
}

void TvOptionList::DoSelectionChange(TCustomInheritingOption* option) {
  if (OnSelectionChange) OnSelectionChange(*this, option);
}

void TvOptionList::DoEditButtonClick(TCustomInheritingOption* option) {
  if (OnEditButtonClick) OnEditButtonClick(*this, option);
}

bool TvOptionList::CanTakeFocus(HWND window) const noexcept {
  // Only within the list: assigning a store or restoring a selection never pulls the focus away from another
  // control of the host.
  return window && ::IsWindowVisible(window) && ::IsWindowEnabled(window) && HoldsFocus(FHandle);
}

void TvOptionList::FocusRowEditor() {
  if (FRowEditor->Visible() && ::IsWindowEnabled(FRowEditor->Handle())) FRowEditor->FocusEditControl();
}

void TvOptionList::NotifyAccessibleFocus() noexcept {
  if (!HoldsFocus(FHandle)) return;
  FLastFocusEvent = FSelectedIndex;
  const LONG child = FDisplayList.ValidIndex(FSelectedIndex) ? FSelectedIndex + 1 : CHILDID_SELF;
  ::NotifyWinEvent(EVENT_OBJECT_SELECTION, FHandle, OBJID_CLIENT, child);
  ::NotifyWinEvent(EVENT_OBJECT_FOCUS, FHandle, OBJID_CLIENT, child);
}

// ---- divider

void TvOptionList::SetSplitterPosition(int position) { FSplitter.SetPosition(position); }

bool TvOptionList::IsOnSplitter(int x) const noexcept { return tessera::IsOnSplitter(x, SplitterPosition(), Metrics()); }

void TvOptionList::BeginSplitterDrag() {
  FDraggingDivider = true;
  ::SetCapture(FHandle);
  ::SetCursor(CursorAt(0));
}

void TvOptionList::EndSplitterDrag() {
  FDraggingDivider = false;
  if (::GetCapture() == FHandle) ::ReleaseCapture();
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

HCURSOR TvOptionList::CursorAt(int x) const noexcept {
  return ::LoadCursorW(nullptr, FDraggingDivider || IsOnSplitter(x) ? IDC_SIZEWE : IDC_ARROW);
}

void TvOptionList::Resized() {
  RECT client{};
  ::GetClientRect(FHandle, &client);
  FSplitter.SetParentWidth(client.right);
  Repaint();
  if (FRowEditor) FRowEditor->SetSplitterAndWidth(SplitterPosition(), client.right);
  AfterScroll();
}

// ---- popup

void TvOptionList::ShowPopup() {
  if (!FSelectedOption || !FRowEditor->Visible()) return;
  if (!FPopupListBox->SetOptionAndFill(FSelectedOption)) return;
  RECT client{};
  ::GetClientRect(FHandle, &client);
  RECT editor{};
  ::GetWindowRect(FRowEditor->Handle(), &editor);
  ::MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&editor), 2);
  const RECT place = PopupRect(client.right, client.bottom, editor, SplitterPosition(), FPopupListBox->DesiredWidth(),
                               FPopupListBox->DesiredHeight(), Metrics());
  FPopupListBox->PopupAtPos(place);
}

void TvOptionList::HidePopup() { FPopupListBox->Hide(); }

bool TvOptionList::IsPopupVisible() const noexcept { return FPopupListBox && FPopupListBox->Visible(); }

// ---- fonts, DPI, themes, colours

int TvOptionList::FormTextHeight() {
  if (!OnGetFormTextHeight) throw TesseraError(ResString(IDS_OL_ERR_NO_TEXT_HEIGHT));
  int height = Metrics().TextHeight;
  OnGetFormTextHeight(*this, height);
  return height;
}

void TvOptionList::UpdateRowHeight() {
  TListMetrics& m = FTools.Metrics;
  if (FInitFinished || FOptionStore) {
    m.FormTextHeight = FormTextHeight();
  } else {
    m.FormTextHeight = m.TextHeight;
  }
  m.RowHeight = RowHeightForText(m.FormTextHeight);
  ::SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, m.RowHeight);
  ApplyMetrics();
}

void TvOptionList::ApplyMetrics() {
  if (FPopupListBox) FPopupListBox->Refresh();
  if (FRowEditor) {
    FRowEditor->RefreshGlyphs();
    FRowEditor->ValueEditor().ApplyFont();
  }
  FLastTopIndex = -1;  // the rows moved: the editor follows its row
  AfterScroll();
  Repaint();
}

void TvOptionList::FontChanged(HFONT font) {
  FFont = font;
  FTools.Refresh(FFont);
  FTools.Metrics.TextHeight = MeasureTextHeight(FFont);
  UpdateRowHeight();
}

void TvOptionList::DpiChanged(UINT dpi) {
  TListMetrics& m = FTools.Metrics;
  if (dpi == 0) return;
  const UINT old = m.Dpi;
  m.Dpi = dpi;
  FSplitter.Rescale(static_cast<int>(dpi), static_cast<int>(old));
  OpenThemes();
  FTools.Metrics.TextHeight = MeasureTextHeight(FFont);
  UpdateRowHeight();
  Resized();
}

void TvOptionList::OpenThemes() {
  FThemes.Open(FHandle, Metrics().Dpi);
  FTools.ButtonTheme = FThemes.Button();
  FTools.TreeTheme = FThemes.Tree();
  FTools.ForgetDrawnParts();
}

void TvOptionList::Repaint() const noexcept {
  if (FHandle) ::InvalidateRect(FHandle, nullptr, FALSE);
}

// ---- errors

void TvOptionList::ReportError(std::wstring message) {
  FPendingErrors.push_back(std::move(message));
  // Shown once the message at hand is done: a message box inside a focus change would take part in it.
  if (!FHandle || !::PostMessageW(FHandle, ShowErrorsMessage(), 0, 0)) ShowPendingErrors();
}

UINT TvOptionList::ShowErrorsMessage() noexcept {
  static const UINT message = ::RegisterWindowMessageW(L"TesseraOptionListShowErrors");
  return message;
}

void TvOptionList::ShowPendingErrors() {
  while (!FPendingErrors.empty()) {
    const std::wstring message = std::move(FPendingErrors.front());
    FPendingErrors.pop_front();
    try {
      if (OnError) {
        OnError(message);
      } else {
        HWND top = FParent ? ::GetAncestor(FParent, GA_ROOT) : nullptr;
        wchar_t title[256] = {};
        if (top) ::GetWindowTextW(top, title, 256);
        ::MessageBoxW(top, message.c_str(), title, MB_OK | MB_ICONSTOP);
      }
    } catch (...) {
      // The host's own handler failed: nothing is left to show it with.
    }
  }
}

}  // namespace tessera
