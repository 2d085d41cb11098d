// "Resize to JPEG": converts images to resized JPEG files with one run of ImageMagick's magick.exe.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tessera {

struct TInvokeResizeImageParams {
  std::wstring ImageSize;          // one size entry, e.g. "1920x1080"
  bool RemoveMetadata = false;     // append -strip unless the template already mentions strip
  std::wstring ImageMagickParams;  // argument template with %files% and %size%
};

// Converts files (nothing happens for an empty list). With browseOutputFolder the user picks the folder
// for the results (cancelling ends the command quietly); otherwise each result lands beside its source.
// Throws TesseraError with the message for the user.
void InvokeResizeImage(const std::vector<std::wstring>& files, const TInvokeResizeImageParams& params,
                       bool browseOutputFolder, HWND owner);

// Runs magick.exe once for all files and waits for it; an empty outputFolder writes beside the sources.
// Throws TesseraError.
void RunImageMagick(const std::vector<std::wstring>& files, const std::wstring& outputFolder,
                    const std::wstring& imageSize, const std::wstring& arguments);

// magick.exe from the BinPath of the ImageMagick registry key (either registry view), else from PATH.
bool FindImageMagick(std::wstring& magickPath);

// The pieces RunImageMagick is made of.

// The arguments template with " -strip" appended when metadata is to go and no strip option is there.
std::wstring ResizeImageArguments(const TInvokeResizeImageParams& params);
// The suffix of the output names: the width of a "WxH" size, or "resized".
std::wstring ResizeImageNameTag(const std::wstring& imageSize);
// The complete command line; responseFileName is the bare name, magick.exe runs in its folder.
std::wstring BuildImageMagickCommandLine(const std::wstring& magickPath, const std::wstring& responseFileName,
                                         const std::wstring& outputFolder, const std::wstring& imageSize,
                                         const std::wstring& arguments);
// One quoted line per file, each asking for the first frame, each ended by CR LF.
std::wstring BuildResponseFileText(const std::vector<std::wstring>& files);

}  // namespace tessera
