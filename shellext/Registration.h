// Registration of the context-menu handler, per user or for all users.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessera {

// The registry classes the handler is registered for: all files, folders, folder backgrounds.
const std::vector<std::wstring>& ShellExtFileTypes();

// Writes (register) or removes the class identifier and the handler keys. perUser: under
// HKEY_CURRENT_USER\Software\Classes, otherwise HKEY_CLASSES_ROOT. S_OK or S_FALSE.
HRESULT RegisterContextMenuHandler(const std::wstring& modulePath, const std::vector<std::wstring>& fileTypes,
                                   const std::wstring& classId, const std::wstring& handlerName,
                                   const std::wstring& description, bool doRegister, bool perUser) noexcept;

// Deletes key with its subkeys, then each parent that is left without values and subkeys.
void DeleteKeyAndEmptyParents(HKEY root, const std::wstring& key) noexcept;

}  // namespace tessera
