// Registration through regsvr32 in the test prefix (Wine's processes are administrators, so this is the
// machine-wide path) and the per-user path through the registration routine itself.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/Handles.h"
#include "base/ShellExtIds.h"
#include "base/StringUtils.h"
#include "comserver/DllUnderTest.h"
#include "shellext/Registration.h"

namespace tessera {
namespace {

using test::RunRegsvr32;
using test::ShellExtDllPath;

std::optional<std::wstring> Value(HKEY root, const std::wstring& key, const wchar_t* name = nullptr) {
  UniqueRegKey k;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) return std::nullopt;
  wchar_t data[2048] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t), type = 0;
  if (::RegQueryValueExW(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ) return L"<not REG_SZ>";
  return std::wstring(data);
}

bool Exists(HKEY root, const std::wstring& key) {
  UniqueRegKey k;
  return ::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.put()) == ERROR_SUCCESS;
}

void SetValue(HKEY root, const std::wstring& key, const std::wstring& data) {
  UniqueRegKey k;
  ASSERT_EQ(::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr), ERROR_SUCCESS);
  ::RegSetValueExW(k.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

DWORD ValueCount(HKEY root, const std::wstring& key) {
  UniqueRegKey k;
  DWORD values = 0;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.put()) == ERROR_SUCCESS)
    ::RegQueryInfoKeyW(k.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                       nullptr);
  return values;
}

const std::wstring kClsidKey = std::wstring(L"CLSID\\") + kClassIdText;
std::wstring HandlerKey(const std::wstring& type) { return type + L"\\ShellEx\\ContextMenuHandlers\\" + kHandlerName; }

void ExpectRegistered(HKEY root, const std::wstring& prefix, const std::wstring& dll) {
  EXPECT_EQ(Value(root, prefix + kClsidKey), L"Tessera");
  auto inproc = Value(root, prefix + kClsidKey + L"\\InprocServer32");
  ASSERT_TRUE(inproc);
  EXPECT_TRUE(SameTextAscii(*inproc, dll)) << *inproc;
  EXPECT_EQ(Value(root, prefix + kClsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(ValueCount(root, prefix + kClsidKey + L"\\InprocServer32"), 2u);
  for (const auto& type : ShellExtFileTypes()) EXPECT_EQ(Value(root, prefix + HandlerKey(type)), kClassIdText) << type;
}

class Regsvr32 : public ::testing::Test {
protected:
  void SetUp() override { RunRegsvr32(ShellExtDllPath(), true); }
  void TearDown() override { RunRegsvr32(ShellExtDllPath(), true); }
};

TEST_F(Regsvr32, RegistersForAllUsersOnceWithTheSameValuesWhenRunTwice) {
  const std::wstring dll = ShellExtDllPath();
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    EXPECT_EQ(RunRegsvr32(dll, false), 0u);
    ExpectRegistered(HKEY_CLASSES_ROOT, L"", dll);
  }
  EXPECT_FALSE(Exists(HKEY_CURRENT_USER, L"Software\\Classes\\" + kClsidKey));
}

TEST_F(Regsvr32, UnregisterRemovesEmptyParentsAndKeepsANeighbour) {
  const std::wstring neighbour = L"Directory\\Background\\ShellEx\\ContextMenuHandlers\\ZzNeighbour";
  SetValue(HKEY_CLASSES_ROOT, neighbour, L"{00000000-0000-0000-0000-0000000000AA}");
  ScopeExit removeNeighbour([&] { DeleteKeyAndEmptyParents(HKEY_CLASSES_ROOT, neighbour); });
  const bool directoryShellExBefore = Exists(HKEY_CLASSES_ROOT, L"Directory\\ShellEx");

  ASSERT_EQ(RunRegsvr32(ShellExtDllPath(), false), 0u);
  ASSERT_EQ(RunRegsvr32(ShellExtDllPath(), true), 0u);

  EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, kClsidKey));
  for (const auto& type : ShellExtFileTypes()) EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, HandlerKey(type))) << type;
  // The neighbour and the keys above it stay.
  EXPECT_TRUE(Value(HKEY_CLASSES_ROOT, neighbour));
  // Emptied keys on the way up are gone, up to the first one that holds something.
  EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, L"*\\ShellEx\\ContextMenuHandlers"));
  EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, L"*\\ShellEx"));
  if (!directoryShellExBefore) {
    EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, L"Directory\\ShellEx"));
  }
  EXPECT_TRUE(Exists(HKEY_CLASSES_ROOT, L"CLSID"));
}

