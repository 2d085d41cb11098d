// Registry values that a test sets for the code under test and puts back afterwards: the value as it was
// (or its absence), and the keys the test had to create removed again, up to the outermost one.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessera::test {

class RegistryStandIn {
public:
  // Remembers root\keyPath's value valueName ("" for the default value); view adds KEY_WOW64_64KEY or
  // KEY_WOW64_32KEY.
  RegistryStandIn(HKEY root, std::wstring keyPath, std::wstring valueName, REGSAM view = 0);
  ~RegistryStandIn();
  RegistryStandIn(const RegistryStandIn&) = delete;
  RegistryStandIn& operator=(const RegistryStandIn&) = delete;

  void setString(const std::wstring& text);
  void setDword(DWORD value);
  void setRaw(DWORD type, const void* data, DWORD size);
  void remove();

private:
  HKEY FRoot;
  std::wstring FKey, FValue, FCreatedTop;
  REGSAM FView;
  bool FKeyExisted = false, FValueExisted = false;
  DWORD FType = REG_NONE;
  std::vector<BYTE> FData;
};

}  // namespace tessera::test
