#include "support/WindowShot.h"

#include <wincodec.h>

#include "base/Handles.h"
#include "support/WindowSearch.h"

namespace tessera::test {

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
  info.bmiHeader.biHeight = -shot.Height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueGdiObject bitmap(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bool copied = false;
  if (bitmap && bits) {
    HGDIOBJ old = ::SelectObject(memory, bitmap.get());
    copied = ::BitBlt(memory, 0, 0, shot.Width, shot.Height, screen, r.left, r.top, SRCCOPY) != FALSE;
    ::GdiFlush();
    if (copied) {
      const auto* pixels = static_cast<const uint32_t*>(bits);
      shot.Pixels.assign(pixels, pixels + static_cast<size_t>(shot.Width) * shot.Height);
      for (auto& p : shot.Pixels) p &= 0xFFFFFF;
    }
    ::SelectObject(memory, old);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return copied ? shot : TScreenShot{};
}

TScreenShot ShootWindow(HWND window) {
  RECT r{};
  if (!::GetWindowRect(window, &r)) return {};
  return ShootRect(r);
}

bool SavePng(const TScreenShot& shot, const std::wstring& path) {
  if (shot.Pixels.empty()) return false;
  HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool saved = false;
  {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    std::vector<uint32_t> pixels = shot.Pixels;  // WritePixels takes them writable
    const UINT stride = static_cast<UINT>(shot.Width) * 4;
    HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    factory.put_void());
    if (SUCCEEDED(hr)) hr = factory->CreateStream(stream.put());
    if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
    if (SUCCEEDED(hr)) hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put());
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(frame.put(), nullptr);
    if (SUCCEEDED(hr)) hr = frame->Initialize(nullptr);
    if (SUCCEEDED(hr)) hr = frame->SetSize(static_cast<UINT>(shot.Width), static_cast<UINT>(shot.Height));
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && format != GUID_WICPixelFormat32bppBGR) hr = E_FAIL;
    if (SUCCEEDED(hr))
      hr = frame->WritePixels(static_cast<UINT>(shot.Height), stride, stride * static_cast<UINT>(shot.Height),
                              reinterpret_cast<BYTE*>(pixels.data()));
    if (SUCCEEDED(hr)) hr = frame->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    saved = SUCCEEDED(hr);
  }
  if (SUCCEEDED(init)) ::CoUninitialize();
  if (!saved) ::DeleteFileW(path.c_str());
  return saved;
}

bool SaveWindowPng(HWND window, const std::wstring& path) { return SavePng(ShootWindow(window), path); }

TIconColours IconColours(HWND dialog) {
  HWND icon = nullptr;
  ForEachChildWindow(dialog, [&](HWND child) {
    wchar_t name[32] = {};
    ::GetClassNameW(child, name, 32);
    if (_wcsicmp(name, L"Static") != 0 || (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON ||
        !::IsWindowVisible(child))
      return true;
    icon = child;
    return false;
  });
  TIconColours colours;
  if (!icon) return colours;
  RECT r{};
  ::GetWindowRect(icon, &r);
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
