// What the settings window's More menu, its help key and its start-up checks do, apart from the window:
// the update program, the product page, the system information with the changed settings, the image-size
// warning.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/OptionStore.h"

namespace tessera {

// The folder of the running program (with its trailing backslash) + "Renewer.exe".
std::wstring GetRenewerFileName();
// The update program's command line: its path quoted (a folder with blanks must never make CreateProcess
// try a shorter path first), then the parameters when there are any.
std::wstring RenewerCommandLine(const std::wstring& file, const std::wstring& parameters);
// Starts the update program without waiting. Not silent: a missing program or a failed start raises the
// error for the error box; silent: nothing is reported.
void RunRenewer(bool silent, const std::wstring& parameters);

// Opens the product web page in the browser; the result is not checked.
void ShowHelp(HWND owner);
// Opens address (the link label's) in the browser; the result is not checked.
void OpenLink(HWND owner, const std::wstring& address);

// The system information report for the clipboard: program, operating system, hardware and drives, the
// program's files, then "[Settings]" and every option that differs from its default.
std::wstring BuildSystemInfoText(const TCustomOptionStore& store);

// The first entry of an image-size list (trimmed, split at ";") that is not a valid size; nothing when every
// entry is valid (an empty list stands for the default sizes).
std::optional<std::wstring> FirstInvalidImageSize(const std::wstring& sizes);

}  // namespace tessera
