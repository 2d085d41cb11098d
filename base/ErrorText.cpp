#include "base/ErrorText.h"

#include "base/Handles.h"
#include "base/StringUtils.h"
#include "base/base_strings.h"

namespace tessera {

std::wstring ErrorText(DWORD code) {
  DWORD lastError = ::GetLastError();
  wchar_t* buffer = nullptr;
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  UniqueLocal owner(buffer);
  std::wstring text(buffer ? buffer : L"", buffer ? n : 0);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  if (text.empty()) text = FormatText(TResText{IDS_BASE_SYSTEM_ERROR}, static_cast<int>(code));
  ::SetLastError(lastError);
  return text;
}

std::wstring LastErrorText() { return ErrorText(::GetLastError()); }

}  // namespace tessera
