#include "config/optionlist/OptionListRules.h"

namespace tessera {

TListKeyAction ListKeyAction(WORD _vk, bool _selectedIsGroup) noexcept {
  switch (_vk) {
    case VK_SPACE:
    case VK_LEFT:
    case VK_RIGHT:
      return _selectedIsGroup ? TListKeyAction::ToggleGroup : TListKeyAction::Default;
    case VK_UP:
      return TListKeyAction::SelectPrevious;
    case VK_DOWN:
      return TListKeyAction::SelectNext;
    default:
      return TListKeyAction::Default;
  }
}

TEditKeyAction EditKeyAction(WORD _vk, bool _ctrl, bool _shift, const TCustomInheritingOption* _option) noexcept {
  const bool enabled = _option && _option->GetEnabled();
  const bool readOnly = _option && _option->HasFlag(flReadOnlyEdit);
  switch (_vk) {
    case VK_RETURN:
      return enabled ? TEditKeyAction::Commit : TEditKeyAction::Consume;
    case VK_ESCAPE:
      return readOnly ? TEditKeyAction::Default : TEditKeyAction::Reload;
    case VK_SPACE:
      // On editable options Space is typed like any other character.
      if (!enabled || !readOnly || _ctrl) return TEditKeyAction::Default;
      return _option->HasFlag(flSpaceShowsPopup) ? TEditKeyAction::ShowPopup : TEditKeyAction::Toggle;
    case VK_UP:
      return TEditKeyAction::SelectPrevious;
    case VK_DOWN:
      return _ctrl ? TEditKeyAction::ShowPopup : TEditKeyAction::SelectNext;
    case 'C':
      return _ctrl && _shift ? TEditKeyAction::CopyCaption : TEditKeyAction::Default;
    default:
      return TEditKeyAction::Default;
  }
}

TPopupKeyAction PopupKeyAction(WORD _vk) noexcept {
  switch (_vk) {
    case VK_RETURN:
    case VK_SPACE:
    case VK_TAB:
      return TPopupKeyAction::Choose;
    case VK_ESCAPE:
      return TPopupKeyAction::Hide;
    default:
      return TPopupKeyAction::Default;
  }
}

TEditorMouseAction RowEditorLeftDown(bool _doubleClick, bool _onSplitter, bool _onVisualControl) noexcept {
  if (_doubleClick) return TEditorMouseAction::DoubleClick;
  if (_onSplitter) return TEditorMouseAction::BeginSplitterDrag;
  if (_onVisualControl) return TEditorMouseAction::VisualControlClick;
  return TEditorMouseAction::FocusEdit;
}

TListMouseAction ListLeftDown(bool _onSplitter, bool _rowIsGroup, bool _onExpandBox, bool _rowIsOption) noexcept {
  if (_onSplitter) return TListMouseAction::BeginSplitterDrag;
  if (_rowIsGroup && _onExpandBox) return TListMouseAction::ToggleGroup;
  if (_rowIsOption) return TListMouseAction::ForwardToRowEditor;
  return TListMouseAction::None;
}

LRESULT ClaimDialogKeys(LRESULT _ownCode, const MSG* _message) noexcept {
  LRESULT code = (_ownCode | DLGC_WANTARROWS | DLGC_WANTCHARS) & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  if (_message && _message->message == WM_KEYDOWN && _message->wParam == VK_RETURN) code |= DLGC_WANTALLKEYS;
  return code;
}

}  // namespace tessera
