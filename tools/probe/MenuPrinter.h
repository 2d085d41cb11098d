// Prints a popup menu as an indented tree and finds items by caption.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace tessera::probe {

// One line per item: caption, identifier and offset, check mark, help text from the handler.
void PrintMenu(FILE* out, HMENU menu, IContextMenu* handler, UINT idCmdFirst, int depth = 0);

// The identifier of the first item (depth-first) whose caption is caption; 0 when none.
UINT FindItemByCaption(HMENU menu, const std::wstring& caption);

}  // namespace tessera::probe
