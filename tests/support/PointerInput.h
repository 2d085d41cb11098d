// More of a user's input than clicks in the middle of a window: a click or double click at a point of a
// window (either button), text typed as characters, and choosing from the popup menu a click opened.
#pragma once

#include <windows.h>

#include <string>

namespace tessera::test {

enum class TMouseButton { Left, Right };

// Clicks (or double-clicks) at point, in the client coordinates of window.
void ClickAt(HWND window, POINT point, TMouseButton button = TMouseButton::Left, bool doubleClick = false);
// Types text as Unicode characters, as a keyboard with any layout would deliver them.
void TypeText(const std::wstring& text);

// The popup menu of process pid that is open, waiting up to timeoutMs; null when none opened.
HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs = 5000);
// Chooses the position-th item of an open popup menu with the keyboard (Down to it, Enter), counting from 1
// and passing over separators as the keyboard does. (Wine keeps menus inside their process, so another
// process cannot read their items.)
void ChooseMenuItemAt(int position);

}  // namespace tessera::test
