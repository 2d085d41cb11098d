// Shell dialogs and launching documents and programs through the shell.
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// Lets the user pick a file-system folder, preselecting folder; folder becomes the choice (empty on cancel).
bool BrowseForFolder(HWND owner, std::wstring& folder, const std::wstring& title);

// ShellExecuteEx without waiting. Throws TesseraError with a user-facing message on failure;
// returns quietly when the user cancelled (for example an elevation prompt).
void ShellLaunch(const std::wstring& verb, const std::wstring& fileName, const std::wstring& parameters, HWND owner);

}  // namespace tessera
