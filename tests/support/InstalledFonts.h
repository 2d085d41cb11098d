// What is installed in the Fonts folders and the Fonts registry keys, read without the font helper's code,
// and the clean-up of the fonts a test installed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessera::test {

// HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER + this key, in the 64-bit view, lists installed fonts.
inline constexpr const wchar_t* kInstalledFontsKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

struct TFontValue {
  std::wstring Name, Data;
};
// Every string value of root's Fonts key.
std::vector<TFontValue> FontValues(HKEY root);
// The data of one value; false when there is none.
bool FontValue(HKEY root, const std::wstring& name, std::wstring& data);

// The Windows Fonts folder and the current user's, each ending with a backslash.
std::wstring MachineFontsFolder();
std::wstring UserFontsFolder();
// Names of the files in a folder (no subfolders).
std::vector<std::wstring> FilesIn(const std::wstring& folder);

// Removes what a test installed, in both scopes: every registration whose value name starts with
// namePrefix (unloaded, its file deleted when it lies in a Fonts folder, the value removed) and every file
// of either Fonts folder whose name starts with filePrefix; under Wine also the session's loaded fonts of
// those families.
void RemoveTestFonts(const std::wstring& namePrefix, const std::wstring& filePrefix);

// True when GDI lists the family for this process.
bool FontFamilyVisible(const std::wstring& family);

}  // namespace tessera::test
