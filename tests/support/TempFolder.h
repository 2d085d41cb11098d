// A unique folder under %TEMP% for one test, deleted with everything in it when the object goes.
#pragma once

#include <string>

namespace tessera::test {

class TempFolder {
public:
  TempFolder();  // throws std::runtime_error when no folder can be created
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Full path of the folder, ending with a backslash.
  const std::wstring& path() const { return FPath; }
  // Creates (or replaces) the file path() + relative holding bytes, with any missing parent folders;
  // returns its full path. "/" may be used in relative instead of "\".
  std::wstring file(const std::wstring& relative, const std::string& bytes = "") const;
  // Creates the folder path() + relative and any missing parents; returns its full path without a
  // trailing backslash (as Explorer hands out folder paths).
  std::wstring dir(const std::wstring& relative) const;

  // The whole content of a file, or empty when it cannot be read.
  static std::string ReadBytes(const std::wstring& fullPath);

private:
  std::wstring FPath;
};

}  // namespace tessera::test
