#include "shellext/ContextMenu.h"

#include "commands/ShellFlags.h"
#include "settings/Globals.h"
#include "shellext/ClassFactory.h"
#include "shellext/MenuItems.h"
#include "shellutils/FileUtils.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

// Hands out consecutive identifiers from idCmdFirst, never one above idCmdLast, and records each in
// the handler's command table through the given callback.
class TMenuBuilder {
public:
  TMenuBuilder(HMENU menu, UINT menuIndex, UINT idCmdFirst, UINT idCmdLast, bool extended)
      : menu_(menu), index_(menuIndex), first_(idCmdFirst), last_(idCmdLast), next_(idCmdFirst), extended_(extended) {}

  bool Visible(TItemState state) const { return state == stShow || (state == stShowExtended && extended_); }
  UINT Used() const { return next_ - first_; }

  template <typename AddLink>
  bool TakeId(AddLink&& addLink, int itemId, UINT& cmd) {
    if (next_ < first_ || next_ > last_) return false;  // range used up (or wrapped)
    cmd = next_++;
    addLink(itemId, static_cast<int>(cmd));
    return true;
  }

  void Separator() { ::InsertMenuW(menu_, index_, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr); }

  HMENU menu() const { return menu_; }
  UINT index() const { return index_; }

private:
  HMENU menu_;
  UINT index_;
  UINT first_, last_, next_;
  bool extended_;
};

HMENU InsertSubMenu(HMENU menu, UINT position, UINT cmdId, const std::wstring& caption) {
  HMENU popup = ::CreatePopupMenu();
  if (!popup) return nullptr;
  MENUITEMINFOW mii = {};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_ID;
  mii.wID = cmdId;
  mii.hSubMenu = popup;
  std::wstring text = caption;
  mii.dwTypeData = text.data();
  if (!::InsertMenuItemW(menu, position, TRUE, &mii)) {
    ::DestroyMenu(popup);
    return nullptr;
  }
  return popup;
}

// Asking the shell for the application-data folder costs more than reading the whole settings file,
// and Explorer opens menus all day; the folder does not move while the process runs.
const std::wstring& SettingsFileName() {
  static const std::wstring name = GetSettingsFileName();
  return name;
}

}  // namespace

TComObject* CreateContextMenuObject() { return new TContextMenu(); }

void TContextMenu::AfterInitialize(bool&) {
  FOptions.reset();
  FOptions = std::make_unique<TOptions>(SettingsFileName());
  try {
    FOptions->Load();
  } catch (...) {
    // A missing, damaged or unreadable file leaves the defaults.
  }
}

