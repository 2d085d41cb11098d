// Text options: trimming, empty-value fallback, length limit, value strings of (Value, Text).
#pragma once

#include <vector>

#include "settings/InheritingOption.h"

namespace tessera {

class TCustomInheritingStringOption : public TCustomInheritingOption {
public:
  struct TValueString {
    std::wstring Value;
    std::wstring Text;
  };
  using TValueStringArray = std::vector<TValueString>;

  // The parent, when given, is a text option too (any text kind).
  TCustomInheritingStringOption(TCustomInheritingStringOption* _parent, bool _inheritByDefault,
                                std::wstring _defaultValue, std::wstring _name, std::wstring _caption, int _helpID);

  // The effective value: the parent's while inheriting (and a parent exists), else the own one.
  const std::wstring& GetValue() const;
  // Trims (AutoTrim), falls back to the default when empty and not AllowEmpty, cuts to MaxLength.
  virtual void SetValue(const std::wstring& _value);

  const std::wstring& GetDefaultValue() const noexcept { return FDefaultValue; }
  void SetDefaultValue(std::wstring _value) { FDefaultValue = std::move(_value); }
  bool GetAutoTrim() const noexcept { return FAutoTrim; }
  void SetAutoTrim(bool _value) noexcept { FAutoTrim = _value; }
  bool GetAllowEmpty() const noexcept { return FAllowEmpty; }
  void SetAllowEmpty(bool _value) noexcept { FAllowEmpty = _value; }
  int GetMaxLength() const noexcept { return FMaxLength; }
  void SetMaxLength(int _value) noexcept { FMaxLength = _value; }
  const TProcessStringProc& GetProcessStringBeforeSaveProc() const noexcept { return FProcessStringBeforeSaveProc; }
  void SetProcessStringBeforeSaveProc(TProcessStringProc _proc) { FProcessStringBeforeSaveProc = std::move(_proc); }
  const TProcessStringProc& GetProcessStringAfterLoadProc() const noexcept { return FProcessStringAfterLoadProc; }
  void SetProcessStringAfterLoadProc(TProcessStringProc _proc) { FProcessStringAfterLoadProc = std::move(_proc); }

  void AddValueString(std::wstring _value, std::wstring _text);
  const TValueStringArray& GetValueStrings() const noexcept { return FValueStrings; }
  // The Text of the first entry whose Value equals _value exactly; _value itself when there is none.
  std::wstring ValueStringFromValue(const std::wstring& _value) const;
  // The entry's Value; empty text for an invalid index.
  std::wstring ValueFromValueStringIndex(int _index) const;
  bool IsValidValueStringIndex(int _index) const noexcept {
    return _index >= 0 && _index < static_cast<int>(FValueStrings.size());
  }

  bool ValueChangedFromDefault(bool _effective) const override;
  std::wstring GetSyntax() const override { return {}; }
  std::wstring GetValueAsCmdLineParam() const override;
  std::wstring GetValueAsText() const override { return GetValue(); }
  bool GetValuePresent() const override;
  void SetValueAsText(const std::wstring& _text) override;
  bool ResetValueToDefault() override;
  void ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) override;
  void WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) override;
  int ValueStringsCount() const override { return static_cast<int>(FValueStrings.size()); }
  int ValueStringDefaultIndex() const override;
  int ValueStringSelectedIndex() const override;
  std::wstring ValueString(int _index, const std::wstring& _defaultItemMarker) const override;
  void SetValueFromValueString(int _index) override;

protected:
  // The own value, whatever the inherit flag.
  const std::wstring& OwnValue() const noexcept { return FValue; }

private:
  TValueStringArray FValueStrings;
  std::wstring FValue;
  std::wstring FDefaultValue;
  bool FAutoTrim = true;
  bool FAllowEmpty = true;
  TProcessStringProc FProcessStringBeforeSaveProc;
  TProcessStringProc FProcessStringAfterLoadProc;
  int FMaxLength = 0;
};

class TInheritingStringOption : public TCustomInheritingStringOption {
public:
  using TCustomInheritingStringOption::TCustomInheritingStringOption;
};

class TStringOption : public TCustomInheritingStringOption {
public:
  TStringOption(std::wstring _defaultValue, std::wstring _name, std::wstring _caption, int _helpID)
      : TCustomInheritingStringOption(nullptr, false, std::move(_defaultValue), std::move(_name), std::move(_caption),
                                      _helpID) {}
};

// Stored in place of a text value while the option inherits.
inline constexpr wchar_t kInheritStorageText[] = L"@inherit@";

}  // namespace tessera
