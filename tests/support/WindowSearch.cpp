#include "support/WindowSearch.h"

namespace tessera::test {
namespace {

BOOL CALLBACK Visit(HWND hwnd, LPARAM lp) { return (*reinterpret_cast<const std::function<bool(HWND)>*>(lp))(hwnd); }

}  // namespace

void ForEachWindow(const std::function<bool(HWND)>& visit) {
  ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&visit));
}

void ForEachChildWindow(HWND parent, const std::function<bool(HWND)>& visit) {
  ::EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&visit));
}

HWND FindTopWindow(DWORD pid, const wchar_t* windowClass, const wchar_t* caption) {
  HWND found = nullptr;
  ForEachWindow([&](HWND window) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != pid || !::IsWindowVisible(window)) return true;
    if (windowClass) {
      wchar_t name[128] = {};
      ::GetClassNameW(window, name, 128);
      if (std::wstring(name) != windowClass) return true;
    }
    if (caption && WindowText(window) != caption) return true;
    found = window;
    return false;
  });
  return found;
}

std::wstring WindowText(HWND window) {
  // WM_GETTEXT works across processes, where GetWindowText of another process's control would not.
  // A window that does not answer within two seconds has no text.
  DWORD_PTR length = 0, n = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             2000, &n))
    return {};
  text.resize(static_cast<size_t>(n));
  return text;
}

}  // namespace tessera::test
