#include "settings/AgeOption.h"

#include "base/StringUtils.h"
#include "settings/UnitValueText.h"

namespace tessera {

const TAgeUnitRec AgeUnits[7] = {
    {L"seconds (s)", L"s", auSecond}, {L"minutes (min)", L"min", auMinute}, {L"hours (hr)", L"hr", auHour},
    {L"days (d)", L"d", auDay},       {L"weeks (wk)", L"wk", auWeek},       {L"months (mo)", L"mo", auMonth},
    {L"years (yr)", L"yr", auYear},
};

std::int64_t AgeUnitSeconds(TAgeUnit _unit) noexcept {
  switch (_unit) {
    case auSecond: return 1;
    case auMinute: return 60;
    case auHour: return 3600;
    case auDay: return 86400;
    case auWeek: return 604800;
    case auMonth: return 2592000;
    case auYear: return 31104000;
    default: return 0;
  }
}

std::wstring_view AgeUnitID(TAgeUnit _unit) noexcept {
  for (const TAgeUnitRec& rec : AgeUnits)
    if (rec.AgeUnit == _unit) return rec.ID;
  return L"";
}

TAgeUnit AgeUnitFromID(std::wstring_view _id) noexcept {
  if (_id.empty()) return auNone;
  for (const TAgeUnitRec& rec : AgeUnits)
    if (SameTextAscii(_id, rec.ID)) return rec.AgeUnit;
  return auUnknown;
}

void ParseAgeText(std::wstring_view _text, std::int64_t& _number, TAgeUnit& _unit) noexcept {
  std::wstring_view unitPart;
  settings::SplitNumberAndUnit(_text, _number, unitPart);
  _unit = AgeUnitFromID(unitPart);
}

TCustomInheritingAgeOption::TCustomInheritingAgeOption(TCustomInheritingAgeOption* _parent, bool _inheritByDefault,
                                                       std::wstring _defaultValue, std::wstring _name,
                                                       std::wstring _caption, int _helpID)
    : TCustomInheritingStringOption(_parent, _inheritByDefault, std::move(_defaultValue), std::move(_name),
                                    std::move(_caption), _helpID) {
  FOptionListFlags = TOptionFlags{flReadOnlyEdit, flShowEditButton, flSpaceShowsPopup};
}

void TCustomInheritingAgeOption::SetValue(const std::wstring& _value) {
  std::int64_t number;
  TAgeUnit unit;
  ParseAgeText(_value, number, unit);
  std::wstring canonical;
  if (number != -1 && unit != auNone && unit != auUnknown)
    canonical = IntToText(number) + std::wstring(AgeUnitID(unit));
  TCustomInheritingStringOption::SetValue(canonical);
}

std::int64_t TCustomInheritingAgeOption::GetValueAsSeconds() const {
  std::int64_t number;
  TAgeUnit unit;
  ParseAgeText(GetValue(), number, unit);
  if (number == -1 || unit == auNone || unit == auUnknown) return -1;
  return settings::MultiplySaturated(number, AgeUnitSeconds(unit));
}

}  // namespace tessera
