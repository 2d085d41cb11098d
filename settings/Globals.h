// Where the settings file lives, and the program's caption.
#pragma once

#include <string>

namespace tessera {

// %APPDATA%\Vesper Software\Tessera\Tessera.ini of the current user.
std::wstring GetSettingsFileName();
// "Tessera 2.5.0"
std::wstring GetProgramCaption();

}  // namespace tessera
