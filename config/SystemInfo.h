// The system information report: a plain text about the program, the operating system, the hardware, the
// drives and the printers, meant to be pasted into a support request. Nothing is written anywhere.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "config/SysInfoLines.h"

namespace tessera {

enum TSysInfoSection : int {
  siApplication = 0,
  siOperatingSystem = 1,
  siHardware = 2,
  siDrives = 3,
  siPrinters = 4,
};
// A set of sections: bit i stands for the section of value i; bits 5 to 7 mean nothing.
using TSysInfoSections = std::uint8_t;
constexpr TSysInfoSections SysInfoSet(std::initializer_list<TSysInfoSection> sections) {
  TSysInfoSections set = 0;
  for (TSysInfoSection s : sections) set = static_cast<TSysInfoSections>(set | (1u << s));
  return set;
}

// The blocks of the sections in Sections, in the order of their values; each is its header line, its body
// and an empty line. The application block names title, the command line and the files.
std::wstring GetSystemInfoText(TSysInfoSections sections, const std::wstring& title,
                               const std::vector<std::wstring>& files);

// The bodies, each without a line break after its last line.
std::wstring ApplicationText(const std::wstring& title, const std::vector<std::wstring>& files);
std::wstring OperatingSystemText();
std::wstring HardwareText();
std::wstring DisplayAdaptersText();
std::wstring DrivesText();
std::wstring PrintersText();

// What the drives text says about one drive; removable and CD-ROM drives are not asked for their sizes.
TDriveInfo QueryDrive(wchar_t letter);
// The printers of the print spooler (local and connected) and the default printer's name; empty when there
// are none or the spooler does not answer.
std::vector<TPrinterInfo> QueryPrinters();
std::wstring QueryDefaultPrinter();

}  // namespace tessera
