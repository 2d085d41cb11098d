#include "settings/BooleanOption.h"

#include "base/StringUtils.h"

namespace tessera {

bool ParseYesNo(const std::wstring& _text, bool _default) {
  std::wstring text = LowerAscii(_text);
  if (text == L"yes" || text == L"y" || text == L"1" || text == L"true") return true;
  if (text == L"no" || text == L"n" || text == L"0" || text == L"false") return false;
  return _default;
}

TCustomInheritingBooleanOption::TCustomInheritingBooleanOption(TCustomInheritingBooleanOption* _parent,
                                                               bool _inheritByDefault, bool _defaultValue,
                                                               std::wstring _name, std::wstring _caption, int _helpID)
    : TCustomInheritingOption(_parent, _inheritByDefault, std::move(_name), std::move(_caption), _helpID),
      FValue(_defaultValue),
      FDefaultValue(_defaultValue) {
  SetVisualControlType(vcCheckBox);
  FOptionListFlags = TOptionFlags{flReadOnlyEdit};
}

bool TCustomInheritingBooleanOption::GetValue() const {
  if (FInheritValue && CanInherit()) return static_cast<const TCustomInheritingBooleanOption*>(GetParent())->GetValue();
  return FValue;
}

void TCustomInheritingBooleanOption::SetValue(bool _value) {
  bool changed = _value != FValue;
  FValue = _value;
  AfterSetValue(changed);
}

bool TCustomInheritingBooleanOption::ValueChangedFromDefault(bool _effective) const {
  return (_effective ? GetValue() : FValue) != FDefaultValue;
}

std::wstring TCustomInheritingBooleanOption::GetValueAsCmdLineParam() const {
  if (FInheritValue) return kInheritText;
  return GetValue() ? L"Y" : L"N";
}

std::wstring TCustomInheritingBooleanOption::GetValueAsText() const { return GetValue() ? L"Yes" : L"No"; }

void TCustomInheritingBooleanOption::SetValueAsText(const std::wstring& _text) {
  if (HandleInheritText(_text)) return;
  SetValue(ParseYesNo(_text, FDefaultValue));
}

bool TCustomInheritingBooleanOption::ResetValueToDefault() {
  if (FValue == FDefaultValue) return false;
  FValue = FDefaultValue;
  return true;
}

void TCustomInheritingBooleanOption::ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  LoadDefaultValue();
  int value = _storage.ReadInteger(_sectionName, GetName(), GetInheritByDefault() ? -1 : (FDefaultValue ? 1 : 0));
  if (value == -1)
    SetInheritValue(true);
  else
    SetValue((value & 0xFF) != 0);  // as a one-byte Boolean: 256 is false, 2 is true
}

void TCustomInheritingBooleanOption::WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  _storage.WriteInteger(_sectionName, GetName(), FInheritValue ? -1 : (FValue ? 1 : 0));
}

int TCustomInheritingBooleanOption::ValueStringSelectedIndex() const {
  if (FInheritValue) return -1;
  return GetValue() ? 0 : 1;
}

std::wstring TCustomInheritingBooleanOption::ValueString(int _index, const std::wstring& _defaultItemMarker) const {
  std::wstring text;
  if (_index == 0) text = L"Yes";
  else if (_index == 1) text = L"No";
  else return text;
  bool isDefault = (_index == 0) == FDefaultValue;
  if (!_defaultItemMarker.empty() && !GetInheritByDefault() && isDefault) text += _defaultItemMarker;
  return text;
}

void TCustomInheritingBooleanOption::SetValueFromValueString(int _index) {
  if (_index == 0) SetValue(true);
  else if (_index == 1) SetValue(false);
}

}  // namespace tessera
