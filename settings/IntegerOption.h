// Whole-number options: bounds and value strings of (Value, Text, Name).
#pragma once

#include <vector>

#include "settings/InheritingOption.h"

namespace tessera {

// Stored in place of a whole number while the option inherits: the lowest 32-bit value.
inline constexpr int InheritIntegerValue = -2147483647 - 1;

class TCustomInheritingIntegerOption : public TCustomInheritingOption {
public:
  struct TValueString {
    int Value;
    std::wstring Text;  // caption shown in the popup and in ValueAsText
    std::wstring Name;  // invariant word of the command-line form, accepted by SetValueAsText
  };
  using TValueStringArray = std::vector<TValueString>;

  // The parent, when given, is a whole-number option too (any whole-number kind).
  TCustomInheritingIntegerOption(TCustomInheritingIntegerOption* _parent, bool _inheritByDefault, int _defaultValue,
                                 std::wstring _name, std::wstring _caption, int _helpID);

  int GetValue() const;
  // Clamps to MinValue / MaxValue where those are not 0.
  void SetValue(int _value);
  int GetDefaultValue() const noexcept { return FDefaultValue; }
  void SetDefaultValue(int _value) noexcept { FDefaultValue = _value; }

  void AddValueString(int _value, std::wstring _text, std::wstring _name);
  const TValueStringArray& GetValueStrings() const noexcept { return FValueStrings; }
  // The Text of the first entry whose Value equals _value; _value in decimal when there is none.
  std::wstring ValueStringFromValue(int _value) const;
  // The entry's Value; the default value for an invalid index.
  int ValueFromValueStringIndex(int _index) const;
  bool IsValidValueStringIndex(int _index) const noexcept {
    return _index >= 0 && _index < static_cast<int>(FValueStrings.size());
  }
  // Index of the first entry whose Name equals _name ignoring ASCII case; -1 when none.
  int IndexOfValueStringName(const std::wstring& _name) const;

  bool ValueChangedFromDefault(bool _effective) const override;
  std::wstring GetSyntax() const override;
  std::wstring GetValueAsCmdLineParam() const override;
  std::wstring GetValueAsText() const override;
  TVisualControlType GetValueStringVisualControlType() const override;
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
  // Bounds, 0 meaning none; published by TInheritingIntegerOption and TIntegerOption.
  int GetMinValue() const noexcept { return FMinValue; }
  void SetMinValue(int _value) noexcept { FMinValue = _value; }
  int GetMaxValue() const noexcept { return FMaxValue; }
  void SetMaxValue(int _value) noexcept { FMaxValue = _value; }
  int OwnValue() const noexcept { return FValue; }

private:
  TValueStringArray FValueStrings;
  int FValue;
  int FDefaultValue;
  int FMinValue = 0;
  int FMaxValue = 0;
};

class TInheritingIntegerOption : public TCustomInheritingIntegerOption {
public:
  using TCustomInheritingIntegerOption::TCustomInheritingIntegerOption;
  using TCustomInheritingIntegerOption::GetMaxValue;
  using TCustomInheritingIntegerOption::GetMinValue;
  using TCustomInheritingIntegerOption::SetMaxValue;
  using TCustomInheritingIntegerOption::SetMinValue;
};

class TIntegerOption : public TCustomInheritingIntegerOption {
public:
  TIntegerOption(int _defaultValue, std::wstring _name, std::wstring _caption, int _helpID)
      : TCustomInheritingIntegerOption(nullptr, false, _defaultValue, std::move(_name), std::move(_caption), _helpID) {}
  using TCustomInheritingIntegerOption::GetMaxValue;
  using TCustomInheritingIntegerOption::GetMinValue;
  using TCustomInheritingIntegerOption::SetMaxValue;
  using TCustomInheritingIntegerOption::SetMinValue;
};

}  // namespace tessera
