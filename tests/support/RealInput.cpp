#include "support/RealInput.h"

#include <vector>

#include "support/WindowSearch.h"

namespace tessera::test {
namespace {

// The navigation keys beside the letters, not those of the number pad.
bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
      return true;
    default:
      return false;
  }
}

}  // namespace

void SendMouseInput(DWORD flags, LONG x, LONG y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

void SendKeyInput(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  ::SendInput(1, &input, sizeof(input));
}

void MoveMouseTo(POINT screen) {
  // Absolute mouse coordinates run from 0 to 65535 over the primary screen.
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  SendMouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (screen.x * 65536 + screenW / 2) / screenW,
                 (screen.y * 65536 + screenH / 2) / screenH);
  ::Sleep(30);
}

void ClickAt(HWND window, POINT point, TMouseButton button, bool doubleClick) {
  ::SetForegroundWindow(::GetAncestor(window, GA_ROOT));
  ::ClientToScreen(window, &point);
  MoveMouseTo(point);
  const DWORD down = button == TMouseButton::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
  const DWORD up = button == TMouseButton::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
  for (int i = 0; i < (doubleClick ? 2 : 1); ++i) {
    SendMouseInput(down);
    ::Sleep(20);
    SendMouseInput(up);
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

void ClickWindow(HWND window) {
  HWND top = ::GetAncestor(window, GA_ROOT);
  ::SetForegroundWindow(top);
  RECT r{};
  ::GetWindowRect(window, &r);
  MoveMouseTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  SendMouseInput(MOUSEEVENTF_LEFTDOWN);
  ::Sleep(30);
  SendMouseInput(MOUSEEVENTF_LEFTUP);
  ::Sleep(30);
}

void PressKeys(std::initializer_list<WORD> virtualKeys) {
  for (WORD vk : virtualKeys) SendKeyInput(vk, false);
  std::vector<WORD> keys(virtualKeys);
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) SendKeyInput(*it, true);
  ::Sleep(30);
}

HWND WaitForTopWindow(DWORD pid, const std::wstring& caption, DWORD timeoutMs, const wchar_t* windowClass) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(pid, windowClass, caption.c_str())) != nullptr; }, timeoutMs);
  return found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(20);
  }
}

HWND FocusedWindowOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}


HWND FindChildByText(HWND parent, const std::wstring& text) {
  HWND found = nullptr;
  ForEachChildWindow(parent, [&](HWND child) {
    if (WindowText(child) != text) return true;
    found = child;
    return false;
  });
  return found;
}

RECT ChildRect(HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace tessera::test
