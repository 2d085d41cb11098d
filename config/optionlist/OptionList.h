// TvOptionList: a two-column property grid over an option store. It is a LISTBOX child window that holds only
// the number of rows (owner-drawn, no item data); the rows come from a display list and are painted on
// demand, and the selection is the list's own. The selected option row is covered by the row editor (an edit
// box and two flat buttons); a popup list offers the option's value strings, "Inherit", "Edit..." and "Load
// default value". The control reads and changes the options directly and never saves anything.
//
// The host sends WM_SETFONT with its font, answers OnGetFormTextHeight before the first store is assigned,
// and forwards WM_SYSCOLORCHANGE (a top-level message) to the list. Errors raised inside the control's window
// procedures go to OnError, after the message that raised them has been handled.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "config/optionlist/DisplayList.h"
#include "config/optionlist/OptionListDraw.h"
#include "config/optionlist/OptionListThemes.h"
#include "config/optionlist/VirtualSplitter.h"
#include "settings/OptionStore.h"

namespace tessera {

class TRowEditor;
class TvPopupListBox;
struct TAccessTarget;

class TvOptionList {
public:
  using TOptionNotifyEvent = std::function<void(TvOptionList& sender, TCustomInheritingOption* option)>;
  using TGetFormTextHeightEvent = std::function<void(TvOptionList& sender, int& textHeight)>;
  using TListHelpTextEvent =
      std::function<void(TvOptionList& sender, TCustomInheritingOption* option, std::wstring& text)>;
  using TErrorEvent = std::function<void(const std::wstring& message)>;

  // Creates the control as a visible child of parent (WS_TABSTOP, 3-D client edge) with that control id.
  TvOptionList(HWND parent, int controlId);
  // Destroys its window if still there; removes its handlers from the store it holds.
  ~TvOptionList();
  TvOptionList(const TvOptionList&) = delete;
  TvOptionList& operator=(const TvOptionList&) = delete;

  HWND Handle() const noexcept { return FHandle; }
  // The object behind a list window, or null.
  static TvOptionList* FromHandle(HWND list) noexcept;

  // Rebuilds the rows and selects the first option row; null shows no rows.
  void SetOptionStore(TCustomOptionStore* store);
  TCustomOptionStore* OptionStore() const noexcept { return FOptionStore; }
  int SplitterPosition() const noexcept { return FSplitter.Position(); }
  void SetSplitterPosition(int position);
  TCustomInheritingOption* SelectedOption() const noexcept { return FSelectedOption; }
  int SelectedIndex() const noexcept { return FSelectedIndex; }

  // The selected row's name, and selecting the row of that name again (none when it is not shown).
  void RememberSelection();
  void RestoreSelection();
  // Unfolds every group, or folds every group that can fold; the selection stays on the same row by name.
  void ExpandGroups(bool expand);
  // The text typed into the edit box goes to the option.
  void SavePendingEdit();
  // Every option of the store back to its default, with the list's window updates locked meanwhile.
  void LoadDefaultValues();

  TOptionNotifyEvent OnEditButtonClick, OnValueModified, OnSelectionChange;
  TGetFormTextHeightEvent OnGetFormTextHeight;
  TListHelpTextEvent OnHelpText;
  // Shows an error raised inside a window procedure of the control. Without it: a message box with the stop
  // icon, titled with the text of the list's top-level window.
  TErrorEvent OnError;

  // The popup's three texts, per list.
  const std::wstring& LangStrValueInherit() const noexcept { return FLangStrInheritValue; }
  void SetLangStrValueInherit(std::wstring value) { FLangStrInheritValue = std::move(value); }
  const std::wstring& LangStrValueLoadDefault() const noexcept { return FLangStrLoadDefaultValue; }
  void SetLangStrValueLoadDefault(std::wstring value) { FLangStrLoadDefaultValue = std::move(value); }
  const std::wstring& LangStrValueEdit() const noexcept { return FLangStrEditValue; }
  void SetLangStrValueEdit(std::wstring value) { FLangStrEditValue = std::move(value); }
  // The texts of a missing required value, shared by every list.
  static const std::wstring& LangStrInherited();
  static void SetLangStrInherited(std::wstring value);
  static const std::wstring& LangStrValueNotSpecified();
  static void SetLangStrValueNotSpecified(std::wstring value);

  // The host's DPI changed (WM_DPICHANGED_AFTERPARENT does this by itself): sizes follow the new DPI, and
  // the row height the host's new text height.
  void DpiChanged(UINT dpi);

