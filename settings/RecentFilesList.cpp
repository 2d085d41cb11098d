#include "settings/RecentFilesList.h"

#include <windows.h>

#include <algorithm>

#include "base/StringUtils.h"

namespace tessera {

void TRecentFilesList::Delete(int _index) {
  if (_index >= 0 && _index < GetCount()) FFiles.erase(FFiles.begin() + _index);
}

std::wstring TRecentFilesList::GetItem(int _index) const {
  return (_index >= 0 && _index < GetCount()) ? FFiles[_index] : std::wstring();
}

void TRecentFilesList::SetMaxCount(int _value) {
  if (_value <= 0) return;
  FMaxCount = _value;
  TrimToMaxCount();
}

void TRecentFilesList::Add(const std::wstring& _fileName) {
  int index = IndexOf(_fileName);
  if (index < 0)
    InsertAtTop(_fileName);
  else if (index > 0)
    MoveToTop(index);
}

int TRecentFilesList::IndexOf(const std::wstring& _fileName) const {
  for (size_t i = 0; i < FFiles.size(); ++i)
    if (::CompareStringOrdinal(FFiles[i].c_str(), static_cast<int>(FFiles[i].size()), _fileName.c_str(),
                               static_cast<int>(_fileName.size()), TRUE) == CSTR_EQUAL)
      return static_cast<int>(i);
  return -1;
}

void TRecentFilesList::RemoveInaccessibleFiles() {
  for (int i = GetCount() - 1; i >= 0; --i) {
    DWORD attributes = ::GetFileAttributesW(FFiles[i].c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) Delete(i);
  }
}

void TRecentFilesList::WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) const {
  _storage.WriteInteger(_sectionName, L"Count", GetCount());
  for (int i = 0; i < GetCount(); ++i) _storage.WriteString(_sectionName, IntToText(i), FFiles[i]);
}

void TRecentFilesList::ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName) {
  // A damaged Count must not keep the caller (Explorer, when a menu opens) busy for minutes.
  int count = std::min(_storage.ReadInteger(_sectionName, L"Count", 0), MaxReadCount);
  for (int i = 0; i < count; ++i) {
    std::wstring file = _storage.ReadString(_sectionName, IntToText(i), L"");
    if (!file.empty()) AddNoCheck(file);
  }
}

void TRecentFilesList::InsertAtTop(const std::wstring& _fileName) {
  FFiles.insert(FFiles.begin(), _fileName);
  TrimToMaxCount();
}

void TRecentFilesList::MoveToTop(int _index) {
  std::rotate(FFiles.begin(), FFiles.begin() + _index, FFiles.begin() + _index + 1);
}

void TRecentFilesList::TrimToMaxCount() {
  while (GetCount() > FMaxCount) FFiles.pop_back();
}

}  // namespace tessera
