#include "typemount/ScreenShot.h"

#include <wincodec.h>

#include "base/Handles.h"

namespace tessera::test {
namespace {

TScreenShot ShootRect(const RECT& r) {
  TScreenShot shot;
  shot.Width = r.right - r.left;
  shot.Height = r.bottom - r.top;
  if (shot.Width <= 0 || shot.Height <= 0) return {};
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = shot.Width;
  info.bmiHeader.biHeight = -shot.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueGdiObject bitmap(::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap) {
    HGDIOBJ old = ::SelectObject(memory, bitmap.get());
    ::BitBlt(memory, 0, 0, shot.Width, shot.Height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    shot.Pixels.assign(pixels, pixels + size_t(shot.Width) * shot.Height);
    for (auto& p : shot.Pixels) p &= 0xFFFFFF;
    ::SelectObject(memory, old);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return shot;
}

struct TIconSearch {
  HWND icon = nullptr;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM lp) {
  wchar_t cls[32] = {};
  ::GetClassNameW(child, cls, 32);
  if (_wcsicmp(cls, L"Static") == 0 && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      ::IsWindowVisible(child)) {
    reinterpret_cast<TIconSearch*>(lp)->icon = child;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TScreenShot ShootWindow(HWND window) {
  RECT r{};
  if (!::GetWindowRect(window, &r)) return {};
  return ShootRect(r);
}

bool SavePng(const TScreenShot& shot, const std::wstring& file) {
  if (shot.Pixels.empty()) return false;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.put_void())))
    return false;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  if (FAILED(factory->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.put(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(static_cast<UINT>(shot.Width), static_cast<UINT>(shot.Height))))
    return false;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  if (FAILED(frame->SetPixelFormat(&format))) return false;
  std::vector<uint32_t> pixels = shot.Pixels;
  const UINT stride = static_cast<UINT>(shot.Width) * 4;
  return SUCCEEDED(frame->WritePixels(static_cast<UINT>(shot.Height), stride, stride * static_cast<UINT>(shot.Height),
                                      reinterpret_cast<BYTE*>(pixels.data()))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

TIconColours IconColours(HWND dialog) {
  TIconColours colours;
  TIconSearch search;
  ::EnumChildWindows(dialog, FindIcon, reinterpret_cast<LPARAM>(&search));
  if (!search.icon) return colours;
  RECT r{};
  ::GetWindowRect(search.icon, &r);
  const TScreenShot shot = ShootRect(r);
  colours.Found = !shot.Pixels.empty();
  for (uint32_t p : shot.Pixels) {
    const int red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
    if (red > 150 && green < 110 && blue < 110) ++colours.Red;
    if (blue > 150 && red < 110) ++colours.Blue;
  }
  return colours;
}

}  // namespace tessera::test
