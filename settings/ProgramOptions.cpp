#include "settings/ProgramOptions.h"

namespace tessera {

namespace {
constexpr wchar_t kRecentFilesSection[] = L"RecentFiles";
}

void TCustomProgramOptions::LoadDefaults() {
  FRecentlyUsedFiles.Clear();
  FOptionStore.LoadDefaultValues();
}

void TCustomProgramOptions::ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  FOptionStore.ReadFromStorage(_storage, _sectionName);
  FRecentlyUsedFiles.ReadFromStorage(_storage, kRecentFilesSection);
}

void TCustomProgramOptions::WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  FOptionStore.WriteToStorage(_storage, _sectionName);
  FRecentlyUsedFiles.WriteToStorage(_storage, kRecentFilesSection);
}

}  // namespace tessera
