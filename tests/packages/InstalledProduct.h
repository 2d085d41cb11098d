// The x64 package and the places its installation reaches for the current user.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "packages/RegistryTree.h"

namespace tessera::test {

struct TPackageIdentity {
  std::wstring ProductCode;
  std::wstring UpgradeCode;
};
TPackageIdentity ReadPackageIdentity(const std::wstring& msiPath);

std::wstring InstallFolder();      // %LOCALAPPDATA%\Programs\Tessera\ .
std::wstring UserProgramsFolder(); // %LOCALAPPDATA%\Programs
std::wstring StartMenuShortcutPath();  // <the user's Start menu programs>\Tessera settings.lnk

// What the package may touch in the user's registry: the classes in both views and the maker's key.
struct TUserRegistry {
  TRegistrySnapshot Classes64, Classes32, Maker;
};
TUserRegistry SnapshotUserRegistry();

// The Apps & features entry of a product: where it is and what it shows.
struct TUninstallEntry {
  std::wstring DisplayName, DisplayVersion, Publisher;
};
std::optional<TUninstallEntry> FindUninstallEntry(const std::wstring& productCode);
// How many Apps & features entries show the display name.
int CountUninstallEntries(const std::wstring& displayName);

// Target and working folder of a shell link.
struct TShortcut {
  std::wstring Target, WorkingFolder;
};
std::optional<TShortcut> ReadShortcut(const std::wstring& linkPath);

}  // namespace tessera::test
