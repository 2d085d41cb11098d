#include "support/MessageBoxWatcher.h"

#include <algorithm>

namespace tessera::test {
namespace {

struct FindContext {
  const std::wstring* caption;
  bool anyProcess;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectBoxes(HWND hwnd, LPARAM lp) {
  auto* ctx = reinterpret_cast<FindContext*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if ((!ctx->anyProcess && pid != ::GetCurrentProcessId()) || !::IsWindowVisible(hwnd)) return TRUE;
  wchar_t cls[64] = {};
  ::GetClassNameW(hwnd, cls, 64);
  if (wcscmp(cls, L"#32770") != 0) return TRUE;
  wchar_t title[256] = {};
  ::GetWindowTextW(hwnd, title, 256);
  if (*ctx->caption == title) ctx->found.push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM lp) {
  auto* best = reinterpret_cast<std::wstring*>(lp);
  wchar_t cls[64] = {};
  ::GetClassNameW(child, cls, 64);
  if (_wcsicmp(cls, L"Static") != 0) return TRUE;
  int len = ::GetWindowTextLengthW(child);
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(child, text.data(), len + 1)));
  if (text.size() > best->size()) *best = text;
  return TRUE;
}

}  // namespace

std::wstring MessageBoxText(HWND box) {
  HWND text = ::GetDlgItem(box, 0xFFFF);
  if (text) {
    int len = ::GetWindowTextLengthW(text);
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    s.resize(static_cast<size_t>(::GetWindowTextW(text, s.data(), len + 1)));
    if (!s.empty()) return s;
  }
  std::wstring best;
  ::EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&best));
  return best;
}

MessageBoxWatcher::MessageBoxWatcher(std::wstring caption, int button, bool anyProcess)
    : FCaption(std::move(caption)), FButton(button), FAnyProcess(anyProcess), FThread([this] { run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  FStop = true;
  FThread.join();
}

void MessageBoxWatcher::run() {
  while (!FStop) {
    FindContext ctx{&FCaption, FAnyProcess, {}};
    ::EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&ctx));
    for (HWND box : ctx.found) {
      {
        std::lock_guard lock(FMutex);
        if (std::find(FHandled.begin(), FHandled.end(), box) != FHandled.end()) continue;
      }
      std::wstring text = MessageBoxText(box);
      {
        std::lock_guard lock(FMutex);
        FHandled.push_back(box);
        FTexts.push_back(text);
      }
      ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(FButton, BN_CLICKED), 0);
    }
    // A closed box's handle may be reused by the next box.
    {
      std::lock_guard lock(FMutex);
      std::erase_if(FHandled, [](HWND h) { return !::IsWindow(h) || !::IsWindowVisible(h); });
    }
    ::Sleep(20);
  }
}

std::vector<std::wstring> MessageBoxWatcher::texts() const {
  std::lock_guard lock(FMutex);
  return FTexts;
}

bool MessageBoxWatcher::waitFor(size_t count, DWORD timeoutMs) const {
  DWORD start = ::GetTickCount();
  for (;;) {
    {
      std::lock_guard lock(FMutex);
      if (FTexts.size() >= count) return true;
    }
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(10);
  }
}

}  // namespace tessera::test
