#include "config/optionlist/WindowFocus.h"

namespace tessera {

bool HoldsFocus(HWND window) noexcept {
  HWND focus = ::GetFocus();
  return window && focus && (focus == window || ::IsChild(window, focus));
}

}  // namespace tessera
