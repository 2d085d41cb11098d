#include "config/MoreActions.h"

#include <shellapi.h>

#include "base/PathUtils.h"
#include "base/ResourceString.h"
#include "base/ShellExtIds.h"
#include "base/StringUtils.h"
#include "config/ErrorBox.h"
#include "config/SystemInfo.h"
#include "config/WebAddresses.h"
#include "config/config_strings.h"
#include "settings/Globals.h"
#include "settings/Options.h"
#include "shellutils/Process.h"
#include "shellutils/SystemUtils.h"

namespace tessera {

std::wstring GetRenewerFileName() { return GetModuleFolder() + L"Renewer.exe"; }

std::wstring RenewerCommandLine(const std::wstring& file, const std::wstring& parameters) {
  std::wstring commandLine = L"\"" + file + L"\"";
  if (!parameters.empty()) commandLine += L" " + parameters;
  return commandLine;
}

void RunRenewer(bool silent, const std::wstring& parameters) {
  const std::wstring file = GetRenewerFileName();
  if (!silent && !FileExists(file)) throw TesseraError(FormatText(TResText{IDS_CFG_FILE_NOT_FOUND}, file.c_str()));
  if (!StartProcess(RenewerCommandLine(file, parameters)) && !silent) RaiseLastOSError();
}

void ShowHelp(HWND owner) { OpenLink(owner, kProductWebPage); }

void OpenLink(HWND owner, const std::wstring& address) {
  ::ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::wstring BuildSystemInfoText(const TCustomOptionStore& store) {
  const std::wstring folder = GetModuleFolder();
  const std::vector<std::wstring> files = {GetModulePath(), folder + kDllName32, folder + kDllName64,
                                           folder + L"Typemount.exe"};
  std::wstring text =
      GetSystemInfoText(SysInfoSet({siApplication, siOperatingSystem, siHardware, siDrives}), GetProgramCaption(), files);
  return text + ResString(IDS_CFG_SETTINGS_SECTION) + L"\r\n" + store.GetVisibleNonDefaultOptionsAsText(true);
}

std::optional<std::wstring> FirstInvalidImageSize(const std::wstring& sizes) {
  for (const std::wstring& entry : SplitImageSizes(TrimText(sizes), false)) {
    if (!IsValidImageSize(entry)) return entry;
  }
  return std::nullopt;
}

}  // namespace tessera
