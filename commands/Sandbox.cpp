// "Map to Windows Sandbox".
#include "commands/Sandbox.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "commands/CommandTexts.h"
#include "shellutils/FileUtils.h"
#include "shellutils/ShellUtils.h"
#include "shellutils/SystemUtils.h"
#include "shellutils/TextFile.h"

namespace tessera {
namespace {

// Folder names may hold &, < and > ("R&D"); unescaped they would break the configuration document.
std::wstring XmlEscaped(const std::wstring& text) {
  std::wstring result;
  result.reserve(text.size());
  for (wchar_t c : text) {
    switch (c) {
      case L'&': result += L"&amp;"; break;
      case L'<': result += L"&lt;"; break;
      case L'>': result += L"&gt;"; break;
      default: result += c;
    }
  }
  return result;
}

std::wstring MappedFolderLine(const std::wstring& folder, bool readOnly) {
  return L"  <MappedFolder>    <HostFolder>" + XmlEscaped(folder) + L"</HostFolder>    <ReadOnly>" +
         (readOnly ? L"True" : L"False") + L"</ReadOnly>  </MappedFolder>";
}

}  // namespace

std::wstring LoadSandboxTemplate(const std::wstring& customTemplateFile) {
  std::wstring name = TrimText(customTemplateFile);
  if (name.empty()) name = kDefaultSandboxTemplate;
  if (ExtractFilePath(name).empty()) name = GetModuleFolder() + name;
  std::wstring text;
  if (!ReadTextFile(name, text))
    throw TesseraError(FormatText(texts::kSandboxTemplateReadFailed, name.c_str(), LastErrorText().c_str()));
  return text;
}

void InvokeSandbox(const std::vector<std::wstring>& items, const TInvokeSandboxParams& params, bool invertReadOnly,
                   HWND owner) {
  const bool readOnly = params.MappedDirReadOnly != invertReadOnly;
  std::wstring mappedFolders;
  int count = 0;
  for (const auto& item : items) {
    if (!IsDirectory(item)) continue;  // files, and folders gone meanwhile
    ++count;
    if (!mappedFolders.empty()) mappedFolders += L"\r\n";
    mappedFolders += MappedFolderLine(item, readOnly);
  }
  if (count == 0) return;

  std::wstring config = LoadSandboxTemplate(params.CustomTemplateFile);
  // The template must spell the variable in small letters, although the replacement ignores case.
  if (config.find(kMappedFolderVariable) == std::wstring::npos)
    throw TesseraError(FormatText(texts::kSandboxTemplateLacksVariable, kMappedFolderVariable));
  config = ReplaceIgnoringCase(config, kMappedFolderVariable, mappedFolders, true);

  // The empty temporary file reserves the name: no later invocation picks the same .wsb name while it exists.
  const std::wstring tempFile = CreateTempFile();
  if (tempFile.empty())  // no name could be made: name the folder it was to be made in
    throw TesseraError(FormatText(texts::kSandboxSaveFailed, GetTempFolder().c_str()));
  const std::wstring configFile = tempFile.substr(0, tempFile.size() - ExtractFileExt(tempFile).size()) + L".wsb";
  bool handedOver = false;
  ScopeExit removeFiles([&] {
    if (handedOver) return;
    ::DeleteFileW(configFile.c_str());
    ::DeleteFileW(tempFile.c_str());
  });

  if (!WriteTextFile(configFile, config, TTextEncoding::teUtf8, true))
    throw TesseraError(FormatText(texts::kSandboxSaveFailed, configFile.c_str()));
  ShellLaunch(L"open", configFile, L"", owner);
  handedOver = true;
}

}  // namespace tessera
