#include "config/SystemInfo.h"

#include <winspool.h>

#include <vector>

#include "base/PathUtils.h"
#include "base/ResourceString.h"
#include "base/StringUtils.h"
#include "config/Architecture.h"
#include "config/SystemQueries.h"
#include "config/WindowsVersion.h"
#include "config/config_strings.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

// The print spooler's two functions, bound when first asked for.
struct TSpooler {
  using EnumPrintersProc = BOOL(WINAPI*)(DWORD, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
  using GetDefaultPrinterProc = BOOL(WINAPI*)(LPWSTR, LPDWORD);
  EnumPrintersProc EnumPrinters = nullptr;
  GetDefaultPrinterProc GetDefaultPrinter = nullptr;

  static const TSpooler& Get() {
    static const TSpooler spooler = [] {
      TSpooler s;
      if (HMODULE dll = ::LoadLibraryExW(L"winspool.drv", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        s.EnumPrinters = reinterpret_cast<EnumPrintersProc>(::GetProcAddress(dll, "EnumPrintersW"));
        s.GetDefaultPrinter = reinterpret_cast<GetDefaultPrinterProc>(::GetProcAddress(dll, "GetDefaultPrinterW"));
      }
      return s;
    }();
    return spooler;
  }
};

std::wstring Block(unsigned header, const std::wstring& body) { return ResString(header) + L"\r\n" + body + L"\r\n\r\n"; }

std::wstring TempFolderLine() {
  std::wstring folder = GetTempFolder();
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  const unsigned state = IsDirectory(folder) ? IDS_SI_FOLDER_OK : IDS_SI_FOLDER_INVALID;
  return ResString(IDS_SI_TEMP_FILES) + FormatText(TResText{IDS_SI_TEMP_FOLDER}, folder.c_str(), ResString(state).c_str());
}

}  // namespace

std::wstring ApplicationText(const std::wstring& title, const std::vector<std::wstring>& files) {
  return title + L"\r\n" + ResString(IDS_SI_COMMAND_LINE) + ::GetCommandLineW() + L"\r\n" + FileListText(files);
}

std::wstring OperatingSystemText() {
  return JoinLines({
      GetWindowsVersionText(true, true),
      ResString(IDS_SI_LOCATION) + GetWindowsFolder() + L", " + GetSystemFolder(),
      TempFolderLine(),
      ResString(IDS_SI_ADMIN) + YesNoText(IsUserAdmin()),
      ResString(IDS_SI_THEMES) + YesNoText(AreThemesEnabled()),
      ResString(IDS_SI_UAC) + YesNoText(IsUacEnabled()),
      ResString(IDS_SI_WOW64) + YesNoText(IsWow64()),
      ResString(IDS_SI_BROWSER) + BrowserText(GetDefaultBrowserCommand()),
  });
}

std::wstring DisplayAdaptersText() {
  std::vector<std::wstring> lines;
  for (DWORD number = 0;; ++number) {
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    if (!::EnumDisplayDevicesW(nullptr, number, &device, 0)) break;
    if (!(device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP)) continue;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!::EnumDisplaySettingsW(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode)) continue;
    lines.push_back(DisplayAdapterLine(static_cast<int>(number) + 1, device.DeviceString,
                                       static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                                       static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency)));
  }
  return JoinLines(lines);
}

std::wstring HardwareText() {
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof(memory);
  std::int64_t total = -1, available = -1;
  int availablePercent = 0;
  if (::GlobalMemoryStatusEx(&memory)) {
    total = static_cast<std::int64_t>(memory.ullTotalPhys);
    available = static_cast<std::int64_t>(memory.ullAvailPhys);
    availablePercent = 100 - static_cast<int>(memory.dwMemoryLoad);
  }
  return ResString(IDS_SI_ARCHITECTURE) + ArchitectureName(GetNativeArchitecture()) + L"\r\n" +
         ResString(IDS_SI_MEMORY) + PhysicalMemoryText(total, available, availablePercent) + L"\r\n" +
         DisplayAdaptersText();
}

TDriveInfo QueryDrive(wchar_t letter) {
  TDriveInfo drive;
  drive.Letter = letter;
  const std::wstring root = std::wstring(1, letter) + L":\\";
  drive.Type = ::GetDriveTypeW(root.c_str());
  // No access to removable media and discs: an empty drive would wait or ask for a disk.
  if (drive.Type == DRIVE_REMOVABLE || drive.Type == DRIVE_CDROM) return drive;
  drive.TotalBytes = GetDiskTotalBytes(root);
  drive.FreeBytes = GetDiskFreeBytes(root);
  if (drive.TotalBytes != -1) drive.FileSystem = GetVolumeFileSystem(root);
  return drive;
}

std::wstring DrivesText() {
  std::vector<std::wstring> lines;
  const DWORD drives = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (drives & (1u << i)) lines.push_back(DriveLine(QueryDrive(static_cast<wchar_t>(L'A' + i))));
  return JoinLines(lines);
}

std::vector<TPrinterInfo> QueryPrinters() {
  std::vector<TPrinterInfo> printers;
  const TSpooler& spooler = TSpooler::Get();
  if (!spooler.EnumPrinters) return printers;
  constexpr DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  spooler.EnumPrinters(flags, nullptr, 5, nullptr, 0, &needed, &count);
  if (needed == 0) return printers;
  // PRINTER_INFO_5W records with their texts behind them; aligned for the records.
  std::vector<std::uint64_t> buffer((needed + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
  DWORD neededAgain = 0;
  if (!spooler.EnumPrinters(flags, nullptr, 5, reinterpret_cast<LPBYTE>(buffer.data()), needed, &neededAgain, &count) ||
      neededAgain != needed)
    return printers;
  const auto* records = reinterpret_cast<const PRINTER_INFO_5W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    const PRINTER_INFO_5W& r = records[i];
    printers.push_back({r.pPrinterName ? r.pPrinterName : L"", r.pPortName ? r.pPortName : L"", r.Attributes});
  }
  return printers;
}

std::wstring QueryDefaultPrinter() {
  const TSpooler& spooler = TSpooler::Get();
  wchar_t name[256] = {};
  DWORD size = 256;
  if (!spooler.GetDefaultPrinter || !spooler.GetDefaultPrinter(name, &size)) return {};
  return std::wstring(name, ::wcsnlen(name, 256));
}

std::wstring PrintersText() {
  const std::wstring defaultPrinter = QueryDefaultPrinter();
  std::vector<std::wstring> lines;
  for (const TPrinterInfo& printer : QueryPrinters()) lines.push_back(PrinterLine(printer, defaultPrinter));
  return JoinLines(lines);
}

std::wstring GetSystemInfoText(TSysInfoSections sections, const std::wstring& title,
                               const std::vector<std::wstring>& files) {
  std::wstring text;
  if (sections & SysInfoSet({siApplication})) text += Block(IDS_SI_HEADER_APPLICATION, ApplicationText(title, files));
  if (sections & SysInfoSet({siOperatingSystem})) text += Block(IDS_SI_HEADER_OS, OperatingSystemText());
  if (sections & SysInfoSet({siHardware})) text += Block(IDS_SI_HEADER_HARDWARE, HardwareText());
  if (sections & SysInfoSet({siDrives})) text += Block(IDS_SI_HEADER_DRIVES, DrivesText());
  if (sections & SysInfoSet({siPrinters})) text += Block(IDS_SI_HEADER_PRINTERS, PrintersText());
  return text;
}

}  // namespace tessera
