#include "config/optionlist/PopupEntries.h"

#include "settings/SetOption.h"

namespace tessera {

bool TListItem::VisualControlChecked(const TCustomInheritingOption* _option, int _idxValueString) const {
  if (!_option) return false;
  switch (FItemType) {
    case pliInherit:
      return _option->GetInheritValue();
    case pliEdit:
    case pliLoadDefault:
      return false;
    case pliValueString:
      break;
  }
  if (_option->GetInheritValue()) return false;
  if (const auto* set = dynamic_cast<const TCustomInheritingSetOption*>(_option))
    return set->Contains(set->ValueFromValueString(_idxValueString));
  return _option->ValueStringsCount() > 0 && _option->ValueStringSelectedIndex() == _idxValueString;
}

void TInternalList::Clear() {
  FItems.clear();
  SelectedIndex = -1;
}

const TListItem& TInternalList::AddItem(TListItemType _itemType, std::wstring _text,
                                        TVisualControlType _visualControlType) {
  FItems.emplace_back(Count(), _itemType, std::move(_text), _visualControlType);
  return FItems.back();
}

bool TInternalList::BuildEntries(const TCustomInheritingOption* _option, const TPopupTexts& _texts) {
  Clear();
  if (!_option) return false;
  if (_option->ValueStringsSupported())
    for (int i = 0; i < _option->ValueStringsCount(); ++i)
      AddItem(pliValueString, _option->ValueString(i, L"*"), _option->GetValueStringVisualControlType());
  if (_option->CanInherit() && !_option->HasFlag(flHideInheritInPopup))
    AddItem(pliInherit, _texts.Inherit + (_option->GetInheritByDefault() ? L"*" : L""), vcCheckBox);
  if (_option->HasFlag(flShowEditButton)) AddItem(pliEdit, _texts.Edit, vcNone);
  AddItem(pliLoadDefault, _texts.LoadDefault, vcNone);
  return Count() > 0;
}

int TInternalList::ItemHeight(int _index) const noexcept {
  if (!ValidIndex(_index)) return 0;
  return FMetrics.RowHeight + (FItems[_index].HasSeparator() ? FMetrics.Px(3) : 0);
}

int TInternalList::ItemsHeight(int _maxItems) const noexcept {
  int height = 0;
  for (int i = 0; i < _maxItems && i < Count(); ++i) height += ItemHeight(i);
  return height;
}

TPopupChoice ChooseEntry(TCustomInheritingOption* _option, const TInternalList& _entries, int _index) {
  TPopupChoice choice;
  if (!_option || !_entries.ValidIndex(_index)) return choice;
  switch (_entries.GetItem(_index).ItemType()) {
    case pliValueString:
      _option->SetValueFromValueString(_index);
      choice.Close = !_option->GetValueStringClickKeepsPopupOpen();  // multi-choice options stay open
      break;
    case pliInherit:
      _option->SetInheritValue(!_option->GetInheritValue());
      // Inheriting just switched off: the user is expected to pick a value next.
      choice.Close = _option->GetInheritValue() || !_option->ValueStringsSupported();
      break;
    case pliEdit:
      choice.EditRequested = true;
      break;
    case pliLoadDefault:
      _option->LoadDefaultValue();
      break;
  }
  return choice;
}

}  // namespace tessera
