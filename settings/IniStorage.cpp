#include "settings/IniStorage.h"

#include <windows.h>

#include "base/Error.h"
#include "base/PathUtils.h"
#include "base/ResourceString.h"
#include "base/StringUtils.h"
#include "settings/IniFileIO.h"
#include "settings/settings_strings.h"

namespace tessera {

TOptionsIniStorage::TOptionsIniStorage(const std::wstring& _fileName, std::optional<TTextEncoding> _encoding)
    : FIniFile(TIniDocument::Load(_fileName, _encoding)) {}

void TOptionsIniStorage::Clear() { FIniFile.Clear(); }

void TOptionsIniStorage::DeleteKey(const std::wstring& _section, const std::wstring& _key) {
  FIniFile.DeleteKey(_section, _key);
}

bool TOptionsIniStorage::ReadBool(const std::wstring& _section, const std::wstring& _key, bool _default) const {
  return ReadInteger(_section, _key, _default ? 1 : 0) != 0;
}

int TOptionsIniStorage::ReadInteger(const std::wstring& _section, const std::wstring& _key, int _default) const {
  const TIniDocument::TEntry* entry = FIniFile.FindEntry(_section, _key);
  if (!entry || !entry->HasValue) return _default;
  std::wstring_view text = entry->Value;
  int value;
  bool ok = (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
                ? TryParseHexInt32(text.substr(2), value)
                : TryParseInt32(text, value);
  return ok ? value : _default;
}

std::wstring TOptionsIniStorage::ReadString(const std::wstring& _section, const std::wstring& _key,
                                            const std::wstring& _default) const {
  const TIniDocument::TEntry* entry = FIniFile.FindEntry(_section, _key);
  return (entry && entry->HasValue) ? entry->Value : _default;
}

void TOptionsIniStorage::WriteBool(const std::wstring& _section, const std::wstring& _key, bool _value) {
  FIniFile.WriteValue(_section, _key, _value ? L"1" : L"0");
}

void TOptionsIniStorage::WriteInteger(const std::wstring& _section, const std::wstring& _key, int _value) {
  FIniFile.WriteValue(_section, _key, IntToText(_value));
}

void TOptionsIniStorage::WriteString(const std::wstring& _section, const std::wstring& _key,
                                     const std::wstring& _value) {
  FIniFile.WriteValue(_section, _key, _value);
}

void TOptionsIniStorage::UpdateFile() { FIniFile.UpdateFile(); }

std::shared_ptr<IOptionStorage> OpenIniStorage(const std::wstring& _fileName) {
  return std::make_shared<TOptionsIniStorage>(_fileName, std::nullopt);
}

std::shared_ptr<IOptionStorage> OpenIniStorageFromBytes(const std::wstring& _fileName, std::string_view _bytes) {
  return std::make_shared<TOptionsIniStorage>(TIniDocument::FromBytes(_fileName, _bytes, std::nullopt));
}

std::shared_ptr<IOptionStorage> CreateIniStorage(const std::wstring& _fileName,
                                                 std::optional<TTextEncoding> _encoding, bool _backup) {
  if (_fileName.empty()) throw TesseraError(ResString(IDS_INI_NO_FILE_NAME));
  std::wstring folder = ExtractFilePath(_fileName);
  // A failure here shows when the file is written.
  if (!folder.empty() && !IsDirectory(folder)) settings::ForceDirectories(folder);
  if (_backup) ::CopyFileW(_fileName.c_str(), (_fileName + L".bak").c_str(), FALSE);
  return std::make_shared<TOptionsIniStorage>(_fileName, _encoding);
}

}  // namespace tessera
