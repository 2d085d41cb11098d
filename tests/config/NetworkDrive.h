// A drive letter that the system reports as a network drive (DRIVE_REMOTE), mapped onto a local folder for
// the life of the object. Made through Wine's mount manager; elsewhere there is none (operator bool false).
#pragma once

#include <string>

namespace tessera::test {

class NetworkDrive {
public:
  explicit NetworkDrive(const std::wstring& folder);
  ~NetworkDrive();
  NetworkDrive(const NetworkDrive&) = delete;
  NetworkDrive& operator=(const NetworkDrive&) = delete;

  explicit operator bool() const noexcept { return FLetter != 0; }
  // "N:\"
  std::wstring root() const { return std::wstring(1, FLetter) + L":\\"; }

private:
  wchar_t FLetter = 0;
};

}  // namespace tessera::test
