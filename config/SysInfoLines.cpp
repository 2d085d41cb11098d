#include "config/SysInfoLines.h"

#include <winspool.h>

#include <cmath>
#include <limits>

#include "base/PathUtils.h"
#include "base/ResourceString.h"
#include "base/StringUtils.h"
#include "config/SystemQueries.h"
#include "config/config_strings.h"
#include "shellutils/FileUtils.h"

namespace tessera {
namespace {

// value with exactly decimals digits after the separator, halves rounded away from zero.
std::wstring FixedText(double value, int decimals, const std::wstring& separator) {
  double scale = std::pow(10.0, decimals);
  long long rounded = std::llround(value * scale);
  long long unit = static_cast<long long>(scale);
  std::wstring text = std::to_wstring(rounded / unit);
  if (decimals > 0) {
    std::wstring fraction = std::to_wstring(rounded % unit);
    text += separator + std::wstring(static_cast<size_t>(decimals) - fraction.size(), L'0') + fraction;
  }
  return text;
}

}  // namespace

std::wstring SizeToText(std::int64_t size, const std::wstring& separator) {
  constexpr std::int64_t KB = 1024, MB = KB * 1024, GB = MB * 1024;
  if (size < 0) return {};
  if (size < KB) return std::to_wstring(size) + ResString(IDS_SI_BYTES);
  // The products are exact for every size below 2^49 bytes, so halves are really halves.
  const double n = static_cast<double>(size);
  if (size < MB) return FixedText(n / KB, 0, separator) + ResString(IDS_SI_KB);
  if (size < GB) return FixedText(n / MB, 1, separator) + ResString(IDS_SI_MB);
  return FixedText(n / GB, 2, separator) + ResString(IDS_SI_GB);
}

std::wstring UserDecimalSeparator() {
  wchar_t buffer[8] = {};
  int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
  return n > 1 ? std::wstring(buffer, static_cast<size_t>(n - 1)) : std::wstring(L".");
}

std::wstring SizeToText(std::int64_t size) { return SizeToText(size, UserDecimalSeparator()); }

std::wstring YesNoText(bool value) { return ResString(value ? IDS_SI_YES : IDS_SI_NO); }

std::wstring ArchitectureName(TArchitecture architecture) {
  switch (architecture) {
    case TArchitecture::arX86: return ResString(IDS_SI_ARCH_X86);
    case TArchitecture::arX64: return ResString(IDS_SI_ARCH_X64);
    case TArchitecture::arARM32: return ResString(IDS_SI_ARCH_ARM32);
    case TArchitecture::arARM64: return ResString(IDS_SI_ARCH_ARM64);
  }
  return ResString(IDS_SI_ARCH_UNKNOWN);
}

std::wstring PhysicalMemoryText(std::int64_t total, std::int64_t available, int availablePercent) {
  return FormatText(TResText{IDS_SI_MEMORY_VALUES}, SizeToText(total).c_str(), SizeToText(available).c_str(),
                    availablePercent);
}

std::wstring DisplayAdapterLine(int number, const std::wstring& name, int width, int height, int bitsPerPixel,
                                int frequency) {
  return FormatText(TResText{IDS_SI_DISPLAY_ADAPTER}, number, name.c_str(), width, height, bitsPerPixel, frequency);
}

std::wstring DriveTypeText(UINT type) {
  switch (type) {
    case DRIVE_NO_ROOT_DIR: return ResString(IDS_SI_DRIVE_NO_ROOT);
    case DRIVE_REMOVABLE: return ResString(IDS_SI_DRIVE_REMOVABLE);
    case DRIVE_FIXED: return ResString(IDS_SI_DRIVE_FIXED);
    case DRIVE_REMOTE: return ResString(IDS_SI_DRIVE_REMOTE);
    case DRIVE_CDROM: return ResString(IDS_SI_DRIVE_CDROM);
    case DRIVE_RAMDISK: return ResString(IDS_SI_DRIVE_RAMDISK);
  }
  return {};
}

int FreePercent(std::int64_t freeBytes, std::int64_t totalBytes) noexcept {
  // A total of 0 would divide by zero; like an unknown total it reads 100.
  if (totalBytes <= 0) return 100;
  if (freeBytes <= std::numeric_limits<std::int64_t>::max() / 100)
    return static_cast<int>(freeBytes * 100 / totalBytes);
  return static_cast<int>(static_cast<long double>(freeBytes) * 100 / totalBytes);
}

std::wstring DriveLine(const TDriveInfo& drive) {
  const std::wstring letter = std::wstring(1, drive.Letter) + L":";
  std::wstring fileSystem, size, available;
  if (drive.TotalBytes == -1) {
    fileSystem = size = available = ResString(IDS_SI_NOT_AVAILABLE);
  } else {
    fileSystem = drive.FileSystem;
    size = SizeToText(drive.TotalBytes);
    available = SizeToText(drive.FreeBytes);
  }
  return FormatText(TResText{IDS_SI_DRIVE}, letter.c_str(), DriveTypeText(drive.Type).c_str(), fileSystem.c_str(),
                    size.c_str(), available.c_str(), FreePercent(drive.FreeBytes, drive.TotalBytes));
}

std::wstring PrinterLine(const TPrinterInfo& printer, const std::wstring& defaultPrinter) {
  unsigned location = IDS_SI_PRINTER_UNKNOWN;
  if (printer.Attributes & PRINTER_ATTRIBUTE_LOCAL) location = IDS_SI_PRINTER_LOCAL;
  else if (printer.Attributes & PRINTER_ATTRIBUTE_NETWORK) location = IDS_SI_PRINTER_NETWORK;
  std::wstring line = printer.Name + L" (" + printer.Port + L", " + ResString(location);
  if (printer.Name == defaultPrinter) line += ResString(IDS_SI_PRINTER_DEFAULT);
  return line + L")";
}

std::wstring BrowserProgramOfCommand(const std::wstring& command) {
  size_t at = command.find(L".exe");
  std::wstring program = command.substr(0, at == std::wstring::npos ? 3 : at + 4);
  std::erase(program, L'"');
  return program;
}

std::wstring BrowserText(const std::wstring& command) {
  const std::wstring version = command.empty() ? std::wstring() : GetFileVersionText(BrowserProgramOfCommand(command));
  return command + L" (" + version + L")";
}

std::wstring FileListText(const std::vector<std::wstring>& files) {
  std::vector<std::wstring> lines;
  for (const std::wstring& file : files) {
    if (FileExists(file))
      lines.push_back(FormatText(TResText{IDS_SI_FILE_ENTRY}, file.c_str(), GetFileVersionText(file).c_str(),
                                 IntToText(FileSizeByName(file)).c_str()));
    else
      lines.push_back(ExtractFileName(file) + ResString(IDS_SI_FILE_NOT_FOUND));
  }
  return JoinLines(lines);
}

std::wstring JoinLines(const std::vector<std::wstring>& lines) { return JoinText(lines, L"\r\n"); }

}  // namespace tessera
