// "Copy path" and "Copy size": the selection's paths, names or summed size as clipboard text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessera {

// Copies the full paths (or, with fileNameOnly, the names) of the items; with more than one item every
// entry ends with CR LF. Throws TesseraError when the clipboard does not take the text (another program
// holding it for longer than a moment, too).
void InvokeCopyPath(const std::vector<std::wstring>& items, bool fileNameOnly);

// Op of InvokeCopySize: the two entries of the "Copy size" submenu.
constexpr int csoBytes = 0;
constexpr int csoKiB = 1;

// Copies the summed size of the non-empty files among items as bare digits: bytes (op 0) or units of
// 1024, with alternativeUnits 1000 (op 1). Tells the user when more than one file was counted.
// Throws TesseraError for any other op, leaving the clipboard alone, and when the clipboard does not take the
// text (then nothing tells of a success).
void InvokeCopySize(const std::vector<std::wstring>& items, bool alternativeUnits, HWND owner, int op);

}  // namespace tessera
