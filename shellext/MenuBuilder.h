// Puts menu rows into Explorer's menu: hands out consecutive identifiers from idCmdFirst (never one above
// idCmdLast), links each to its row in the handler's command table and inserts the entry.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "settings/Options.h"
#include "shellext/MenuItems.h"

namespace tessera {

class TMenuBuilder {
public:
  // Records one identifier for an item in the handler's command table.
  using TLinkFunc = std::function<void(int itemId, UINT menuCmd)>;

  // extended: the menu was opened with Shift held (CMF_EXTENDEDVERBS).
  TMenuBuilder(HMENU menu, UINT menuIndex, UINT idCmdFirst, UINT idCmdLast, bool extended, const TOptions& options,
               TLinkFunc link);

  // Every top-level entry is inserted at menuIndex, so each lands above the ones inserted before it: the menu
  // shows the entries in the reverse of the order in which the composition adds them. Identifiers are handed
  // out in the order of insertion.
  void Separator();
  // Adds the row's entry when its setting shows it; false when it is hidden or the identifiers are used up.
  bool AddItem(int itemId, UINT extraFlags = 0);
  // Adds the row's submenu when its setting shows it; null when hidden or out of identifiers.
  HMENU AddSubMenu(int itemId);
  // Adds an entry of a submenu at position (-1: the end); it shows whenever its submenu does. An empty
  // caption takes the row's.
  bool AddSubMenuItem(HMENU subMenu, UINT position, int itemId, const std::wstring& caption = L"");

  bool IsShown(TItemStateGetter visibility) const;
  // Identifiers used so far.
  UINT Used() const noexcept { return FNext - FFirst; }

private:
  bool TakeId(int itemId, UINT& cmd);

  HMENU FMenu;
  UINT FIndex;
  UINT FFirst, FLast, FNext;
  bool FExtended;
  const TOptions& FOptions;
  TLinkFunc FLink;
};

}  // namespace tessera