  // Operations of the row editor, the popup and the tests.
  void SelectRow(int index, bool focusList);
  void SelectNextRow();
  void SelectPreviousRow();
  void ToggleGroup(int index);
  bool IsOnSplitter(int x) const noexcept;
  void BeginSplitterDrag();
  void EndSplitterDrag();
  bool DraggingDivider() const noexcept { return FDraggingDivider; }
  void ShowPopup();
  void HidePopup();
  bool IsPopupVisible() const noexcept;
  // The host's text height (OnGetFormTextHeight); raises when the host gave no handler.
  int FormTextHeight();
  void DoEditButtonClick(TCustomInheritingOption* option);
  // The row editor's and popup's focus rule: when the focus is within the list, or the list is being used.
  bool CanTakeFocus(HWND window) const noexcept;
  // An error of a window procedure: shown through OnError once the current message is done.
  void ReportError(std::wstring message);
  // The cursor over the list or the row editor at x (client coordinates of the list).
  HCURSOR CursorAt(int x) const noexcept;

  const TDisplayList& DisplayList() const noexcept { return FDisplayList; }
  const TvVirtualSplitter& Splitter() const noexcept { return FSplitter; }
  const TListMetrics& Metrics() const noexcept { return FTools.Metrics; }
  const TDrawTools& DrawTools() const noexcept { return FTools; }
  int TopIndex() const noexcept;
  UINT Dpi() const noexcept { return FTools.Metrics.Dpi; }
  TRowEditor& RowEditor() noexcept { return *FRowEditor; }
  TvPopupListBox& PopupListBox() noexcept { return *FPopupListBox; }
  // Tells accessibility clients which row has the focus (when the focus is within the list).
  void NotifyAccessibleFocus() noexcept;
  // The rectangle of a row in the client area (it may lie outside it).
  RECT RowRect(int index) const noexcept;
  // Paints the visible rows into dc as the window shows them (the row editor and the popup aside).
  void PaintRows(HDC dc, const RECT& clip) const;

private:
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);
  static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  void RefreshRowCount();
  void EnsureSelectionVisible(bool down);
  void AfterScroll();
  void PlaceRowEditor();
  bool HitExpandBox(int index, int x, int y) const;
  void OpenThemes();
  void FocusRowEditor();
  void DoSelectionChange(TCustomInheritingOption* option);
  void Repaint() const noexcept;
  void StoreValueModified(TCustomInheritingOption* option);
  void FontChanged(HFONT font);
  void UpdateRowHeight();
  void ApplyMetrics();
  void ShowPendingErrors();
  void Resized();
  static UINT ShowErrorsMessage() noexcept;
  // The window property that leads from the list's window to this object.
  static constexpr wchar_t kObjectProperty[] = L"TesseraOptionList";

  void Paint();
  void EraseBelowRows(HDC dc) const;
  void MouseDown(UINT message, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp();
  bool KeyDown(WORD vk);
  LRESULT GetObject(WPARAM wParam, LPARAM lParam);

  HWND FHandle = nullptr;
  HWND FParent = nullptr;
  int FControlId = 0;
  bool FInitFinished = false;
  TCustomOptionStore* FOptionStore = nullptr;
  TDisplayList FDisplayList;
  TvVirtualSplitter FSplitter;
  bool FDraggingDivider = false;
  std::unique_ptr<TvPopupListBox> FPopupListBox;
  std::unique_ptr<TRowEditor> FRowEditor;
  TCustomInheritingOption* FSelectedOption = nullptr;
  int FSelectedOptionIndent = 0;
  int FSelectedIndex = -1;
  std::wstring FLangStrInheritValue;
  std::wstring FLangStrLoadDefaultValue;
  std::wstring FLangStrEditValue;
  int FLastTopIndex = -1;
  std::wstring FRememberSelectionName;

  HFONT FFont = nullptr;  // the host's, not owned
  TDrawTools FTools;
  TOptionListThemes FThemes;
  std::deque<std::wstring> FPendingErrors;
  int FLastFocusEvent = -2;  // the row the last focus event named
  UniqueGdiObject FBackBuffer;
  SIZE FBackBufferSize{};
  std::shared_ptr<TAccessTarget> FAccessTarget;  // what accessibility clients reach; cut when the list goes
  bool FDestroying = false;
};

}  // namespace tessera
