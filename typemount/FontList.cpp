// Strict reading of the font list: nothing but what the shell extension writes is taken.
#include "typemount/FontList.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/FileBytes.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "shellutils/FileUtils.h"
#include "typemount/typemount_strings.h"

#include <windows.h>

#include <set>

namespace tessera {
namespace {

constexpr const wchar_t* kFontExtensions = L"ttf;otf;ttc";
// A list of paths; far larger than any selection, small enough to read at once.
constexpr uint64_t kMaxListSize = 64ull * 1024 * 1024;

// "X:\..." or "\\server\share\..." (and "\\?\" forms): a relative path would depend on the folder the
// program was started in.
bool IsFullPath(const std::wstring& path) {
  if (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/'))
    return (path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z');
  return path.size() > 2 && path[0] == L'\\' && path[1] == L'\\';
}

}  // namespace

bool DecodeFontList(std::string_view bytes, std::vector<std::wstring>& paths) {
  paths.clear();
  if (bytes.size() < 2 || uint8_t(bytes[0]) != 0xFF || uint8_t(bytes[1]) != 0xFE || bytes.size() % 2 != 0) return false;
  std::wstring text;
  text.reserve((bytes.size() - 2) / 2);
  for (size_t i = 2; i < bytes.size(); i += 2) text += wchar_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8));
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L"\r\n", start);
    const bool last = end == std::wstring::npos;
    if (last) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!TrimView(line).empty()) paths.push_back(std::move(line));
    start = last ? end : end + 2;
  }
  return true;
}

std::wstring ListedPathProblem(const std::wstring& path) {
  if (!IsFullPath(path) || path.find_first_of(L"\r\n\t") != std::wstring::npos) return ResString(IDS_TM_NOT_FULL_PATH);
  if (IsDirectory(path)) return ResString(IDS_TM_IS_FOLDER);
  if (!FileExists(path)) return ResString(IDS_TM_FILE_NOT_FOUND);
  if (!FileHasExtension(path, kFontExtensions)) return ResString(IDS_TM_NOT_FONT_FILE);
  return {};
}

std::vector<TListedFont> ReadFontList(const std::wstring& listFile) {
  std::string bytes;
  if (!ReadFileBytes(listFile, bytes, kMaxListSize))
    throw TesseraError(FormatText(TResText{IDS_TM_CANNOT_READ_LIST}, listFile.c_str(), LastErrorText().c_str()));
  std::vector<std::wstring> paths;
  if (!DecodeFontList(bytes, paths)) throw TesseraError(FormatText(TResText{IDS_TM_NOT_A_LIST}, listFile.c_str()));
  std::vector<TListedFont> fonts;
  std::set<std::wstring> seen;
  for (auto& path : paths) {
    if (!seen.insert(NameCompareKey(path)).second) continue;  // a font selected and also found in a selected folder
    std::wstring problem = ListedPathProblem(path);
    fonts.push_back({std::move(path), std::move(problem)});
  }
  if (fonts.empty()) throw TesseraError(FormatText(TResText{IDS_TM_EMPTY_LIST}, listFile.c_str()));
  return fonts;
}

}  // namespace tessera
