// Splitting "10MB" / "2d" into a number and a unit text (shared by the size and age options).
#pragma once

#include <cstdint>
#include <string_view>

namespace tessera::settings {

// The number part runs up to the first character that is not a digit 0 to 9; the rest is the unit part.
// The number is -1 when the number part is empty or too large for 64 bits.
void SplitNumberAndUnit(std::wstring_view _text, std::int64_t& _number, std::wstring_view& _unitPart) noexcept;

// _number times _factor, or the largest 64-bit value when the product does not fit.
std::int64_t MultiplySaturated(std::int64_t _number, std::int64_t _factor) noexcept;

}  // namespace tessera::settings
