#include "packages/RegistryTree.h"

#include <ostream>

#include "base/Handles.h"
#include "base/StringUtils.h"
#include "packages/TextHelpers.h"

namespace tessera::test {
namespace {

std::wstring DataText(DWORD type, const std::vector<BYTE>& data) {
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    auto end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
  }
  if (type == REG_DWORD && data.size() == sizeof(DWORD)) return std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()));
  std::wstring hex;
  for (BYTE b : data) hex += FormatText(L"%02x", b);
  return hex;
}

void Walk(HKEY key, const std::wstring& path, REGSAM view, TRegistrySnapshot& snapshot) {
  snapshot.Keys.insert(LowerAscii(path));
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    DWORD nameLength = 16384, type = 0, size = 0;
    LONG rc = ::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) break;
    std::vector<BYTE> data(size);
    nameLength = 16384;
    if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    data.resize(size);
    snapshot.Values.insert({LowerAscii(path), LowerAscii(std::wstring(name, nameLength)), type, DataText(type, data)});
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (::RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    UniqueRegKey sub;
    if (::RegOpenKeyExW(key, name, 0, KEY_READ | view, sub.put()) == ERROR_SUCCESS)
      Walk(sub.get(), path + L"\\" + std::wstring(name, nameLength), view, snapshot);
  }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const TRegistryValue& value) {
  return out << Utf8(value.Key) << " [" << (value.Name.empty() ? std::string("(default)") : Utf8(value.Name))
             << "] type " << value.Type << " = " << Utf8(value.Data);
}

TRegistrySnapshot SnapshotRegistry(HKEY root, const std::wstring& key, REGSAM view) {
  TRegistrySnapshot snapshot;
  UniqueRegKey k;
  if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, k.put()) == ERROR_SUCCESS) Walk(k.get(), key, view, snapshot);
  return snapshot;
}

TRegistrySnapshot AddedEntries(const TRegistrySnapshot& before, const TRegistrySnapshot& after) {
  TRegistrySnapshot added;
  for (const auto& k : after.Keys)
    if (!before.Keys.count(k)) added.Keys.insert(k);
  for (const auto& v : after.Values)
    if (!before.Values.count(v)) added.Values.insert(v);
  return added;
}

std::vector<TRegistryValue> AsList(const std::set<TRegistryValue>& values) { return {values.begin(), values.end()}; }
std::vector<std::wstring> AsList(const std::set<std::wstring>& keys) { return {keys.begin(), keys.end()}; }

}  // namespace tessera::test
