#include "packages/Registration.h"

#include <gtest/gtest.h>

#include "base/StringUtils.h"
#include "packages/Installer.h"
#include "packages/TextHelpers.h"

namespace tessera::test {
namespace {

// [#FileKey] -> the installed path of the file; anything else in brackets is not expected here.
std::wstring Resolve(const TMsiDatabase& db, const std::wstring& installFolder, const std::wstring& value) {
  std::wstring result;
  for (size_t i = 0; i < value.size();) {
    if (value.compare(i, 2, L"[#") == 0) {
      size_t end = value.find(L']', i);
      const std::wstring key = value.substr(i + 2, end - i - 2);
      auto rows = db.Query(L"SELECT `FileName` FROM `File` WHERE `File` = '" + key + L"'");
      EXPECT_EQ(rows.size(), 1u) << "no file " << Utf8(key);
      if (rows.size() == 1) result += installFolder + MsiLongFileName(rows[0][0].value_or(L""));
      i = end + 1;
    } else {
      EXPECT_NE(value[i], L'[') << "unexpected formatted text in a registry value";
      result += value[i++];
    }
  }
  return result;
}

}  // namespace

TRegistrySnapshot PerUserRegistration(const std::wstring& dllPath, bool bits64) {
  const REGSAM view = bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  const auto before = SnapshotRegistry(HKEY_CURRENT_USER, kUserClassesKey, view);
  EXPECT_EQ(RunAsStandardUser(L"\"" + Regsvr32Path(bits64) + L"\" /s \"" + dllPath + L"\""), 0u);
  const auto after = SnapshotRegistry(HKEY_CURRENT_USER, kUserClassesKey, view);
  EXPECT_EQ(RunAsStandardUser(L"\"" + Regsvr32Path(bits64) + L"\" /s /u \"" + dllPath + L"\""), 0u);
  EXPECT_EQ(AsList(SnapshotRegistry(HKEY_CURRENT_USER, kUserClassesKey, view).Values), AsList(before.Values))
      << "the per-user unregistration leaves what was there before";
  return AddedEntries(before, after);
}

std::set<TRegistryValue> PackageClassesValues(const TMsiDatabase& db, const std::wstring& installFolder) {
  std::set<TRegistryValue> values;
  const std::wstring prefix = LowerAscii(kUserClassesKey) + L"\\";
  for (const auto& row : db.Query(L"SELECT `Root`, `Key`, `Name`, `Value` FROM `Registry`")) {
    const std::wstring key = row[1].value_or(L"");
    if (LowerAscii(key).rfind(prefix, 0) != 0) continue;
    // 1: HKEY_CURRENT_USER whatever the installation context.
    EXPECT_EQ(row[0].value_or(L""), L"1") << Utf8(key);
    const std::wstring name = row[2].value_or(L"");
    EXPECT_TRUE(row[3].has_value()) << "a key marker row: " << Utf8(key);
    std::wstring value = row[3].value_or(L"");
    DWORD type = REG_SZ;
    if (value.rfind(L"##", 0) == 0) {
      value.erase(0, 1);
    } else if (value.rfind(L"#", 0) == 0) {
      ADD_FAILURE() << "a non-string value in " << Utf8(key);
      continue;
    }
    values.insert({LowerAscii(key), LowerAscii(name), type, Resolve(db, installFolder, value)});
  }
  return values;
}

}  // namespace tessera::test
