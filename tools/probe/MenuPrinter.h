// Prints a popup menu as an indented tree.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <vector>

#include "support/MenuReader.h"

namespace tessera::probe {

// One line per item: caption, identifier and offset, check mark, help text from the handler.
void PrintMenu(FILE* out, const std::vector<test::TMenuEntry>& entries, IContextMenu* handler, UINT idCmdFirst,
               int depth = 0);

}  // namespace tessera::probe
