// A program's settings: one option store plus the recent-files list, with Load / Save entry points.
#pragma once

#include <string>

#include "settings/OptionStore.h"
#include "settings/RecentFilesList.h"

namespace tessera {

class TCustomProgramOptions {
public:
  TCustomProgramOptions() = default;
  virtual ~TCustomProgramOptions() = default;
  TCustomProgramOptions(const TCustomProgramOptions&) = delete;
  TCustomProgramOptions& operator=(const TCustomProgramOptions&) = delete;

  // Clears the recent files, then every option back to its default (without the store's notifications).
  virtual void LoadDefaults();
  virtual void Load() = 0;
  virtual void Save() = 0;

  // The store reads _sectionName, then the recent files read section "RecentFiles".
  void ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName);
  // The store writes _sectionName, then the recent files write section "RecentFiles".
  void WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName);
  std::wstring GetVisibleChangedOptionsAsText(bool _includeHiddenOptions) const {
    return FOptionStore.GetVisibleNonDefaultOptionsAsText(_includeHiddenOptions);
  }

  TOptionStore& GetOptionStore() noexcept { return FOptionStore; }
  const TOptionStore& GetOptionStore() const noexcept { return FOptionStore; }
  TRecentFilesList& GetRecentlyUsedFiles() noexcept { return FRecentlyUsedFiles; }
  const TRecentFilesList& GetRecentlyUsedFiles() const noexcept { return FRecentlyUsedFiles; }

private:
  // Declared in this order so that the store is destroyed first.
  TRecentFilesList FRecentlyUsedFiles;
  TOptionStore FOptionStore;
};

class TProgramOptions : public TCustomProgramOptions {};

}  // namespace tessera
