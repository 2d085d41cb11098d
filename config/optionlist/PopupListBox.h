// TvPopupListBox: the drop-down list of the option list, a LISTBOX child of the list with owner-drawn entries
// of variable height: the option's value strings (with their radio buttons, check boxes or colour boxes), then
// "Inherit", "Edit..." and "Load default value" below a separator. Choosing an entry changes the option at
// once; the popup closes unless the option keeps it open (several choices, or a value still to be picked).
#pragma once

#include <windows.h>

#include "config/optionlist/PopupEntries.h"
#include "settings/InheritingOption.h"

namespace tessera {

class TvOptionList;
class TRowEditor;

class TvPopupListBox {
public:
  // A hidden child of the list's window.
  explicit TvPopupListBox(TvOptionList& optionList);
  ~TvPopupListBox();
  TvPopupListBox(const TvPopupListBox&) = delete;
  TvPopupListBox& operator=(const TvPopupListBox&) = delete;

  HWND Handle() const noexcept { return FHandle; }
  void SetRowEditor(TRowEditor* rowEditor) noexcept { FRowEditor = rowEditor; }
  TRowEditor* RowEditor() const noexcept { return FRowEditor; }
  TCustomInheritingOption* Option() const noexcept { return FOption; }
  const TInternalList& Entries() const noexcept { return FInternalList; }
  bool Visible() const noexcept;

  // Hidden; the edit box gets the focus back unless the focus is going elsewhere.
  void Hide(bool focusEditor = true);
  // Shown in the rectangle (list client coordinates), with the focus. Raises without an option.
  void PopupAtPos(const RECT& rect);
  // The entries of the option; false when there are none.
  bool SetOptionAndFill(TCustomInheritingOption* option);
  int DesiredHeight() const;
  int DesiredWidth() const;
  // Applies the selected entry (no entry: the popup only closes).
  void ChooseSelected();

  // The list forwards these owner-draw messages of the popup.
  void MeasureItem(MEASUREITEMSTRUCT& item) const;
  void DrawEntry(const DRAWITEMSTRUCT& item) const;
  // The theme or the DPI changed: the border and the heights follow.
  void Refresh();

  // The control id of the popup among the list's children.
  static constexpr int kControlId = 1;

private:
  static LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool FillItems();
  bool BuildEntries();
  void ApplyBorder();

  HWND FHandle = nullptr;
  TvOptionList& FOptionList;
  TCustomInheritingOption* FOption = nullptr;
  TRowEditor* FRowEditor = nullptr;
  TInternalList FInternalList;
  bool FDestroying = false;
  bool FSwallowChar = false;
};

}  // namespace tessera
