// Watches for message boxes with a given caption (of this process, or of any process for a program the test
// started), records their text and closes them. A box is modal on the thread under test, so the watcher works
// from a thread of its own.
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
  // anyProcess: also boxes of other processes (a program the code under test started).
  explicit MessageBoxWatcher(std::wstring caption, int button = IDOK, bool anyProcess = false);
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // Texts of the boxes seen so far, in the order they appeared.
  std::vector<std::wstring> texts() const;
  // Waits until at least count boxes were seen; false on time-out.
  bool waitFor(size_t count, DWORD timeoutMs = 5000) const;

private:
  void run();

  std::wstring FCaption;
  int FButton;
  bool FAnyProcess;
  std::atomic<bool> FStop{false};
  mutable std::mutex FMutex;
  std::vector<std::wstring> FTexts;
  std::vector<HWND> FHandled;
  std::thread FThread;
};

// Reads the text of a message box window (the static control that holds the message).
std::wstring MessageBoxText(HWND box);

}  // namespace tessera::test
