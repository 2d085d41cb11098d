#include "shellutils/FileUtils.h"

#include "TestHelpers.h"
#include "base/PathUtils.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <future>
#include <map>
#include <string>
#include <vector>

namespace tessera {
namespace {

using test::ScopedEnvironment;
using test::TempFolder;

TEST(FileSizeByName, FilesFoldersAndMissingPaths) {
  TempFolder temp;
  EXPECT_EQ(FileSizeByName(temp.file(L"five.bin", "12345")), 5);
  EXPECT_EQ(FileSizeByName(temp.file(L"empty.bin")), 0);
  EXPECT_EQ(FileSizeByName(temp.dir(L"folder")), 0);
  ::SetLastError(0);
  EXPECT_EQ(FileSizeByName(temp.path() + L"missing.bin"), -1);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(FileSizeByName, SizesAbove4GiBUseTheHighWord) {
  TempFolder temp;
  std::wstring path = temp.file(L"big.bin");
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const int64_t size = (5LL << 30) + 7;  // sparse on the host file system: costs no disk space
  LARGE_INTEGER offset;
  offset.QuadPart = size;
  bool extended = ::SetFilePointerEx(file, offset, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
  ::CloseHandle(file);
  if (!extended) GTEST_SKIP() << "the file system cannot hold a 5 GiB file";
  EXPECT_EQ(FileSizeByName(path), size);
}

TEST(IsDirectoryAndFileExists, TellFilesFromFolders) {
  TempFolder temp;
  const std::wstring folder = temp.dir(L"folder.ext");
  const std::wstring file = temp.file(L"file");
  struct Case {
    std::wstring path;
    bool isDirectory, fileExists;
  };
  const Case cases[] = {
      {folder, true, false},
      {folder + L"\\", true, false},
      {file, false, true},
      {temp.path() + L"missing", false, false},
      {temp.path() + L"missing\\deeper", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsDirectory(c.path), c.isDirectory) << testing::PrintToString(c.path);
    EXPECT_EQ(FileExists(c.path), c.fileExists) << testing::PrintToString(c.path);
  }
}

TEST(FileHasExtension, ComparesTheLastExtensionOfTheName) {
  struct Case {
    const wchar_t* fileName;
    const wchar_t* list;
    bool expected;
  };
  const Case cases[] = {
      {L"C:\\a.b\\readme", L"b", false},  // a dot in a folder name is no extension
      {L"C:\\x\\Photo.JPG", L"png;jpg", true},
      {L"C:\\x\\photo.jpg", L"PNG;JPG", true},
      {L"C:\\x\\photo.png", L"jpg; png", false},  // the entry keeps its blank
      {L"C:\\x\\photo.png", L"jpg;.png", true},
      {L"C:\\x\\archive.tar.gz", L"gz", true},
      {L"C:\\x\\archive.tar.gz", L"tar.gz", false},
      {L"C:\\x\\file.txt", L";;txt;", true},
      {L"C:\\x\\file.txt", L"", false},
      {L"C:\\x\\noext", L"noext", false},
      {L"D:name.ini", L"ini", true},
      {L"C:\\x\\file.txtx", L"txt", false},
      {L"C:\\x\\file.\x00c4", L"\x00e4", false},  // only ASCII letters are folded
  };
  for (const auto& c : cases) EXPECT_EQ(FileHasExtension(c.fileName, c.list), c.expected) << c.fileName << " in " << c.list;
}

TEST(FolderContainsFilesOfType, TrimsEntriesAndSearchesOnlyTheFolderItself) {
  TempFolder temp;
  const std::wstring notes = temp.dir(L"notes");
  temp.file(L"notes/readme.md");
  temp.file(L"notes/sub/deep.txt");
  const std::wstring images = temp.dir(L"images");
  temp.dir(L"images/album.jpg");  // a folder counts like a file

  struct Case {
    std::wstring folder;
    const wchar_t* list;
    bool expected;
  };
  const Case cases[] = {
      {notes, L" txt ;\t.md ", true},  // masks "*.txt" and "*.md" from the trimmed entries
      {notes + L"\\", L"md", true},
      {notes, L"txt", false},  // only in a subfolder
      {notes, L"MD", true},    // the file system ignores case
      {notes, L";;", false},
      {images, L"png;jpg", true},
      {temp.path() + L"missing", L"md", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FolderContainsFilesOfType(c.folder, c.list), c.expected) << testing::PrintToString(c.folder) << c.list;
}

// Folder and name of every call, in call order.
struct Found {
  std::vector<std::wstring> folders;  // each folder once, in the order of its first file
  std::vector<std::wstring> files;    // folder + name
};

Found Collect(const std::wstring& folder, const std::wstring& mask, bool* result = nullptr) {
  Found found;
  bool r = FindFilesInFolder(folder, mask, [&](const std::wstring& where, const WIN32_FIND_DATAW& data) {
    if (found.folders.empty() || found.folders.back() != where) found.folders.push_back(where);
    found.files.push_back(where + data.cFileName);
  });
  if (result) *result = r;
  return found;
}

TEST(FindFilesInFolder, WalksEachFolderBeforeItsSubfoldersDepthFirst) {
  TempFolder temp;
  const std::wstring root = temp.dir(L"root");
  for (const wchar_t* f : {L"root/r.txt", L"root/A/a.txt", L"root/A/A1/a1.txt", L"root/B/b.txt"}) temp.file(f);
  bool result = false;
  Found found = Collect(root, L"*.txt", &result);
  EXPECT_TRUE(result);
  const std::wstring r = root + L"\\", a = r + L"A\\", a1 = a + L"A1\\", b = r + L"B\\";
  // Siblings come in the file system's order; A1 always right after A.
  const std::vector<std::vector<std::wstring>> allowed = {{r, a, a1, b}, {r, b, a, a1}};
  EXPECT_TRUE(found.folders == allowed[0] || found.folders == allowed[1]) << testing::PrintToString(found.folders);
  EXPECT_EQ(found.files.size(), 4u);
}

TEST(FindFilesInFolder, MatchesOnlyFilesAndEntersHiddenFolders) {
  TempFolder temp;
  temp.file(L"keep.txt");
  temp.file(L"skip.dat");
  temp.dir(L"folder.txt");  // matches the mask but is no file
  const std::wstring hidden = temp.dir(L"hidden");
  temp.file(L"hidden/inner.txt");
  ASSERT_TRUE(::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

  // The folder is given with its trailing backslash: no doubled backslashes in the results.
  Found found = Collect(temp.path(), L"*.txt");
  std::sort(found.files.begin(), found.files.end());
  EXPECT_EQ(found.files, (std::vector<std::wstring>{temp.path() + L"hidden\\inner.txt", temp.path() + L"keep.txt"}));
}

TEST(FindFilesInFolder, FalseWithoutCalls) {
  TempFolder temp;
  temp.file(L"only.dat");
  const std::wstring file = temp.file(L"plain.txt");
  bool result = false;
  EXPECT_EQ(Collect(temp.path(), L"*.txt", &result).files.size(), 1u);
  EXPECT_TRUE(result);
  for (const std::wstring& folder : {temp.path() + L"missing", file, temp.dir(L"empty")}) {
    Found found = Collect(folder, L"*.txt", &result);
    EXPECT_FALSE(result) << testing::PrintToString(folder);
    EXPECT_TRUE(found.files.empty());
  }
}

// A folder link made the way the host allows: a Windows symbolic link where the process may create one,
// otherwise (Wine, which has no reparse points) a symbolic link of the host system, which Wine follows
// and shows as a directory with FILE_ATTRIBUTE_REPARSE_POINT.
class FolderLink {
public:
  FolderLink(const std::wstring& link, const std::wstring& target) : FLink(link) {
    if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) && exists()) {
      FWindowsLink = true;
      return;
    }
    RunHostTool(L"/bin/ln", {L"-s", HostPath(target), HostPath(link)}, true);
  }
  ~FolderLink() { remove(); }
  void remove() {
    if (!exists()) return;
    if (FWindowsLink)
      ::RemoveDirectoryW(FLink.c_str());
    else
      RunHostTool(L"/bin/rm", {HostPath(FLink)}, false);
  }
  bool exists() const { return ::GetFileAttributesW(FLink.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
  static std::wstring HostPath(const std::wstring& path) {
    using Proc = char*(CDECL*)(const wchar_t*);
    auto proc = reinterpret_cast<Proc>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    char* unix = proc ? proc(path.c_str()) : nullptr;
    if (!unix) return {};
    std::wstring result(unix, unix + strlen(unix));
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
  }
  // Wine starts host programs through CreateProcess; they report no exit code, so the effect is awaited.
  void RunHostTool(const std::wstring& tool, const std::vector<std::wstring>& args, bool untilExists) {
    std::wstring commandLine = L"Z:" + tool;
    for (const auto& arg : args) {
      if (arg.empty()) return;
      commandLine += L" \"" + arg + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      return;
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    for (int i = 0; i < 1000 && exists() != untilExists; ++i) ::Sleep(10);
  }

  std::wstring FLink;
  bool FWindowsLink = false;
};

TEST(FindFilesInFolder, FolderLinksThatFormACycleAreWalkedOnce) {
  TempFolder temp;
  const std::wstring root = temp.dir(L"root");
  temp.file(L"root/top.txt");
  const std::wstring a = temp.dir(L"root/A");
  temp.file(L"root/A/a.txt");
  FolderLink loop(a + L"\\loop", root);  // root\A\loop -> root
  FolderLink again(root + L"\\again", a);  // root\again -> root\A: a folder already on the list
  if (!loop.exists() || !again.exists()) GTEST_SKIP() << "no folder links can be made here";
  ASSERT_TRUE(IsDirectory(a + L"\\loop\\A"));  // the cycle is real

  // Without a guard the walk would not end: after a while the links go, which ends it, and the test fails.
  auto walk = std::async(std::launch::async, [&] { return Collect(root, L"*.txt"); });
  if (walk.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "the walk did not end";
    again.remove();
    loop.remove();
  }
  Found found = walk.get();
  std::map<std::wstring, int> names;
  for (const auto& f : found.files) ++names[f.substr(f.rfind(L'\\') + 1)];
  EXPECT_EQ(names, (std::map<std::wstring, int>{{L"a.txt", 1}, {L"top.txt", 1}})) << testing::PrintToString(found.files);
}

TEST(FindInSearchPath, TakesTheFirstEntryHoldingARealFile) {
  TempFolder temp;
  const std::wstring first = temp.dir(L"first");
  temp.dir(L"first/tool.exe");  // a folder named like the file is skipped
  const std::wstring second = temp.dir(L"second");
  const std::wstring tool = temp.file(L"second/tool.exe");
  const std::wstring third = temp.dir(L"third");
  temp.file(L"third/tool.exe");
  temp.file(L"third/other.exe");

  ScopedEnvironment path(L"PATH", L";" + first + L";;" + second + L"\\;" + third);
  std::wstring fullPath = L"stale";
  EXPECT_TRUE(FindInSearchPath(L"tool.exe", fullPath));
  EXPECT_EQ(fullPath, tool);  // second entry ends with a backslash: none added
  EXPECT_TRUE(FindInSearchPath(L"other.exe", fullPath));
  EXPECT_EQ(fullPath, third + L"\\other.exe");
  EXPECT_FALSE(FindInSearchPath(L"missing.exe", fullPath));
  EXPECT_EQ(fullPath, L"");
}

TEST(FindInSearchPath, FindsNothingWithoutPath) {
  TempFolder temp;
  temp.file(L"%PATH%/tool.exe");  // the unexpanded text is no folder to search
  wchar_t oldDirectory[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, oldDirectory);
  ::SetCurrentDirectoryW(temp.path().c_str());
  std::wstring fullPath;
  bool found = false;
  {
    ScopedEnvironment empty(L"PATH", L"");
    ::SetEnvironmentVariableW(L"PATH", nullptr);
    found = FindInSearchPath(L"tool.exe", fullPath);
  }
  ::SetCurrentDirectoryW(oldDirectory);
  EXPECT_FALSE(found) << testing::PrintToString(fullPath);
}

}  // namespace
}  // namespace tessera
