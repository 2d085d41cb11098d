// Driving the system's installer and registration tool the way a user does: msiexec for the packages,
// regsvr32 started by a user whose Administrators group is not enabled (as "Enable for current user" is).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessera::test {

// What a quiet msiexec run ended with: its exit code (0 success, 1603 failure...) and its verbose log.
struct TMsiexecRun {
  DWORD ExitCode = 0xFFFFFFFF;
  std::string Log;       // ASCII; the installer's messages are
  std::string LogTail() const;  // the last lines, for a failure message
};
// Runs "msiexec <arguments> /qn /l*v <log>".
TMsiexecRun RunMsiexec(const std::wstring& arguments);

// The messages of the package's launch conditions that fail on this system as it is now (after the
// installer's search for related products), taken from an installer session opened on the package.
std::vector<std::wstring> FailingLaunchConditions(const std::wstring& msiPath);

// Runs commandLine in a process whose token has the Administrators group for deny only, waits for it
// and returns its exit code. Throws std::runtime_error when the process cannot be started.
DWORD RunAsStandardUser(const std::wstring& commandLine);

// The 64-bit and the 32-bit registration tools of the system.
std::wstring Regsvr32Path(bool bits64);

// The product codes installed for this user or machine that carry the upgrade code.
std::vector<std::wstring> RelatedProducts(const std::wstring& upgradeCode);

// A property of an installed product (INSTALLPROPERTY_VERSIONSTRING...); empty when it has none.
std::wstring InstalledProductInfo(const std::wstring& productCode, const wchar_t* property);

// Removes every installed product of the upgrade code (msiexec /x), so that a test starts clean.
void UninstallRelatedProducts(const std::wstring& upgradeCode);

}  // namespace tessera::test
