// Font commands: hand the chosen font files to the font program Typemount.exe beside the extension.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessera {

enum TFontCommand { fcInstall = 0, fcUninstall = 1, fcLoad = 2, fcUnload = 3 };

// Writes files to a temporary list file (UTF-16 LE with byte-order mark, one path per line, each line
// ended by CR LF) and starts Typemount.exe with it, elevated for installing and uninstalling. The list
// file is left for the font program once it was started; when the program cannot be started it is
// removed again. Throws TesseraError on failure.
void InvokeFontCommand(const std::vector<std::wstring>& files, HWND owner, TFontCommand command);

}  // namespace tessera
