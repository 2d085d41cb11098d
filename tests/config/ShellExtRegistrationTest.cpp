// The pieces of enabling and checking the shell extension: the registration tool, its parameters, the
// registry comparison (case of A to Z only, both registry views), the architecture rule and network drives.
#include <gtest/gtest.h>

#include "base/PathUtils.h"
#include "base/ShellExtIds.h"
#include "base/StringUtils.h"
#include "config/NetworkDrive.h"
#include "config/RegistryStandIn.h"
#include "config/ShellExtRegistration.h"
#include "shellutils/SystemUtils.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

// A class of the tests' own, so that no real registration is touched.
constexpr wchar_t kTestClass[] = L"{7E57C1A5-0000-4E57-A000-7E55E7A00001}";
const std::wstring kTestServerKey = std::wstring(L"CLSID\\") + kTestClass + L"\\InprocServer32";

TEST(ShellExtRegistration, RegistrationToolIsTheOneOfTheSystemFolder) {
  wchar_t system[MAX_PATH] = {};
  UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(RegSvr32Path(), std::wstring(system, n) + L"\\regsvr32.exe");
  EXPECT_EQ(RegSvr32Path().substr(1, 2), L":\\");  // a full path, never a name the search order resolves
  EXPECT_TRUE(FileExists(RegSvr32Path()));
}

TEST(ShellExtRegistration, TheToolIsStartedByItsFullPathWithVerbAndQuotedDll) {
  const std::wstring dll = L"C:\\Program Files\\Tessera\\Tessera64.dll";
  struct Case {
    bool currentUser, enable;
    const wchar_t* verb;
    const wchar_t* parameters;
  } cases[] = {
      {true, true, L"open", L"\"C:\\Program Files\\Tessera\\Tessera64.dll\""},
      {false, true, L"runas", L"\"C:\\Program Files\\Tessera\\Tessera64.dll\""},
      {true, false, L"open", L"/u \"C:\\Program Files\\Tessera\\Tessera64.dll\""},
      {false, false, L"runas", L"/u \"C:\\Program Files\\Tessera\\Tessera64.dll\""},
  };
  wchar_t system[MAX_PATH] = {};
  const std::wstring systemFolder(system, ::GetSystemDirectoryW(system, MAX_PATH));
  for (const auto& c : cases) {
    const TRegSvr32Launch launch = RegSvr32Launch(dll, c.currentUser, c.enable);
    EXPECT_EQ(launch.Verb, c.verb);
    // A bare "regsvr32.exe" would be looked up in the program's and the current folder first.
    EXPECT_EQ(launch.File, systemFolder + L"\\regsvr32.exe");
    EXPECT_EQ(launch.Parameters, c.parameters);
  }
}

TEST(ShellExtRegistration, ParametersQuoteTheDll) {
  EXPECT_EQ(RegSvr32Parameters(L"C:\\Program Files\\Tessera\\Tessera64.dll", true),
            L"\"C:\\Program Files\\Tessera\\Tessera64.dll\"");
  EXPECT_EQ(RegSvr32Parameters(L"C:\\Program Files\\Tessera\\Tessera64.dll", false),
            L"/u \"C:\\Program Files\\Tessera\\Tessera64.dll\"");
}

TEST(ShellExtRegistration, TheBuildFollowsTheArchitectureOfWindows) {
  // This machine is 64-bit Windows: the 64-bit build is the one, for the 32-bit program under WOW64 as well.
  EXPECT_STREQ(ShellExtDllName(), L"Tessera64.dll");
  EXPECT_STREQ(ShellExtClassId(), kClassIdText64);
  EXPECT_EQ(ShellExtDllPath(), GetModuleFolder() + L"Tessera64.dll");
}

TEST(ShellExtRegistration, RegisteredPathMatchesIgnoringTheCaseOfAsciiLettersOnly) {
  const std::wstring dll = L"C:\\Program Files\\Tessera Caf\u00e9\\Tessera64.dll";
  struct Case {
    const wchar_t* registered;
    bool matches;
  } cases[] = {
      {L"C:\\Program Files\\Tessera Caf\u00e9\\Tessera64.dll", true},
      {L"c:\\PROGRAM FILES\\tessera CAF\u00e9\\TESSERA64.DLL", true},
      {L"C:\\Program Files\\Tessera Caf\u00c9\\Tessera64.dll", false},  // \u00e9 and \u00c9 are other characters
      {L"D:\\Old\\Tessera64.dll", false},                                 // an older installation elsewhere
      {L"C:\\Program Files\\Tessera Caf\u00e9\\Tessera32.dll", false},
      {L"C:\\Program Files\\Tessera Caf\u00e9\\Tessera64.dll ", false},
      {L"", false},
  };
  // In the 64-bit view, where the 64-bit build registers (the views are the next test's).
  test::RegistryStandIn server(HKEY_CLASSES_ROOT, kTestServerKey, L"", KEY_WOW64_64KEY);
  for (const auto& c : cases) {
    server.setString(c.registered);
    EXPECT_EQ(IsServerRegisteredAs(kTestClass, dll, true), c.matches) << WideToUtf8(c.registered);
  }
  server.remove();
  EXPECT_FALSE(IsServerRegisteredAs(kTestClass, dll, true));
  EXPECT_FALSE(IsServerRegisteredAs(L"{7E57C1A5-0000-4E57-A000-7E55E7A0FFFF}", dll, true));  // no class key
}

TEST(ShellExtRegistration, The64BitViewIsAskedFor) {
  const std::wstring dll = L"C:\\Tessera\\Tessera64.dll";
  const bool program64 = sizeof(void*) == 8;
  {
    // Written in the 64-bit view only: found with that view, and by the default view of a 64-bit program.
    test::RegistryStandIn server(HKEY_CLASSES_ROOT, kTestServerKey, L"", KEY_WOW64_64KEY);
    server.setString(dll);
    EXPECT_TRUE(IsServerRegisteredAs(kTestClass, dll, true));
    EXPECT_EQ(IsServerRegisteredAs(kTestClass, dll, false), program64);
  }
  {
    // Written in the 32-bit view only: the 64-bit view does not see it.
    test::RegistryStandIn server(HKEY_CLASSES_ROOT, kTestServerKey, L"", KEY_WOW64_32KEY);
    server.setString(dll);
    EXPECT_FALSE(IsServerRegisteredAs(kTestClass, dll, true));
    EXPECT_EQ(IsServerRegisteredAs(kTestClass, dll, false), !program64);
  }
}

TEST(ShellExtRegistration, NetworkDrivesAreRecognised) {
  EXPECT_FALSE(IsNetworkDrive(GetModulePath()));
  EXPECT_FALSE(IsNetworkDrive(L"C:\\Windows\\notepad.exe"));
  EXPECT_FALSE(IsNetworkDrive(L"relative\\TesseraConfig.exe"));
  EXPECT_FALSE(IsNetworkDrive(L""));
  test::TempFolder tmp;
  test::NetworkDrive drive(tmp.path());
  if (!drive) GTEST_SKIP() << "this system cannot make a stand-in network drive";
  EXPECT_TRUE(IsNetworkDrive(drive.root() + L"Tessera\\TesseraConfig.exe"));
}

}  // namespace
}  // namespace tessera
