#include "shellext/MenuItems.h"

#include "base/ProductInfo.h"
#include "base/ResourceString.h"
#include "settings/settings_strings.h"
#include "shellext/shellext_strings.h"

namespace tessera {
namespace {

constexpr TMenuItem kItems[] = {
    {miFileNote, IDS_OPT_FILE_NOTE, IDS_HELP_FILE_NOTE, &TOptions::GetFileNoteState},
    {miCopyPath, IDS_OPT_COPY_PATH, IDS_HELP_COPY_PATH, &TOptions::GetCopyPathState},
    {miShowHiddenFiles, IDS_OPT_SHOW_HIDDEN, IDS_HELP_SHOW_HIDDEN, &TOptions::GetShowHiddenFilesState},
    {miShowSuperHiddenFiles, IDS_OPT_SHOW_SUPER_HIDDEN, 0, &TOptions::GetShowSuperHiddenFilesState},
    {miShowFileExtensions, IDS_OPT_SHOW_FILE_EXT, IDS_HELP_SHOW_EXTENSIONS, &TOptions::GetShowFileExtState},
    {miRefreshIcons, IDS_OPT_FRESH_ICONS, IDS_HELP_REFRESH_ICONS, &TOptions::GetFreshIconsState},
    {miSettings, IDS_OPT_TESSERA_SETTINGS, IDS_HELP_SETTINGS, &TOptions::GetTesseraOptionsState},
    {miUninstallFont, IDS_OPT_UNINSTALL_FONT, IDS_HELP_UNINSTALL_FONT, &TOptions::GetUninstallFontState},
    {miInstallFont, IDS_OPT_INSTALL_FONT, IDS_HELP_INSTALL_FONT, &TOptions::GetInstallFontState},
    {miUnloadFont, IDS_OPT_UNLOAD_FONT, IDS_HELP_UNLOAD_FONT, &TOptions::GetUnloadFontState},
    {miLoadFont, IDS_OPT_LOAD_FONT, IDS_HELP_LOAD_FONT, &TOptions::GetLoadFontState},
    {miResizeImage, IDS_OPT_RESIZE_IMAGE, IDS_HELP_RESIZE, &TOptions::GetResizeImageState},
    {miCopySizeBytes, IDS_MENU_BYTES, IDS_HELP_COPY_SIZE, nullptr},
    {miCopySizeKiB, IDS_MENU_KIB, IDS_HELP_COPY_SIZE, nullptr},
    {miCopySize, IDS_OPT_COPY_SIZE, IDS_HELP_COPY_SIZE, &TOptions::GetCopyFileSizeState},
    {miSandbox, IDS_OPT_SANDBOX, IDS_HELP_SANDBOX, &TOptions::GetSandboxState},
};

constexpr TMenuItem kResizeSizeItem{miResizeImageFirstSize, 0, IDS_HELP_RESIZE, nullptr};

}  // namespace

const TMenuItem* FindMenuItem(int itemId) noexcept {
  if (itemId >= miResizeImageFirstSize && itemId <= miResizeImageLastSize) return &kResizeSizeItem;
  for (const auto& item : kItems)
    if (item.ItemId == itemId) return &item;
  return nullptr;
}

std::wstring MenuItemCaption(int itemId) {
  const TMenuItem* item = FindMenuItem(itemId);
  return item && item->CaptionId ? ResString(item->CaptionId) : std::wstring();
}

std::wstring MenuItemStatusText(int itemId) {
  const TMenuItem* item = FindMenuItem(itemId);
  std::wstring help = item && item->HelpId ? ResString(item->HelpId) : std::wstring();
  return help + L" // " + kProductName;
}

}  // namespace tessera
