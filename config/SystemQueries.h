// The system queries behind the system information report. Each one gives its fallback (empty text, -1,
// false) when the system cannot answer; none of them raises.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tessera {

// "Major.Minor.Release.Build" of the file's version resource, or empty.
std::wstring GetFileVersionText(const std::wstring& path);

// The open command of the default web browser's class (the per-user class first, then the machine's), or
// empty when no default is chosen.
std::wstring GetDefaultBrowserCommand();

std::wstring GetWindowsFolder();
std::wstring GetSystemFolder();

// Bytes free for the calling user and total bytes of the volume at root ("C:\"), or -1.
std::int64_t GetDiskFreeBytes(const std::wstring& root);
std::int64_t GetDiskTotalBytes(const std::wstring& root);
// "NTFS", "FAT32"..., or empty.
std::wstring GetVolumeFileSystem(const std::wstring& root);

// A 32-bit program on 64-bit Windows.
bool IsWow64();

// User account control: the machine policy's "EnableLUA" is a whole number (REG_DWORD) other than 0. A value
// of another type counts as not enabled, as does a missing key or value.
bool IsUacEnabled();
// The same rule for the value "EnableLUA" of any key (the report reads the machine policy key).
bool IsUacEnabledAt(HKEY root, const std::wstring& keyPath);

// The program is drawn with visual styles: the theme service is active and the program is themed.
bool AreThemesEnabled();

}  // namespace tessera
