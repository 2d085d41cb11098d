// The settings snapshot handlers share: read again exactly when the file changed (or may have changed unseen),
// never a mix of two versions, whatever other threads and programs do to the file meanwhile.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/Handles.h"
#include "base/StringUtils.h"
#include "settings/Options.h"
#include "shellext/SettingsCache.h"
#include "shellutils/SystemUtils.h"
#include "support/HandlerUnderTest.h"
#include "support/SettingsFile.h"
#include "support/TempFolder.h"

namespace tessera {
namespace {

using test::HandlerUnderTest;
using test::SettingsText;
using test::TempFolder;
using Lines = std::vector<std::wstring>;

constexpr ULONGLONG kMinute = 60ull * 10000000;  // in FILETIME units

FILETIME TimeAgo(ULONGLONG units) {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  ULONGLONG t = ((static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime) - units;
  return {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
}

// Sets the file's last-write time, as if it had been written then.
void SetLastWrite(const std::wstring& path, const FILETIME& time) {
  UniqueFileHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file);
  ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &time));
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes, DWORD disposition) {
  UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, 0, nullptr));
  ASSERT_TRUE(file);
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

// Replaces the file through a new file moved over it, as a safe save does (new creation time).
void ReplaceFile(const std::wstring& path, const std::string& bytes) {
  const std::wstring temp = path + L".new";
  WriteFileBytes(temp, bytes, CREATE_ALWAYS);
  ASSERT_TRUE(::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
}

// The menu a new handler builds for the selection with the cache's snapshot.
Lines MenuOf(const std::shared_ptr<TSettingsCache>& cache, const std::wstring& file) {
  HandlerUnderTest h(cache);
  EXPECT_EQ(h.Select({file}), S_OK);
  h.Query();
  return h.Outline();
}

const std::wstring kSizes = L"Resize to JPEG>[1280x720,1280x1024,1600x1200,1920x1080,2560x1440,3840x2160]";
const Lines kDefaultMenu = {L"----", L"File note", L"Copy path", kSizes, L"----"};

class SettingsCacheTest : public ::testing::Test {
protected:
  TempFolder temp;
  const std::wstring settings = temp.path() + L"Tessera.ini";
  const std::wstring photo = temp.file(L"photo.jpg");
  std::shared_ptr<TSettingsCache> cache = std::make_shared<TSettingsCache>(settings);
};

TEST_F(SettingsCacheTest, ReadsTheFileExactlyWhenItsHistorySaysSo) {
  // Versions of one size, so that only the times tell some of them apart.
  const std::string noNote = SettingsText({"FileNoteState=0"});
  const std::string noPath = SettingsText({"CopyPathState=0"});
  const std::string noSize = SettingsText({"ResizeImageState=0"});
  const std::string noBoth = SettingsText({"CopyPathState=0", "FileNoteState=0"});
  const Lines noNoteMenu = {L"----", L"Copy path", kSizes, L"----"};
  const Lines noPathMenu = {L"----", L"File note", kSizes, L"----"};
  const Lines noSizeMenu = {L"----", L"File note", L"Copy path", L"----"};
  const Lines noBothMenu = {L"----", kSizes, L"----"};
  ASSERT_EQ(noNote.size(), noPath.size());
  unsigned long reads = 0;
  auto newReads = [&] {
    unsigned long now = cache->ReadCount(), fresh = now - reads;
    reads = now;
    return fresh;
  };
  struct TStep {
    const char* history;
    std::function<void()> change;
    Lines menu;
    unsigned long reads;
  };
  UniqueFileHandle held;
  const TStep steps[] = {
      {"written a minute ago",
       [&] {
         WriteFileBytes(settings, noNote, CREATE_ALWAYS);
         SetLastWrite(settings, TimeAgo(kMinute));
       },
       noNoteMenu, 1},
      {"unchanged", [] {}, noNoteMenu, 0},
      {"unchanged again", [] {}, noNoteMenu, 0},
      {"saved by the settings program",
       [&] {
         TOptions options(settings);
         options.SetCopyPathState(stHide);
         options.Save();
         SetLastWrite(settings, TimeAgo(kMinute / 2));
         ::DeleteFileW((settings + L".bak").c_str());
       },
       noPathMenu, 1},
      {"unchanged after the save", [] {}, noPathMenu, 0},
      {"written just now", [&] { WriteFileBytes(settings, noNote, CREATE_ALWAYS); }, noNoteMenu, 1},
      {"written again within the same second, same size",
       [&] { WriteFileBytes(settings, noPath, CREATE_ALWAYS); }, noPathMenu, 1},
      {"deleted", [&] { ::DeleteFileW(settings.c_str()); }, kDefaultMenu, 0},
      {"still deleted", [] {}, kDefaultMenu, 0},
      {"created again",
       [&] {
         WriteFileBytes(settings, noBoth, CREATE_ALWAYS);
         SetLastWrite(settings, TimeAgo(kMinute));
       },
       noBothMenu, 1},
      {"held unchanged by another program that lets nobody read it", [&] {
         held.reset(::CreateFileW(settings.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
         ASSERT_TRUE(held);
       },
       noBothMenu, 0},
      {"rewritten, then held so that nobody can read it",
       [&] {
         held.reset();
         WriteFileBytes(settings, noSize, CREATE_ALWAYS);
         SetLastWrite(settings, TimeAgo(kMinute / 4));
         held.reset(::CreateFileW(settings.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
         ASSERT_TRUE(held);
       },
       kDefaultMenu, 1},
      {"still unreadable: tried again", [] {}, kDefaultMenu, 1},
      {"readable again", [&] { held.reset(); }, noSizeMenu, 1},
      {"unchanged at last", [] {}, noSizeMenu, 0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.history);
    ASSERT_NO_FATAL_FAILURE(step.change());
    EXPECT_EQ(MenuOf(cache, photo), step.menu);
    EXPECT_EQ(newReads(), step.reads);
  }
}

// A file replaced through a new one with the same size and its last-write time put back differs from the old one
// only in its creation time. Wine reports the last-write time as the creation time, so the test models a file
// system that keeps creation times (as NTFS does) with a stamp of its own.
TEST_F(SettingsCacheTest, ReadsAgainWhenOnlyTheCreationTimeChanged) {
  ULONGLONG created = 1;
  auto stampWithCreation = [&](const std::wstring& fileName) {
    TSettingsFileStamp stamp = QuerySettingsFileStamp(fileName);
    stamp.Created = {static_cast<DWORD>(created), 0};
    return stamp;
  };
  cache = std::make_shared<TSettingsCache>(settings, stampWithCreation);
  const std::string before = SettingsText({"CopyPathState=0"}), after = SettingsText({"FileNoteState=0"});
  ASSERT_EQ(before.size(), after.size());
  WriteFileBytes(settings, before, CREATE_ALWAYS);
  SetLastWrite(settings, TimeAgo(kMinute));
  const FILETIME written = QuerySettingsFileStamp(settings).LastWritten;
  EXPECT_EQ(MenuOf(cache, photo), (Lines{L"----", L"File note", kSizes, L"----"}));
  EXPECT_EQ(cache->ReadCount(), 1u);

  ReplaceFile(settings, after);
  SetLastWrite(settings, written);
  ++created;  // the new file's own creation time
  EXPECT_EQ(MenuOf(cache, photo), (Lines{L"----", L"Copy path", kSizes, L"----"}));
  EXPECT_EQ(cache->ReadCount(), 2u);
  EXPECT_EQ(MenuOf(cache, photo), (Lines{L"----", L"Copy path", kSizes, L"----"}));
  EXPECT_EQ(cache->ReadCount(), 2u) << "and then it is the same file again";
}

TEST_F(SettingsCacheTest, ASnapshotStaysWithItsHandlerWhateverTheFileDoes) {
  WriteFileBytes(settings, SettingsText({"FileNoteState=0"}), CREATE_ALWAYS);
  HandlerUnderTest h(cache);
  ASSERT_EQ(h.Select({photo}), S_OK);
  ReplaceFile(settings, SettingsText({"CopyPathState=0"}));
  EXPECT_EQ(MenuOf(cache, photo), (Lines{L"----", L"File note", kSizes, L"----"})) << "the next menu sees the change";
  h.Query();
  EXPECT_EQ(h.Outline(), (Lines{L"----", L"Copy path", kSizes, L"----"})) << "this handler keeps its snapshot";
}

// Menus built on several threads while another saves the settings over and over (the product's own save, which
// replaces the file in one step): each menu shows one complete version.
TEST_F(SettingsCacheTest, MenusOnManyThreadsWhileTheFileIsSavedOverAndOver) {
  const Lines a = {L"----", L"Copy path", kSizes, L"----"}, b = {L"----", L"File note", L"----"};
  std::atomic<bool> stop{false};
  std::atomic<int> saves{0};
  std::thread saver([&] {
    for (int i = 0; !stop; ++i) {
      TOptions options(settings);
      if (i % 2 == 0) {
        options.SetFileNoteState(stHide);
      } else {
        options.SetCopyPathState(stHide);
        options.SetResizeImageState(stHide);
      }
      try {
        options.Save();
        ++saves;
      } catch (...) {
        // A replace blocked for longer than the save's retries: the next one comes.
      }
    }
  });
  while (saves == 0) ::Sleep(1);
  std::atomic<int> menus{0}, strangers{0};
  std::vector<std::thread> builders;
  for (int t = 0; t < 4; ++t) {
    builders.emplace_back([&] {
      ::OleInitialize(nullptr);
      for (int i = 0; i < 100; ++i) {
        Lines menu = MenuOf(cache, photo);
        if (menu != a && menu != b) ++strangers;
        ++menus;
      }
      ::OleUninitialize();
    });
  }
  for (auto& t : builders) t.join();
  stop = true;
  saver.join();
  EXPECT_EQ(menus, 400);
  EXPECT_EQ(strangers, 0) << "menus that match neither version";
  EXPECT_GT(saves, 10) << "the saves went on meanwhile";
}

// Another program rewrites the file in place (truncated, then written in two halves) in a tight loop while
// menus are built: each menu shows one of the complete versions, never a mix or a truncated one.
TEST_F(SettingsCacheTest, MenusWhileAnotherProgramRewritesTheFileInPlace) {
  const std::string v1 = SettingsText({"CopyPathState=0", "SandboxState=1"});
  const std::string v2 = SettingsText({"FileNoteState=0", "SandboxState=1"});
  ASSERT_EQ(v1.size(), v2.size());
  const std::wstring one = temp.file(L"v1.ini", v1), two = temp.file(L"v2.ini", v2);
  const Lines a = {L"----", L"File note", kSizes, L"----"}, b = {L"----", L"Copy path", kSizes, L"----"};
  WriteFileBytes(settings, v1, CREATE_ALWAYS);
  constexpr int kMenus = 500;  // the writer takes most of the machine: each menu costs several milliseconds

  std::wstring command = L"\"" + GetModuleFolder() + L"helpers\\inplacewriter.exe\" \"" + settings + L"\" 600000 \"" +
                         one + L"\" \"" + two + L"\"";
  std::vector<wchar_t> line(command.begin(), command.end());
  line.push_back(0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  UniqueKernelHandle writer(info.hProcess), writerThread(info.hThread);
  ::Sleep(200);  // under way

  int strangers = 0, menus = 0;
  std::set<Lines> seen;
  for (; menus < kMenus && ::WaitForSingleObject(writer.get(), 0) == WAIT_TIMEOUT; ++menus) {
    Lines menu = MenuOf(cache, photo);
    if (menu != a && menu != b) {
      if (++strangers <= 3)
        ADD_FAILURE() << "menu " << menus << " is of neither version: " << WideToUtf8(JoinText(menu, L" | "));
    }
    seen.insert(menu);
  }
  const bool writerStillRunning = ::WaitForSingleObject(writer.get(), 0) == WAIT_TIMEOUT;
  ::TerminateProcess(writer.get(), 0);
  ::WaitForSingleObject(writer.get(), 5000);
  EXPECT_TRUE(writerStillRunning) << "the writer must run through all the menus";
  EXPECT_EQ(menus, kMenus);
  EXPECT_EQ(strangers, 0);
  EXPECT_GT(cache->ReadCount(), 100u) << "the rewrites were seen";
}

}  // namespace
}  // namespace tessera
