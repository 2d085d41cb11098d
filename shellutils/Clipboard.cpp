// Unicode text on the clipboard.
#include "shellutils/Clipboard.h"

#include "base/Handles.h"

#include <cwchar>

namespace tessera {

namespace {

// Waits up to ms, handling the messages other threads send to this one meanwhile.
void WaitHandlingSentMessages(DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
    if (::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_SENDMESSAGE, 0) != WAIT_OBJECT_0)
      return;
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // dispatches the sent messages
  }
}

// Keeps the clipboard open for one call; closing keeps the last error of the failed step.
class ClipboardSession {
public:
  ClipboardSession() : FOpen(::OpenClipboard(nullptr) != 0) {}
  // Asks again while another program holds the clipboard, for at most waitMs.
  ClipboardSession(DWORD waitMs, DWORD retryMs) : FOpen(::OpenClipboard(nullptr) != 0) {
    const ULONGLONG start = ::GetTickCount64();
    while (!FOpen && ::GetTickCount64() - start < waitMs) {
      WaitHandlingSentMessages(retryMs);
      FOpen = ::OpenClipboard(nullptr) != 0;
    }
  }
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

TClipboardResult PutTextOnClipboard(const std::wstring& text, DWORD waitMs, DWORD retryMs) {
  ClipboardSession clipboard(waitMs, retryMs);
  if (!clipboard.isOpen()) return crBusy;
  ::EmptyClipboard();
  size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, bytes));
  if (!memory) return crFailed;
  {
    GlobalLockGuard lock(memory.get());
    if (!lock.get()) return crFailed;
    std::wmemcpy(lock.as<wchar_t>(), text.c_str(), text.size() + 1);
  }
  if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return crFailed;  // the block stays ours and is freed
  memory.release();                                                        // now the clipboard's
  return crCopied;
}

bool CopyTextToClipboard(const std::wstring& text) { return PutTextOnClipboard(text) == crCopied; }

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
