#include "settings/InheritingOption.h"

#include "base/StringUtils.h"

namespace tessera {

TCustomInheritingOption::TCustomInheritingOption(TCustomInheritingOption* _parent, bool _inheritByDefault,
                                                 std::wstring _name, std::wstring _caption, int _helpID)
    : TCustomOption(std::move(_name), std::move(_caption), _helpID),
      FInheritValue(_inheritByDefault),
      FInheritByDefault(_inheritByDefault),
      FParent(_parent) {}

void TCustomInheritingOption::SetInheritValue(bool _value) {
  if (_value == FInheritValue) return;
  FInheritValue = _value;
  DoValueModified();
}

std::wstring TCustomInheritingOption::GetHelpText() {
  std::wstring text;
  if (FHelpTextEvent) FHelpTextEvent(this, text);
  return text;
}

TOptionFlags TCustomInheritingOption::GetFlags() const {
  TOptionFlags flags = TCustomOption::GetFlags();
  if ((flags.Contains(flValueStringsOnly) && ValueStringsSupported()) || FInheritValue) flags.Include(flReadOnlyEdit);
  return flags;
}

void TCustomInheritingOption::DoValueModified() {
  TCustomOption::DoValueModified();
  if (FValueModifiedEvent) FValueModifiedEvent(this);
}

void TCustomInheritingOption::LoadDefaultValue() {
  bool changed = ResetValueToDefault();
  if (FInheritValue != FInheritByDefault) {
    FInheritValue = FInheritByDefault;
    changed = true;
  }
  if (changed) DoValueModified();
}

bool TCustomInheritingOption::GetValueOrInheritChangedFromDefault() const {
  return ValueChangedFromDefault(false) || GetInheritChangedFromDefault();
}

bool TCustomInheritingOption::GetValueOrInheritChangedFromDefaultUI() const {
  return ValueChangedFromDefault(true) || GetInheritChangedFromDefault();
}

std::wstring TCustomInheritingOption::GetValueAsTextWithInherit() const {
  if (FInheritValue) return L"Inherit (" + GetValueAsText() + L")";
  return GetValueAsText();
}

void TCustomInheritingOption::ToggleValue(bool _includeInherit) {
  int count = ValueStringsCount();
  if (count == 0) return;
  bool withInherit = _includeInherit && CanInherit();
  if (withInherit && FInheritValue) {
    SetValueFromValueString(0);
    return;
  }
  int next = ValueStringSelectedIndex();
  if (next == -1) next = 0;
  ++next;
  if (next > count - 1) {
    if (withInherit) {
      SetInheritValue(true);
      return;
    }
    next = 0;
  }
  SetValueFromValueString(next);
}

void TCustomInheritingOption::AfterSetValue(bool _changed) {
  if (FInheritValue) {
    FInheritValue = false;
    _changed = true;
  }
  if (_changed) DoValueModified();
}

bool TCustomInheritingOption::HandleInheritText(const std::wstring& _text) {
  if (!SameTextAscii(_text, kInheritText)) return false;
  if (CanInherit()) SetInheritValue(true);
  return true;
}

}  // namespace tessera
