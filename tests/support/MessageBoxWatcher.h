// Watches for message boxes of this process with a given caption, records their text and closes them.
// The box is modal on the thread under test, so the watcher works from a thread of its own.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tessera::test {

class MessageBoxWatcher {
public:
  // button: the command the watcher sends to close each box (IDOK, IDCANCEL, IDYES...).
  explicit MessageBoxWatcher(std::wstring caption, int button = IDOK);
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // Texts of the boxes seen so far, in the order they appeared.
  std::vector<std::wstring> texts() const;
  // Waits until at least count boxes were seen; false on time-out.
  bool waitFor(size_t count, DWORD timeoutMs = 5000) const;

private:
  void run();

  std::wstring caption_;
  int button_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::wstring> texts_;
  std::vector<HWND> handled_;
  std::thread thread_;
};

// Reads the text of a message box window (the static control that holds the message).
std::wstring MessageBoxText(HWND box);

}  // namespace tessera::test
