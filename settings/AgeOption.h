// Age options: a text such as 2d or 90min, read back as a number of seconds.
#pragma once

#include <cstdint>
#include <string_view>

#include "settings/StringOption.h"

namespace tessera {

enum TAgeUnit : int { auNone, auUnknown, auSecond, auMinute, auHour, auDay, auWeek, auMonth, auYear };

struct TAgeUnitRec {
  const wchar_t* Caption;
  const wchar_t* ID;
  TAgeUnit AgeUnit;
};
// The seven units from seconds to years, in that order.
extern const TAgeUnitRec AgeUnits[7];

// Seconds per unit (a month is 30 days, a year 360 days); 0 for none and unknown.
std::int64_t AgeUnitSeconds(TAgeUnit _unit) noexcept;
// The ID of a unit ("s", "min", ...); empty for none and unknown.
std::wstring_view AgeUnitID(TAgeUnit _unit) noexcept;
// Looks an ID up ignoring ASCII case: auNone for empty text, auUnknown when not found.
TAgeUnit AgeUnitFromID(std::wstring_view _id) noexcept;
// Parses an age text; the number is -1 when it does not parse.
void ParseAgeText(std::wstring_view _text, std::int64_t& _number, TAgeUnit& _unit) noexcept;

class TCustomInheritingAgeOption : public TCustomInheritingStringOption {
public:
  TCustomInheritingAgeOption(TCustomInheritingAgeOption* _parent, bool _inheritByDefault, std::wstring _defaultValue,
                             std::wstring _name, std::wstring _caption, int _helpID);

  // Stores the number and the unit's ID, or empty text when the text is no valid age.
  void SetValue(const std::wstring& _value) override;
  // The effective value in seconds; -1 when it is no valid age (the largest 64-bit value when it overflows).
  std::int64_t GetValueAsSeconds() const;
  bool ValueAssigned() const { return GetValueAsSeconds() != -1; }
};

class TInheritingAgeOption : public TCustomInheritingAgeOption {
public:
  using TCustomInheritingAgeOption::TCustomInheritingAgeOption;
};

class TAgeOption : public TInheritingAgeOption {
public:
  TAgeOption(std::wstring _defaultValue, std::wstring _name, std::wstring _caption, int _helpID)
      : TInheritingAgeOption(nullptr, false, std::move(_defaultValue), std::move(_name), std::move(_caption), _helpID) {}
};

}  // namespace tessera
