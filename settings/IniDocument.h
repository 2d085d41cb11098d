// An INI file held in memory: ordered sections of ordered entries, with a per-section index by key.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/TextEncoding.h"

namespace tessera {

// Section names and keys compare ignoring case with the user's locale casing rules.
class TIniDocument {
public:
  struct TEntry {
    std::wstring Key;
    std::wstring Value;
    bool HasValue;  // false for a line without "="
  };
  struct TSection {
    std::wstring Name;
    std::vector<TEntry> Entries;
    std::unordered_map<std::wstring, size_t> Index;  // folded key -> first entry with that key
  };

  // An empty document for _fileName; nothing is read.
  TIniDocument(std::wstring _fileName, TTextEncoding _encoding);
  // Reads the file when it exists (empty document otherwise). Without _encoding it is taken from the byte-order
  // mark, ANSI when there is none. Raises TesseraError when the file exists but cannot be read.
  static TIniDocument Load(std::wstring _fileName, std::optional<TTextEncoding> _encoding);
  // The document of bytes read from _fileName before, decoded as Load decodes the file.
  static TIniDocument FromBytes(std::wstring _fileName, std::string_view _bytes, std::optional<TTextEncoding> _encoding);

  const std::wstring& GetFileName() const noexcept { return FFileName; }
  TTextEncoding GetEncoding() const noexcept { return FEncoding; }
  void SetEncoding(TTextEncoding _value) noexcept { FEncoding = _value; }

  // Replaces the content with the parsed text.
  void SetText(std::wstring_view _text);
  // Every line ends with CR LF; one empty line after each section.
  std::wstring GetText() const;
  // Writes the encoded text over the file in one step (see ReplaceFileContent).
  void UpdateFile() const;

  void Clear();
  const std::vector<TSection>& GetSections() const noexcept { return FSections; }
  const TEntry* FindEntry(std::wstring_view _section, std::wstring_view _key) const;
  // Appends the section when missing; replaces the first entry with the key in place, or appends one.
  void WriteValue(std::wstring_view _section, std::wstring_view _key, std::wstring_view _value);
  // Removes the first entry with the key; nothing when the section or the key is missing.
  void DeleteKey(std::wstring_view _section, std::wstring_view _key);

private:
  std::wstring Fold(std::wstring_view _name) const;
  TSection* FindSection(std::wstring_view _name);
  const TSection* FindSection(std::wstring_view _name) const;
  TSection& AddSection(std::wstring_view _name);
  void RebuildIndex(TSection& _section) const;

  std::wstring FFileName;
  TTextEncoding FEncoding;
  bool FAsciiFoldsPlainly;  // the user's locale upper-cases ASCII letters as plain ASCII does
  std::vector<TSection> FSections;
  std::unordered_map<std::wstring, size_t> FSectionIndex;  // folded name -> section
};

}  // namespace tessera
