// Reads a popup menu back into plain data (GetMenuItemInfoW), for tests and the probe.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessera::test {

struct TMenuEntry {
  bool separator = false;
  std::wstring caption;
  UINT id = 0;
  bool checked = false;
  bool hasSubMenu = false;
  std::vector<TMenuEntry> subMenu;
};

std::vector<TMenuEntry> ReadMenu(HMENU menu);

// One text line per entry: "----" for a separator, the caption, "[x] " before a checked caption, and a
// submenu as "Caption>[a,b]". Handy for comparing whole menus.
std::vector<std::wstring> MenuOutline(const std::vector<TMenuEntry>& entries);

// Depth-first: the first entry with this caption, or null.
const TMenuEntry* FindEntry(const std::vector<TMenuEntry>& entries, const std::wstring& caption);

}  // namespace tessera::test
