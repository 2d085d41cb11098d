// "Copy path" and "Copy size": the clipboard text and the message box, read back.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/Handles.h"
#include "commands/CommandTexts.h"
#include "commands/CopyCommands.h"
#include "shellutils/Clipboard.h"
#include "support/MessageBoxWatcher.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace tessera {
namespace {

using test::MessageBoxWatcher;
using test::TempFolder;

const std::wstring kSentinel = L"left by the test";

std::wstring ClipboardText() {
  std::wstring text;
  EXPECT_TRUE(ReadClipboardText(text));
  return text;
}

class CopyCommandsTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(CopyTextToClipboard(kSentinel)); }
  TempFolder temp;
};

TEST_F(CopyCommandsTest, CopyPathPutsPathsOrNamesOnTheClipboard) {
  const std::wstring deep = temp.path() + std::wstring(100, L'd') + L"\\" + std::wstring(100, L'e') + L"\\" +
                           std::wstring(100, L'f') + L"\\Ünïcødé 日本 & 100% 'q'.txt";
  struct Case {
    std::vector<std::wstring> items;
    bool fileNameOnly;
    std::wstring expected;
  } cases[] = {
      {{L"C:\\a\\b.txt"}, false, L"C:\\a\\b.txt"},  // a single item gets no line break
      {{L"C:\\a\\b.txt"}, true, L"b.txt"},
      {{L"C:\\a\\b.txt", L"C:\\a\\folder", L"D:\\c"}, false, L"C:\\a\\b.txt\r\nC:\\a\\folder\r\nD:\\c\r\n"},
      {{L"C:\\a\\b.txt", L"C:\\a\\folder", L"D:\\c"}, true, L"b.txt\r\nfolder\r\nc\r\n"},
      {{L"C:\\a\\b.txt", L"C:\\"}, true, L"b.txt\r\n\r\n"},  // a drive root has no name
      {{L"C:\\"}, true, L""},
      {{deep}, false, deep},  // long, Unicode, blanks and signs are kept whole
      {{deep}, true, L"Ünïcødé 日本 & 100% 'q'.txt"},
      {{}, false, L""},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(CopyTextToClipboard(kSentinel));
    InvokeCopyPath(c.items, c.fileNameOnly);
    EXPECT_EQ(ClipboardText(), c.expected) << "first item: " << (c.items.empty() ? "none" : "some");
  }
}

TEST_F(CopyCommandsTest, CopySizeCopiesDigitsOfTheNonEmptyFiles) {
  const std::wstring folder = temp.dir(L"folder");
  temp.file(L"folder\\inside.bin", std::string(5000, 'x'));  // a folder counts as 0, not its content
  const std::wstring file3000 = temp.file(L"three thousand.bin", std::string(3000, 'x'));
  const std::wstring file500 = temp.file(L"five hundred.bin", std::string(500, 'x'));
  const std::wstring empty = temp.file(L"empty.bin");
  const std::wstring missing = temp.path() + L"missing.bin";
  struct Case {
    std::vector<std::wstring> items;
    bool alternativeUnits;
    int op;
    std::wstring expected;
  } cases[] = {
      {{folder, file3000}, false, 0, L"3000"},
      {{folder, file3000}, true, 0, L"3000"},  // Ctrl changes only the unit of "KiB"
      {{folder, file3000}, false, 1, L"2"},    // remainder dropped
      {{folder, file3000}, true, 1, L"3"},
      {{file500}, false, 1, L"0"},
      {{file500, empty, missing}, false, 0, L"500"},
      {{}, false, 0, L"0"},
      {{missing, empty, folder}, false, 1, L"0"},
  };
  MessageBoxWatcher boxes(texts::kCaption);
  for (const auto& c : cases) {
    ASSERT_TRUE(CopyTextToClipboard(kSentinel));
    InvokeCopySize(c.items, c.alternativeUnits, nullptr, c.op);
    EXPECT_EQ(ClipboardText(), c.expected);
  }
  // The box is modal: had one been shown, it would have been seen and closed before the call returned.
  EXPECT_TRUE(boxes.texts().empty()) << "at most one file was counted each time";
}

TEST_F(CopyCommandsTest, CopySizeTellsHowManyFilesWereCounted) {
  const std::wstring a = temp.file(L"a.bin", std::string(1500, 'x'));
  const std::wstring b = temp.file(L"b.bin", std::string(1000, 'x'));
  const std::wstring c = temp.file(L"c.bin", std::string(10, 'x'));
  const std::wstring empty = temp.file(L"empty.bin");
  MessageBoxWatcher boxes(texts::kCaption);

  InvokeCopySize({a, b}, false, nullptr, 0);
  EXPECT_EQ(ClipboardText(), L"2500");
  InvokeCopySize({a, b, c, empty, temp.dir(L"sub")}, true, nullptr, 1);
  EXPECT_EQ(ClipboardText(), L"2");
  InvokeCopySize({a, empty}, false, nullptr, 0);  // only one counted: no message
  EXPECT_EQ(ClipboardText(), L"1500");

  ASSERT_TRUE(boxes.waitFor(2));
  EXPECT_EQ(boxes.texts(), (std::vector<std::wstring>{L"Total size of 2 selected files was copied to clipboard.",
                                                      L"Total size of 3 selected files was copied to clipboard."}));
}

TEST_F(CopyCommandsTest, CopySizeSumsBeyondFourGiB) {
  auto sparse = [&](const std::wstring& name, LONGLONG size) {
    std::wstring path = temp.file(name);
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER at{};
    at.QuadPart = size;
    EXPECT_TRUE(file && ::SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.get()));
    return path;
  };
  const std::wstring big = sparse(L"big.bin", 5LL << 30);    // 5 GiB: beyond 32 bits on its own
  const std::wstring more = sparse(L"more.bin", 3LL << 30);  // and a sum beyond 4 GiB of another
  MessageBoxWatcher boxes(texts::kCaption);

  InvokeCopySize({big}, false, nullptr, 0);
  EXPECT_EQ(ClipboardText(), L"5368709120");
  InvokeCopySize({big, more}, false, nullptr, 0);
  EXPECT_EQ(ClipboardText(), L"8589934592");
  InvokeCopySize({big, more}, true, nullptr, 1);
  EXPECT_EQ(ClipboardText(), L"8589934");
  EXPECT_TRUE(boxes.waitFor(2));
}

TEST_F(CopyCommandsTest, CopySizeRejectsAnUnknownOpAndLeavesTheClipboardAlone) {
  const std::wstring a = temp.file(L"a.bin", "abc");
  const std::wstring b = temp.file(L"b.bin", "abc");
  MessageBoxWatcher boxes(texts::kCaption);
  for (int op : {2, -1}) {
    try {
      InvokeCopySize({a, b}, false, nullptr, op);
      ADD_FAILURE() << "op " << op << " was accepted";
    } catch (const TesseraError& e) {
      EXPECT_EQ(e.message(), L"Unknown op for copy file size.");
    }
  }
  EXPECT_EQ(ClipboardText(), kSentinel);
  EXPECT_TRUE(boxes.texts().empty());
}

}  // namespace
}  // namespace tessera
