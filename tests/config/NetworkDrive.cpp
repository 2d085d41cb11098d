#include "config/NetworkDrive.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

#include "base/Handles.h"

namespace tessera::test {
namespace {

// Wine's own mount manager request (include/ddk/mountmgr.h of Wine 8): defines or, without a mount point,
// removes a drive letter.
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct TMountmgrUnixDrive {
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};

bool DefineDrive(wchar_t letter, const std::string& unixFolder) {
  UniqueFileHandle manager(::CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!manager) return false;
  std::vector<char> request(sizeof(TMountmgrUnixDrive) + unixFolder.size() + 1, '\0');
  auto* drive = reinterpret_cast<TMountmgrUnixDrive*>(request.data());
  drive->size = static_cast<ULONG>(request.size());
  drive->type = DRIVE_REMOTE;
  drive->letter = static_cast<WCHAR>(letter - L'A' + L'a');
  if (!unixFolder.empty()) {
    std::memcpy(request.data() + sizeof(TMountmgrUnixDrive), unixFolder.c_str(), unixFolder.size() + 1);
    drive->mount_point_offset = sizeof(TMountmgrUnixDrive);
  }
  DWORD returned = 0;
  return ::DeviceIoControl(manager.get(), kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                           nullptr, 0, &returned, nullptr) != FALSE;
}

}  // namespace

NetworkDrive::NetworkDrive(const std::wstring& folder) {
  using UnixNameProc = char*(__cdecl*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixNameProc>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
  if (!unixName) return;
  char* name = unixName(folder.c_str());
  if (!name) return;
  const std::string unixFolder = name;
  ::HeapFree(::GetProcessHeap(), 0, name);
  const DWORD used = ::GetLogicalDrives();
  for (wchar_t letter = L'Y'; letter >= L'M'; --letter) {
    if (used & (1u << (letter - L'A'))) continue;
    if (!DefineDrive(letter, unixFolder)) return;
    FLetter = letter;
    if (::GetDriveTypeW(root().c_str()) != DRIVE_REMOTE) {
      DefineDrive(letter, "");
      FLetter = 0;
    }
    return;
  }
}

NetworkDrive::~NetworkDrive() {
  if (FLetter) DefineDrive(FLetter, "");
}

}  // namespace tessera::test
