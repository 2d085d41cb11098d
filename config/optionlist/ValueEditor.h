// TValueEditor: the borderless EDIT inside the row editor. It shows the selected option's value (bold when it
// differs from the default, grey when the option is disabled) and hands typed text to the option on Enter and
// whenever it loses the focus, so that no way of leaving it drops an edit.
#pragma once

#include <windows.h>

#include "settings/InheritingOption.h"

namespace tessera {

class TRowEditor;

class TValueEditor {
public:
  // A child of the row editor's window.
  explicit TValueEditor(TRowEditor& rowEditor);
  ~TValueEditor();
  TValueEditor(const TValueEditor&) = delete;
  TValueEditor& operator=(const TValueEditor&) = delete;

  HWND Handle() const noexcept { return FHandle; }
  TCustomInheritingOption* Option() const noexcept { return FOption; }
  void SetOption(TCustomInheritingOption* option);
  TRowEditor& RowEditor() noexcept { return FRowEditor; }

  // No option any more, without committing what was typed.
  void Forget() noexcept { FOption = nullptr; }
  // The option's value again; the typed text is dropped.
  void Reload();
  // Typed text (when there is some and the option is enabled) goes to the option.
  void Commit();
  // The next value string (inheriting included).
  void ToggleOptionValue();
  void ClearSelection();
  // The text differs from what the option holds (the user typed).
  bool Modified() const noexcept;
  bool Bold() const noexcept { return FBold; }
  // A double click on the value: the edit action, or the next value.
  void DblClick();
  // The list's font changed: the edit box's fonts follow.
  void ApplyFont();

private:
  static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool KeyDown(WORD vk);

  HWND FHandle = nullptr;
  TRowEditor& FRowEditor;
  TCustomInheritingOption* FOption = nullptr;
  bool FBold = false;
  bool FSwallowChar = false;  // the character of a key handled here is not typed
};

}  // namespace tessera
