// TRowEditor: a child window of the option list lying exactly over the selected option row. It paints the row
// as the list does (caption cell in the selected colour, divider, box) and holds the edit box for the value and
// two flat buttons: "..." for options with an edit action and the drop-down arrow that opens the popup.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "config/optionlist/FlatButton.h"
#include "config/optionlist/OptionListGeometry.h"
#include "settings/InheritingOption.h"

namespace tessera {

class TvOptionList;
class TValueEditor;

class TRowEditor {
public:
  // A hidden child of the list's window.
  explicit TRowEditor(TvOptionList& optionList);
  ~TRowEditor();
  TRowEditor(const TRowEditor&) = delete;
  TRowEditor& operator=(const TRowEditor&) = delete;

  HWND Handle() const noexcept { return FHandle; }
  TvOptionList& OptionList() noexcept { return FOptionListLink; }
  const TvOptionList& OptionList() const noexcept { return FOptionListLink; }
  TValueEditor& ValueEditor() noexcept { return *FValueEditBox; }
  HWND DropDownButton() const noexcept;
  HWND EditButton() const noexcept;
  const std::wstring& Caption() const noexcept { return FCaption; }
  int Indent() const noexcept { return FIndent; }

  // Covers the row (list client coordinates) with the option's editor and focuses the edit box.
  void Show(const RECT& row, TCustomInheritingOption* option, int indent, int splitterPos);
  // Hidden; a focus inside it goes to the list first, so that the edit box commits.
  void Hide();
  bool Visible() const noexcept;
  // Forgets the option without committing (the list is going away).
  void Discard() noexcept;
  // Moves it to another row position without touching the option (the list scrolled).
  void MoveTo(const RECT& row);
  void FocusEditControl();
  void SetSplitterAndWidth(int splitterPos, int width);
  int SplitterPosition() const noexcept { return FSplitterPosition; }
  void SetSplitterPosition(int value);
  TCustomInheritingOption* SelectedOption() const noexcept { return FSelectedOption; }
  // Commits the edit box to the option shown so far, then shows this one.
  void SetSelectedOption(TCustomInheritingOption* option);

  void UpdateLayout();
  void LoadEditor();
  void CommitEdit();
  void EditButtonClick();
  void DropDownClick();
  void VisualControlClick(TCustomInheritingOption* option);
  // x, y in the row editor's client coordinates (which start at x 0 of the list).
  bool HitVisualControl(int x, int y) const;
  // The system colours, the theme or the DPI changed.
  void RefreshGlyphs();
  void ShowPopup();
  void SelectNextRow();
  void SelectPreviousRow();
  // The left button or a double click at x, y (client coordinates).
  void MouseDown(bool doubleClick, int x, int y);
  void MouseMove(int x, int y);
  // The edit box took the focus.
  void EditFocusChanged();

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc) const;
  void Placed(const RECT& row);

  HWND FHandle = nullptr;
  std::unique_ptr<TValueEditor> FValueEditBox;
  TCustomInheritingOption* FSelectedOption = nullptr;
  int FSplitterPosition = 0;
  std::unique_ptr<TFlatButton> FBtnDropDown;
  std::unique_ptr<TFlatButton> FBtnEditValue;
  std::wstring FCaption;
  int FIndent = 0;
  TvOptionList& FOptionListLink;
};

}  // namespace tessera
