// Holds keys down for the calling thread's keyboard state, so that GetKeyState (and IsKeyDown) sees
// them, as when the user holds Ctrl or Shift while choosing a menu item.
#pragma once

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <vector>

namespace tessera::test {

class HeldKeys {
public:
  explicit HeldKeys(std::initializer_list<int> virtualKeys) {
    ::GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    for (int vk : virtualKeys) state[vk & 0xFF] |= 0x80;
    ::SetKeyboardState(state);
  }
  ~HeldKeys() { ::SetKeyboardState(saved_); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

private:
  BYTE saved_[256] = {};
};

}  // namespace tessera::test
