#include "config/ConfigApp.h"

#include "base/ProductInfo.h"
#include "base/ResourceString.h"
#include "config/config_strings.h"

namespace tessera {

int RunConfigProgram(HINSTANCE, int) {
  // The settings window is built in a later step; until then the program tells the user where the settings
  // live instead of failing silently.
  ::MessageBoxW(nullptr, ResString(IDS_CONFIG_NOT_BUILT).c_str(), kProductName, MB_ICONINFORMATION | MB_OK);
  return 0;
}

}  // namespace tessera
