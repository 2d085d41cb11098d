// Records how this program was started, for tests of the commands that start outside programs.
//
// The record goes to the file named by the environment variable TESSERA_RECORD_FILE, or, without it, to
// this program's own path + ".record". It is UTF-8 text of "name=value" lines:
//   commandline=<the full command line>
//   arguments=<number of arguments after the program name>
// Every argument that names an existing file is copied to <record file>.arg<n> (n counted from 1)
// before the record appears, because the programs it stands for may be handed temporary files that
// their caller or they themselves remove. The record is written under another name and renamed, so a
// waiting test never reads half of it.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/Handles.h"

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(n > 0 ? n : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n, nullptr, nullptr);
  return result;
}

std::wstring RecordFile() {
  wchar_t buffer[32768];
  DWORD n = ::GetEnvironmentVariableW(L"TESSERA_RECORD_FILE", buffer, 32768);
  if (n > 0 && n < 32768) return std::wstring(buffer, n);
  n = ::GetModuleFileNameW(nullptr, buffer, 32768);
  return std::wstring(buffer, n) + L".record";
}

bool IsFile(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int main() {
  const wchar_t* commandLine = ::GetCommandLineW();
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(commandLine, &argc);
  tessera::UniqueLocal argvOwner(reinterpret_cast<HLOCAL>(argv));
  const std::wstring record = RecordFile();

  for (int i = 1; argv && i < argc; ++i)
    if (IsFile(argv[i])) ::CopyFileW(argv[i], (record + L".arg" + std::to_wstring(i)).c_str(), FALSE);

  std::string text = "commandline=" + Utf8(commandLine) + "\r\n";
  text += "arguments=" + std::to_string(argc > 0 ? argc - 1 : 0) + "\r\n";

  const std::wstring part = record + L".part";
  bool ok = false;
  {
    tessera::UniqueFileHandle file(
        ::CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    ok = file && ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
  }
  if (!ok || !::MoveFileExW(part.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
  return 0;
}
