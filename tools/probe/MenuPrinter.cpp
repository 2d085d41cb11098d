#include "tools/probe/MenuPrinter.h"

#include <string>

namespace tessera::probe {

void PrintMenu(FILE* out, const std::vector<test::TMenuEntry>& entries, IContextMenu* handler, UINT idCmdFirst,
               int depth) {
  const std::wstring indent(static_cast<size_t>(depth) * 2, L' ');
  for (const auto& item : entries) {
    if (item.separator) {
      fwprintf(out, L"%ls----\n", indent.c_str());
      continue;
    }
    wchar_t help[1024] = {};
    if (handler && item.id >= idCmdFirst)
      handler->GetCommandString(item.id - idCmdFirst, GCS_HELPTEXTW, nullptr, reinterpret_cast<CHAR*>(help), 1024);
    fwprintf(out, L"%ls%ls%ls  [id %u, offset %u]%ls%ls%ls\n", indent.c_str(), item.checked ? L"[x] " : L"",
             item.caption.c_str(), item.id, item.id - idCmdFirst, item.hasSubMenu ? L" >" : L"",
             help[0] ? L"  help: " : L"", help);
    if (item.hasSubMenu) PrintMenu(out, item.subMenu, handler, idCmdFirst, depth + 1);
  }
}

}  // namespace tessera::probe
