// Yes/no options: shown with a check box, stored as 1 / 0 (-1 while inheriting).
#pragma once

#include "settings/InheritingOption.h"

namespace tessera {

class TCustomInheritingBooleanOption : public TCustomInheritingOption {
public:
  // The parent, when given, is a yes/no option too.
  TCustomInheritingBooleanOption(TCustomInheritingBooleanOption* _parent, bool _inheritByDefault, bool _defaultValue,
                                 std::wstring _name, std::wstring _caption, int _helpID);

  bool GetValue() const;
  void SetValue(bool _value);
  bool GetDefaultValue() const noexcept { return FDefaultValue; }
  void SetDefaultValue(bool _value) noexcept { FDefaultValue = _value; }

  bool ValueChangedFromDefault(bool _effective) const override;
  std::wstring GetSyntax() const override { return L"Yes|No"; }
  std::wstring GetValueAsCmdLineParam() const override;
  std::wstring GetValueAsText() const override;
  void SetValueAsText(const std::wstring& _text) override;
  bool GetVisualControlChecked() const override { return GetValue(); }
  bool ResetValueToDefault() override;
  void ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) override;
  void WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) override;
  int ValueStringsCount() const override { return 2; }
  int ValueStringDefaultIndex() const override { return FDefaultValue ? 0 : 1; }
  int ValueStringSelectedIndex() const override;
  std::wstring ValueString(int _index, const std::wstring& _defaultItemMarker) const override;
  void SetValueFromValueString(int _index) override;
  void VisualControlClicked() override { SetValue(!GetValue()); }

private:
  bool FValue;
  bool FDefaultValue;
};

class TInheritingBooleanOption : public TCustomInheritingBooleanOption {
public:
  using TCustomInheritingBooleanOption::TCustomInheritingBooleanOption;
};

class TBooleanOption : public TCustomInheritingBooleanOption {
public:
  TBooleanOption(bool _defaultValue, std::wstring _name, std::wstring _caption, int _helpID)
      : TCustomInheritingBooleanOption(nullptr, false, _defaultValue, std::move(_name), std::move(_caption), _helpID) {}
  using TCustomInheritingBooleanOption::ToggleValue;
  // Flips between Yes and No.
  void ToggleValue() { ToggleValue(false); }
};

// "yes", "y", "1", "true" (any ASCII case) give true; "no", "n", "0", "false" false; anything else _default.
bool ParseYesNo(const std::wstring& _text, bool _default);

}  // namespace tessera
