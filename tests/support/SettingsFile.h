// Settings files for tests: one of the test's own, in a temporary folder, that a handler under test reads;
// and, only for tests that go through the DLL's own class factory, the user's real settings file put in place
// for one test and restored afterwards.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

#include "support/TempFolder.h"

namespace tessera::test {

// A settings file in a folder of its own, removed with it.
class TestSettingsFile {
public:
  // content: the file's bytes; nullopt: no file (the reader gets the defaults).
  explicit TestSettingsFile(const std::optional<std::string>& content = std::nullopt);

  // Replaces the file (nullopt removes it).
  void Write(const std::optional<std::string>& content) const;
  const std::wstring& path() const { return FPath; }

private:
  TempFolder FFolder;
  std::wstring FPath;
};

// The user's Tessera.ini replaced for one test; what was there before comes back (or the file goes) afterwards.
// Only the real class factory reads this file: tests that create handlers themselves use TestSettingsFile.
class ScopedUserSettingsFile {
public:
  explicit ScopedUserSettingsFile(const std::optional<std::string>& content);
  ~ScopedUserSettingsFile();
  ScopedUserSettingsFile(const ScopedUserSettingsFile&) = delete;
  ScopedUserSettingsFile& operator=(const ScopedUserSettingsFile&) = delete;

  const std::wstring& path() const { return FPath; }

private:
  std::wstring FPath;
  std::optional<std::string> FSaved;
};

// "\xEF\xBB\xBF[General]\r\n" + lines (each "Key=Value") + "\r\n" after each, as the settings program writes.
std::string SettingsText(std::initializer_list<const char*> generalLines);

}  // namespace tessera::test
