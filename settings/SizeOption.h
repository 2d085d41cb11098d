// Size options: a text such as 10MB or 4KiB, read back as a number of bytes.
#pragma once

#include <cstdint>
#include <string_view>

#include "settings/StringOption.h"

namespace tessera {

// Size units by number: 0 none, 1 unrecognised, 2 "B", 3 "KB", 4 "KiB", 5 "MB", 6 "MiB", 7 "GB", 8 "GiB",
// 9 "TB", 10 "TiB".
inline constexpr int SizeUnitNone = 0;
inline constexpr int SizeUnitUnknown = 1;
inline constexpr int SizeUnitLast = 10;
// The canonical text of a unit; empty for none and unrecognised.
std::wstring_view SizeUnitText(int _unit) noexcept;
// Bytes per unit; 0 for none and unrecognised.
std::int64_t SizeUnitFactor(int _unit) noexcept;
// Looks a unit text up ignoring ASCII case: none for empty text, unrecognised when not found.
int SizeUnitFromText(std::wstring_view _text) noexcept;
// Parses a size text; the number is -1 when it does not parse.
void ParseSizeText(std::wstring_view _text, std::int64_t& _number, int& _unit) noexcept;

class TCustomInheritingSizeOption : public TCustomInheritingStringOption {
public:
  TCustomInheritingSizeOption(TCustomInheritingSizeOption* _parent, bool _inheritByDefault, std::wstring _defaultValue,
                              std::wstring _name, std::wstring _caption, int _helpID);

  // Stores the number and the unit's canonical text, or empty text when the text is no valid size.
  void SetValue(const std::wstring& _value) override;
  // The effective value in bytes; -1 when it is no valid size (the largest 64-bit value when it overflows).
  std::int64_t GetValueAsBytes() const;
  bool ValueAssigned() const { return GetValueAsBytes() != -1; }
};

class TInheritingSizeOption : public TCustomInheritingSizeOption {
public:
  using TCustomInheritingSizeOption::TCustomInheritingSizeOption;
};

class TSizeOption : public TInheritingSizeOption {
public:
  TSizeOption(std::wstring _defaultValue, std::wstring _name, std::wstring _caption, int _helpID)
      : TInheritingSizeOption(nullptr, false, std::move(_defaultValue), std::move(_name), std::move(_caption),
                              _helpID) {}
};

}  // namespace tessera
