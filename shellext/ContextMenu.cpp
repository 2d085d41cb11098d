#include "shellext/ContextMenu.h"

#include "base/PathUtils.h"
#include "commands/ShellFlags.h"
#include "shellext/ClassFactory.h"
#include "shellext/MenuBuilder.h"
#include "shellext/MenuItems.h"
#include "shellutils/FileUtils.h"
#include "shellutils/SystemUtils.h"

namespace tessera {

TComObject* CreateContextMenuObject() { return new TContextMenu(UserSettingsCache()); }

void TContextMenu::AfterInitialize(bool&) {
  // A missing, damaged or unreadable file gives the defaults; the cache never throws for the file.
  FOptions = FSettings->Current();
}

const TOptions& TContextMenu::Settings() {
  if (!FOptions) FOptions = FSettings->Current();
  return *FOptions;
}

HRESULT TContextMenu::BuildMenu(HMENU menu, UINT menuIndex, UINT idCmdFirst, UINT idCmdLast, UINT uFlags) {
  if (uFlags & (CMF_DEFAULTONLY | CMF_VERBSONLY | CMF_NOVERBS)) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  const TOptions& o = Settings();
  TMenuBuilder b(menu, menuIndex, idCmdFirst, idCmdLast, (uFlags & CMF_EXTENDEDVERBS) != 0, o,
                 [this](int itemId, UINT cmd) { AddItemToCmdLink(itemId, static_cast<int>(cmd)); });

  // Top-level entries appear in the reverse of the order below (see TMenuBuilder).
  if (SelectedItemsCount() >= 1) {
    const std::wstring& focused = FocusedItem();
    const bool isFolder = IsDirectory(focused);
    b.Separator();

    if (isFolder) b.AddItem(miSandbox);

    if (FileHasExtension(focused, o.GetImageFileTypes())) {
      if (HMENU sub = b.AddSubMenu(miResizeImage)) {
        auto sizes = SplitImageSizes(o.GetResizeImageSizes(), true);
        for (size_t i = 0; i < sizes.size() && i < static_cast<size_t>(kMaxResizeSizes); ++i)
          if (!b.AddSubMenuItem(sub, static_cast<UINT>(i), miResizeImageFirstSize + static_cast<int>(i), sizes[i]))
            break;
      }
    }

    const bool anyFontItem = o.GetUninstallFontState() != stHide || o.GetInstallFontState() != stHide ||
                             o.GetUnloadFontState() != stHide || o.GetLoadFontState() != stHide;
    if (anyFontItem && (isFolder ? FolderContainsFilesOfType(focused, kFontFileTypes)
                                 : FileHasExtension(focused, kFontFileTypes))) {
      b.AddItem(miUninstallFont);
      b.AddItem(miInstallFont);
      b.AddItem(miUnloadFont);
      b.AddItem(miLoadFont);
    }

    if (!isFolder) {
      if (HMENU sub = b.AddSubMenu(miCopySize)) {
        b.AddSubMenuItem(sub, static_cast<UINT>(-1), miCopySizeKiB);  // appended, then "bytes" above it
        b.AddSubMenuItem(sub, 0, miCopySizeBytes);
      }
    }
    b.AddItem(miCopyPath);
    if (!isFolder && SelectedItemsCount() == 1) b.AddItem(miFileNote);
    b.Separator();
  } else if (!Folder().empty()) {
    b.Separator();
    b.AddItem(miSettings);
    b.AddItem(miRefreshIcons);
    if (IsVistaOrLater()) {
      auto check = [](DWORD selector) -> UINT { return GetShellFlag(selector) ? MF_CHECKED : MF_UNCHECKED; };
      b.AddItem(miShowFileExtensions, check(SSF_SHOWEXTENSIONS));
      b.AddItem(miShowSuperHiddenFiles, check(SSF_SHOWSUPERHIDDEN));
      b.AddItem(miShowHiddenFiles, check(SSF_SHOWALLOBJECTS));
    }
    b.Separator();
  }
  return MAKE_HRESULT(SEVERITY_SUCCESS, 0, b.Used());
}

std::wstring TContextMenu::GetStatusText(int itemId) { return MenuItemStatusText(itemId); }

std::wstring TContextMenu::GetResizeSizeText(int itemId) {
  auto sizes = SplitImageSizes(Settings().GetResizeImageSizes(), true);
  int index = itemId - miResizeImageFirstSize;
  if (index < 0 || index >= static_cast<int>(sizes.size())) return L"";
  return sizes[static_cast<size_t>(index)];
}

}  // namespace tessera
