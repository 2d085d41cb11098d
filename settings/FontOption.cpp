#include "settings/FontOption.h"

#include "base/Error.h"
#include "base/StringUtils.h"
#include "settings/StringOption.h"

namespace tessera {

namespace {
constexpr wchar_t kMissingKeyText[] = L"@error@";
}

std::wstring TFontOptionValue::ToString() const {
  std::wstring text = Name;
  if (Bold) text += L" Bold";
  if (Italic) text += L" Italic";
  return text + L", " + IntToText(Size);
}

TCustomInheritingFontOption::TCustomInheritingFontOption(TCustomInheritingFontOption* _parent, bool _inheritByDefault,
                                                         TFontOptionValue _defaultValue, std::wstring _name,
                                                         std::wstring _caption, int _helpID)
    : TCustomInheritingOption(_parent, _inheritByDefault, std::move(_name), std::move(_caption), _helpID),
      FValue(_defaultValue),
      FDefaultValue(std::move(_defaultValue)) {
  FOptionListFlags = TOptionFlags{flReadOnlyEdit, flSpaceShowsPopup};
}

const TFontOptionValue& TCustomInheritingFontOption::GetValue() const {
  if (FInheritValue && CanInherit()) return static_cast<const TCustomInheritingFontOption*>(GetParent())->GetValue();
  return FValue;
}

void TCustomInheritingFontOption::SetValue(const TFontOptionValue& _value) {
  bool changed = !FValue.Equals(_value);
  FValue = _value;
  AfterSetValue(changed);
}

bool TCustomInheritingFontOption::ValueChangedFromDefault(bool _effective) const {
  return !(_effective ? GetValue() : FValue).Equals(FDefaultValue);
}

std::wstring TCustomInheritingFontOption::GetValueAsCmdLineParam() const {
  throw TesseraError(L"TCustomInheritingFontOption.GetValueAsCmdLineParam.");
}

void TCustomInheritingFontOption::SetValueAsText(const std::wstring&) {
  throw TesseraError(L"TCustomInheritingFontOption.SetValueAsText not implemented.");
}

bool TCustomInheritingFontOption::ResetValueToDefault() {
  if (FValue.Equals(FDefaultValue)) return false;
  FValue = FDefaultValue;
  return true;
}

void TCustomInheritingFontOption::ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  LoadDefaultValue();
  std::wstring text = _storage.ReadString(_sectionName, GetName(), kMissingKeyText);
  if (text == kMissingKeyText) return;
  if (text == kInheritStorageText) {
    SetInheritValue(true);
    return;
  }
  TFontOptionValue value = FDefaultValue;
  std::vector<std::wstring> pieces = SplitText(text, L";", false);
  if (pieces.size() > 0) value.Name = pieces[0];
  if (pieces.size() > 1) value.Bold = SameTextAscii(pieces[1], L"Bold");
  if (pieces.size() > 2) value.Italic = SameTextAscii(pieces[2], L"Italic");
  int size;
  if (pieces.size() > 3 && TryParseInt32(pieces[3], size)) value.Size = size;
  SetValue(value);
}

void TCustomInheritingFontOption::WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  if (FInheritValue) {
    _storage.WriteString(_sectionName, GetName(), kInheritStorageText);
    return;
  }
  std::wstring text = FValue.Name + L";" + (FValue.Bold ? L"Bold" : L"") + L";" + (FValue.Italic ? L"Italic" : L"") +
                      L";" + IntToText(FValue.Size);
  _storage.WriteString(_sectionName, GetName(), text);
}

}  // namespace tessera
