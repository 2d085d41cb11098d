#include "support/ScopedEnvironment.h"

#include <windows.h>

#include <vector>

namespace tessera::test {

ScopedEnvironment::ScopedEnvironment(std::wstring name, const std::optional<std::wstring>& value)
    : FName(std::move(name)) {
  std::vector<wchar_t> buffer(32768);
  DWORD n = ::GetEnvironmentVariableW(FName.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n > 0 && n < buffer.size()) FSaved = std::wstring(buffer.data(), n);
  ::SetEnvironmentVariableW(FName.c_str(), value ? value->c_str() : nullptr);
}

ScopedEnvironment::~ScopedEnvironment() {
  ::SetEnvironmentVariableW(FName.c_str(), FSaved ? FSaved->c_str() : nullptr);
}

}  // namespace tessera::test
