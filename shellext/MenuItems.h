// The product's menu entries: one row each, with identifier, caption, help text and the setting that
// decides whether it is shown.
#pragma once

#include <string>

#include "settings/Options.h"

namespace tessera {

enum TMenuItemId : int {
  miFileNote = 1,
  miCopyPath = 2,
  miShowHiddenFiles = 100,
  miShowSuperHiddenFiles = 101,
  miShowFileExtensions = 102,
  miRefreshIcons = 103,
  miSettings = 104,
  miUninstallFont = 200,
  miInstallFont = 201,
  miUnloadFont = 202,
  miLoadFont = 203,
  miResizeImage = 400,
  miResizeImageFirstSize = 401,
  miResizeImageLastSize = 451,  // at most 51 sizes can be run
  miCopySizeBytes = 501,
  miCopySizeKiB = 502,
  miCopySize = 520,
  miSandbox = 600,
};

inline constexpr int kMaxResizeSizes = miResizeImageLastSize - miResizeImageFirstSize + 1;
inline constexpr wchar_t kFontFileTypes[] = L"ttf;otf;ttc";

// What a row's entry shows and whether it shows: the state getter of the settings, or none for an entry of a
// submenu, which shows whenever its submenu does.
using TItemStateGetter = TItemState (TOptions::*)() const;

struct TMenuItem {
  int ItemId;
  unsigned CaptionId;           // string table; 0 for the size entries, whose caption is the size itself
  unsigned HelpId;              // string table; 0 for an entry without a help text
  TItemStateGetter Visibility;  // null for an entry of a submenu
};

// The row of an item; the size entries 401 to 451 share the row of "Resize to JPEG" but for their caption.
// Null for a number that is no item.
const TMenuItem* FindMenuItem(int itemId) noexcept;

// The caption of an item (empty for the size entries).
std::wstring MenuItemCaption(int itemId);
// The help text shown in Explorer's status bar: the item's text followed by " // " and the product's name.
std::wstring MenuItemStatusText(int itemId);

}  // namespace tessera
