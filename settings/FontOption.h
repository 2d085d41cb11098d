// Font options: name, size, bold and italic.
#pragma once

#include <string>

#include "settings/InheritingOption.h"

namespace tessera {

struct TFontOptionValue {
  std::wstring Name;
  int Size = 0;
  bool Bold = false;
  bool Italic = false;

  static TFontOptionValue Create(std::wstring _fontName, bool _bold, bool _italic, int _size) {
    return {std::move(_fontName), _size, _bold, _italic};
  }
  // All four fields equal; names compared exactly.
  bool Equals(const TFontOptionValue& _value) const {
    return Name == _value.Name && Size == _value.Size && Bold == _value.Bold && Italic == _value.Italic;
  }
  // "Arial Bold Italic, 10".
  std::wstring ToString() const;
};

class TCustomInheritingFontOption : public TCustomInheritingOption {
public:
  TCustomInheritingFontOption(TCustomInheritingFontOption* _parent, bool _inheritByDefault,
                              TFontOptionValue _defaultValue, std::wstring _name, std::wstring _caption, int _helpID);

  const TFontOptionValue& GetValue() const;
  void SetValue(const TFontOptionValue& _value);
  const TFontOptionValue& GetDefaultValue() const noexcept { return FDefaultValue; }
  void SetDefaultValue(TFontOptionValue _value) { FDefaultValue = std::move(_value); }

  bool ValueChangedFromDefault(bool _effective) const override;
  std::wstring GetSyntax() const override { return L"Font Name;Bold;Italic;10"; }
  // Not supported: raises TesseraError.
  std::wstring GetValueAsCmdLineParam() const override;
  std::wstring GetValueAsText() const override { return GetValue().ToString(); }
  // Not supported: raises TesseraError.
  void SetValueAsText(const std::wstring& _text) override;
  bool ResetValueToDefault() override;
  // Storage form: name;Bold;Italic;size (the style words empty when not set).
  void ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) override;
  void WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) override;

private:
  TFontOptionValue FValue;
  TFontOptionValue FDefaultValue;
};

class TInheritingFontOption : public TCustomInheritingFontOption {
public:
  using TCustomInheritingFontOption::TCustomInheritingFontOption;
};

class TFontOption : public TCustomInheritingFontOption {
public:
  TFontOption(TFontOptionValue _defaultValue, std::wstring _name, std::wstring _caption, int _helpID)
      : TCustomInheritingFontOption(nullptr, false, std::move(_defaultValue), std::move(_name), std::move(_caption),
                                    _helpID) {}
};

}  // namespace tessera
