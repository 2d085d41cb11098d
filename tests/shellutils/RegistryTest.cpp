#include "shellutils/Registry.h"

#include "base/Handles.h"

#include <gtest/gtest.h>

namespace tessera {
namespace {

const wchar_t kTestKey[] = L"Software\\TesseraTest\\ShellUtils";

// Writes values under a test key of one registry view and removes the key afterwards.
class RegistryFixture {
public:
  RegistryFixture(HKEY root, REGSAM view) : FRoot(root), FView(view) {
    FCreated = ::RegCreateKeyExW(root, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, FKey.put(),
                                 nullptr) == ERROR_SUCCESS;
  }
  ~RegistryFixture() {
    FKey.reset();
    ::RegDeleteKeyExW(FRoot, kTestKey, FView, 0);
    ::RegDeleteKeyExW(FRoot, L"Software\\TesseraTest", FView, 0);  // only when nothing else is left there
  }
  bool created() const { return FCreated; }
  void set(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    ASSERT_EQ(::RegSetValueExW(FKey.get(), name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
  }
  void setText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
    set(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

private:
  HKEY FRoot;
  REGSAM FView;
  UniqueRegKey FKey;
  bool FCreated = false;
};

TEST(ReadRegistryString, ReadsValuesOfBothViewsOfTheCurrentUser) {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    RegistryFixture reg(HKEY_CURRENT_USER, view);
    ASSERT_TRUE(reg.created());
    reg.setText(L"Dir", L"C:\\Program Files\\Tessera\\");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kTestKey, L"Dir", view), L"C:\\Program Files\\Tessera\\");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kTestKey, L"Dir", view | KEY_READ), L"C:\\Program Files\\Tessera\\");
  }
}

TEST(ReadRegistryString, ViewsOfTheMachineKeyAreKeptApart) {
  RegistryFixture reg64(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
  RegistryFixture reg32(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY);
  if (!reg64.created() || !reg32.created()) GTEST_SKIP() << "no write access to HKEY_LOCAL_MACHINE";
  reg64.setText(L"BinPath", L"64-bit view");
  reg32.setText(L"BinPath", L"32-bit view");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kTestKey, L"BinPath", KEY_WOW64_64KEY), L"64-bit view");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kTestKey, L"BinPath", KEY_WOW64_32KEY), L"32-bit view");
}

TEST(ReadRegistryString, TextUpToTheFirstZeroWhateverTheType) {
  RegistryFixture reg(HKEY_CURRENT_USER, KEY_WOW64_64KEY);
  ASSERT_TRUE(reg.created());
  reg.setText(nullptr, L"default value");
  reg.setText(L"Expand", L"%SystemRoot%\\x", REG_EXPAND_SZ);
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  reg.set(L"Unterminated", REG_SZ, unterminated, sizeof(unterminated));
  const wchar_t multi[] = L"first\0second\0";
  reg.set(L"Multi", REG_MULTI_SZ, multi, sizeof(multi));
  reg.set(L"Empty", REG_SZ, nullptr, 0);

  struct Case {
    const wchar_t* name;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"", L"default value"},
      {L"Expand", L"%SystemRoot%\\x"},  // not expanded
      {L"Unterminated", L"abc"},
      {L"Multi", L"first"},
      {L"Empty", L""},
      {L"Missing", L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kTestKey, c.name, KEY_WOW64_64KEY), c.expected) << c.name;
}

TEST(ReadRegistryString, MissingKeyGivesEmptyTextAndItsError) {
  ::SetLastError(0);
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, L"Software\\TesseraTest\\Missing", L"Dir", 0), L"");
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace tessera
