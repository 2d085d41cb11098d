// "Map to Windows Sandbox": opens Windows Sandbox with the selected folders mapped into it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessera {

struct TInvokeSandboxParams {
  std::wstring CustomTemplateFile;  // template name or path; empty means "SandboxConfig.txt"
  bool MappedDirReadOnly = false;   // map the folders read-only
};

// The placeholder of the template where the mapped-folder elements go.
inline constexpr const wchar_t* kMappedFolderVariable = L"%mappedfolder%";
// The default template, installed beside the extension.
inline constexpr const wchar_t* kDefaultSandboxTemplate = L"SandboxConfig.txt";

// The template text. A name without a folder is looked up beside the extension module; a name with
// one is used as it is. Throws TesseraError when it cannot be read.
std::wstring LoadSandboxTemplate(const std::wstring& customTemplateFile);

// Maps every existing folder among items (read-only as params says, inverted by invertReadOnly) into a
// new temporary .wsb configuration and opens it. Does nothing when items hold no folder. The .wsb file
// and the empty temporary file whose name it took stay for Windows Sandbox, which reads the file after
// this returns; when a step fails both are removed. Throws TesseraError on failure.
void InvokeSandbox(const std::vector<std::wstring>& items, const TInvokeSandboxParams& params, bool invertReadOnly,
                   HWND owner);

}  // namespace tessera
