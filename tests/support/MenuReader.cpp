#include "support/MenuReader.h"

namespace tessera::test {

std::vector<TMenuEntry> ReadMenu(HMENU menu) {
  std::vector<TMenuEntry> entries;
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    mii.dwTypeData = text;
    mii.cch = 511;
    TMenuEntry e;
    if (::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) {
      e.separator = (mii.fType & MFT_SEPARATOR) != 0;
      e.caption = text;
      e.id = mii.wID;
      e.checked = (mii.fState & MFS_CHECKED) != 0;
      e.hasSubMenu = mii.hSubMenu != nullptr;
      if (mii.hSubMenu) e.subMenu = ReadMenu(mii.hSubMenu);
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

std::vector<std::wstring> MenuOutline(const std::vector<TMenuEntry>& entries) {
  std::vector<std::wstring> lines;
  for (const auto& e : entries) {
    if (e.separator) {
      lines.push_back(L"----");
      continue;
    }
    std::wstring line = (e.checked ? L"[x] " : L"") + e.caption;
    if (e.hasSubMenu) {
      line += L">[";
      bool first = true;
      for (const auto& s : MenuOutline(e.subMenu)) {
        if (!first) line += L",";
        line += s;
        first = false;
      }
      line += L"]";
    }
    lines.push_back(line);
  }
  return lines;
}

const TMenuEntry* FindEntry(const std::vector<TMenuEntry>& entries, const std::wstring& caption) {
  for (const auto& e : entries) {
    if (!e.separator && e.caption == caption) return &e;
    if (const TMenuEntry* found = FindEntry(e.subMenu, caption)) return found;
  }
  return nullptr;
}

}  // namespace tessera::test
