// Colour options: a 32-bit colour (red in the lowest byte; 0xFF000000 + index for a system colour).
#pragma once

#include <string>

#include "settings/IntegerOption.h"

namespace tessera {

// The colour's name when it has one (the 50 colours of the popup), else "0x" and eight hexadecimal digits.
std::wstring ColorToText(int _color);
// Accepts the names above (ignoring ASCII case), "0x" or "$" with up to eight hexadecimal digits, and decimal
// numbers. False when the text is none of those.
bool TryTextToColor(const std::wstring& _text, int& _color);

class TCustomInheritingColorOption : public TCustomInheritingIntegerOption {
public:
  TCustomInheritingColorOption(TCustomInheritingColorOption* _parent, bool _inheritByDefault, int _defaultValue,
                               std::wstring _name, std::wstring _caption, int _helpID);

  std::wstring GetSyntax() const override { return {}; }
  std::wstring GetValueAsText() const override { return ColorToText(GetValue()); }
  TVisualControlType GetValueStringVisualControlType() const override { return FValueStringVisualControlType; }
  // Unknown names fall back to the default colour.
  void SetValueAsText(const std::wstring& _text) override;
  // The 50 named colours are added as value strings on the first call.
  int ValueStringsCount() const override;
  int ValueStringDefaultIndex() const override;
  int ValueStringSelectedIndex() const override;
  std::wstring ValueString(int _index, const std::wstring& _defaultItemMarker) const override;
  void SetValueFromValueString(int _index) override;

private:
  void PopulateColors() const;
  mutable bool FColorsPopulated = false;
};

class TInheritingColorOption : public TCustomInheritingColorOption {
public:
  using TCustomInheritingColorOption::TCustomInheritingColorOption;
};

class TColorOption : public TInheritingColorOption {
public:
  TColorOption(int _defaultValue, std::wstring _name, std::wstring _caption, int _helpID)
      : TInheritingColorOption(nullptr, false, _defaultValue, std::move(_name), std::move(_caption), _helpID) {}
};

}  // namespace tessera
