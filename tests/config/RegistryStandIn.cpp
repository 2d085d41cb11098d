#include "config/RegistryStandIn.h"

#include <stdexcept>

#include "base/Handles.h"

namespace tessera::test {

RegistryStandIn::RegistryStandIn(HKEY root, std::wstring keyPath, std::wstring valueName, REGSAM view)
    : FRoot(root), FKey(std::move(keyPath)), FValue(std::move(valueName)), FView(view) {
  UniqueRegKey key;
  FKeyExisted = ::RegOpenKeyExW(FRoot, FKey.c_str(), 0, KEY_READ | FView, key.put()) == ERROR_SUCCESS;
  if (!FKeyExisted) {
    // The outermost key the test will create, removed with all below it afterwards.
    FCreatedTop = FKey;
    for (size_t at = FKey.rfind(L'\\'); at != std::wstring::npos && at > 0; at = FKey.rfind(L'\\', at - 1)) {
      UniqueRegKey parent;
      if (::RegOpenKeyExW(FRoot, FKey.substr(0, at).c_str(), 0, KEY_READ | FView, parent.put()) == ERROR_SUCCESS) break;
      FCreatedTop = FKey.substr(0, at);
    }
    return;
  }
  DWORD size = 0;
  const wchar_t* name = FValue.empty() ? nullptr : FValue.c_str();
  if (::RegQueryValueExW(key.get(), name, nullptr, &FType, nullptr, &size) != ERROR_SUCCESS) return;
  FData.resize(size);
  FValueExisted = ::RegQueryValueExW(key.get(), name, nullptr, &FType, FData.data(), &size) == ERROR_SUCCESS;
  FData.resize(size);
}

RegistryStandIn::~RegistryStandIn() {
  try {
    if (!FKeyExisted) {
      UniqueRegKey key;
      if (::RegOpenKeyExW(FRoot, FCreatedTop.c_str(), 0, KEY_ALL_ACCESS | FView, key.put()) == ERROR_SUCCESS)
        ::RegDeleteTreeW(key.get(), nullptr);
      key.reset();
      ::RegDeleteKeyExW(FRoot, FCreatedTop.c_str(), FView, 0);
      return;
    }
    if (FValueExisted) setRaw(FType, FData.data(), static_cast<DWORD>(FData.size()));
    else remove();
  } catch (...) {
    // Nothing more can be put back.
  }
}

void RegistryStandIn::setRaw(DWORD type, const void* data, DWORD size) {
  UniqueRegKey key;
  if (::RegCreateKeyExW(FRoot, FKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | FView, nullptr, key.put(), nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot write the registry");
  if (::RegSetValueExW(key.get(), FValue.empty() ? nullptr : FValue.c_str(), 0, type, static_cast<const BYTE*>(data),
                       size) != ERROR_SUCCESS)
    throw std::runtime_error("cannot write the registry value");
}

void RegistryStandIn::setString(const std::wstring& text) {
  setRaw(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void RegistryStandIn::setDword(DWORD value) { setRaw(REG_DWORD, &value, sizeof(value)); }

void RegistryStandIn::remove() {
  UniqueRegKey key;
  if (::RegOpenKeyExW(FRoot, FKey.c_str(), 0, KEY_SET_VALUE | FView, key.put()) == ERROR_SUCCESS)
    ::RegDeleteValueW(key.get(), FValue.empty() ? nullptr : FValue.c_str());
}

}  // namespace tessera::test
