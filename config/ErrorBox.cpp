#include "config/ErrorBox.h"

#include "base/ErrorText.h"
#include "base/ProductInfo.h"
#include "base/ResourceString.h"
#include "base/StringUtils.h"
#include "config/config_strings.h"

namespace tessera {

std::wstring WithFullStop(std::wstring message) {
  if (!message.empty() && message.back() > L'.') message += L'.';
  return message;
}

void ShowErrorBox(HWND owner, const std::wstring& message) {
  try {
    ::MessageBoxW(owner, WithFullStop(message).c_str(), kProductName, MB_OK | MB_ICONSTOP);
  } catch (...) {
    // Not even the text could be built: the system's own box without it is all that is left.
    ::MessageBoxW(owner, L"", kProductName, MB_OK | MB_ICONSTOP);
  }
}

std::wstring SystemErrorMessage(DWORD code) {
  if (code == ERROR_SUCCESS) return ResString(IDS_ERR_OS_CALL_FAILED);
  return FormatText(TResText{IDS_ERR_SYSTEM_ERROR}, static_cast<int>(code), ErrorText(code).c_str(), L"");
}

void RaiseOSError(DWORD code) { throw TesseraError(SystemErrorMessage(code), HRESULT_FROM_WIN32(code)); }

void RaiseLastOSError() { RaiseOSError(::GetLastError()); }

std::wstring UnexpectedErrorMessage(bool outOfMemory) {
  return ResString(outOfMemory ? IDS_ERR_OUT_OF_MEMORY : IDS_ERR_UNEXPECTED);
}

}  // namespace tessera
