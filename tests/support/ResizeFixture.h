// The common ground of the "Resize to JPEG" tests: a private temporary folder (so that response files
// can be watched), no ImageMagick in the registry or on PATH until a test puts a stand-in there, and
// the stand-in's record of how it was started.
#pragma once

#include "base/Error.h"
#include "base/StringUtils.h"
#include "commands/ResizeImage.h"
#include "support/ResizeSupport.h"
#include "support/StandIns.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessera::test {

inline constexpr const wchar_t* kDefaultResizeTemplate =
    L"convert %files% -filter lanczossharp -resize %size%> -colorspace sRGB -quality 90";

inline std::wstring CurrentDirectory() {
  wchar_t buffer[4096] = {};
  DWORD n = ::GetCurrentDirectoryW(4096, buffer);
  return std::wstring(buffer, n);
}

// Only the Windows folders, so that no ImageMagick of the machine is found.
inline std::wstring SystemOnlyPath() {
  wchar_t system[MAX_PATH] = {}, windows[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(system) + L";" + windows;
}

// The message of the TesseraError that action throws; nothing when it returns normally.
inline std::optional<std::wstring> ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const TesseraError& e) {
    return e.message();
  }
  return std::nullopt;
}

enum class TMagickSource { Registry64, Registry32, Path };

class ResizeFixture : public ::testing::Test {
protected:
  TempFolder images;
  TempFolder temp;  // the temporary folder of the process during the test
  TempFolder logs;
  ImageMagickRegistry registry;
  ScopedEnvironment path{L"PATH", SystemOnlyPath()};
  ScopedEnvironment tmp{L"TMP", temp.path()};
  ScopedEnvironment tempVariable{L"TEMP", temp.path()};
  ScopedEnvironment log{L"TESSERA_MAGICK_LOG", logFile()};
  const std::wstring startDirectory = CurrentDirectory();

  std::wstring logFile() const { return logs.path() + L"magick.log"; }
  static std::wstring MagickExe(int major) { return MagickFolder(major) + L"\\magick.exe"; }

  // Makes the stand-in of version major findable through source.
  void UseMagick(int major, TMagickSource source) {
    switch (source) {
      case TMagickSource::Registry64: registry.SetBinPath(KEY_WOW64_64KEY, MagickFolder(major)); break;
      case TMagickSource::Registry32: registry.SetBinPath(KEY_WOW64_32KEY, MagickFolder(major)); break;
      case TMagickSource::Path:
        ::SetEnvironmentVariableW(L"PATH", (MagickFolder(major) + L";" + SystemOnlyPath()).c_str());
        break;
    }
  }

  static TInvokeResizeImageParams Params(const std::wstring& size, bool removeMetadata = false,
                                         const std::wstring& argumentTemplate = kDefaultResizeTemplate) {
    TInvokeResizeImageParams params;
    params.ImageSize = size;
    params.RemoveMetadata = removeMetadata;
    params.ImageMagickParams = argumentTemplate;
    return params;
  }

  // A one-frame image under images.path(); relative may hold folders.
  std::wstring Image(const std::wstring& relative, unsigned width, unsigned height,
                     const GUID& container = GUID_ContainerFormatPng, COLORREF color = RGB(200, 40, 40)) {
    std::wstring full = images.file(relative);
    WriteTestImage(full, container, {{width, height, color}});
    return full;
  }

  bool MagickRan() const { return ::GetFileAttributesW(logFile().c_str()) != INVALID_FILE_ATTRIBUTES; }
  // Line 0: the command line magick.exe got; line 1: its working directory.
  std::wstring LoggedLine(size_t index) const {
    std::vector<std::wstring> lines = SplitText(Utf8ToWide(TempFolder::ReadBytes(logFile())), L'\n', false);
    if (index >= lines.size()) return L"";
    std::wstring line = lines[index];
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    return line;
  }
  std::string LoggedResponseFile() const { return TempFolder::ReadBytes(logFile() + L".rsp"); }
  // The response-file name in the logged command line (after " @").
  std::wstring LoggedResponseName() const {
    std::wstring line = LoggedLine(0);
    size_t at = line.find(L" @");
    if (at == std::wstring::npos) return L"";
    size_t end = line.find(L' ', at + 2);
    return line.substr(at + 2, end == std::wstring::npos ? std::wstring::npos : end - at - 2);
  }

  // What every run must leave behind, successful or not: the host's directory, no response file.
  void ExpectNoTraces() const {
    EXPECT_EQ(CurrentDirectory(), startDirectory);
    EXPECT_EQ(TempFiles(), std::vector<std::wstring>{});
  }
  // Files (not the test folders made during the test) in the temporary folder.
  std::vector<std::wstring> TempFiles() const {
    std::vector<std::wstring> files;
    for (const std::wstring& name : FolderEntries(temp.path().substr(0, temp.path().size() - 1)))
      if (!(::GetFileAttributesW((temp.path() + name).c_str()) & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(name);
    return files;
  }

  // Expects a JPEG of the given size at path.
  static void ExpectJpeg(const std::wstring& path, unsigned width, unsigned height,
                         std::optional<COLORREF> color = std::nullopt) {
    std::optional<TImageFacts> facts = ReadImageFacts(path);
    ASSERT_TRUE(facts.has_value()) << "no image " << WideToUtf8(path);
    EXPECT_TRUE(facts->Container == GUID_ContainerFormatJpeg) << WideToUtf8(path);
    EXPECT_EQ(facts->Frames, 1u);
    EXPECT_EQ(facts->Width, width) << WideToUtf8(path);
    EXPECT_EQ(facts->Height, height) << WideToUtf8(path);
    if (color) {
      EXPECT_TRUE(SameColor(facts->Center, *color)) << WideToUtf8(path);
    }
  }
};

}  // namespace tessera::test