HRESULT TContextMenu::BuildMenu(HMENU menu, UINT menuIndex, UINT idCmdFirst, UINT idCmdLast, UINT uFlags) {
  if (uFlags & (CMF_DEFAULTONLY | CMF_VERBSONLY | CMF_NOVERBS)) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  if (!FOptions) FOptions = std::make_unique<TOptions>(SettingsFileName());
  const TOptions& o = *FOptions;
  TMenuBuilder b(menu, menuIndex, idCmdFirst, idCmdLast, (uFlags & CMF_EXTENDEDVERBS) != 0);
  auto link = [this](int itemId, int cmd) { AddItemToCmdLink(itemId, cmd); };

  auto addItem = [&](TItemState state, int itemId, UINT extraFlags = 0) {
    UINT cmd = 0;
    if (!b.Visible(state) || !b.TakeId(link, itemId, cmd)) return;
    std::wstring caption = MenuItemCaption(itemId);
    ::InsertMenuW(menu, menuIndex, MF_BYPOSITION | MF_STRING | extraFlags, cmd, caption.c_str());
  };
  auto addSubMenu = [&](TItemState state, int itemId) -> HMENU {
    UINT cmd = 0;
    if (!b.Visible(state) || !b.TakeId(link, itemId, cmd)) return nullptr;
    return InsertSubMenu(menu, menuIndex, cmd, MenuItemCaption(itemId));
  };

  if (SelectedItemsCount() >= 1) {
    const std::wstring& focused = FocusedItem();
    const bool isFolder = IsDirectory(focused);
    b.Separator();

    if (isFolder) addItem(o.GetSandboxState(), miSandbox);

    if (FileHasExtension(focused, o.GetImageFileTypes())) {
      if (HMENU sub = addSubMenu(o.GetResizeImageState(), miResizeImage)) {
        auto sizes = SplitImageSizes(o.GetResizeImageSizes(), true);
        for (size_t i = 0; i < sizes.size() && i < static_cast<size_t>(kMaxResizeSizes); ++i) {
          UINT cmd = 0;
          if (!b.TakeId(link, miResizeImageFirstSize + static_cast<int>(i), cmd)) break;
          ::InsertMenuW(sub, static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, cmd, sizes[i].c_str());
        }
      }
    }

    const bool anyFontItem = o.GetUninstallFontState() != stHide || o.GetInstallFontState() != stHide ||
                             o.GetUnloadFontState() != stHide || o.GetLoadFontState() != stHide;
    if (anyFontItem && (isFolder ? FolderContainsFilesOfType(focused, kFontFileTypes)
                                 : FileHasExtension(focused, kFontFileTypes))) {
      addItem(o.GetUninstallFontState(), miUninstallFont);
      addItem(o.GetInstallFontState(), miInstallFont);
      addItem(o.GetUnloadFontState(), miUnloadFont);
      addItem(o.GetLoadFontState(), miLoadFont);
    }

    if (!isFolder) {
      if (HMENU sub = addSubMenu(o.GetCopyFileSizeState(), miCopySize)) {
        UINT cmd = 0;
        if (b.TakeId(link, miCopySizeKiB, cmd))
          ::InsertMenuW(sub, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, cmd, MenuItemCaption(miCopySizeKiB).c_str());
        if (b.TakeId(link, miCopySizeBytes, cmd))
          ::InsertMenuW(sub, 0, MF_BYPOSITION | MF_STRING, cmd, MenuItemCaption(miCopySizeBytes).c_str());
      }
    }
    addItem(o.GetCopyPathState(), miCopyPath);
    if (!isFolder && SelectedItemsCount() == 1) addItem(o.GetFileNoteState(), miFileNote);
    b.Separator();
  } else if (!Folder().empty()) {
    b.Separator();
    addItem(o.GetTesseraOptionsState(), miSettings);
    addItem(o.GetFreshIconsState(), miRefreshIcons);
    if (IsVistaOrLater()) {
      auto check = [](DWORD selector) -> UINT { return GetShellFlag(selector) ? MF_CHECKED : MF_UNCHECKED; };
      addItem(o.GetShowFileExtState(), miShowFileExtensions, check(SSF_SHOWEXTENSIONS));
      addItem(o.GetShowSuperHiddenFilesState(), miShowSuperHiddenFiles, check(SSF_SHOWSUPERHIDDEN));
      addItem(o.GetShowHiddenFilesState(), miShowHiddenFiles, check(SSF_SHOWALLOBJECTS));
    }
    b.Separator();
  }
  return MAKE_HRESULT(SEVERITY_SUCCESS, 0, b.Used());
}

std::wstring TContextMenu::GetStatusText(int itemId) { return MenuItemHelpText(itemId) + kStatusTextSuffix; }

std::wstring TContextMenu::GetResizeSizeText(int itemId) const {
  if (!FOptions) return L"";
  auto sizes = SplitImageSizes(FOptions->GetResizeImageSizes(), true);
  int index = itemId - miResizeImageFirstSize;
  if (index < 0 || index >= static_cast<int>(sizes.size())) return L"";
  return sizes[static_cast<size_t>(index)];
}

}  // namespace tessera
