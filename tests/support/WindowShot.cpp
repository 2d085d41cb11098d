#include "support/WindowShot.h"

#include <wincodec.h>

#include <cstring>
#include <vector>

#include "base/Handles.h"

namespace tessera::test {

bool SaveWindowPng(HWND window, const std::wstring& path) {
  RECT r{};
  if (!::GetWindowRect(window, &r)) return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;

  // Top-down 32-bit pixels of the screen area.
  std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 4);
  {
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdiObject bitmap(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bool copied = false;
    if (bitmap && bits) {
      HGDIOBJ old = ::SelectObject(memory, bitmap.get());
      copied = ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != FALSE;
      ::GdiFlush();
      if (copied) std::memcpy(pixels.data(), bits, pixels.size());
      ::SelectObject(memory, old);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (!copied) return false;
  }

  HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool saved = false;
  {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    factory.put_void());
    if (SUCCEEDED(hr)) hr = factory->CreateStream(stream.put());
    if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
    if (SUCCEEDED(hr)) hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put());
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(frame.put(), nullptr);
    if (SUCCEEDED(hr)) hr = frame->Initialize(nullptr);
    if (SUCCEEDED(hr)) hr = frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && format != GUID_WICPixelFormat32bppBGR) hr = E_FAIL;
    if (SUCCEEDED(hr))
      hr = frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 4,
                              static_cast<UINT>(pixels.size()), pixels.data());
    if (SUCCEEDED(hr)) hr = frame->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    saved = SUCCEEDED(hr);
  }
  if (SUCCEEDED(init)) ::CoUninitialize();
  if (!saved) ::DeleteFileW(path.c_str());
  return saved;
}

}  // namespace tessera::test
