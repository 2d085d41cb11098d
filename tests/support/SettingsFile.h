// Puts a given settings file in place of the user's Tessera.ini for one test and restores what was
// there before (or removes it) afterwards.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

namespace tessera::test {

class ScopedSettingsFile {
public:
  // content: the file's bytes; nullopt: no settings file at all.
  explicit ScopedSettingsFile(const std::optional<std::string>& content);
  ~ScopedSettingsFile();
  ScopedSettingsFile(const ScopedSettingsFile&) = delete;
  ScopedSettingsFile& operator=(const ScopedSettingsFile&) = delete;

  const std::wstring& path() const { return path_; }

private:
  std::wstring path_;
  std::optional<std::string> saved_;
};

// "\xEF\xBB\xBF[General]\r\n" + lines (each "Key=Value") + "\r\n" after each, as the settings program writes.
std::string SettingsText(std::initializer_list<const char*> generalLines);

}  // namespace tessera::test
