// "Copy path" and "Copy size".
#include "commands/CopyCommands.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "commands/CommandTexts.h"
#include "shellutils/Clipboard.h"
#include "shellutils/FileUtils.h"

#include <cstdint>

namespace tessera {
namespace {

std::wstring CopyPathText(const std::vector<std::wstring>& items, bool fileNameOnly) {
  std::wstring text;
  for (const auto& item : items) {
    text += fileNameOnly ? ExtractFileName(item) : item;  // a drive root has no name: an empty line
    if (items.size() > 1) text += L"\r\n";
  }
  return text;
}

// Another program holding the clipboard is waited for a moment; a copy that still fails is an error, never a
// silent success.
void CopyToClipboardOrRaise(const std::wstring& text) {
  switch (PutTextOnClipboard(text)) {
    case crCopied: return;
    case crBusy: throw TesseraError(texts::kClipboardBusy);
    case crFailed: throw TesseraError(FormatText(texts::kClipboardFailed, LastErrorText().c_str()));
  }
}

}  // namespace

void InvokeCopyPath(const std::vector<std::wstring>& items, bool fileNameOnly) {
  CopyToClipboardOrRaise(CopyPathText(items, fileNameOnly));
}

void InvokeCopySize(const std::vector<std::wstring>& items, bool alternativeUnits, HWND owner, int op) {
  if (op != csoBytes && op != csoKiB) throw TesseraError(texts::kUnknownCopySizeOp);

  int64_t total = 0;
  int counted = 0;
  for (const auto& item : items) {
    int64_t size = FileSizeByName(item);  // folders give 0, unreadable items -1: both skipped
    if (size > 0) {
      total += size;
      ++counted;
    }
  }

  if (op == csoKiB) total /= alternativeUnits ? 1000 : 1024;
  CopyToClipboardOrRaise(std::to_wstring(total));

  if (counted > 1)
    ::MessageBoxW(owner, FormatText(texts::kTotalSizeCopied, counted).c_str(), texts::kCaption, MB_ICONINFORMATION);
}

}  // namespace tessera
