// Snapshots of registry trees, so that a test can say exactly which keys and values a step added or left.
#pragma once

#include <windows.h>

#include <compare>
#include <set>
#include <string>
#include <vector>

namespace tessera::test {

// One value: its key below the root (lower-case ASCII, as the registry ignores case), its name (empty
// for the default value, also lower-case), its type and its data as text (strings as they are, numbers
// in decimal, anything else in hex).
struct TRegistryValue {
  std::wstring Key;
  std::wstring Name;
  DWORD Type = REG_NONE;
  std::wstring Data;
  auto operator<=>(const TRegistryValue&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TRegistryValue& value);

struct TRegistrySnapshot {
  std::set<std::wstring> Keys;  // every key of the tree, the root key included (lower-case)
  std::set<TRegistryValue> Values;
};

// The tree under root\key in the given view (KEY_WOW64_64KEY or KEY_WOW64_32KEY); empty when it is absent.
TRegistrySnapshot SnapshotRegistry(HKEY root, const std::wstring& key, REGSAM view);

// What after holds and before did not (keys and values; a value whose data changed counts as added).
TRegistrySnapshot AddedEntries(const TRegistrySnapshot& before, const TRegistrySnapshot& after);

std::vector<TRegistryValue> AsList(const std::set<TRegistryValue>& values);
std::vector<std::wstring> AsList(const std::set<std::wstring>& keys);

}  // namespace tessera::test
