// Environment, keyboard, Windows version, elevation, module paths, temporary files, versions.
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// The text with %VARIABLES% expanded; the text itself when expansion fails.
std::wstring ExpandEnvironmentText(const std::wstring& text);
bool IsKeyDown(int virtualKey);

bool IsVistaOrLater();
DWORD WindowsMajorVersion();
// True when the process token holds the enabled built-in Administrators group.
bool IsUserAdmin();

// Full path and folder (with backslash) of the module (DLL or EXE) that contains this library's code.
std::wstring GetModulePath();
std::wstring GetModuleFolder();

// The user's temporary folder ending with a backslash, or empty.
std::wstring GetTempFolder();
// Creates a new empty "ves*.tmp" file in the temporary folder and returns its path, or empty. Never deletes it.
std::wstring CreateTempFile();

struct TFileVersion {
  WORD Major = 0, Minor = 0, Release = 0, Build = 0;
};
// Reads the fixed file version; false (and all parts 0) when the file has none.
bool GetFileVersion(const std::wstring& path, TFileVersion& version);

}  // namespace tessera
