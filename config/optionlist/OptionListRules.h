// What a key or a mouse button does in the option list, its row editor, edit box and popup: decisions as
// plain functions, so that the window procedures only carry them out.
#pragma once

#include <windows.h>

#include "settings/InheritingOption.h"

namespace tessera {

// Keys on the list itself (it has the focus when a group row or no row is selected).
enum class TListKeyAction { Default, ToggleGroup, SelectPrevious, SelectNext };
TListKeyAction ListKeyAction(WORD _vk, bool _selectedIsGroup) noexcept;

// Keys in the edit box of the row editor.
enum class TEditKeyAction {
  Default,         // the edit box's own meaning (typing, caret movement...)
  Consume,         // swallowed, nothing happens
  Commit,          // the text goes to the option, then all of it is selected
  Reload,          // the typed text is dropped
  ShowPopup,
  Toggle,          // the next value string
  SelectPrevious,
  SelectNext,
  CopyCaption,     // the option's caption to the clipboard
};
TEditKeyAction EditKeyAction(WORD _vk, bool _ctrl, bool _shift, const TCustomInheritingOption* _option) noexcept;

// Keys in the popup list.
enum class TPopupKeyAction { Default, Choose, Hide };
TPopupKeyAction PopupKeyAction(WORD _vk) noexcept;

// The left button pressed on the row editor (x in the list's coordinates).
enum class TEditorMouseAction { DoubleClick, BeginSplitterDrag, VisualControlClick, FocusEdit };
TEditorMouseAction RowEditorLeftDown(bool _doubleClick, bool _onSplitter, bool _onVisualControl) noexcept;

// The left button pressed on the list, after the row under it was selected.
enum class TListMouseAction { BeginSplitterDrag, ToggleGroup, ForwardToRowEditor, None };
TListMouseAction ListLeftDown(bool _onSplitter, bool _rowIsGroup, bool _onExpandBox, bool _rowIsOption) noexcept;

// The keys the edit box and the popup claim from a dialog-like host (IsDialogMessage): arrows and
// characters always, Enter only for itself; never Tab or Esc, which stay the host's.
LRESULT ClaimDialogKeys(LRESULT _ownCode, const MSG* _message) noexcept;

}  // namespace tessera
