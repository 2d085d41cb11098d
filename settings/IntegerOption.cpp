#include "settings/IntegerOption.h"

#include "base/StringUtils.h"

namespace tessera {

TCustomInheritingIntegerOption::TCustomInheritingIntegerOption(TCustomInheritingIntegerOption* _parent,
                                                               bool _inheritByDefault, int _defaultValue,
                                                               std::wstring _name, std::wstring _caption, int _helpID)
    : TCustomInheritingOption(_parent, _inheritByDefault, std::move(_name), std::move(_caption), _helpID),
      FValue(_defaultValue),
      FDefaultValue(_defaultValue) {
  FOptionListFlags = TOptionFlags{flValueStringsOnly};
}

int TCustomInheritingIntegerOption::GetValue() const {
  if (FInheritValue && CanInherit()) return static_cast<const TCustomInheritingIntegerOption*>(GetParent())->GetValue();
  return FValue;
}

void TCustomInheritingIntegerOption::SetValue(int _value) {
  if (FMinValue != 0 && _value < FMinValue) _value = FMinValue;
  if (FMaxValue != 0 && _value > FMaxValue) _value = FMaxValue;
  bool changed = _value != FValue;
  FValue = _value;
  AfterSetValue(changed);
}

void TCustomInheritingIntegerOption::AddValueString(int _value, std::wstring _text, std::wstring _name) {
  FValueStrings.push_back({_value, std::move(_text), std::move(_name)});
}

std::wstring TCustomInheritingIntegerOption::ValueStringFromValue(int _value) const {
  for (const TValueString& vs : FValueStrings)
    if (vs.Value == _value) return vs.Text;
  return IntToText(_value);
}

int TCustomInheritingIntegerOption::ValueFromValueStringIndex(int _index) const {
  return IsValidValueStringIndex(_index) ? FValueStrings[_index].Value : FDefaultValue;
}

int TCustomInheritingIntegerOption::IndexOfValueStringName(const std::wstring& _name) const {
  for (size_t i = 0; i < FValueStrings.size(); ++i)
    if (SameTextAscii(FValueStrings[i].Name, _name)) return static_cast<int>(i);
  return -1;
}

bool TCustomInheritingIntegerOption::ValueChangedFromDefault(bool _effective) const {
  return (_effective ? GetValue() : FValue) != FDefaultValue;
}

std::wstring TCustomInheritingIntegerOption::GetSyntax() const {
  std::wstring syntax;
  for (size_t i = 0; i < FValueStrings.size(); ++i) {
    if (i > 0) syntax += L'|';
    syntax += FValueStrings[i].Name;
  }
  return syntax;
}

std::wstring TCustomInheritingIntegerOption::GetValueAsCmdLineParam() const {
  if (FInheritValue) return kInheritText;
  int value = GetValue();
  for (const TValueString& vs : FValueStrings)
    if (vs.Value == value) {
      if (!vs.Name.empty()) return vs.Name;
      break;
    }
  return GetValueAsText();
}

std::wstring TCustomInheritingIntegerOption::GetValueAsText() const {
  if (GetFlags().Contains(flValueStringsOnly) && !FValueStrings.empty()) return ValueStringFromValue(GetValue());
  return IntToText(GetValue());
}

TVisualControlType TCustomInheritingIntegerOption::GetValueStringVisualControlType() const {
  return GetFlags().Contains(flValueStringsOnly) ? vcRadioButton : vcNone;
}

void TCustomInheritingIntegerOption::SetValueAsText(const std::wstring& _text) {
  if (HandleInheritText(_text)) return;
  int index = IndexOfValueStringName(_text);
  if (index >= 0) {
    SetValue(FValueStrings[index].Value);
    return;
  }
  int value;
  if (!TryParseInt32(_text, value)) value = FDefaultValue;
  SetValue(value);
}

bool TCustomInheritingIntegerOption::ResetValueToDefault() {
  if (FValue == FDefaultValue) return false;
  FValue = FDefaultValue;
  return true;
}

void TCustomInheritingIntegerOption::ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  LoadDefaultValue();
  int value = _storage.ReadInteger(_sectionName, GetName(), GetInheritByDefault() ? InheritIntegerValue : FDefaultValue);
  if (value == InheritIntegerValue)
    SetInheritValue(true);
  else
    SetValue(value);
}

void TCustomInheritingIntegerOption::WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  _storage.WriteInteger(_sectionName, GetName(), FInheritValue ? InheritIntegerValue : FValue);
}

int TCustomInheritingIntegerOption::ValueStringDefaultIndex() const {
  for (size_t i = 0; i < FValueStrings.size(); ++i)
    if (FValueStrings[i].Value == FDefaultValue) return static_cast<int>(i);
  return -1;
}

int TCustomInheritingIntegerOption::ValueStringSelectedIndex() const {
  for (size_t i = 0; i < FValueStrings.size(); ++i)
    if (FValueStrings[i].Value == FValue) return static_cast<int>(i);
  return -1;
}

std::wstring TCustomInheritingIntegerOption::ValueString(int _index, const std::wstring& _defaultItemMarker) const {
  if (!IsValidValueStringIndex(_index)) return {};
  const TValueString& vs = FValueStrings[_index];
  std::wstring text = vs.Text;
  if (!_defaultItemMarker.empty() && !GetInheritByDefault() && vs.Value == FDefaultValue) text += _defaultItemMarker;
  return text;
}

void TCustomInheritingIntegerOption::SetValueFromValueString(int _index) {
  if (IsValidValueStringIndex(_index)) SetValue(FValueStrings[_index].Value);
}

}  // namespace tessera
