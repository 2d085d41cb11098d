// "File note": the note file made beside the selected file, its attributes, and the editor's command
// line as the started program saw it.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "commands/FileNote.h"
#include "shellutils/FileUtils.h"
#include "shellutils/SystemUtils.h"
#include "support/StandIns.h"
#include "support/TempFolder.h"
#include "support/WindowSearch.h"

#include <string>
#include <vector>

namespace tessera {
namespace {

using test::RecordSession;
using test::TempFolder;
using test::TRecord;

bool IsHidden(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
}

class FileNoteTest : public ::testing::Test {
protected:
  // The recorder as editor, started on the note: "<recorder>" "%file%".
  TInvokeFileNoteParams Params(bool createFile, bool hide, const std::wstring& arguments = L"\"%file%\"") {
    return {L"\"" + test::RecorderExe() + L"\" " + arguments, createFile, hide};
  }
  std::wstring Expected(const std::wstring& arguments) { return L"\"" + test::RecorderExe() + L"\" " + arguments; }
  // Runs the command and returns the command line the editor was started with.
  std::wstring Run(const std::vector<std::wstring>& items, const TInvokeFileNoteParams& params) {
    RecordSession session(temp.path() + L"record" + std::to_wstring(++FRuns) + L".txt");
    InvokeFileNote(items, params);
    TRecord record;
    EXPECT_TRUE(session.wait(record)) << "the editor was not started";
    return record.CommandLine;
  }
  // True when no program recorded a start within a while.
  bool NothingStarted(const std::vector<std::wstring>& items, const TInvokeFileNoteParams& params,
                      std::wstring* error = nullptr) {
    RecordSession session(temp.path() + L"record" + std::to_wstring(++FRuns) + L".txt");
    try {
      InvokeFileNote(items, params);
    } catch (const TesseraError& e) {
      if (!error) throw;
      *error = e.message();
    }
    TRecord record;
    return !session.wait(record, 500);
  }

