// The settings program's default error handling: every error that leaves an event handler ends in one
// message box titled with the program's name, with the stop icon, and the program goes on.
#pragma once

#include <windows.h>

#include <new>
#include <string>

#include "base/Error.h"

namespace tessera {

// The message as the box shows it: a full stop is appended when its last character has a code above that of
// "." (a letter or digit; not ".", ")", "!", a blank or a line break). An empty message stays empty.
std::wstring WithFullStop(std::wstring message);

// Shows the error box (OK only) owned by owner.
void ShowErrorBox(HWND owner, const std::wstring& message);

// The message of an operating-system failure: "System Error.  Code: <code>.\r\n<system text>", or
// "A call to an OS function failed" when there is no code.
std::wstring SystemErrorMessage(DWORD code);
// Throw a TesseraError with that message for code, or for the thread's last error.
[[noreturn]] void RaiseOSError(DWORD code);
[[noreturn]] void RaiseLastOSError();

// The message shown for an exception that is not a TesseraError.
std::wstring UnexpectedErrorMessage(bool outOfMemory);

// Runs an event handler; an error it raises is shown in the error box owned by owner instead of leaving the
// window procedure. True when the handler finished without an error.
template <typename Handler>
bool CallReportingErrors(HWND owner, Handler&& handler) noexcept {
  try {
    handler();
    return true;
  } catch (const TesseraError& e) {
    ShowErrorBox(owner, e.message());
  } catch (const std::bad_alloc&) {
    ShowErrorBox(owner, UnexpectedErrorMessage(true));
  } catch (...) {
    ShowErrorBox(owner, UnexpectedErrorMessage(false));
  }
  return false;
}

}  // namespace tessera
