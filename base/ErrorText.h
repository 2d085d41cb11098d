// The system's message for an error code, as the product puts it into its own messages.
#pragma once

#include <windows.h>

#include <string>

namespace tessera {

// The system's message for code without trailing blanks, line breaks and full stops (a generic text with
// the number when the system has none). The thread's last error is left as it was.
std::wstring ErrorText(DWORD code);
// The same for the thread's last error.
std::wstring LastErrorText();

}  // namespace tessera
