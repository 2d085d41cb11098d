#include "settings/SizeOption.h"

#include "base/StringUtils.h"
#include "settings/UnitValueText.h"

namespace tessera {

namespace {

struct SizeUnit {
  const wchar_t* Text;
  std::int64_t Factor;
};
constexpr SizeUnit kSizeUnits[] = {
    {L"", 0},
    {L"", 0},
    {L"B", 1},
    {L"KB", 1000},
    {L"KiB", 1024},
    {L"MB", 1000000},
    {L"MiB", 1048576},
    {L"GB", 1000000000},
    {L"GiB", 1073741824},
    {L"TB", 1000000000000},
    {L"TiB", 1099511627776},
};

bool IsValidUnit(int _unit) noexcept { return _unit > SizeUnitUnknown && _unit <= SizeUnitLast; }

}  // namespace

std::wstring_view SizeUnitText(int _unit) noexcept { return IsValidUnit(_unit) ? kSizeUnits[_unit].Text : L""; }

std::int64_t SizeUnitFactor(int _unit) noexcept { return IsValidUnit(_unit) ? kSizeUnits[_unit].Factor : 0; }

int SizeUnitFromText(std::wstring_view _text) noexcept {
  if (_text.empty()) return SizeUnitNone;
  for (int u = SizeUnitUnknown + 1; u <= SizeUnitLast; ++u)
    if (SameTextAscii(_text, kSizeUnits[u].Text)) return u;
  return SizeUnitUnknown;
}

void ParseSizeText(std::wstring_view _text, std::int64_t& _number, int& _unit) noexcept {
  std::wstring_view unitPart;
  settings::SplitNumberAndUnit(_text, _number, unitPart);
  _unit = SizeUnitFromText(unitPart);
}

TCustomInheritingSizeOption::TCustomInheritingSizeOption(TCustomInheritingSizeOption* _parent, bool _inheritByDefault,
                                                         std::wstring _defaultValue, std::wstring _name,
                                                         std::wstring _caption, int _helpID)
    : TCustomInheritingStringOption(_parent, _inheritByDefault, std::move(_defaultValue), std::move(_name),
                                    std::move(_caption), _helpID) {
  FOptionListFlags = TOptionFlags{flReadOnlyEdit, flShowEditButton, flSpaceShowsPopup};
}

void TCustomInheritingSizeOption::SetValue(const std::wstring& _value) {
  std::int64_t number;
  int unit;
  ParseSizeText(_value, number, unit);
  std::wstring canonical;
  if (number != -1 && IsValidUnit(unit)) canonical = IntToText(number) + std::wstring(SizeUnitText(unit));
  TCustomInheritingStringOption::SetValue(canonical);
}

std::int64_t TCustomInheritingSizeOption::GetValueAsBytes() const {
  std::int64_t number;
  int unit;
  ParseSizeText(GetValue(), number, unit);
  if (number == -1 || !IsValidUnit(unit)) return -1;
  return settings::MultiplySaturated(number, SizeUnitFactor(unit));
}

}  // namespace tessera
