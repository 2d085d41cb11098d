#include "support/MessageBoxWatcher.h"

#include <algorithm>

namespace tessera::test {
namespace {

struct FindContext {
  const std::wstring* caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectBoxes(HWND hwnd, LPARAM lp) {
  auto* ctx = reinterpret_cast<FindContext*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd)) return TRUE;
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

MessageBoxWatcher::MessageBoxWatcher(std::wstring caption, int button)
    : caption_(std::move(caption)), button_(button), thread_([this] { run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

void MessageBoxWatcher::run() {
  while (!stop_) {
    FindContext ctx{&caption_, {}};
    ::EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&ctx));
    for (HWND box : ctx.found) {
      {
        std::lock_guard lock(mutex_);
        if (std::find(handled_.begin(), handled_.end(), box) != handled_.end()) continue;
      }
      std::wstring text = MessageBoxText(box);
      {
        std::lock_guard lock(mutex_);
        handled_.push_back(box);
        texts_.push_back(text);
      }
      ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
    }
    // A closed box's handle may be reused by the next box.
    {
      std::lock_guard lock(mutex_);
      std::erase_if(handled_, [](HWND h) { return !::IsWindow(h) || !::IsWindowVisible(h); });
    }
    ::Sleep(20);
  }
}

std::vector<std::wstring> MessageBoxWatcher::texts() const {
  std::lock_guard lock(mutex_);
  return texts_;
}

bool MessageBoxWatcher::waitFor(size_t count, DWORD timeoutMs) const {
  DWORD start = ::GetTickCount();
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (texts_.size() >= count) return true;
    }
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(10);
  }
}

}  // namespace tessera::test
