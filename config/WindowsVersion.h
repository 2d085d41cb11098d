// The name of the running Windows for the report: a pure function of a version record, and the record as
// the system gives it to this program.
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// What the name depends on.
struct TWindowsVersionRecord {
  DWORD PlatformId = VER_PLATFORM_WIN32_NT;  // 1: Windows 9x, 2: NT
  DWORD Major = 0;
  DWORD Minor = 0;
  DWORD Build = 0;
  BYTE ProductType = VER_NT_WORKSTATION;  // 1: workstation, 2: domain controller, 3: server
  WORD SuiteMask = 0;
  std::wstring ServicePack;           // szCSDVersion
  WORD ProcessorArchitecture = 0;     // of Windows: 9 for AMD64, 0 for x86
  bool MediaCenter = false;           // GetSystemMetrics(SM_MEDIACENTER)
  bool TabletPc = false;              // GetSystemMetrics(SM_TABLETPC)
  DWORD ProductInfo = 0;              // GetProductInfo's product type, 0 where there is none
};

// "Windows 10 (64-bit, version 10.0.19045)", "Windows 7 Ultimate (64-bit, version 6.1.7601, Service Pack 1)".
std::wstring WindowsVersionText(const TWindowsVersionRecord& version, bool includeVersion, bool includeServicePack);

// The record of the running Windows, as reported to this program (its manifest declares Windows 10).
TWindowsVersionRecord ReadWindowsVersionRecord();
std::wstring GetWindowsVersionText(bool includeVersion, bool includeServicePack);

// Windows 7 or later: version 6.1 or above.
bool IsWindows7OrLater(const TWindowsVersionRecord& version) noexcept;
bool IsWindows7OrLater();

}  // namespace tessera
