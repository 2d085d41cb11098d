// Installing, uninstalling, loading and unloading one font file. Each function returns when it did its work
// and throws TesseraError with the reason when it did not; what it changed is undone before it throws, so the
// Fonts folders and the registrations stay consistent. fontsChanged becomes true when the fonts of the
// session changed (the caller then broadcasts WM_FONTCHANGE once).
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// Where fonts are installed: for all users (the Windows Fonts folder, HKEY_LOCAL_MACHINE) or for the current
// user only (%LOCALAPPDATA%\Microsoft\Windows\Fonts, HKEY_CURRENT_USER, which Windows 10 1809 and later read).
enum TFontScope { fsMachine, fsUser };

// The registry key of installed fonts, under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER alike.
inline constexpr const wchar_t* kFontsKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

// An elevated administrator installs for all users, anybody else for himself.
TFontScope InstallScopeFor(bool elevatedAdmin);
// The scope of this process: InstallScopeFor(IsUserAdmin()).
TFontScope CurrentInstallScope();

// The scope's Fonts folder, ending with a backslash (empty when the system names none), and its registry root.
std::wstring FontsFolder(TFontScope scope);
HKEY FontsRoot(TFontScope scope);

// Copies the font into the scope's Fonts folder (under its own name, or a free one when another file of that
// name is there), loads it and registers it under its full name. A font already registered under that name in
// the scope is left alone and reported.
void InstallFont(const std::wstring& file, TFontScope scope, bool& fontsChanged);

// Finds the font's registrations in both scopes (by the name in the file, and by the registered file's path),
// unloads the font, deletes the registered file when it lies in a Fonts folder and removes the registration.
// A file that cannot be deleted (in use) keeps its registration and is reported.
void UninstallFont(const std::wstring& file, bool& fontsChanged);

// AddFontResourceExW / RemoveFontResourceExW for this session only.
void LoadFont(const std::wstring& file, bool& fontsChanged);
void UnloadFont(const std::wstring& file, bool& fontsChanged);

// Tells every top-level window that the fonts changed; a hung window cannot hold the caller up.
void BroadcastFontChange();

}  // namespace tessera
