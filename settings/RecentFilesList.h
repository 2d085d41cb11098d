// The most-recently-used file list: newest first, without duplicates (ignoring case), at most MaxCount entries.
#pragma once

#include <string>
#include <vector>

#include "settings/OptionStorage.h"

namespace tessera {

class TRecentFilesList {
public:
  // Reading stops after this many entries, whatever Count the file claims.
  static constexpr int MaxReadCount = 10000;

  void Clear() { FFiles.clear(); }
  // Nothing for an index outside 0 ... Count - 1.
  void Delete(int _index);
  int GetCount() const noexcept { return static_cast<int>(FFiles.size()); }
  // Empty text for an index outside 0 ... Count - 1.
  std::wstring GetItem(int _index) const;
  // Entry 0; empty when the list is empty.
  std::wstring GetMostRecentFile() const { return GetItem(0); }
  int GetMaxCount() const noexcept { return FMaxCount; }
  // Ignored unless _value > 0; drops the oldest entries beyond it.
  void SetMaxCount(int _value);

  // Moves an existing entry to the top, or inserts a new one there and trims to MaxCount.
  void Add(const std::wstring& _fileName);
  // Appends without duplicate check or trimming.
  void AddNoCheck(const std::wstring& _fileName) { FFiles.push_back(_fileName); }
  // Ordinal comparison ignoring case; -1 when absent.
  int IndexOf(const std::wstring& _fileName) const;
  // Deletes the entries whose file does not exist.
  void RemoveInaccessibleFiles();

  // Count, then one key per entry ("0", "1", ...).
  void WriteToStorage(IOptionStorage& _storage, const std::wstring& _sectionName) const;
  // Appends the non-empty entries found; neither clears the list first nor trims it.
  void ReadFromStorage(IOptionStorage& _storage, const std::wstring& _sectionName);

private:
  void InsertAtTop(const std::wstring& _fileName);
  void MoveToTop(int _index);
  void TrimToMaxCount();

  int FMaxCount = 5;
  std::vector<std::wstring> FFiles;
};

}  // namespace tessera
