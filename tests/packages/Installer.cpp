#include "packages/Installer.h"

#include <msi.h>
#include <msiquery.h>

#include <stdexcept>

#include "base/Handles.h"
#include "packages/MsiDatabase.h"
#include "shellutils/Process.h"
#include "shellutils/SystemUtils.h"
#include "support/TempFolder.h"

namespace tessera::test {

std::string TMsiexecRun::LogTail() const {
  return "msiexec ended with " + std::to_string(ExitCode) + "; the end of its log:\n" +
         (Log.size() > 6000 ? Log.substr(Log.size() - 6000) : Log);
}

TMsiexecRun RunMsiexec(const std::wstring& arguments) {
  TempFolder logs;
  const std::wstring log = logs.path() + L"msiexec.log";
  TMsiexecRun run;
  if (RunProcess(L"msiexec.exe " + arguments + L" /qn /l*v \"" + log + L"\"", true, SW_HIDE, run.ExitCode) != rpOk)
    throw std::runtime_error("cannot run msiexec");
  // The log is UTF-16 or ANSI depending on the installer; its messages are ASCII either way.
  for (char c : TempFolder::ReadBytes(log))
    if (c != '\0') run.Log += c;
  return run;
}

std::vector<std::wstring> FailingLaunchConditions(const std::wstring& msiPath) {
  std::vector<std::wstring> messages;
  const INSTALLUILEVEL oldLevel = ::MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
  ScopeExit restoreLevel([&] { ::MsiSetInternalUI(oldLevel, nullptr); });
  UniqueMsiHandle session, view;
  if (::MsiOpenPackageW(msiPath.c_str(), session.put()) != ERROR_SUCCESS)
    throw std::runtime_error("cannot open an installer session on the package");
  ::MsiDoActionW(session.get(), L"FindRelatedProducts");
  MSIHANDLE db = ::MsiGetActiveDatabase(session.get());
  UniqueMsiHandle database(db);
  if (::MsiDatabaseOpenViewW(db, L"SELECT `Condition`, `Description` FROM `LaunchCondition`", view.put()) !=
          ERROR_SUCCESS ||
      ::MsiViewExecute(view.get(), 0) != ERROR_SUCCESS)
    throw std::runtime_error("cannot read the launch conditions");
  for (;;) {
    UniqueMsiHandle record;
    if (::MsiViewFetch(view.get(), record.put()) != ERROR_SUCCESS) break;
    wchar_t condition[1024] = {}, message[1024] = {};
    DWORD size = 1024;
    ::MsiRecordGetStringW(record.get(), 1, condition, &size);
    size = 1024;
    ::MsiRecordGetStringW(record.get(), 2, message, &size);
    if (::MsiEvaluateConditionW(session.get(), condition) == MSICONDITION_FALSE) messages.push_back(message);
  }
  return messages;
}

DWORD RunAsStandardUser(const std::wstring& commandLine) {
  UniqueKernelHandle processToken;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY,
                          processToken.put()))
    throw std::runtime_error("cannot open the process token");
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  UniqueSid admins;
  if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                  0, admins.put()))
    throw std::runtime_error("cannot make the Administrators SID");
  SID_AND_ATTRIBUTES disabled{admins.get(), 0};
  UniqueKernelHandle token;
  if (!::CreateRestrictedToken(processToken.get(), 0, 1, &disabled, 0, nullptr, 0, nullptr, token.put()))
    throw std::runtime_error("cannot make a token without the Administrators group");
  std::wstring command = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessAsUserW(token.get(), nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info))
    throw std::runtime_error("cannot start a process as a standard user");
  UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  ::WaitForSingleObject(process.get(), INFINITE);
  DWORD exitCode = 0xFFFFFFFF;
  ::GetExitCodeProcess(process.get(), &exitCode);
  return exitCode;
}

std::wstring Regsvr32Path(bool bits64) {
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  // A 32-bit program sees the 32-bit tools under system32 and reaches the 64-bit ones through Sysnative.
  constexpr bool self64 = sizeof(void*) == 8;
  const wchar_t* folder = bits64 ? (self64 ? L"\\System32" : L"\\Sysnative") : (self64 ? L"\\SysWOW64" : L"\\System32");
  return std::wstring(windows) + folder + L"\\regsvr32.exe";
}

std::vector<std::wstring> RelatedProducts(const std::wstring& upgradeCode) {
  std::vector<std::wstring> products;
  for (DWORD i = 0;; ++i) {
    wchar_t code[39] = {};
    if (::MsiEnumRelatedProductsW(upgradeCode.c_str(), 0, i, code) != ERROR_SUCCESS) break;
    products.push_back(code);
  }
  return products;
}

std::wstring InstalledProductInfo(const std::wstring& productCode, const wchar_t* property) {
  wchar_t value[1024] = {};
  DWORD size = 1024;
  if (::MsiGetProductInfoW(productCode.c_str(), property, value, &size) != ERROR_SUCCESS) return L"";
  return value;
}

void UninstallRelatedProducts(const std::wstring& upgradeCode) {
  for (const auto& product : RelatedProducts(upgradeCode)) RunMsiexec(L"/x " + product);
}

}  // namespace tessera::test
