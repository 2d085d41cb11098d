#include "shellext/Registration.h"

#include "base/Handles.h"
#include "base/StringUtils.h"
#include "shellutils/Registry.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

bool SetDefaultString(HKEY root, const std::wstring& key, const wchar_t* valueName, const std::wstring& data) {
  UniqueRegKey k;
  if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr) != ERROR_SUCCESS)
    return false;
  // REG_SZ sizes include the terminating zero.
  auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(k.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes) ==
         ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::wstring& key) {
  UniqueRegKey k;
  return ::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.put()) == ERROR_SUCCESS;
}

}  // namespace

const std::vector<std::wstring>& ShellExtFileTypes() {
  static const std::vector<std::wstring> types = {L"*", L"Directory", L"Directory\\Background"};
  return types;
}

void DeleteKeyAndEmptyParents(HKEY root, const std::wstring& key) noexcept {
  try {
    ::RegDeleteTreeW(root, key.c_str());
    ::RegDeleteKeyW(root, key.c_str());
    std::wstring parent = key;
    for (;;) {
      auto pos = parent.find_last_of(L'\\');
      if (pos == std::wstring::npos) break;
      parent.resize(pos);
      if (parent.empty()) break;
      DWORD subKeys = 0, values = 0;
      {
        UniqueRegKey k;
        if (::RegOpenKeyExW(root, parent.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) break;
        if (::RegQueryInfoKeyW(k.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                               nullptr, nullptr, nullptr) != ERROR_SUCCESS)
          break;
      }
      if (subKeys != 0 || values != 0) break;
      if (::RegDeleteKeyW(root, parent.c_str()) != ERROR_SUCCESS) break;
    }
  } catch (...) {
  }
}

HRESULT RegisterContextMenuHandler(const std::wstring& modulePath, const std::vector<std::wstring>& fileTypes,
                                   const std::wstring& classId, const std::wstring& handlerName,
                                   const std::wstring& description, bool doRegister, bool perUser) noexcept {
  HRESULT result = S_FALSE;
  try {
    HKEY root = HKEY_CLASSES_ROOT;
    std::wstring prefix;
    if (perUser && WindowsMajorVersion() >= 5) {
      root = HKEY_CURRENT_USER;
      prefix = L"Software\\Classes\\";
    }
    const std::wstring clsidKey = prefix + L"CLSID\\" + classId;
    auto handlerKey = [&](const std::wstring& type) {
      return prefix + type + L"\\ShellEx\\ContextMenuHandlers\\" + handlerName;
    };

    if (doRegister) {
      SetDefaultString(root, clsidKey, nullptr, description);
      const std::wstring inproc = clsidKey + L"\\InprocServer32";
      if (SetDefaultString(root, inproc, nullptr, modulePath) &&
          SameTextAscii(ReadRegistryString(root, inproc, L"", 0), modulePath))
        result = S_OK;
      SetDefaultString(root, inproc, L"ThreadingModel", L"Apartment");
      for (const auto& type : fileTypes) SetDefaultString(root, handlerKey(type), nullptr, classId);
    } else {
      for (const auto& type : fileTypes) DeleteKeyAndEmptyParents(root, handlerKey(type));
      bool existed = KeyExists(root, clsidKey);
      DeleteKeyAndEmptyParents(root, clsidKey);
      if (!existed || !KeyExists(root, clsidKey)) result = S_OK;
    }
  } catch (...) {
    // Registration errors end the step silently; the result keeps its value.
  }
  return result;
}

}  // namespace tessera
