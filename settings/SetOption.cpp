#include "settings/SetOption.h"

#include <algorithm>

#include "base/StringUtils.h"
#include "settings/StringOption.h"

namespace tessera {

namespace {

constexpr wchar_t kMissingKeyText[] = L"@error@";

bool ContainsText(const std::vector<std::wstring>& _list, const std::wstring& _text) {
  return std::any_of(_list.begin(), _list.end(),
                     [&](const std::wstring& item) { return SameTextAscii(item, _text); });
}

}  // namespace

bool TSetOptionValue::Contains(const std::wstring& _member) const { return ContainsText(FValue, _member); }

bool TSetOptionValue::ContainsAny(const std::vector<std::wstring>& _members) const {
  return std::any_of(_members.begin(), _members.end(), [&](const std::wstring& m) { return Contains(m); });
}

bool TSetOptionValue::Equals(const TSetOptionValue& _value, bool _strictMemberOrder) const {
  if (FValue.size() != _value.FValue.size()) return false;
  if (_strictMemberOrder) {
    for (size_t i = 0; i < FValue.size(); ++i)
      if (!SameTextAscii(FValue[i], _value.FValue[i])) return false;
    return true;
  }
  for (const std::wstring& m : FValue)
    if (!_value.Contains(m)) return false;
  for (const std::wstring& m : _value.FValue)
    if (!Contains(m)) return false;
  return true;
}

void TSetOptionValue::AddMember(const std::wstring& _member) {
  if (!_member.empty() && !Contains(_member)) FValue.push_back(_member);
}

void TSetOptionValue::RemoveMember(const std::wstring& _member) {
  auto it = std::find_if(FValue.begin(), FValue.end(),
                         [&](const std::wstring& m) { return SameTextAscii(m, _member); });
  if (it != FValue.end()) FValue.erase(it);
}

TCustomInheritingSetOption::TCustomInheritingSetOption(TCustomInheritingSetOption* _parent, bool _inheritByDefault,
                                                       TSetOptionValue _defaultValue,
                                                       std::vector<std::wstring> _validMembers, std::wstring _name,
                                                       std::wstring _caption, int _helpID)
    : TCustomInheritingOption(_parent, _inheritByDefault, std::move(_name), std::move(_caption), _helpID),
      FValue(_defaultValue),
      FDefaultValue(std::move(_defaultValue)),
      FValidMembers(std::move(_validMembers)) {
  FOptionListFlags = TOptionFlags{flReadOnlyEdit, flValueStringsOnly, flSpaceShowsPopup};
  FValueStringVisualControlType = vcCheckBox;
  FValueStringClickKeepsPopupOpen = true;
}

const TSetOptionValue& TCustomInheritingSetOption::GetValue() const {
  if (FInheritValue && CanInherit()) return static_cast<const TCustomInheritingSetOption*>(GetParent())->GetValue();
  return FValue;
}

void TCustomInheritingSetOption::SetValue(const TSetOptionValue& _value) {
  bool changed = !FValue.Equals(_value, FStrictMemberOrder);
  FValue = _value;  // also an equal value in another order or case
  AfterSetValue(changed);
}

void TCustomInheritingSetOption::AddValueString(std::wstring _value, std::wstring _text) {
  FValueStrings.push_back({std::move(_value), std::move(_text)});
}

std::wstring TCustomInheritingSetOption::ValueFromValueString(int _index) const {
  return IsValidValueStringIndex(_index) ? FValueStrings[_index].Value : std::wstring();
}

std::wstring TCustomInheritingSetOption::ValueStringFromValue(const std::wstring& _member) const {
  for (const TValueString& vs : FValueStrings)
    if (SameTextAscii(vs.Value, _member)) return vs.Text;
  return _member;
}

bool TCustomInheritingSetOption::ValueChangedFromDefault(bool _effective) const {
  return !(_effective ? GetValue() : FValue).Equals(FDefaultValue, FStrictMemberOrder);
}

std::wstring TCustomInheritingSetOption::GetSyntax() const {
  std::wstring syntax;
  for (size_t i = 0; i < FValueStrings.size(); ++i) {
    if (i > 0) syntax += L',';
    syntax += FValueStrings[i].Value;
  }
  return syntax;
}

std::wstring TCustomInheritingSetOption::GetValueAsCmdLineParam() const {
  if (FInheritValue) return kInheritText;
  return JoinText(GetValue().Members(), L",");
}

std::wstring TCustomInheritingSetOption::GetValueAsText() const {
  std::vector<std::wstring> captions;
  for (const std::wstring& m : GetValue().Members()) captions.push_back(ValueStringFromValue(m));
  return L"[" + JoinText(captions, L", ") + L"]";
}

void TCustomInheritingSetOption::SetValueAsText(const std::wstring& _text) {
  if (HandleInheritText(_text)) return;
  std::vector<std::wstring> pieces = SplitText(_text, L";,", true);
  if (!FValidMembers.empty())
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(),
                                [&](const std::wstring& p) { return !ContainsText(FValidMembers, p); }),
                 pieces.end());
  SetValue(TSetOptionValue(std::move(pieces)));
}

bool TCustomInheritingSetOption::ResetValueToDefault() {
  if (FValue.Equals(FDefaultValue, FStrictMemberOrder)) return false;
  FValue = FDefaultValue;
  return true;
}

void TCustomInheritingSetOption::ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  LoadDefaultValue();
  std::wstring text = _storage.ReadString(_sectionName, GetName(), kMissingKeyText);
  if (text == kMissingKeyText) return;
  if (text == kInheritStorageText)
    SetInheritValue(true);
  else
    SetValueAsText(text);
}

void TCustomInheritingSetOption::WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  _storage.WriteString(_sectionName, GetName(),
                       FInheritValue ? std::wstring(kInheritStorageText) : JoinText(FValue.Members(), L";"));
}

std::wstring TCustomInheritingSetOption::ValueString(int _index, const std::wstring& _defaultItemMarker) const {
  if (!IsValidValueStringIndex(_index)) return {};
  const TValueString& vs = FValueStrings[_index];
  std::wstring text = vs.Text;
  if (!_defaultItemMarker.empty() && !GetInheritByDefault() && FDefaultValue.Contains(vs.Value))
    text += _defaultItemMarker;
  return text;
}

void TCustomInheritingSetOption::SetValueFromValueString(int _index) {
  if (!IsValidValueStringIndex(_index)) return;
  TSetOptionValue value = GetValue();
  const std::wstring member = FValueStrings[_index].Value;
  if (value.Contains(member))
    value.RemoveMember(member);
  else
    value.AddMember(member);
  SetValue(value);
}

void TCustomInheritingSetOption::ToggleValue(bool _includeInherit) {
  if (_includeInherit && CanInherit()) SetInheritValue(!FInheritValue);
}

}  // namespace tessera
