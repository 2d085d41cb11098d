// The settings every context-menu handler of the process reads: one immutable snapshot of the settings file,
// shared by all handlers and replaced only when the file changes. Explorer opens menus all day on its UI
// threads, and the settings change only when the user saves them, so nearly every menu gets the snapshot of
// the one before it after a single metadata query, without opening the file.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "settings/Options.h"

namespace tessera {

// What one metadata query says of the settings file; a change to any part means the file changed.
struct TSettingsFileStamp {
  DWORD Error = ERROR_SUCCESS;  // ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND: no file (the defaults)
  FILETIME Created{};           // a file replaced through a temporary file has a new creation time
  FILETIME LastWritten{};
  ULONGLONG Size = 0;

  bool Missing() const noexcept { return Error == ERROR_FILE_NOT_FOUND || Error == ERROR_PATH_NOT_FOUND; }
  bool operator==(const TSettingsFileStamp& other) const noexcept;
};

// The stamp of a file from GetFileAttributesExW.
TSettingsFileStamp QuerySettingsFileStamp(const std::wstring& fileName);

class TSettingsCache {
public:
  // A file whose last write lies closer than this to the moment it was read may change again without its
  // stamp showing it (FAT keeps write times in 2-second steps, and a rewrite within one tick keeps the time).
  static constexpr ULONGLONG kRacyIntervalMs = 2000;
  // Reads that may be made to get one complete version of a file another program is rewriting in place: a few
  // while there is a snapshot to fall back on, more before the first one (the defaults are no version at all),
  // spread over about a tenth of a second.
  static constexpr int kMaxReads = 4;
  static constexpr int kMaxFirstReads = 16;

  // How the file's stamp is asked for; tests may model other file systems' times with their own.
  using TStampFunc = std::function<TSettingsFileStamp(const std::wstring& fileName)>;

  explicit TSettingsCache(std::wstring fileName, TStampFunc stamp = QuerySettingsFileStamp)
      : FFileName(std::move(fileName)), FStampOf(std::move(stamp)) {}
  TSettingsCache(const TSettingsCache&) = delete;
  TSettingsCache& operator=(const TSettingsCache&) = delete;

  // The settings as the file holds them: the previous snapshot while the file is unchanged and that snapshot
  // can be trusted, otherwise a new one read from the file. Never throws for a bad file: a missing file gives
  // the defaults, an unreadable one the defaults (tried again next time), a file that kept changing while it
  // was read the previous snapshot (or the defaults), also tried again next time.
  std::shared_ptr<const TOptions> Current();

  const std::wstring& FileName() const noexcept { return FFileName; }
  // How often the file was opened and read (a test's view of the cache's work).
  unsigned long ReadCount() const noexcept { return FReadCount.load(); }

private:
  struct TRead {
    std::shared_ptr<const TOptions> Options;  // null when no complete version was read
    TSettingsFileStamp Stamp;                 // of the version read
    bool Trusted = false;                     // the stamp alone may vouch for it next time
  };
  // first: no snapshot yet, so a whole version counts even while the file's stamp keeps changing.
  TRead Read(TSettingsFileStamp stamp, bool first);
  std::shared_ptr<const TOptions> Defaults() const;

  const std::wstring FFileName;
  const TStampFunc FStampOf;
  std::atomic<unsigned long> FReadCount{0};
  std::mutex FMutex;  // guards the three below; never held while the file is read
  std::shared_ptr<const TOptions> FSnapshot;
  TSettingsFileStamp FStamp;
  bool FTrusted = false;
};

// The cache of the current user's settings file, one for the whole process.
std::shared_ptr<TSettingsCache> UserSettingsCache();

}  // namespace tessera