  TempFolder temp;
  int FRuns = 0;
};

TEST_F(FileNoteTest, CreatesTheNoteBesideTheFileAndOpensIt) {
  struct Case {
    const wchar_t* file;
    const wchar_t* note;
  } cases[] = {
      {L"photo.jpg", L"photo.txt"},
      {L"archive.tar.gz", L"archive.tar.txt"},
      {L"README", L"README.txt"},
      {L".profile", L".txt"},  // a leading dot begins the extension
      {L"dotted.folder\\plain", L"dotted.folder\\plain.txt"},  // a dot in the folder is no extension
  };
  for (const auto& c : cases) {
    const std::wstring file = temp.file(c.file, "content");
    const std::wstring note = temp.path() + c.note;
    EXPECT_EQ(Run({file}, Params(true, false)), Expected(L"\"" + note + L"\"")) << c.file;
    EXPECT_TRUE(FileExists(note)) << c.file;
    EXPECT_EQ(FileSizeByName(note), 0) << c.file;
    if (c.note[0] != L'.') {  // Wine shows dot files as hidden
      EXPECT_FALSE(IsHidden(note)) << c.file;
    }
    EXPECT_EQ(test::TempFolder::ReadBytes(file), "content") << "the selected file is left alone";
  }
}

TEST_F(FileNoteTest, OnlyTheFirstItemIsUsed) {
  const std::wstring first = temp.file(L"first.doc");
  const std::wstring second = temp.file(L"second.doc");
  EXPECT_EQ(Run({first, second}, Params(true, false)), Expected(L"\"" + temp.path() + L"first.txt\""));
  EXPECT_FALSE(FileExists(temp.path() + L"second.txt"));
}

TEST_F(FileNoteTest, ATextFileIsItsOwnNote) {
  const std::wstring text = temp.file(L"notes.txt", "keep me");
  EXPECT_EQ(Run({text}, Params(true, true)), Expected(L"\"" + text + L"\""));
  EXPECT_EQ(TempFolder::ReadBytes(text), "keep me");
  EXPECT_FALSE(IsHidden(text));
}

TEST_F(FileNoteTest, WithoutCreateFileTheEditorGetsAPathThatDoesNotExistYet) {
  const std::wstring file = temp.file(L"photo.jpg");
  EXPECT_EQ(Run({file}, Params(false, true)), Expected(L"\"" + temp.path() + L"photo.txt\""));
  EXPECT_FALSE(FileExists(temp.path() + L"photo.txt"));
}

TEST_F(FileNoteTest, HideNoteFileHidesOnlyANoteItCreates) {
  const std::wstring fresh = temp.file(L"fresh.jpg");
  Run({fresh}, Params(true, true));
  EXPECT_TRUE(IsHidden(temp.path() + L"fresh.txt"));

  const std::wstring old = temp.file(L"old.jpg");
  const std::wstring oldNote = temp.file(L"old.txt", "old note");
  Run({old}, Params(true, true));
  EXPECT_FALSE(IsHidden(oldNote));
  EXPECT_EQ(TempFolder::ReadBytes(oldNote), "old note");
}

TEST_F(FileNoteTest, ThePlaceholderIsReplacedInAnyLetterCase) {
  const std::wstring file = temp.file(L"a.jpg");
  const std::wstring note = temp.path() + L"a.txt";
  struct Case {
    const wchar_t* arguments;
    std::wstring expected;
  } cases[] = {
      {L"\"%FILE%\"", L"\"" + note + L"\""},
      {L"/a %File% /b \"%file%\"", L"/a " + note + L" /b \"" + note + L"\""},  // nothing is quoted for it
      {L"--no-placeholder", L"--no-placeholder"},
      {L"%fil% %%file%%", L"%fil% %" + note + L"%"},
  };
  for (const auto& c : cases) EXPECT_EQ(Run({file}, Params(false, false, c.arguments)), Expected(c.expected));
}

TEST_F(FileNoteTest, LongUnicodePathsWithSignsReachTheEditorWhole) {
  // Over 260 characters, with blanks, %, &, quotes and a placeholder-like folder name that must not be
  // substituted again.
  const std::wstring folder = temp.dir(std::wstring(90, L'a') + L"\\R&D 100% 'x' %file%\\" + std::wstring(90, L'b') +
                                       L"\\Ünïcødé 日本");
  const std::wstring file = folder + L"\\photo 1.jpg";
  temp.file(file.substr(temp.path().size()));
  const std::wstring note = folder + L"\\photo 1.txt";
  ASSERT_GT(note.size(), 260u);
  EXPECT_EQ(Run({file}, Params(true, true)), Expected(L"\"" + note + L"\""));
  EXPECT_TRUE(FileExists(note));
  EXPECT_TRUE(IsHidden(note));
}

TEST_F(FileNoteTest, AnEmptySelectionDoesNothing) {
  EXPECT_TRUE(NothingStarted({}, Params(true, false)));
}

TEST_F(FileNoteTest, ANoteThatCannotBeCreatedIsReportedAndTheEditorNotStarted) {
  const std::wstring file = temp.file(L"blocked.jpg");
  const std::wstring blocker = temp.dir(L"blocked.txt");  // a folder of the note's name is no note
  const std::wstring gone = temp.path() + L"no such folder\\x.jpg";
  for (const auto& [item, note] : {std::pair{file, blocker}, std::pair{gone, temp.path() + L"no such folder\\x.txt"}}) {
    std::wstring error;
    EXPECT_TRUE(NothingStarted({item}, Params(true, false), &error));
    EXPECT_EQ(error.rfind(L"Failed to create file \"" + note + L"\"\r\n\r\n", 0), 0u) << error;
    EXPECT_GT(error.size(), note.size() + 27) << "the system's reason follows";
  }
}

TEST_F(FileNoteTest, AnEditorThatCannotBeStartedIsReportedWithTheWholeCommandLine) {
  const std::wstring file = temp.file(L"photo.jpg");
  const std::wstring program = temp.path() + L"no editor here.exe";
  TInvokeFileNoteParams params{L"\"" + program + L"\" \"%file%\" -x", true, false};
  const std::wstring commandLine = L"\"" + program + L"\" \"" + temp.path() + L"photo.txt\" -x";
  try {
    InvokeFileNote({file}, params);
    FAIL() << "no error";
  } catch (const TesseraError& e) {
    EXPECT_EQ(e.message(), L"Failed to launch \"" + commandLine + L"\"\r\n\r\n" + ErrorText(ERROR_FILE_NOT_FOUND));
  }
  EXPECT_TRUE(FileExists(temp.path() + L"photo.txt")) << "the note made before stays";
}

// Wine's own notepad, started by the default command line; its window is found and closed.
TEST_F(FileNoteTest, OpensTheNoteInNotepad) {
  const std::wstring file = temp.file(L"notepad check.jpg");
  InvokeFileNote({file}, {L"notepad.exe \"%file%\"", true, false});
  EXPECT_TRUE(FileExists(temp.path() + L"notepad check.txt"));

  struct Search {
    HWND found = nullptr;
  } search;
  const ULONGLONG start = ::GetTickCount64();
  while (!search.found && ::GetTickCount64() - start < 20000) {
    test::ForEachWindow([&](HWND hwnd) {
      wchar_t cls[64] = {}, title[512] = {};
      ::GetClassNameW(hwnd, cls, 64);
      ::GetWindowTextW(hwnd, title, 512);
      if (_wcsicmp(cls, L"Notepad") == 0 && wcsstr(title, L"notepad check")) {
        search.found = hwnd;
        return false;
      }
      return true;
    });
    if (!search.found) ::Sleep(100);
  }
  ASSERT_NE(search.found, nullptr) << "no notepad window shows the note";
  ::PostMessageW(search.found, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && ::IsWindow(search.found); ++i) ::Sleep(100);
  EXPECT_FALSE(::IsWindow(search.found)) << "notepad did not close";
}

}  // namespace
}  // namespace tessera
