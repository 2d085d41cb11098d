// Reading, scaling and JPEG writing of images through the Windows Imaging Component.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include "base/Handles.h"

#include <string>
#include <vector>

namespace magick {

struct TFrame {
  tessera::ComPtr<IWICBitmapSource> pixels;  // 24-bit BGR, held in memory
  unsigned width = 0, height = 0;
};

class TWic {
public:
  // False with error when the imaging factory cannot be created.
  bool Open(std::wstring& error);
  // The frames of path (all of them when frames is empty). False with error on failure.
  bool Read(const std::wstring& path, const std::vector<size_t>& frames, std::vector<TFrame>& result,
            std::wstring& error);
  bool Scale(TFrame& frame, unsigned width, unsigned height, WICBitmapInterpolationMode mode, std::wstring& error);
  // Writes a baseline JPEG of quality 1..100 without metadata; no partial file stays on failure.
  bool WriteJpeg(const std::wstring& path, const TFrame& frame, int quality, std::wstring& error);

private:
  tessera::ComPtr<IWICImagingFactory> FFactory;
};

// Paths beyond MAX_PATH need the \\?\ form for the file APIs.
std::wstring ForFileApi(const std::wstring& path);

}  // namespace magick
