// Test helpers for commands that start outside programs: the recorder stand-in (tests/helpers/recorder),
// copies of it under the names the commands look for, a scoped file association and environment.
#pragma once

#include <windows.h>

#include <optional>
#include <set>
#include <string>

#include "support/ScopedEnvironment.h"

namespace tessera::test {

// The recorder built beside the test programs.
std::wstring RecorderExe();

// What the recorder wrote about one start.
struct TRecord {
  std::wstring CommandLine;
  int Arguments = 0;  // arguments after the program name
};

// Makes programs started from now on record into recordFile (TESSERA_RECORD_FILE is inherited).
class RecordSession {
public:
  explicit RecordSession(std::wstring recordFile);
  const std::wstring& file() const { return FFile; }
  // Waits for the record; false when none appeared in time.
  bool wait(TRecord& record, DWORD timeoutMs = 15000) const;
  // The bytes of the file handed as argument n, as the recorder copied it.
  std::string argumentCopy(int n) const;

private:
  std::wstring FFile;
  ScopedEnvironment FVariable;
};

// A copy of the recorder at path, removed with the object (once the started copy has ended).
class ProgramCopy {
public:
  explicit ProgramCopy(std::wstring path);
  ~ProgramCopy();
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;
  const std::wstring& path() const { return FPath; }

private:
  std::wstring FPath;
};

// Opens files of extension (".wsb") with commandTemplate ("%1" the file) through a file association,
// removed with the object. It is written through HKEY_CLASSES_ROOT: Wine's shell does not read the
// per-user classes under HKCU\Software\Classes.
class FileAssociation {
public:
  FileAssociation(const std::wstring& extension, const std::wstring& commandTemplate);
  ~FileAssociation();
  FileAssociation(const FileAssociation&) = delete;
  FileAssociation& operator=(const FileAssociation&) = delete;

private:
  std::wstring FExtension;
  std::wstring FProgId;
};

// True when HKEY_CLASSES_ROOT has a key for extension.
bool HasFileAssociation(const std::wstring& extension);

// Full paths of the files matching mask ("ves*.tmp") in the user's temporary folder.
std::set<std::wstring> TempFilesMatching(const std::wstring& mask);

// The text between the first pair of double quotes after position from, or empty.
std::wstring QuotedPart(const std::wstring& text, size_t from = 0);

}  // namespace tessera::test
