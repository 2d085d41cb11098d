// The settings file: IOptionStorage over an INI file held in memory, and the two ways to open one.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/IniDocument.h"
#include "settings/OptionStorage.h"

namespace tessera {

// Reads the whole file when created; writes it only in UpdateFile (never when destroyed).
class TOptionsIniStorage : public IOptionStorage {
public:
  // Without _encoding the encoding is taken from the file's byte-order mark. Raises TesseraError when the file
  // exists but cannot be read.
  TOptionsIniStorage(const std::wstring& _fileName, std::optional<TTextEncoding> _encoding);
  // Over a document already in memory.
  explicit TOptionsIniStorage(TIniDocument _document) : FIniFile(std::move(_document)) {}

  void Clear() override;
  void DeleteKey(const std::wstring& _section, const std::wstring& _key) override;
  bool ReadBool(const std::wstring& _section, const std::wstring& _key, bool _default) const override;
  // Decimal, or hexadecimal after "0x"; the default for anything else, an empty value included.
  int ReadInteger(const std::wstring& _section, const std::wstring& _key, int _default) const override;
  // The default when the section or key is missing or the entry is a line without "=".
  std::wstring ReadString(const std::wstring& _section, const std::wstring& _key,
                          const std::wstring& _default) const override;
  void WriteBool(const std::wstring& _section, const std::wstring& _key, bool _value) override;
  void WriteInteger(const std::wstring& _section, const std::wstring& _key, int _value) override;
  void WriteString(const std::wstring& _section, const std::wstring& _key, const std::wstring& _value) override;
  // Replaces the file with the whole document in one step; raises TesseraError when it cannot be written.
  void UpdateFile() override;

  const TIniDocument& GetIniFile() const noexcept { return FIniFile; }

private:
  TIniDocument FIniFile;
};

// For reading: the encoding is detected; no folder is created, no backup made, the name not checked.
std::shared_ptr<IOptionStorage> OpenIniStorage(const std::wstring& _fileName);

// For reading bytes already read from the file (the encoding from their byte-order mark).
std::shared_ptr<IOptionStorage> OpenIniStorageFromBytes(const std::wstring& _fileName, std::string_view _bytes);

// For writing: raises TesseraError for an empty name; creates the file's folder when missing; with _backup
// copies the file to _fileName + ".bak" first (no backup when there is no file).
std::shared_ptr<IOptionStorage> CreateIniStorage(const std::wstring& _fileName,
                                                 std::optional<TTextEncoding> _encoding, bool _backup);

}  // namespace tessera
