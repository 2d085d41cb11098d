#include "settings/ColorOption.h"

#include <cstdio>

#include "base/StringUtils.h"

namespace tessera {

namespace {

constexpr int SystemColor(int _index) { return static_cast<int>(0xFF000000u + static_cast<unsigned>(_index)); }

struct NamedColor {
  int Color;
  const wchar_t* Name;
};

// The popup's colours in their order: basic, extended, then the system colours.
constexpr NamedColor kNamedColors[] = {
    {0x000000, L"Black"},
    {0x000080, L"Maroon"},
    {0x008000, L"Green"},
    {0x008080, L"Olive"},
    {0x800000, L"Navy"},
    {0x800080, L"Purple"},
    {0x808000, L"Teal"},
    {0x808080, L"Gray"},
    {0xC0C0C0, L"Silver"},
    {0x0000FF, L"Red"},
    {0x00FF00, L"Lime"},
    {0x00FFFF, L"Yellow"},
    {0xFF0000, L"Blue"},
    {0xFF00FF, L"Fuchsia"},
    {0xFFFF00, L"Aqua"},
    {0xFFFFFF, L"White"},
    {0xC0DCC0, L"MoneyGreen"},
    {0xF0CAA6, L"SkyBlue"},
    {0xF0FBFF, L"Cream"},
    {0xA4A0A0, L"MediumGray"},
    {SystemColor(10), L"ActiveBorder"},
    {SystemColor(2), L"ActiveCaption"},
    {SystemColor(12), L"AppWorkspace"},
    {SystemColor(1), L"Desktop"},
    {SystemColor(15), L"ButtonFace"},
    {SystemColor(20), L"ButtonHighlight"},
    {SystemColor(16), L"ButtonShadow"},
    {SystemColor(18), L"ButtonText"},
    {SystemColor(9), L"CaptionText"},
    {SystemColor(27), L"GradientActiveCaption"},
    {SystemColor(28), L"GradientInactiveCaption"},
    {SystemColor(17), L"GrayText"},
    {SystemColor(13), L"Highlight"},
    {SystemColor(14), L"HighlightText"},
    {SystemColor(26), L"HotLight"},
    {SystemColor(11), L"InactiveBorder"},
    {SystemColor(3), L"InactiveCaption"},
    {SystemColor(19), L"InactiveCaptionText"},
    {SystemColor(24), L"InfoBackground"},
    {SystemColor(23), L"InfoText"},
    {SystemColor(4), L"Menu"},
    {SystemColor(30), L"MenuBar"},
    {SystemColor(29), L"MenuHighlight"},
    {SystemColor(7), L"MenuText"},
    {SystemColor(0), L"ScrollBar"},
    {SystemColor(21), L"ThreeDDarkShadow"},
    {SystemColor(22), L"ThreeDLight"},
    {SystemColor(5), L"Window"},
    {SystemColor(6), L"WindowFrame"},
    {SystemColor(8), L"WindowText"},
};
static_assert(sizeof(kNamedColors) / sizeof(kNamedColors[0]) == 50);

}  // namespace

std::wstring ColorToText(int _color) {
  for (const NamedColor& c : kNamedColors)
    if (c.Color == _color) return c.Name;
  wchar_t buffer[16];
  std::swprintf(buffer, 16, L"0x%08X", static_cast<unsigned>(_color));
  return buffer;
}

bool TryTextToColor(const std::wstring& _text, int& _color) {
  for (const NamedColor& c : kNamedColors)
    if (SameTextAscii(_text, c.Name)) {
      _color = c.Color;
      return true;
    }
  std::wstring_view text = _text;
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
    return TryParseHexInt32(text.substr(2), _color);
  if (text.size() > 1 && text[0] == L'$') return TryParseHexInt32(text.substr(1), _color);
  return TryParseInt32(text, _color);
}

TCustomInheritingColorOption::TCustomInheritingColorOption(TCustomInheritingColorOption* _parent,
                                                           bool _inheritByDefault, int _defaultValue,
                                                           std::wstring _name, std::wstring _caption, int _helpID)
    : TCustomInheritingIntegerOption(_parent, _inheritByDefault, _defaultValue, std::move(_name), std::move(_caption),
                                     _helpID) {
  FOptionListFlags = TOptionFlags{flShowEditButton};
  FVisualControlType = vcColorBox;
  FValueStringVisualControlType = vcColorBox;
}

void TCustomInheritingColorOption::SetValueAsText(const std::wstring& _text) {
  if (HandleInheritText(_text)) return;
  int color;
  SetValue(TryTextToColor(_text, color) ? color : GetDefaultValue());
}

void TCustomInheritingColorOption::PopulateColors() const {
  if (FColorsPopulated) return;
  FColorsPopulated = true;
  // The list is a cache of fixed entries, filled on first use.
  auto* self = const_cast<TCustomInheritingColorOption*>(this);
  for (const NamedColor& c : kNamedColors) self->AddValueString(c.Color, c.Name, c.Name);
}

int TCustomInheritingColorOption::ValueStringsCount() const {
  PopulateColors();
  return TCustomInheritingIntegerOption::ValueStringsCount();
}

int TCustomInheritingColorOption::ValueStringDefaultIndex() const {
  PopulateColors();
  return TCustomInheritingIntegerOption::ValueStringDefaultIndex();
}

int TCustomInheritingColorOption::ValueStringSelectedIndex() const {
  PopulateColors();
  return TCustomInheritingIntegerOption::ValueStringSelectedIndex();
}

std::wstring TCustomInheritingColorOption::ValueString(int _index, const std::wstring& _defaultItemMarker) const {
  PopulateColors();
  return TCustomInheritingIntegerOption::ValueString(_index, _defaultItemMarker);
}

void TCustomInheritingColorOption::SetValueFromValueString(int _index) {
  PopulateColors();
  TCustomInheritingIntegerOption::SetValueFromValueString(_index);
}

}  // namespace tessera
