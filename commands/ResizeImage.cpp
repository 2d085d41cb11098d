// "Resize to JPEG": locates ImageMagick 7, writes the file list to a response file and runs magick.exe.
#include "commands/ResizeImage.h"

#include "base/Error.h"
#include "base/ErrorText.h"
#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "commands/ResizeImageTexts.h"
#include "shellutils/FileUtils.h"
#include "shellutils/Process.h"
#include "shellutils/Registry.h"
#include "shellutils/ShellUtils.h"
#include "shellutils/SystemUtils.h"
#include "shellutils/TextFile.h"

namespace tessera {

namespace {

constexpr const wchar_t* kImageMagickKey = L"SOFTWARE\\ImageMagick\\Current";
constexpr const wchar_t* kImageMagickBinPath = L"BinPath";
constexpr const wchar_t* kMagickExe = L"magick.exe";

// The view that is not the running build's own.
#ifdef _WIN64
constexpr REGSAM kOtherRegistryView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kOtherRegistryView = KEY_WOW64_64KEY;
#endif

// ImageMagick reads "%d", "%x", "%[...]" and the like as patterns in an output name and in an input name
// that carries a frame selector; "%%" stands for one percent sign there. Without this a folder such as
// "50%done" would be taken for a numbered sequence.
std::wstring EscapePercent(const std::wstring& path) {
  std::wstring result;
  result.reserve(path.size());
  for (wchar_t c : path) {
    if (c == L'%') result += L'%';
    result += c;
  }
  return result;
}

// The folder of a file, without trailing backslash except for a drive root ("C:\").
std::wstring FolderOfFile(const std::wstring& path) {
  std::wstring folder = ExtractFilePath(path);
  if (folder.size() > 1 && folder.back() == L'\\' && !(folder.size() == 3 && folder[1] == L':'))
    folder.pop_back();
  return folder;
}

}  // namespace

std::wstring ResizeImageArguments(const TInvokeResizeImageParams& params) {
  std::wstring arguments = params.ImageMagickParams;
  // Any option spelled with "strip" (-strip, +strip...) means the template already decides.
  if (params.RemoveMetadata && arguments.find(L"strip") == std::wstring::npos) arguments += L" -strip";
  return arguments;
}

std::wstring ResizeImageNameTag(const std::wstring& imageSize) {
  const size_t x = imageSize.find_first_of(L"xX");
  if (x == std::wstring::npos || x == 0) return L"resized";
  return imageSize.substr(0, x);
}

std::wstring BuildImageMagickCommandLine(const std::wstring& magickPath, const std::wstring& responseFileName,
                                         const std::wstring& outputFolder, const std::wstring& imageSize,
                                         const std::wstring& arguments) {
  std::wstring args = ReplaceIgnoringCase(arguments, L"%size%", imageSize);
  args = ReplaceIgnoringCase(args, L"%files%", L" @" + responseFileName + L" ");
  std::wstring commandLine = FormatText(L"\"%s\" %s ", magickPath.c_str(), args.c_str());
  const std::wstring tag = ResizeImageNameTag(imageSize);
  // %d and %t are the folder and the bare name of each input; "\\" is ImageMagick's escaped backslash.
  if (!outputFolder.empty())
    commandLine += L"-set filename:f \"%t_" + tag + L"\" \"" + EscapePercent(IncludeTrailingBackslash(outputFolder)) +
                   L"%[filename:f].jpg\"";
  else
    commandLine += L"-set filename:f \"%d\\\\%t_" + tag + L"\" \"%[filename:f].jpg\"";
  return commandLine;
}

std::wstring BuildResponseFileText(const std::vector<std::wstring>& files) {
  // The selector stays inside the quotes: ImageMagick keeps only the quoted part of a quoted word.
  std::wstring text;
  for (const std::wstring& file : files) text += L"\"" + EscapePercent(file) + L"[0]\"\r\n";
  return text;
}

bool FindImageMagick(std::wstring& magickPath) {
  magickPath.clear();
  std::wstring folder = ReadRegistryString(HKEY_LOCAL_MACHINE, kImageMagickKey, kImageMagickBinPath, 0);
  if (folder.empty())
    folder = ReadRegistryString(HKEY_LOCAL_MACHINE, kImageMagickKey, kImageMagickBinPath, kOtherRegistryView);
  if (!folder.empty()) {
    std::wstring candidate = IncludeTrailingBackslash(folder) + kMagickExe;
    if (FileExists(candidate)) {
      magickPath = std::move(candidate);
      return true;
    }
  }
  return FindInSearchPath(kMagickExe, magickPath);
}

void RunImageMagick(const std::vector<std::wstring>& files, const std::wstring& outputFolder,
                    const std::wstring& imageSize, const std::wstring& arguments) {
  std::wstring magickPath;
  TFileVersion version;
  if (!FindImageMagick(magickPath) || !GetFileVersion(magickPath, version) || version.Major < 7)
    throw TesseraError(texts::kResizeMagickNotFound);
  if (imageSize.empty()) throw TesseraError(texts::kResizeNoImageSize);

  const std::wstring responseFile = CreateTempFile();
  if (responseFile.empty()) throw TesseraError(texts::kResizeWorkingDirectoryFailed);
  // The response file never outlives the command, whatever step fails.
  ScopeExit removeResponseFile([&responseFile] { ::DeleteFileW(responseFile.c_str()); });

  // magick.exe finds the bare response-file name because it runs in the response file's folder; the
  // host process (Explorer) keeps its own current directory.
  const std::wstring workingDirectory = FolderOfFile(responseFile);
  const std::wstring commandLine =
      BuildImageMagickCommandLine(magickPath, ExtractFileName(responseFile), outputFolder, imageSize, arguments);

  if (!WriteTextFile(responseFile, BuildResponseFileText(files), TTextEncoding::teUtf8, false))
    throw TesseraError(FormatText(texts::kResizeCreateFileFailed, responseFile.c_str(), LastErrorText().c_str()));

  DWORD exitCode = 0;
  if (RunProcess(commandLine, true, SW_SHOWMINNOACTIVE, exitCode, workingDirectory) != rpOk)
    throw TesseraError(FormatText(texts::kResizeLaunchFailed, commandLine.c_str(), LastErrorText().c_str()));
  if (exitCode != 0) throw TesseraError(FormatText(texts::kResizeMagickFailed, static_cast<int>(exitCode)));
}

void InvokeResizeImage(const std::vector<std::wstring>& files, const TInvokeResizeImageParams& params,
                       bool browseOutputFolder, HWND owner) {
  if (files.empty()) return;
  std::wstring outputFolder;
  if (browseOutputFolder && !BrowseForFolder(owner, outputFolder, texts::kResizeSelectOutputFolder)) return;
  RunImageMagick(files, outputFolder, params.ImageSize, ResizeImageArguments(params));
}

}  // namespace tessera
