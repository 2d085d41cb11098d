// Unicode text on the clipboard.
#pragma once

#include <string>

namespace tessera {

// True when the clipboard took the text (an empty text puts an empty Unicode text there).
bool CopyTextToClipboard(const std::wstring& text);
// The clipboard's Unicode text; false when there is none or the clipboard cannot be opened.
bool ReadClipboardText(std::wstring& text);

}  // namespace tessera
