#include "settings/StringOption.h"

#include "base/StringUtils.h"

namespace tessera {

TCustomInheritingStringOption::TCustomInheritingStringOption(TCustomInheritingStringOption* _parent,
                                                             bool _inheritByDefault, std::wstring _defaultValue,
                                                             std::wstring _name, std::wstring _caption, int _helpID)
    : TCustomInheritingOption(_parent, _inheritByDefault, std::move(_name), std::move(_caption), _helpID),
      FValue(_defaultValue),
      FDefaultValue(std::move(_defaultValue)) {}

const std::wstring& TCustomInheritingStringOption::GetValue() const {
  if (FInheritValue && CanInherit()) return static_cast<const TCustomInheritingStringOption*>(GetParent())->GetValue();
  return FValue;
}

void TCustomInheritingStringOption::SetValue(const std::wstring& _value) {
  std::wstring value = FAutoTrim ? TrimText(_value) : _value;
  if (!FAllowEmpty && value.empty()) value = FDefaultValue;
  if (FMaxLength > 0 && value.size() > static_cast<size_t>(FMaxLength)) value.resize(FMaxLength);
  bool changed = value != FValue;
  if (changed) FValue = std::move(value);
  AfterSetValue(changed);
}

void TCustomInheritingStringOption::AddValueString(std::wstring _value, std::wstring _text) {
  FValueStrings.push_back({std::move(_value), std::move(_text)});
}

std::wstring TCustomInheritingStringOption::ValueStringFromValue(const std::wstring& _value) const {
  for (const TValueString& vs : FValueStrings)
    if (vs.Value == _value) return vs.Text;
  return _value;
}

std::wstring TCustomInheritingStringOption::ValueFromValueStringIndex(int _index) const {
  return IsValidValueStringIndex(_index) ? FValueStrings[_index].Value : std::wstring();
}

bool TCustomInheritingStringOption::ValueChangedFromDefault(bool _effective) const {
  return (_effective ? GetValue() : FValue) != FDefaultValue;
}

std::wstring TCustomInheritingStringOption::GetValueAsCmdLineParam() const {
  return FInheritValue ? std::wstring(kInheritText) : GetValueAsText();
}

bool TCustomInheritingStringOption::GetValuePresent() const { return !TrimView(GetValue()).empty(); }

void TCustomInheritingStringOption::SetValueAsText(const std::wstring& _text) {
  if (HandleInheritText(_text)) return;
  SetValue(_text);
}

bool TCustomInheritingStringOption::ResetValueToDefault() {
  if (FValue == FDefaultValue) return false;
  FValue = FDefaultValue;
  return true;
}

void TCustomInheritingStringOption::ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  LoadDefaultValue();
  std::wstring text =
      _storage.ReadString(_sectionName, GetName(), GetInheritByDefault() ? kInheritStorageText : FDefaultValue);
  if (text == kInheritStorageText) {
    SetInheritValue(true);
    return;
  }
  if (FProcessStringAfterLoadProc) FProcessStringAfterLoadProc(text);
  SetValue(text);
}

void TCustomInheritingStringOption::WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  if (FInheritValue) {
    _storage.WriteString(_sectionName, GetName(), kInheritStorageText);
    return;
  }
  std::wstring text = FValue;
  if (FProcessStringBeforeSaveProc) FProcessStringBeforeSaveProc(text);
  _storage.WriteString(_sectionName, GetName(), text);
}

int TCustomInheritingStringOption::ValueStringDefaultIndex() const {
  for (size_t i = 0; i < FValueStrings.size(); ++i)
    if (FValueStrings[i].Value == FDefaultValue) return static_cast<int>(i);
  return -1;
}

int TCustomInheritingStringOption::ValueStringSelectedIndex() const {
  for (size_t i = 0; i < FValueStrings.size(); ++i)
    if (FValueStrings[i].Value == FValue) return static_cast<int>(i);
  return -1;
}

std::wstring TCustomInheritingStringOption::ValueString(int _index, const std::wstring& _defaultItemMarker) const {
  if (!IsValidValueStringIndex(_index)) return {};
  const TValueString& vs = FValueStrings[_index];
  std::wstring text = vs.Text;
  if (!_defaultItemMarker.empty() && !GetInheritByDefault() && vs.Value == FDefaultValue) text += _defaultItemMarker;
  return text;
}

void TCustomInheritingStringOption::SetValueFromValueString(int _index) {
  if (IsValidValueStringIndex(_index)) SetValue(FValueStrings[_index].Value);
}

}  // namespace tessera
