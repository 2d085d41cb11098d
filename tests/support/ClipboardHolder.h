// Another process holding the clipboard open (tests/helpers/clipholder) for a given time while a test runs.
#pragma once

#include <windows.h>

#include <string>

#include "base/Handles.h"

namespace tessera::test {

class ClipboardHolder {
public:
  // Starts the holder and returns once it holds the clipboard; throws std::runtime_error when it cannot.
  explicit ClipboardHolder(DWORD holdMs);
  // Ends the holder (it lets go of the clipboard when its process ends).
  ~ClipboardHolder();
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;

  // Waits for the holder to let go by itself; true when it did within timeoutMs.
  bool WaitForRelease(DWORD timeoutMs) const;

private:
  UniqueKernelHandle FProcess;
};

}  // namespace tessera::test
