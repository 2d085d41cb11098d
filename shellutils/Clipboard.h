// Unicode text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// How long CopyTextToClipboard waits for another program to let go of the clipboard, and how often it asks.
inline constexpr DWORD kClipboardWaitMs = 1000;
inline constexpr DWORD kClipboardRetryMs = 20;

enum TClipboardResult {
  crCopied,  // the clipboard took the text
  crBusy,    // another program kept the clipboard open for the whole wait: nothing was copied
  crFailed,  // the clipboard was open but refused the text (the last error says why)
};

// Puts the text on the clipboard (an empty text puts an empty Unicode text there). While another program
// holds the clipboard open it asks again every retryMs, for at most waitMs; meanwhile messages sent to the
// calling thread are still handled, so that a window of it never hangs a sender.
TClipboardResult PutTextOnClipboard(const std::wstring& text, DWORD waitMs = kClipboardWaitMs,
                                    DWORD retryMs = kClipboardRetryMs);
// The same, true when the clipboard took the text.
bool CopyTextToClipboard(const std::wstring& text);
// The clipboard's Unicode text; false when there is none or the clipboard cannot be opened.
bool ReadClipboardText(std::wstring& text);

}  // namespace tessera
