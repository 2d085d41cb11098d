// Driving windows the way a user does: mouse clicks and key presses through the system's input queue
// (SendInput), and reading back which window has the focus and what the user sees.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "support/WindowSearch.h"

namespace tessera::test {

// One mouse event and one key event through the system's input queue (arrow and navigation keys as the
// extended keys beside the letters, not those of the number pad).
void SendMouseInput(DWORD flags, LONG x = 0, LONG y = 0);
void SendKeyInput(WORD virtualKey, bool up);
// Moves the mouse to a point of the screen.
void MoveMouseTo(POINT screen);

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

// Brings the window to the foreground and clicks the middle of it with the left mouse button.
void ClickWindow(HWND window);
// Presses and releases the keys in order (each down, then all up in reverse order): {VK_MENU, VK_F4}.
void PressKeys(std::initializer_list<WORD> virtualKeys);

// The visible top-level window of process pid with that caption (and, when given, that class), waiting up
// to timeoutMs for it; null when none came.
HWND WaitForTopWindow(DWORD pid, const std::wstring& caption, DWORD timeoutMs = 10000,
                      const wchar_t* windowClass = nullptr);
// Polls condition every 20 ms until it holds; false on time-out.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// The window that has the keyboard focus on the thread that owns window.
HWND FocusedWindowOf(HWND window);
// The child window with that text (the first found), or null.
HWND FindChildByText(HWND parent, const std::wstring& text);
// The rectangle of child in the client coordinates of its parent.
RECT ChildRect(HWND child);

}  // namespace tessera::test
