#include "shellext/MenuItems.h"

#include "settings/ResourceString.h"
#include "shellext/resource.h"

namespace tessera {
namespace {

struct TMenuItemText {
  int itemId;
  unsigned captionId;
  const wchar_t* caption;
  unsigned helpId;
  const wchar_t* help;
};

constexpr wchar_t kResizeHelp[] = L"Resize the selected image(s) to JPEG format (hold down Ctrl to browse output folder).";
constexpr wchar_t kCopySizeHelp[] =
    L"Copies file size of the selected file to the clipboard (hold down Ctrl to use alternative units where 1 kB = "
    L"1000 bytes)";

constexpr TMenuItemText kItems[] = {
    {miFileNote, IDS_MENU_FILE_NOTE, L"File note", IDS_HELP_FILE_NOTE,
     L"Creates or show text note about the selected file"},
    {miCopyPath, IDS_MENU_COPY_PATH, L"Copy path", IDS_HELP_COPY_PATH,
     L"Copies file path(s) of the selected files(s) to the clipboard (hold down Ctrl to copy only file name)"},
    {miShowHiddenFiles, IDS_MENU_SHOW_HIDDEN, L"Show hidden files", IDS_HELP_SHOW_HIDDEN,
     L"Toggles \"Show hidden files and folders\" option"},
    {miShowSuperHiddenFiles, IDS_MENU_SHOW_SUPER_HIDDEN, L"Show super hidden files", 0, nullptr},
    {miShowFileExtensions, IDS_MENU_SHOW_EXTENSIONS, L"Show file extensions", IDS_HELP_SHOW_EXTENSIONS,
     L"Toggles \"Hide extensions for known file types\" option"},
    {miRefreshIcons, IDS_MENU_REFRESH_ICONS, L"Refresh icons", IDS_HELP_REFRESH_ICONS, L"Refresh icons"},
    {miSettings, IDS_MENU_SETTINGS, L"Tessera settings", IDS_HELP_SETTINGS, L"Shows Tessera settings"},
    {miUninstallFont, IDS_MENU_UNINSTALL_FONT, L"Uninstall font", IDS_HELP_UNINSTALL_FONT,
     L"Make font unusable until it is manually loaded or installed again"},
    {miInstallFont, IDS_MENU_INSTALL_FONT, L"Install font", IDS_HELP_INSTALL_FONT,
     L"Make font permanently usable until it is manually uninstalled"},
    {miUnloadFont, IDS_MENU_UNLOAD_FONT, L"Unload font", IDS_HELP_UNLOAD_FONT,
     L"Unload font, but if it was installed then it will be usable again after restarting Windows"},
    {miLoadFont, IDS_MENU_LOAD_FONT, L"Load font", IDS_HELP_LOAD_FONT,
     L"Make font temporarily usable until Windows is restarted or the font is manually unloaded"},
    {miResizeImage, IDS_MENU_RESIZE, L"Resize to JPEG", IDS_HELP_RESIZE, kResizeHelp},
    {miCopySizeBytes, 0, L"bytes", IDS_HELP_COPY_SIZE, kCopySizeHelp},
    {miCopySizeKiB, 0, L"KiB", IDS_HELP_COPY_SIZE, kCopySizeHelp},
    {miCopySize, IDS_MENU_COPY_SIZE, L"Copy size", IDS_HELP_COPY_SIZE, kCopySizeHelp},
    {miSandbox, IDS_MENU_SANDBOX, L"Map to Windows Sandbox", IDS_HELP_SANDBOX,
     L"Run Windows Sandbox with mapped folder (hold down Ctrl to invert read-only flag)"},
};

const TMenuItemText* Find(int itemId) {
  if (itemId >= miResizeImageFirstSize && itemId <= miResizeImageLastSize) itemId = miResizeImage;
  for (const auto& item : kItems)
    if (item.itemId == itemId) return &item;
  return nullptr;
}

}  // namespace

std::wstring MenuItemCaption(int itemId) {
  if (itemId >= miResizeImageFirstSize && itemId <= miResizeImageLastSize) return L"";
  const TMenuItemText* item = Find(itemId);
  if (!item) return L"";
  return item->captionId ? ResString(item->captionId, item->caption) : item->caption;
}

std::wstring MenuItemHelpText(int itemId) {
  const TMenuItemText* item = Find(itemId);
  if (!item || !item->help) return L"";
  return ResString(item->helpId, item->help);
}

}  // namespace tessera
