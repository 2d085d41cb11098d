#include "shellext/MenuBuilder.h"

namespace tessera {

TMenuBuilder::TMenuBuilder(HMENU menu, UINT menuIndex, UINT idCmdFirst, UINT idCmdLast, bool extended,
                           const TOptions& options, TLinkFunc link)
    : FMenu(menu),
      FIndex(menuIndex),
      FFirst(idCmdFirst),
      FLast(idCmdLast),
      FNext(idCmdFirst),
      FExtended(extended),
      FOptions(options),
      FLink(std::move(link)) {}

bool TMenuBuilder::IsShown(TItemStateGetter visibility) const {
  if (!visibility) return true;
  TItemState state = (FOptions.*visibility)();
  return state == stShow || (state == stShowExtended && FExtended);
}

bool TMenuBuilder::TakeId(int itemId, UINT& cmd) {
  if (FNext < FFirst || FNext > FLast) return false;  // range used up (or wrapped)
  cmd = FNext++;
  FLink(itemId, cmd);
  return true;
}

void TMenuBuilder::Separator() { ::InsertMenuW(FMenu, FIndex, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr); }

bool TMenuBuilder::AddItem(int itemId, UINT extraFlags) {
  const TMenuItem* row = FindMenuItem(itemId);
  UINT cmd = 0;
  if (!row || !IsShown(row->Visibility) || !TakeId(itemId, cmd)) return false;
  std::wstring caption = MenuItemCaption(itemId);
  ::InsertMenuW(FMenu, FIndex, MF_BYPOSITION | MF_STRING | extraFlags, cmd, caption.c_str());
  return true;
}

HMENU TMenuBuilder::AddSubMenu(int itemId) {
  const TMenuItem* row = FindMenuItem(itemId);
  UINT cmd = 0;
  if (!row || !IsShown(row->Visibility) || !TakeId(itemId, cmd)) return nullptr;
  HMENU popup = ::CreatePopupMenu();
  if (!popup) return nullptr;
  std::wstring caption = MenuItemCaption(itemId);
  MENUITEMINFOW mii = {};
  mii.cbSize = sizeof(mii);
  // A popup entry without an identifier misbehaves in some hosts: it gets one like any item.
  mii.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_ID;
  mii.wID = cmd;
  mii.hSubMenu = popup;
  mii.dwTypeData = caption.data();
  if (!::InsertMenuItemW(FMenu, FIndex, TRUE, &mii)) {
    ::DestroyMenu(popup);
    return nullptr;
  }
  return popup;
}

bool TMenuBuilder::AddSubMenuItem(HMENU subMenu, UINT position, int itemId, const std::wstring& caption) {
  UINT cmd = 0;
  if (!TakeId(itemId, cmd)) return false;
  std::wstring text = caption.empty() ? MenuItemCaption(itemId) : caption;
  ::InsertMenuW(subMenu, position, MF_BYPOSITION | MF_STRING, cmd, text.c_str());
  return true;
}

}  // namespace tessera
