// magick.exe stand-in for the tests of "Resize to JPEG". It understands the part of ImageMagick's
// "convert" command line that the resize command produces:
//   magick [convert] (@responsefile | file[N] | options)... output
// with -filter, -resize WxH[>], -colorspace sRGB, -quality N, -strip and -set filename:X value, and the
// output name with %[filename:X]. Images are read and JPEGs written with WIC. Like ImageMagick it
// reports errors on stderr, goes on with the other inputs when one cannot be read, and exits with 1.
// When TESSERA_MAGICK_LOG names a file, the command line and the working directory are written to it
// (UTF-8, one per line) and every response file read is copied byte for byte to that name + ".rsp".
#include <windows.h>
#include <shellapi.h>

#include "MagickSyntax.h"
#include "WicImages.h"

#include <cstdio>
#include <string>
#include <vector>

namespace magick {
namespace {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n, nullptr, nullptr);
  return result;
}

bool FromUtf8(const std::string& bytes, std::wstring& text) {
  text.clear();
  if (bytes.empty()) return true;
  const int size = static_cast<int>(bytes.size());
  int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (n <= 0) return false;
  text.resize(static_cast<size_t>(n));
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), n);
  return true;
}

void Report(const std::wstring& message) {
  std::string line = "magick: " + ToUtf8(message) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

bool ReadBytes(const std::wstring& path, std::string& bytes) {
  tessera::UniqueFileHandle file(::CreateFileW(ForFileApi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > (64 << 20)) return false;
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  return bytes.empty() || (::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                           read == bytes.size());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  tessera::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  return file && (bytes.empty() || ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                               nullptr));
}

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t buffer[4096];
  DWORD n = ::GetEnvironmentVariableW(name, buffer, 4096);
  return (n > 0 && n < 4096) ? std::wstring(buffer, n) : L"";
}

std::wstring CurrentDirectory() {
  wchar_t buffer[4096];
  DWORD n = ::GetCurrentDirectoryW(4096, buffer);
  return (n > 0 && n < 4096) ? std::wstring(buffer, n) : L"";
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t buffer[4096];
  DWORD n = ::GetFullPathNameW(path.c_str(), 4096, buffer, nullptr);
  return (n > 0 && n < 4096) ? std::wstring(buffer, n) : path;
}

// ImageMagick's filter names, mapped to the nearest WIC interpolation.
bool FilterMode(const std::wstring& name, WICBitmapInterpolationMode& mode) {
  static const struct {
    const wchar_t* name;
    WICBitmapInterpolationMode mode;
  } filters[] = {
      {L"Point", WICBitmapInterpolationModeNearestNeighbor}, {L"Box", WICBitmapInterpolationModeLinear},
      {L"Triangle", WICBitmapInterpolationModeLinear},       {L"Hermite", WICBitmapInterpolationModeCubic},
      {L"Cubic", WICBitmapInterpolationModeCubic},           {L"Catrom", WICBitmapInterpolationModeCubic},
      {L"Mitchell", WICBitmapInterpolationModeCubic},        {L"Gaussian", WICBitmapInterpolationModeFant},
      {L"Lanczos", WICBitmapInterpolationModeFant},          {L"LanczosSharp", WICBitmapInterpolationModeFant},
      {L"Lanczos2", WICBitmapInterpolationModeFant},         {L"Lanczos2Sharp", WICBitmapInterpolationModeFant},
      {L"Robidoux", WICBitmapInterpolationModeFant},         {L"RobidouxSharp", WICBitmapInterpolationModeFant},
      {L"Spline", WICBitmapInterpolationModeCubic},          {L"Sinc", WICBitmapInterpolationModeFant},
  };
  for (const auto& filter : filters)
    if (SameTextAscii(name, filter.name)) {
      mode = filter.mode;
      return true;
    }
  return false;
}

struct TImage {
  std::wstring path;
  TFrame frame;
  Properties properties;
};

// Output name of image scene. A name without patterns gets "-scene" before its extension when several
// images go to it, as ImageMagick does for formats that hold one image per file.
std::wstring OutputName(const std::wstring& format, const TImage& image, size_t scene, size_t count) {
  bool changed = false;
  std::wstring name = InterpretFilename(format, scene, &image.properties, changed);
  if (changed || count < 2) return name;
  size_t sep = name.find_last_of(L"\\/");
  size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos || (sep != std::wstring::npos && dot < sep)) dot = name.size();
  return name.substr(0, dot) + L"-" + std::to_wstring(scene) + name.substr(dot);
}

bool HasJpegExtension(const std::wstring& name) {
  size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos) return false;
  std::wstring ext = name.substr(dot);
  return SameTextAscii(ext, L".jpg") || SameTextAscii(ext, L".jpeg");
}

