#include "settings/UnitValueText.h"

#include <limits>

#include "base/StringUtils.h"

namespace tessera::settings {

void SplitNumberAndUnit(std::wstring_view _text, std::int64_t& _number, std::wstring_view& _unitPart) noexcept {
  size_t i = 0;
  while (i < _text.size() && _text[i] >= L'0' && _text[i] <= L'9') ++i;
  _unitPart = _text.substr(i);
  if (!TryParseUInt64Digits(_text.substr(0, i), _number)) _number = -1;
}

std::int64_t MultiplySaturated(std::int64_t _number, std::int64_t _factor) noexcept {
  if (_factor != 0 && _number > std::numeric_limits<std::int64_t>::max() / _factor)
    return std::numeric_limits<std::int64_t>::max();
  return _number * _factor;
}

}  // namespace tessera::settings
