#include "settings/IniDocument.h"

#include <windows.h>

#include "base/StringUtils.h"
#include "settings/IniFileIO.h"

namespace tessera {

namespace {

constexpr DWORD kFoldFlags = LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING;

std::wstring LocaleUpperCase(std::wstring_view _text) {
  std::wstring folded(_text.size(), L'\0');
  int n = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFoldFlags, _text.data(), static_cast<int>(_text.size()),
                          folded.data(), static_cast<int>(folded.size()), nullptr, nullptr, 0);
  if (n <= 0) {
    n = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFoldFlags, _text.data(), static_cast<int>(_text.size()), nullptr, 0,
                        nullptr, nullptr, 0);
    if (n <= 0) {
      folded.assign(_text);
      for (wchar_t& c : folded) c = AsciiUpper(c);
      return folded;
    }
    folded.resize(n);
    n = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFoldFlags, _text.data(), static_cast<int>(_text.size()),
                        folded.data(), n, nullptr, nullptr, 0);
  }
  folded.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return folded;
}

// Whether the user's locale maps every ASCII character to what plain ASCII upper-casing gives (not so in
// Turkish, for one), so that pure ASCII names can skip the system call.
bool AsciiFoldsPlainly() {
  wchar_t ascii[127];
  for (int i = 0; i < 127; ++i) ascii[i] = static_cast<wchar_t>(i + 1);
  std::wstring folded = LocaleUpperCase(std::wstring_view(ascii, 127));
  if (folded.size() != 127) return false;
  for (int i = 0; i < 127; ++i)
    if (folded[i] != AsciiUpper(ascii[i])) return false;
  return true;
}

}  // namespace

TIniDocument::TIniDocument(std::wstring _fileName, TTextEncoding _encoding)
    : FFileName(std::move(_fileName)), FEncoding(_encoding), FAsciiFoldsPlainly(AsciiFoldsPlainly()) {}

TIniDocument TIniDocument::Load(std::wstring _fileName, std::optional<TTextEncoding> _encoding) {
  std::string bytes;
  if (settings::ReadWholeFile(_fileName, bytes)) return FromBytes(std::move(_fileName), bytes, _encoding);
  return TIniDocument(std::move(_fileName), _encoding.value_or(teAnsi));
}

TIniDocument TIniDocument::FromBytes(std::wstring _fileName, std::string_view _bytes,
                                     std::optional<TTextEncoding> _encoding) {
  TIniDocument document(std::move(_fileName), _encoding.value_or(teAnsi));
  TTextEncoding used;
  document.SetText(DecodeText(_bytes, _encoding, used));
  document.FEncoding = used;
  return document;
}

std::wstring TIniDocument::Fold(std::wstring_view _name) const {
  if (FAsciiFoldsPlainly) {
    bool ascii = true;
    for (wchar_t c : _name)
      if (c >= 0x80) {
        ascii = false;
        break;
      }
    if (ascii) {
      std::wstring folded(_name);
      for (wchar_t& c : folded) c = AsciiUpper(c);
      return folded;
    }
  }
  if (_name.empty()) return {};
  return LocaleUpperCase(_name);
}

void TIniDocument::Clear() {
  FSections.clear();
  FSectionIndex.clear();
}

TIniDocument::TSection* TIniDocument::FindSection(std::wstring_view _name) {
  auto it = FSectionIndex.find(Fold(_name));
  return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

const TIniDocument::TSection* TIniDocument::FindSection(std::wstring_view _name) const {
  return const_cast<TIniDocument*>(this)->FindSection(_name);
}

TIniDocument::TSection& TIniDocument::AddSection(std::wstring_view _name) {
  FSectionIndex.emplace(Fold(_name), FSections.size());
  FSections.push_back({std::wstring(_name), {}, {}});
  return FSections.back();
}

void TIniDocument::RebuildIndex(TSection& _section) const {
  _section.Index.clear();
  for (size_t i = 0; i < _section.Entries.size(); ++i) _section.Index.try_emplace(Fold(_section.Entries[i].Key), i);
}

void TIniDocument::SetText(std::wstring_view _text) {
  Clear();
  TSection* current = nullptr;
  size_t pos = 0;
  while (pos < _text.size()) {
    size_t end = _text.find_first_of(L"\r\n", pos);
    if (end == std::wstring_view::npos) end = _text.size();
    std::wstring_view line = TrimView(_text.substr(pos, end - pos));
    // A line ends at CR LF, CR or LF.
    pos = end;
    if (pos < _text.size()) pos += (_text[pos] == L'\r' && pos + 1 < _text.size() && _text[pos + 1] == L'\n') ? 2 : 1;

    if (line.empty() || line.front() == L';') continue;
    if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
      std::wstring_view name = TrimView(line.substr(1, line.size() - 2));
      current = FindSection(name);
      if (!current) current = &AddSection(name);
      continue;
    }
    if (!current) continue;
    TEntry entry;
    size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos) {
      entry = {std::wstring(line), {}, false};
    } else {
      entry = {std::wstring(TrimRightView(line.substr(0, eq))),
               std::wstring(TrimLeftView(line.substr(eq + 1))), true};
    }
    current->Index.try_emplace(Fold(entry.Key), current->Entries.size());
    current->Entries.push_back(std::move(entry));
  }
}

std::wstring TIniDocument::GetText() const {
  size_t size = 0;
  for (const TSection& s : FSections) {
    size += s.Name.size() + 6;
    for (const TEntry& e : s.Entries) size += e.Key.size() + e.Value.size() + 3;
  }
  std::wstring text;
  text.reserve(size);
  for (const TSection& s : FSections) {
    text += L'[';
    text += s.Name;
    text += L"]\r\n";
    for (const TEntry& e : s.Entries) {
      text += e.Key;
      if (e.HasValue) {
        text += L'=';
        text += e.Value;
      }
      text += L"\r\n";
    }
    text += L"\r\n";
  }
  return text;
}

void TIniDocument::UpdateFile() const { settings::ReplaceFileContent(FFileName, EncodeText(GetText(), FEncoding)); }

const TIniDocument::TEntry* TIniDocument::FindEntry(std::wstring_view _section, std::wstring_view _key) const {
  const TSection* section = FindSection(_section);
  if (!section) return nullptr;
  auto it = section->Index.find(Fold(_key));
  return it == section->Index.end() ? nullptr : &section->Entries[it->second];
}

void TIniDocument::WriteValue(std::wstring_view _section, std::wstring_view _key, std::wstring_view _value) {
  TSection* section = FindSection(_section);
  if (!section) section = &AddSection(_section);
  std::wstring folded = Fold(_key);
  auto it = section->Index.find(folded);
  if (it != section->Index.end()) {
    TEntry& entry = section->Entries[it->second];
    entry.Value.assign(_value);
    entry.HasValue = true;
    return;
  }
  section->Index.emplace(std::move(folded), section->Entries.size());
  section->Entries.push_back({std::wstring(_key), std::wstring(_value), true});
}

void TIniDocument::DeleteKey(std::wstring_view _section, std::wstring_view _key) {
  TSection* section = FindSection(_section);
  if (!section) return;
  auto it = section->Index.find(Fold(_key));
  if (it == section->Index.end()) return;
  section->Entries.erase(section->Entries.begin() + it->second);
  RebuildIndex(*section);
}

}  // namespace tessera
