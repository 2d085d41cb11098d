// The Windows name of the report as a pure function of the version record, over a table of records.
#include <gtest/gtest.h>

#include "base/StringUtils.h"
#include "config/WindowsVersion.h"

namespace tessera {
namespace {

constexpr WORD kX64 = PROCESSOR_ARCHITECTURE_AMD64, kX86 = PROCESSOR_ARCHITECTURE_INTEL;
constexpr BYTE kWorkstation = VER_NT_WORKSTATION, kServer = VER_NT_SERVER, kDomainController = VER_NT_DOMAIN_CONTROLLER;

TWindowsVersionRecord Nt(DWORD major, DWORD minor, DWORD build, BYTE type, WORD processor, DWORD productInfo = 0,
                         std::wstring servicePack = L"") {
  TWindowsVersionRecord v;
  v.PlatformId = VER_PLATFORM_WIN32_NT;
  v.Major = major;
  v.Minor = minor;
  v.Build = build;
  v.ProductType = type;
  v.ProcessorArchitecture = processor;
  v.ProductInfo = productInfo;
  v.ServicePack = std::move(servicePack);
  return v;
}

TEST(WindowsVersionText, NamesEveryVersionOfTheTable) {
  auto xp = [](bool mediaCenter, bool tablet, WORD suite) {
    TWindowsVersionRecord v = Nt(5, 1, 2600, kWorkstation, kX86, 0, L"Service Pack 3");
    v.MediaCenter = mediaCenter;
    v.TabletPc = tablet;
    v.SuiteMask = suite;
    return v;
  };
  auto nine = [](DWORD minor) {
    TWindowsVersionRecord v;
    v.PlatformId = VER_PLATFORM_WIN32_WINDOWS;
    v.Major = 4;
    v.Minor = minor;
    v.Build = 0x04000950;
    return v;
  };
  struct Case {
    TWindowsVersionRecord version;
    const wchar_t* text;
  } cases[] = {
      {Nt(10, 0, 19045, kWorkstation, kX64), L"Windows 10 (64-bit, version 10.0.19045)"},
      {Nt(10, 0, 22631, kWorkstation, kX64, 48), L"Windows 10 (64-bit, version 10.0.22631)"},  // no edition on 10
      {Nt(10, 0, 20348, kServer, kX64), L"Windows Server 2016 (64-bit, version 10.0.20348)"},  // whatever release
      {Nt(10, 0, 17763, kDomainController, kX64), L"Windows Server 2016 (64-bit, version 10.0.17763)"},
      {Nt(10, 0, 19045, kWorkstation, 12), L"Windows 10 (version 10.0.19045)"},  // ARM64: no bitness
      {Nt(6, 1, 7601, kWorkstation, kX64, 1, L"Service Pack 1"),
       L"Windows 7 Ultimate (64-bit, version 6.1.7601, Service Pack 1)"},
      {Nt(6, 1, 7600, kWorkstation, kX86, 3), L"Windows 7 Home Premium (32-bit, version 6.1.7600)"},
      {Nt(6, 1, 7601, kServer, kX64, 0, L"Service Pack 1"), L"Windows Server 2008 R2 (64-bit, version 6.1.7601, Service Pack 1)"},
      {Nt(6, 0, 6002, kWorkstation, kX86, 6, L"Service Pack 2"), L"Windows Vista Business (32-bit, version 6.0.6002, Service Pack 2)"},
      {Nt(6, 0, 6001, kServer, kX64, 4), L"Windows Server 2008 Enterprise (64-bit, version 6.0.6001)"},
      {Nt(6, 2, 9200, kWorkstation, kX64, 0xABCDABCD), L"Windows 8 Unlicensed (64-bit, version 6.2.9200)"},
      {Nt(6, 2, 9200, kServer, kX64, 7), L"Windows 8 Server (64-bit, version 6.2.9200)"},  // 7: no name in the table
      {Nt(6, 3, 9600, kWorkstation, kX64, 27), L"Windows 8.1 Enterprise N (64-bit, version 6.3.9600)"},
      {Nt(6, 3, 9600, kServer, kX64), L"Windows 8.1 Server (64-bit, version 6.3.9600)"},
      {Nt(6, 4, 9841, kWorkstation, kX64, 11), L"Windows Starter (64-bit, version 6.4.9841)"},
      {Nt(6, 1, 7601, kWorkstation, kX86, 2), L"Windows 7 Home Basic (32-bit, version 6.1.7601)"},
      {Nt(6, 1, 7601, kWorkstation, kX86, 5), L"Windows 7 Home Basic N (32-bit, version 6.1.7601)"},
      {Nt(6, 1, 7601, kWorkstation, kX86, 16), L"Windows 7 Business N (32-bit, version 6.1.7601)"},
      {Nt(6, 1, 7601, kServer, kX64, 19), L"Windows Server 2008 R2 Home Server (64-bit, version 6.1.7601)"},
      {Nt(6, 1, 7601, kWorkstation, kX86, 26), L"Windows 7 Home Premium N (32-bit, version 6.1.7601)"},
      {Nt(6, 1, 7601, kWorkstation, kX86, 28), L"Windows 7 Ultimate N (32-bit, version 6.1.7601)"},
      {Nt(5, 2, 3790, kWorkstation, kX64, 0, L"Service Pack 2"),
       L"Windows XP Professional x64 Edition (version 5.2.3790, Service Pack 2)"},
      {Nt(5, 2, 3790, kWorkstation, kX86), L"Windows Home Sever / Server 2003 (version 5.2.3790)"},
      {Nt(5, 2, 3790, kServer, kX64), L"Windows Home Sever / Server 2003 (version 5.2.3790)"},
      {xp(false, false, 0), L"Windows XP Professional (version 5.1.2600, Service Pack 3)"},
      {xp(false, false, VER_SUITE_PERSONAL), L"Windows XP Home (version 5.1.2600, Service Pack 3)"},
      {xp(true, false, VER_SUITE_PERSONAL), L"Windows XP Media Center Edition (version 5.1.2600, Service Pack 3)"},
      {xp(true, true, 0), L"Windows XP Tablet PC (version 5.1.2600, Service Pack 3)"},
      {xp(false, true, 0), L"Windows XP Tablet PC (version 5.1.2600, Service Pack 3)"},
      {Nt(5, 0, 2195, kWorkstation, kX86, 0, L"Service Pack 4"), L"Windows 2000 (version 5.0.2195, Service Pack 4)"},
      {Nt(5, 0, 2195, kServer, kX86), L"Windows 2000 Server (version 5.0.2195)"},
      {Nt(4, 0, 1381, kWorkstation, kX86, 0, L"Service Pack 6"), L"Windows NT (version 4.0.1381, Service Pack 6)"},
      {Nt(11, 0, 30000, kWorkstation, kX64), L"Windows (64-bit, version 11.0.30000)"},
      {Nt(3, 51, 1057, kWorkstation, kX86), L"Windows (version 3.51.1057)"},
      {nine(0), L"Windows 95 (version 4.0.2384)"},  // only the low 16 bits of the build count
      {nine(10), L"Windows 98 (version 4.10.2384)"},
      {nine(90), L"Windows ME (version 4.90.2384)"},
  };
  for (const auto& c : cases) EXPECT_EQ(WindowsVersionText(c.version, true, true), c.text);
}

TEST(WindowsVersionText, VersionAndServicePackAreOptional) {
  const TWindowsVersionRecord seven = Nt(6, 1, 7601, kWorkstation, kX64, 1, L"Service Pack 1");
  EXPECT_EQ(WindowsVersionText(seven, false, false), L"Windows 7 Ultimate");
  EXPECT_EQ(WindowsVersionText(seven, true, false), L"Windows 7 Ultimate (64-bit, version 6.1.7601)");
  EXPECT_EQ(WindowsVersionText(seven, false, true), L"Windows 7 Ultimate (64-bit, Service Pack 1)");
  const TWindowsVersionRecord xp = Nt(5, 1, 2600, kWorkstation, kX86, 0, L"Service Pack 3");
  EXPECT_EQ(WindowsVersionText(xp, false, true), L"Windows XP Professional (Service Pack 3)");
}

TEST(WindowsVersionText, SevenOrLater) {
  struct Case {
    DWORD major, minor;
    bool later;
  } cases[] = {{5, 1, false}, {5, 2, false}, {6, 0, false}, {6, 1, true}, {6, 3, true}, {10, 0, true}, {7, 0, true}};
  for (const auto& c : cases)
    EXPECT_EQ(IsWindows7OrLater(Nt(c.major, c.minor, 0, kWorkstation, kX64)), c.later) << c.major << "." << c.minor;
}

TEST(WindowsVersionText, TheRunningWindowsIsNamedFromItsRecord) {
  const TWindowsVersionRecord v = ReadWindowsVersionRecord();
  EXPECT_EQ(v.PlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  EXPECT_GE(v.Major, 6u);
  EXPECT_EQ(v.ProcessorArchitecture, kX64);  // 64-bit Windows, under WOW64 too
  EXPECT_EQ(GetWindowsVersionText(true, true), WindowsVersionText(v, true, true));
  EXPECT_NE(GetWindowsVersionText(true, true).find(L"64-bit, version "), std::wstring::npos);
}

}  // namespace
}  // namespace tessera
