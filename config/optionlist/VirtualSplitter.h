// The divider position of the option list: kept inside a left and a right margin of the list's width, and
// remembered where the user put it, so that a list that narrows pushes it left and one that widens again
// brings it back, no further.
#pragma once

#include <functional>

namespace tessera {

class TvVirtualSplitter {
public:
  using TNotifyEvent = std::function<void(TvVirtualSplitter& sender)>;

  int Position() const noexcept { return FEffectivePosition; }
  // Where the user put it, after clamping.
  int UserPosition() const noexcept { return FUserPosition; }
  void SetPosition(int _value);
  int ParentWidth() const noexcept { return FParentWidth; }
  void SetParentWidth(int _value);
  int InitialPosition() const noexcept { return FInitialPosition; }
  // Sets every position, without an event.
  void SetInitialPosition(int _value) noexcept;
  int MinLeft() const noexcept { return FMinLeft; }
  void SetMinLeft(int _value) noexcept { FMinLeft = _value; }
  int MinRight() const noexcept { return FMinRight; }
  void SetMinRight(int _value) noexcept { FMinRight = _value; }

  // Every position and margin times _numerator / _denominator (a new DPI over the old one); OnMoved fires
  // when the position in use changed.
  void Rescale(int _numerator, int _denominator);

  // The left margin when _value lies left of it, else the right margin when right of it; the left margin
  // wins when the two overlap.
  int Clamp(int _value) const noexcept;

  TNotifyEvent OnMoved;

private:
  void SetEffectivePosition(int _value);
  void Moved();

  int FEffectivePosition = 100;
  int FUserPosition = 100;
  int FParentWidth = 0;
  int FMinLeft = 50;
  int FMinRight = 50;
  int FInitialPosition = 100;
};

}  // namespace tessera
