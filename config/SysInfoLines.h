// The lines of the system information report, as pure functions of what the system said, so that each
// format can be checked with any input.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/Architecture.h"

namespace tessera {

// "1023 bytes", "2 KB", "1.5 MB", "1.00 GB" (halves rounded away from zero); empty for a negative size.
std::wstring SizeToText(std::int64_t size, const std::wstring& decimalSeparator);
// With the user's decimal separator.
std::wstring SizeToText(std::int64_t size);
// The user's decimal separator ("." when the locale has none).
std::wstring UserDecimalSeparator();

std::wstring YesNoText(bool value);
std::wstring ArchitectureName(TArchitecture architecture);

// "Physical memory: ..." line's value: "<total> (available <free> / <percent>%)".
std::wstring PhysicalMemoryText(std::int64_t total, std::int64_t available, int availablePercent);

// "Display adapter <number>: <name> (<w>x<h> <bits>-bit <hz>Hz)".
std::wstring DisplayAdapterLine(int number, const std::wstring& name, int width, int height, int bitsPerPixel,
                                int frequency);

// One drive as the system described it; sizes -1 when unknown (removable and CD-ROM drives are not asked).
struct TDriveInfo {
  wchar_t Letter = L'C';
  UINT Type = DRIVE_UNKNOWN;
  std::int64_t TotalBytes = -1;
  std::int64_t FreeBytes = -1;
  std::wstring FileSystem;
};
std::wstring DriveTypeText(UINT type);
// Free space in percent of the total; 100 when the total is unknown or 0 (nothing there can be used up).
int FreePercent(std::int64_t freeBytes, std::int64_t totalBytes) noexcept;
// "C: fixed (NTFS), size 931.51 GB (available 100.23 GB / 10%)"; "-" for every unknown part.
std::wstring DriveLine(const TDriveInfo& drive);

struct TPrinterInfo {
  std::wstring Name;
  std::wstring Port;
  DWORD Attributes = 0;
};
// "<name> (<port>, local|network|unknown[, default])"; default when the name equals defaultPrinter exactly.
std::wstring PrinterLine(const TPrinterInfo& printer, const std::wstring& defaultPrinter);

// The browser's program file in its open command: the text up to the first ".exe" (lower case) with every
// double quote removed; the first three characters when there is none.
std::wstring BrowserProgramOfCommand(const std::wstring& command);
// "<command> (<version of its program>)"; " ()" for an empty command.
std::wstring BrowserText(const std::wstring& command);

// One line per file: "<path> <version> (<size> bytes)", or "<name> (not found)" for a missing file.
std::wstring FileListText(const std::vector<std::wstring>& files);

// Lines joined by "\r\n", none after the last.
std::wstring JoinLines(const std::vector<std::wstring>& lines);

}  // namespace tessera
