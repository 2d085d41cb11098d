#include "support/PointerInput.h"

#include "support/RealInput.h"
#include "support/WindowSearch.h"

namespace tessera::test {
namespace {

void SendMouse(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

void MoveMouseTo(POINT screen) {
  // Absolute mouse coordinates run from 0 to 65535 over the primary screen.
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  const LONG x = (screen.x * 65536 + screenW / 2) / screenW;
  const LONG y = (screen.y * 65536 + screenH / 2) / screenH;
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
  ::Sleep(30);
}

}  // namespace

void ClickAt(HWND window, POINT point, TMouseButton button, bool doubleClick) {
  ::SetForegroundWindow(::GetAncestor(window, GA_ROOT));
  ::ClientToScreen(window, &point);
  MoveMouseTo(point);
  const DWORD down = button == TMouseButton::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
  const DWORD up = button == TMouseButton::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
  for (int i = 0; i < (doubleClick ? 2 : 1); ++i) {
    SendMouse(down);
    ::Sleep(20);
    SendMouse(up);
    ::Sleep(doubleClick ? 20 : 30);
  }
  ::Sleep(30);
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT input[2]{};
    for (int i = 0; i < 2; ++i) {
      input[i].type = INPUT_KEYBOARD;
      input[i].ki.wScan = c;
      input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
    }
    ::SendInput(2, input, sizeof(INPUT));
    ::Sleep(5);
  }
  ::Sleep(30);
}

HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        ForEachWindow([&](HWND window) {
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          wchar_t name[32] = {};
          ::GetClassNameW(window, name, 32);
          if (owner == pid && ::IsWindowVisible(window) && std::wstring(name) == L"#32768") found = window;
          return found == nullptr;
        });
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

void ChooseMenuItemAt(int position) {
  for (int i = 0; i < position; ++i) PressKeys({VK_DOWN});
  PressKeys({VK_RETURN});
}

}  // namespace tessera::test
