// The shell-extension entries both ways: what the DLL's DllRegisterServer writes for a user whose
// Administrators group is not enabled (regsvr32 run as such a user, as "Enable for current user" runs
// it), and what a package's Registry table writes, resolved for an install folder.
#pragma once

#include <windows.h>

#include <set>
#include <string>

#include "packages/MsiDatabase.h"
#include "packages/RegistryTree.h"

namespace tessera::test {

// The per-user classes key, where a per-user registration goes.
inline const std::wstring kUserClassesKey = L"Software\\Classes";

// What registering dllPath per user adds under HKCU\Software\Classes in the DLL's registry view; the
// registration is removed again (per user) before returning.
TRegistrySnapshot PerUserRegistration(const std::wstring& dllPath, bool bits64);

// The values of the package's Registry table below HKCU\Software\Classes, with [#file] resolved to
// installFolder + the file's name (installFolder ends with a backslash). Rows the resolution does not
// know (other roots, formatted values other than [#file], key markers) are reported as test failures.
std::set<TRegistryValue> PackageClassesValues(const TMsiDatabase& db, const std::wstring& installFolder);

}  // namespace tessera::test
