#include "shellext/SettingsCache.h"

#include <algorithm>

#include "settings/Globals.h"
#include "settings/IniFileIO.h"

namespace tessera {
namespace {

ULONGLONG Ticks(const FILETIME& time) {  // 100-nanosecond units
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool Same(const FILETIME& a, const FILETIME& b) { return Ticks(a) == Ticks(b); }

// A write this close to now (or in the future, with a clock set back) may still be followed by one that keeps the
// same stamp: the snapshot must be read again next time. Version-control indexes apply the same "racy" rule.
bool IsRacy(const TSettingsFileStamp& stamp, const FILETIME& readAt) {
  const ULONGLONG written = Ticks(stamp.LastWritten), now = Ticks(readAt);
  return written + TSettingsCache::kRacyIntervalMs * 10000 > now;
}

// Bytes of a file just written may be a version another program is still writing in place: caught after its
// truncation (empty) or between two of its writes (cut inside a line). Every complete version ends its last line.
bool LooksComplete(const std::string& bytes) { return !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r'); }

// Gives a writer caught in the middle of its work the time to finish it. A yield is enough while the writer runs
// on another processor; before the first snapshot, with nothing to fall back on, the pauses grow into real sleeps,
// because on a busy machine the writer may have been preempted right after truncating the file and only a sleep
// lets the scheduler hand it the processor.
void PauseBeforeRetry(int attempt, bool first) {
  if (!first || attempt < 2)
    ::SwitchToThread();
  else
    ::Sleep(static_cast<DWORD>(std::min(attempt - 1, 10)));
}

}  // namespace

bool TSettingsFileStamp::operator==(const TSettingsFileStamp& other) const noexcept {
  if (Error != other.Error) return false;
  if (Error != ERROR_SUCCESS) return true;
  return Size == other.Size && Same(Created, other.Created) && Same(LastWritten, other.LastWritten);
}

TSettingsFileStamp QuerySettingsFileStamp(const std::wstring& fileName) {
  TSettingsFileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &data)) {
    stamp.Error = ::GetLastError();
    if (stamp.Error == ERROR_SUCCESS) stamp.Error = ERROR_GEN_FAILURE;
    return stamp;
  }
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    stamp.Error = ERROR_FILE_NOT_FOUND;  // a folder of that name is no settings file
    return stamp;
  }
  stamp.Created = data.ftCreationTime;
  stamp.LastWritten = data.ftLastWriteTime;
  stamp.Size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return stamp;
}

std::shared_ptr<const TOptions> TSettingsCache::Defaults() const { return std::make_shared<const TOptions>(FFileName); }

TSettingsCache::TRead TSettingsCache::Read(TSettingsFileStamp stamp, bool first) {
  auto parse = [this](const std::string& bytes) {
    auto options = std::make_shared<TOptions>(FFileName);
    try {
      options->LoadFromBytes(bytes);
    } catch (...) {
      // Bytes the settings engine cannot take leave the defaults, as a damaged file always has.
    }
    return options;
  };
  const int attempts = first ? kMaxFirstReads : kMaxReads;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (attempt > 0) PauseBeforeRetry(attempt, first);
    if (stamp.Missing()) return {Defaults(), stamp, true};  // no file is a state of its own
    if (stamp.Error != ERROR_SUCCESS) return {Defaults(), stamp, false};
    FILETIME readAt;
    ::GetSystemTimeAsFileTime(&readAt);
    std::string bytes;
    bool exists = false;
    try {
      ++FReadCount;
      exists = settings::ReadWholeFile(FFileName, bytes);
    } catch (...) {
      return {Defaults(), stamp, false};  // unreadable: the defaults, and another try at the next menu
    }
    // The stamp after the read must equal the one before: otherwise another program wrote the file meanwhile
    // and the bytes may mix two versions or end early.
    const TSettingsFileStamp after = FStampOf(FFileName);
    if (exists && bytes.size() == after.Size && after == stamp) {
      const bool racy = IsRacy(stamp, readAt);
      if (!racy || LooksComplete(bytes)) return {parse(bytes), stamp, !racy};
    }
    // With nothing to fall back on, a read that holds as many bytes as the file had just before or just after it
    // and ends its last line is taken even when the stamp moved meanwhile: a program rewriting the file in a tight
    // loop leaves no moment without a change, and such a read is one of its complete versions. It is not trusted,
    // so the next menu reads again.
    if (first && exists && (bytes.size() == stamp.Size || bytes.size() == after.Size) && LooksComplete(bytes))
      return {parse(bytes), after, false};
    stamp = after;
  }
  return {nullptr, stamp, false};
}

std::shared_ptr<const TOptions> TSettingsCache::Current() {
  const TSettingsFileStamp stamp = FStampOf(FFileName);
  bool first;
  {
    std::lock_guard lock(FMutex);
    if (FSnapshot && FTrusted && stamp == FStamp) return FSnapshot;
    first = !FSnapshot;
  }
  TRead read = Read(stamp, first);
  std::lock_guard lock(FMutex);
  if (read.Options) {
    FSnapshot = std::move(read.Options);
    FStamp = read.Stamp;
    FTrusted = read.Trusted;
  } else {
    FTrusted = false;  // no complete version now: the last one stays, and the next menu tries again
    if (!FSnapshot) return Defaults();
  }
  return FSnapshot;
}

std::shared_ptr<TSettingsCache> UserSettingsCache() {
  // Asking the shell for the application-data folder costs more than reading the whole settings file, and the
  // folder does not move while the process runs.
  static const std::shared_ptr<TSettingsCache> cache = std::make_shared<TSettingsCache>(GetSettingsFileName());
  return cache;
}

}  // namespace tessera
