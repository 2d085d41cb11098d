// Folder picker and shell launching.
#include "shellutils/ShellUtils.h"

#include "shellutils/shellutils_strings.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>

namespace tessera {
namespace {
constexpr TResText kFailedToLaunch{IDS_UTIL_FAILED_TO_LAUNCH};

// The item's file-system path, empty when it has none. Long paths are taken whole.
std::wstring PathOfItem(PCIDLIST_ABSOLUTE item) {
  std::wstring path(32768, L'\0');
  if (!item || !::SHGetPathFromIDListEx(item, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
    return {};
  path.resize(::wcsnlen(path.c_str(), path.size()));
  return path;
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  switch (message) {
    case BFFM_INITIALIZED: {
      auto initial = reinterpret_cast<const wchar_t*>(data);
      if (initial && *initial) ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
      break;
    }
    case BFFM_SELCHANGED: {
      // OK only on real folders.
      std::wstring path = PathOfItem(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
      ::SendMessageW(dialog, BFFM_ENABLEOK, 0, (!path.empty() && IsDirectory(path)) ? 1 : 0);
      break;
    }
  }
  return 0;
}

}  // namespace

bool BrowseForFolder(HWND owner, std::wstring& folder, const std::wstring& title) {
  std::wstring initial = folder;
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(initial.c_str());
  UniquePidl item(::SHBrowseForFolderW(&info));
  folder = item ? PathOfItem(item.get()) : std::wstring();
  return !folder.empty();
}

void ShellLaunch(const std::wstring& verb, const std::wstring& fileName, const std::wstring& parameters, HWND owner) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_UNICODE;
  info.hwnd = owner;
  info.lpVerb = verb.c_str();
  info.lpFile = fileName.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  bool ok = ::ShellExecuteExW(&info) && reinterpret_cast<INT_PTR>(info.hInstApp) > 32;
  if (ok) return;
  DWORD error = ::GetLastError();
  if (error == ERROR_SUCCESS || error == ERROR_CANCELLED) return;  // the user declined, e.g. an elevation prompt
  std::wstring target = fileName + L" " + parameters;
  throw TesseraError(FormatText(kFailedToLaunch, target.c_str(), ErrorText(error).c_str()),
                     HRESULT_FROM_WIN32(error));
}

}  // namespace tessera
