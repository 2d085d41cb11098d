#include "tools/probe/MenuPrinter.h"

namespace tessera::probe {
namespace {

struct TItem {
  std::wstring text;
  UINT id = 0;
  UINT type = 0;
  UINT state = 0;
  HMENU sub = nullptr;
};

TItem ReadItem(HMENU menu, int position) {
  TItem item;
  wchar_t text[512] = {};
  MENUITEMINFOW mii = {};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
  mii.dwTypeData = text;
  mii.cch = 511;
  if (::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mii)) {
    item.text = text;
    item.id = mii.wID;
    item.type = mii.fType;
    item.state = mii.fState;
    item.sub = mii.hSubMenu;
  }
  return item;
}

}  // namespace

void PrintMenu(FILE* out, HMENU menu, IContextMenu* handler, UINT idCmdFirst, int depth) {
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    TItem item = ReadItem(menu, i);
    std::wstring indent(static_cast<size_t>(depth) * 2, L' ');
    if (item.type & MFT_SEPARATOR) {
      fwprintf(out, L"%ls----\n", indent.c_str());
      continue;
    }
    wchar_t help[1024] = {};
    if (handler && item.id >= idCmdFirst)
      handler->GetCommandString(item.id - idCmdFirst, GCS_HELPTEXTW, nullptr, reinterpret_cast<CHAR*>(help), 1024);
    fwprintf(out, L"%ls%ls%ls  [id %u, offset %u]%ls%ls%ls\n", indent.c_str(),
             (item.state & MFS_CHECKED) ? L"[x] " : L"", item.text.c_str(), item.id, item.id - idCmdFirst,
             item.sub ? L" >" : L"", help[0] ? L"  help: " : L"", help);
    if (item.sub) PrintMenu(out, item.sub, handler, idCmdFirst, depth + 1);
  }
}

UINT FindItemByCaption(HMENU menu, const std::wstring& caption) {
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    TItem item = ReadItem(menu, i);
    if (item.type & MFT_SEPARATOR) continue;
    if (item.text == caption) return item.id;
    if (item.sub)
      if (UINT id = FindItemByCaption(item.sub, caption)) return id;
  }
  return 0;
}

}  // namespace tessera::probe
