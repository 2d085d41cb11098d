#include "config/optionlist/VirtualSplitter.h"

#include <windows.h>

namespace tessera {

int TvVirtualSplitter::Clamp(int _value) const noexcept {
  // Right margin first, then the left one, so that the left margin wins for every value when the two overlap
  // (a narrow list): the divider never lies left of it after a drag.
  int value = _value;
  if (value > FParentWidth - FMinRight) value = FParentWidth - FMinRight;
  if (value < FMinLeft) value = FMinLeft;
  return value;
}

void TvVirtualSplitter::SetPosition(int _value) {
  FUserPosition = Clamp(_value);
  SetEffectivePosition(FUserPosition);
}

void TvVirtualSplitter::SetParentWidth(int _value) {
  if (_value == FParentWidth) return;
  FParentWidth = _value;
  const int rightmost = _value - FMinRight;
  if (rightmost >= FEffectivePosition)
    SetEffectivePosition(Clamp(FUserPosition));  // back toward where the user put it
  else
    SetEffectivePosition(rightmost);  // pushed left by the narrowing
}

void TvVirtualSplitter::SetInitialPosition(int _value) noexcept {
  FInitialPosition = _value;
  FUserPosition = _value;
  FEffectivePosition = _value;
}

void TvVirtualSplitter::Rescale(int _numerator, int _denominator) {
  if (_denominator <= 0 || _numerator == _denominator) return;
  auto scale = [&](int v) { return ::MulDiv(v, _numerator, _denominator); };
  FMinLeft = scale(FMinLeft);
  FMinRight = scale(FMinRight);
  FInitialPosition = scale(FInitialPosition);
  FUserPosition = scale(FUserPosition);
  SetEffectivePosition(scale(FEffectivePosition));
}

void TvVirtualSplitter::SetEffectivePosition(int _value) {
  if (_value == FEffectivePosition) return;
  FEffectivePosition = _value;
  Moved();
}

void TvVirtualSplitter::Moved() {
  if (OnMoved) OnMoved(*this);
}

}  // namespace tessera
