// The background menu on Windows XP: the view toggles need Vista or later. Wine reports the version
// configured for a program name, so the test runs a copy of itself under a name set to Windows XP.
#include <gtest/gtest.h>

#include "base/Handles.h"
#include "shellutils/Process.h"
#include "shellutils/SystemUtils.h"
#include "support/HandlerUnderTest.h"
#include "support/SettingsFile.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

constexpr wchar_t kChildName[] = L"tessera_xp_menu.exe";

// Runs only in the child, which Wine starts as Windows XP.
TEST(DISABLED_WindowsXp, BackgroundMenuHoldsOnlyRefreshAndSettings) {
  ASSERT_EQ(WindowsMajorVersion(), 5u);
  ASSERT_FALSE(IsVistaOrLater());
  test::TempFolder tmp;
  test::HandlerUnderTest h(test::SettingsText({"ShowSuperHiddenFilesState=1"}));
  h.Background(tmp.dir(L"bg"));
  EXPECT_EQ(HRESULT_CODE(h.Query()), 2);
  EXPECT_EQ(h.Outline(), (std::vector<std::wstring>{L"----", L"Refresh icons", L"Tessera settings", L"----"}));
}

TEST(WindowsVersion, BackgroundMenuOnWindowsXp) {
  test::TempFolder tmp;
  const std::wstring child = tmp.path() + kChildName;
  ASSERT_TRUE(::CopyFileW(GetModulePath().c_str(), child.c_str(), FALSE));

  const std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + kChildName;
  UniqueRegKey k;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr),
            ERROR_SUCCESS);
  const wchar_t version[] = L"winxp64";
  ::RegSetValueExW(k.get(), L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof(version));
  k.reset();
  ScopeExit removeKey([&] { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); });

  DWORD exitCode = 99;
  ASSERT_EQ(RunProcess(L"\"" + child + L"\" --gtest_also_run_disabled_tests --gtest_filter=DISABLED_WindowsXp.*", true,
                       SW_HIDE, exitCode),
            rpOk);
  EXPECT_EQ(exitCode, 0u) << "the menu test failed when run as Windows XP";
}

}  // namespace
}  // namespace tessera