int Run() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  std::vector<std::wstring> args;
  for (int i = 1; argv && i < argc; ++i) args.emplace_back(argv[i]);
  if (argv) ::LocalFree(argv);

  const std::wstring logPath = EnvironmentValue(L"TESSERA_MAGICK_LOG");
  if (!logPath.empty())
    WriteBytes(logPath, ToUtf8(std::wstring(::GetCommandLineW()) + L"\r\n" + CurrentDirectory() + L"\r\n"));

  if (!args.empty() && args.front() == L"convert") args.erase(args.begin());
  if (args.size() < 2) {
    Report(L"missing an image filename");
    return 1;
  }

  // Response files are replaced by their words before anything else; the output name is never one.
  int responseFiles = 0;
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i].size() < 2 || args[i][0] != L'@') continue;
    const std::wstring path = FullPath(args[i].substr(1));
    std::string bytes;
    std::wstring text;
    if (!ReadBytes(path, bytes)) {
      Report(L"unable to open response file `" + path + L"'");
      return 1;
    }
    if (!logPath.empty())
      WriteBytes(logPath + L".rsp" + (responseFiles ? std::to_wstring(responseFiles + 1) : L""), bytes);
    ++responseFiles;
    if (!FromUtf8(bytes, text)) {
      Report(L"response file `" + path + L"' is not UTF-8");
      return 1;
    }
    std::vector<std::wstring> words = SplitResponseFile(text);
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
    args.insert(args.begin() + static_cast<std::ptrdiff_t>(i), words.begin(), words.end());
    i += words.size();
    --i;
  }

  const std::wstring output = args.back();
  args.pop_back();
  if (output.empty() || output[0] == L'-' || output[0] == L'+' || output[0] == L'@') {
    Report(L"missing output filename");
    return 1;
  }

  // First pass: ImageMagick refuses a command line it does not understand before touching any image.
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    if (a.size() < 2 || (a[0] != L'-' && a[0] != L'+')) continue;
    auto needs = [&](size_t count) {
      if (i + count >= args.size()) {
        Report(L"option requires an argument `" + a + L"'");
        return false;
      }
      return true;
    };
    if (a == L"-strip") continue;
    if (a == L"-filter") {
      WICBitmapInterpolationMode mode;
      if (!needs(1)) return 1;
      if (!FilterMode(args[++i], mode)) {
        Report(L"unrecognized filter type `" + args[i] + L"'");
        return 1;
      }
    } else if (a == L"-resize") {
      TGeometry geometry;
      if (!needs(1)) return 1;
      if (!ParseGeometry(args[++i], geometry)) {
        Report(L"invalid argument for option `-resize': " + args[i]);
        return 1;
      }
    } else if (a == L"-colorspace") {
      if (!needs(1)) return 1;
      ++i;
      if (!SameTextAscii(args[i], L"sRGB") && !SameTextAscii(args[i], L"RGB")) {
        Report(L"unrecognized colorspace `" + args[i] + L"'");
        return 1;
      }
    } else if (a == L"-quality") {
      if (!needs(1)) return 1;
      const std::wstring& q = args[++i];
      if (q.empty() || q.size() > 3 || q.find_first_not_of(L"0123456789") != std::wstring::npos || std::stoi(q) > 100) {
        Report(L"invalid argument for option `-quality': " + q);
        return 1;
      }
    } else if (a == L"-set") {
      if (!needs(2)) return 1;
      if (args[i + 1].size() <= 9 || !SameTextAscii(args[i + 1].substr(0, 9), L"filename:")) {
        Report(L"the stand-in only sets filename: properties, not `" + args[i + 1] + L"'");
        return 1;
      }
      i += 2;
    } else {
      Report(L"unrecognized option `" + a + L"'");
      return 1;
    }
  }

  std::wstring error;
  TWic wic;
  if (!wic.Open(error)) {
    Report(error);
    return 1;
  }
  int status = 0;
  std::vector<TImage> images;
  WICBitmapInterpolationMode filter = WICBitmapInterpolationModeFant;
  int quality = 92;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    if (a == L"-strip" || a == L"-colorspace") {  // the JPEGs carry no metadata and are sRGB anyway
      if (a == L"-colorspace") ++i;
    } else if (a == L"-filter") {
      FilterMode(args[++i], filter);
    } else if (a == L"-quality") {
      quality = std::stoi(args[++i]);
    } else if (a == L"-resize") {
      TGeometry geometry;
      ParseGeometry(args[++i], geometry);
      for (TImage& image : images) {
        unsigned w, h;
        if (ResizedSize(geometry, image.frame.width, image.frame.height, w, h) &&
            !wic.Scale(image.frame, w, h, filter, error)) {
          Report(error);
          return 1;
        }
      }
    } else if (a == L"-set") {
      const std::wstring& key = args[i + 1];
      const std::wstring& value = args[i + 2];
      i += 2;
      for (TImage& image : images) {
        std::wstring expanded;
        const TImageFacts facts{image.path, image.frame.width, image.frame.height};
        if (!InterpretProperties(value, facts, expanded, error)) {
          Report(error);
          return 1;
        }
        image.properties[key] = expanded;
      }
    } else {
      // An input image. With a frame selector ImageMagick also reads the name as a numbered sequence
      // pattern (img%02d.png[3]), so percent signs count there.
      std::wstring name;
      std::vector<size_t> frames;
      if (SplitFrameSelector(a, name, frames)) {
        bool changed = false;
        std::wstring interpreted = InterpretFilename(name, frames.front(), nullptr, changed);
        if (changed && frames.size() > 1) {
          Report(L"the stand-in reads no image sequences: `" + a + L"'");
          return 1;
        }
        name = interpreted;
      }
      std::vector<TFrame> read;
      if (!wic.Read(name, frames, read, error)) {
        Report(error);
        status = 1;
        continue;
      }
      for (TFrame& frame : read) images.push_back(TImage{name, std::move(frame), {}});
    }
  }

  if (images.empty()) {
    Report(L"no images defined `" + output + L"'");
    return 1;
  }
  for (size_t scene = 0; scene < images.size(); ++scene) {
    const std::wstring name = OutputName(output, images[scene], scene, images.size());
    if (!HasJpegExtension(name)) {
      Report(L"the stand-in writes only JPEG files, not `" + name + L"'");
      return 1;
    }
    if (!wic.WriteJpeg(name, images[scene].frame, quality, error)) {
      Report(error);
      status = 1;
    }
  }
  return status;
}

}  // namespace
}  // namespace magick

int main() {
  ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  int status = magick::Run();
  ::CoUninitialize();
  return status;
}
