#include "config/WindowsVersion.h"

#include <cwchar>

#include "base/ResourceString.h"
#include "config/SystemQueries.h"
#include "config/config_strings.h"

namespace tessera {
namespace {

constexpr DWORD kProductUnlicensed = 0xABCDABCD;

struct TEditionName {
  DWORD ProductType;
  unsigned Text;
};
constexpr TEditionName kEditions[] = {
    {1, IDS_WIN_ULTIMATE},        {2, IDS_WIN_HOME_BASIC},     {3, IDS_WIN_HOME_PREMIUM},
    {4, IDS_WIN_ENTERPRISE},      {5, IDS_WIN_HOME_BASIC_N},   {6, IDS_WIN_BUSINESS},
    {11, IDS_WIN_STARTER},        {16, IDS_WIN_BUSINESS_N},    {19, IDS_WIN_HOME_SERVER},
    {26, IDS_WIN_HOME_PREMIUM_N}, {27, IDS_WIN_ENTERPRISE_N},  {28, IDS_WIN_ULTIMATE_N},
    {kProductUnlicensed, IDS_WIN_UNLICENSED},
};

std::wstring EditionOfProduct(DWORD productType) {
  for (const auto& e : kEditions)
    if (e.ProductType == productType) return ResString(e.Text);
  return {};
}

// The name's text identifier and the edition (empty: none).
struct TNameAndEdition {
  int Name;
  std::wstring Edition;
};

TNameAndEdition NameOf(const TWindowsVersionRecord& v) {
  const bool workstation = v.ProductType == VER_NT_WORKSTATION;
  if (v.PlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    return {v.Minor == 0 ? IDS_WIN_95 : v.Minor == 10 ? IDS_WIN_98 : IDS_WIN_ME, {}};
  }
  if (v.PlatformId != VER_PLATFORM_WIN32_NT) return {IDS_WIN_GENERIC, {}};
  switch (v.Major) {
    case 4:
      return {IDS_WIN_NT, {}};
    case 5:
      switch (v.Minor) {
        case 0:
          return {workstation ? IDS_WIN_2000 : IDS_WIN_2000_SERVER, {}};
        case 1: {
          unsigned edition = v.MediaCenter ? IDS_WIN_MEDIA_CENTER : 0;
          if (v.TabletPc) edition = IDS_WIN_TABLET_PC;
          if (!edition) edition = (v.SuiteMask & VER_SUITE_PERSONAL) ? IDS_WIN_HOME : IDS_WIN_PROFESSIONAL;
          return {IDS_WIN_XP, ResString(edition)};
        }
        case 2:
          return {workstation && v.ProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ? IDS_WIN_XP_X64
                                                                                        : IDS_WIN_SERVER_2003,
                  {}};
      }
      return {IDS_WIN_GENERIC, {}};
    case 6: {
      const std::wstring edition = EditionOfProduct(v.ProductInfo);
      switch (v.Minor) {
        case 0: return {workstation ? IDS_WIN_VISTA : IDS_WIN_SERVER_2008, edition};
        case 1: return {workstation ? IDS_WIN_7 : IDS_WIN_SERVER_2008_R2, edition};
        case 2: return {workstation ? IDS_WIN_8 : IDS_WIN_8_SERVER, edition};
        case 3: return {workstation ? IDS_WIN_81 : IDS_WIN_81_SERVER, edition};
      }
      return {IDS_WIN_GENERIC, edition};
    }
    case 10:
      return {workstation ? IDS_WIN_10 : IDS_WIN_SERVER_2016, {}};
  }
  return {IDS_WIN_GENERIC, {}};
}

// A kernel32 function of newer Windows versions, from the system folder only.
template <typename Proc>
Proc Kernel32Proc(const char* name) {
  static const HMODULE kernel32 = ::LoadLibraryExW(L"kernel32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return kernel32 ? reinterpret_cast<Proc>(::GetProcAddress(kernel32, name)) : nullptr;
}

}  // namespace

std::wstring WindowsVersionText(const TWindowsVersionRecord& v, bool includeVersion, bool includeServicePack) {
  const TNameAndEdition name = NameOf(v);
  std::wstring text = ResString(static_cast<unsigned>(name.Name));
  if (!name.Edition.empty()) text += L" " + name.Edition;
  if (includeVersion || includeServicePack) {
    text += L" (";
    if (v.Major >= 6) {
      if (v.ProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64) text += ResString(IDS_WIN_64BIT);
      else if (v.ProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL) text += ResString(IDS_WIN_32BIT);
    }
  }
  if (includeVersion) {
    text += ResString(IDS_WIN_VERSION) + std::to_wstring(v.Major) + L"." + std::to_wstring(v.Minor) + L"." +
            std::to_wstring(v.Build & 0xFFFF);
  }
  if (includeServicePack && !v.ServicePack.empty()) {
    if (includeVersion) text += L", ";
    text += v.ServicePack;
  }
  if (includeVersion || includeServicePack) text += L")";
  return text;
}

TWindowsVersionRecord ReadWindowsVersionRecord() {
  TWindowsVersionRecord v;
  SYSTEM_INFO system{};
  using NativeInfoProc = void(WINAPI*)(SYSTEM_INFO*);
  NativeInfoProc nativeInfo = IsWow64() ? Kernel32Proc<NativeInfoProc>("GetNativeSystemInfo") : nullptr;
  if (nativeInfo) nativeInfo(&system);
  else ::GetSystemInfo(&system);
  v.ProcessorArchitecture = system.wProcessorArchitecture;

  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
    v.PlatformId = info.dwPlatformId;
    v.Major = info.dwMajorVersion;
    v.Minor = info.dwMinorVersion;
    v.Build = info.dwBuildNumber;
    v.ProductType = info.wProductType;
    v.SuiteMask = info.wSuiteMask;
    v.ServicePack.assign(info.szCSDVersion, ::wcsnlen(info.szCSDVersion, 128));
  }
  v.MediaCenter = ::GetSystemMetrics(SM_MEDIACENTER) != 0;
  v.TabletPc = ::GetSystemMetrics(SM_TABLETPC) != 0;
  if (v.PlatformId == VER_PLATFORM_WIN32_NT && v.Major == 6) {
    using ProductInfoProc = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
    if (auto productInfo = Kernel32Proc<ProductInfoProc>("GetProductInfo")) {
      DWORD type = 0;
      if (productInfo(v.Major, v.Minor, 0, 0, &type)) v.ProductInfo = type;
    }
  }
  return v;
}

std::wstring GetWindowsVersionText(bool includeVersion, bool includeServicePack) {
  return WindowsVersionText(ReadWindowsVersionRecord(), includeVersion, includeServicePack);
}

bool IsWindows7OrLater(const TWindowsVersionRecord& v) noexcept {
  return v.Major > 6 || (v.Major == 6 && v.Minor >= 1);
}

bool IsWindows7OrLater() { return IsWindows7OrLater(ReadWindowsVersionRecord()); }

}  // namespace tessera
