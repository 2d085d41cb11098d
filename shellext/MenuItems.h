// The product's menu items: identifiers, captions and help texts in one table.
#pragma once

#include <string>

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
inline constexpr wchar_t kStatusTextSuffix[] = L" // Tessera";

// The caption of an item (empty for the size entries, whose caption is the size).
std::wstring MenuItemCaption(int itemId);
// The help text of an item without the suffix; empty for items without one.
std::wstring MenuItemHelpText(int itemId);

}  // namespace tessera