TEST_F(Regsvr32, UnregisterWhenNothingIsRegisteredSucceedsAndOnlyDropsEmptyKeys) {
  // An empty handler list left by another program on the path, below a class key that holds a value.
  UniqueRegKey k;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"*\\ShellEx\\ContextMenuHandlers", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, k.put(), nullptr),
            ERROR_SUCCESS);
  k.reset();
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"*", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr),
            ERROR_SUCCESS);
  const wchar_t marker[] = L"x";
  ::RegSetValueExW(k.get(), L"TesseraTestMarker", 0, REG_SZ, reinterpret_cast<const BYTE*>(marker), sizeof(marker));
  ScopeExit removeMarker([&] { ::RegDeleteValueW(k.get(), L"TesseraTestMarker"); });

  EXPECT_EQ(RunRegsvr32(ShellExtDllPath(), true), 0u);
  EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, L"*\\ShellEx\\ContextMenuHandlers"));
  EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, L"*\\ShellEx"));
  EXPECT_TRUE(Exists(HKEY_CLASSES_ROOT, L"*")) << "the walk stops at the key that holds a value";
  EXPECT_FALSE(Exists(HKEY_CLASSES_ROOT, kClsidKey));
}

// The per-user path, called directly: Wine's regsvr32 always runs as an administrator.
TEST(RegisterContextMenuHandler, PerUserWritesUnderCurrentUserAndCleansUp) {
  const std::wstring dll = ShellExtDllPath();
  const std::wstring prefix = L"Software\\Classes\\";
  const bool directoryBefore = Exists(HKEY_CURRENT_USER, prefix + L"Directory");
  const bool starBefore = Exists(HKEY_CURRENT_USER, prefix + L"*");

  EXPECT_EQ(RegisterContextMenuHandler(dll, ShellExtFileTypes(), kClassIdText, kHandlerName, L"Tessera", true, true),
            S_OK);
  ExpectRegistered(HKEY_CURRENT_USER, prefix, dll);

  EXPECT_EQ(RegisterContextMenuHandler(dll, ShellExtFileTypes(), kClassIdText, kHandlerName, L"Tessera", false, true),
            S_OK);
  EXPECT_FALSE(Exists(HKEY_CURRENT_USER, prefix + kClsidKey));
  for (const auto& type : ShellExtFileTypes()) EXPECT_FALSE(Exists(HKEY_CURRENT_USER, prefix + HandlerKey(type)));
  if (!directoryBefore) {
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, prefix + L"Directory\\Background"));
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, prefix + L"Directory"));
  }
  if (!starBefore) {
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, prefix + L"*"));
  }
  EXPECT_TRUE(Exists(HKEY_CURRENT_USER, L"Software"));
}

TEST(RegisterContextMenuHandler, RegistersAnyClassListAndRemovesItWhole) {
  // Registering a path that differs only in ASCII case still reads back as the module's path.
  const std::wstring prefix = L"Software\\Classes\\";
  const std::wstring clsid = L"{0BADF00D-0000-4000-8000-000000000001}";
  const std::vector<std::wstring> types = {L"TesseraTestClass"};
  EXPECT_EQ(RegisterContextMenuHandler(L"C:\\Some\\Path.dll", types, clsid, L"TesseraTest", L"Test", true, true), S_OK);
  EXPECT_EQ(Value(HKEY_CURRENT_USER, prefix + L"TesseraTestClass\\ShellEx\\ContextMenuHandlers\\TesseraTest"), clsid);
  EXPECT_EQ(RegisterContextMenuHandler(L"C:\\Some\\Path.dll", types, clsid, L"TesseraTest", L"Test", false, true), S_OK);
  EXPECT_FALSE(Exists(HKEY_CURRENT_USER, prefix + L"TesseraTestClass"));
  EXPECT_FALSE(Exists(HKEY_CURRENT_USER, prefix + L"CLSID\\" + clsid));
}

}  // namespace
}  // namespace tessera
