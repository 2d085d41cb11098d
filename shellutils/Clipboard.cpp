// Unicode text on the clipboard.
#include "shellutils/Clipboard.h"

#include "base/Handles.h"

#include <cwchar>

namespace tessera {

namespace {

// Keeps the clipboard open for one call; closing keeps the last error of the failed step.
class ClipboardSession {
public:
  ClipboardSession() : FOpen(::OpenClipboard(nullptr) != 0) {}
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() {
    if (!FOpen) return;
    DWORD error = ::GetLastError();
    ::CloseClipboard();
    ::SetLastError(error);
  }
  bool isOpen() const { return FOpen; }

private:
  bool FOpen;
};

}  // namespace

bool CopyTextToClipboard(const std::wstring& text) {
  ClipboardSession clipboard;
  if (!clipboard.isOpen()) return false;
  ::EmptyClipboard();
  size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, bytes));
  if (!memory) return false;
  {
    GlobalLockGuard lock(memory.get());
    if (!lock.get()) return false;
    std::wmemcpy(lock.as<wchar_t>(), text.c_str(), text.size() + 1);
  }
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;  // the block stays ours and is freed
  memory.release();                                                     // now the clipboard's
  return true;
}

bool ReadClipboardText(std::wstring& text) {
  text.clear();
  ClipboardSession clipboard;
  if (!clipboard.isOpen()) return false;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (!data) return false;
  GlobalLockGuard lock(data);
  if (!lock.get()) return false;
  size_t maxChars = ::GlobalSize(data) / sizeof(wchar_t);
  text.assign(lock.as<wchar_t>(), ::wcsnlen(lock.as<wchar_t>(), maxChars));
  return true;
}

}  // namespace tessera
