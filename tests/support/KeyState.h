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
    ::GetKeyboardState(FSaved);
    BYTE state[256];
    std::copy(std::begin(FSaved), std::end(FSaved), state);
    for (int vk : virtualKeys) state[vk & 0xFF] |= 0x80;
    ::SetKeyboardState(state);
  }
  ~HeldKeys() { ::SetKeyboardState(FSaved); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

private:
  BYTE FSaved[256] = {};
};

}  // namespace tessera::test
