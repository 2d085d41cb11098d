// Helpers for the shell utility tests: the helper program's path and temporary environment changes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tessera::test {

// The folder of the running test program, ending with a backslash; the helper programs are built there.
inline std::wstring TestProgramFolder() {
  std::vector<wchar_t> buffer(32768);
  DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::wstring path(buffer.data(), n);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

// A program with the version resource 1.2.3.4 whose exit code reports the show command forced on it.
inline std::wstring VersionedHelperPath() { return TestProgramFolder() + L"versioned.exe"; }

// Sets an environment variable for the life of the object and puts the old value back afterwards.
class EnvironmentOverride {
public:
  EnvironmentOverride(std::wstring name, const std::wstring& value) : name_(std::move(name)) {
    DWORD n = ::GetEnvironmentVariableW(name_.c_str(), nullptr, 0);
    if (n > 0) {
      std::wstring old(n, L'\0');
      n = ::GetEnvironmentVariableW(name_.c_str(), old.data(), n);
      old.resize(n);
      old_ = old;
    }
    ::SetEnvironmentVariableW(name_.c_str(), value.c_str());
  }
  ~EnvironmentOverride() { ::SetEnvironmentVariableW(name_.c_str(), old_ ? old_->c_str() : nullptr); }
  EnvironmentOverride(const EnvironmentOverride&) = delete;
  EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
  std::wstring name_;
  std::optional<std::wstring> old_;
};

}  // namespace tessera::test
