// Image input and output of the stand-in, through WIC.
#include "WicImages.h"

#include <cstdio>
#include <vector>

namespace magick {

using tessera::ComPtr;

namespace {

std::wstring HresultText(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  DWORD n = ::FormatMessageW(flags, nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n ? std::wstring(buffer, n) : L"";
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.'))
    text.pop_back();
  wchar_t code[16];
  swprintf(code, 16, L"0x%08lx", static_cast<unsigned long>(hr));
  return text.empty() ? code : text + L" (" + code + L")";
}

bool Fail(std::wstring& error, const std::wstring& what, HRESULT hr) {
  error = what + L": " + HresultText(hr);
  return false;
}

// Keeps a decoded frame in memory as 24-bit BGR, so that the file can be closed and written over.
// 32-bit BGRA is the one target every WIC decoder converts to; its alpha is dropped, as for a JPEG.
bool ToMemoryBitmap(IWICImagingFactory* factory, IWICBitmapSource* source, TFrame& frame, std::wstring& error) {
  ComPtr<IWICBitmapSource> converted;
  HRESULT hr = ::WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, source, converted.put());
  if (FAILED(hr)) return Fail(error, L"unable to convert pixels", hr);
  UINT w = 0, h = 0;
  hr = converted->GetSize(&w, &h);
  if (FAILED(hr) || w == 0 || h == 0 || w > 30000 || h > 30000) return Fail(error, L"unusable image size", hr);
  std::vector<BYTE> bgra(size_t{w} * h * 4);
  hr = converted->CopyPixels(nullptr, w * 4, static_cast<UINT>(bgra.size()), bgra.data());
  if (FAILED(hr)) return Fail(error, L"unable to read pixels", hr);
  const UINT stride = (w * 3 + 3) & ~3u;
  std::vector<BYTE> bgr(size_t{stride} * h);
  for (UINT y = 0; y < h; ++y)
    for (UINT x = 0; x < w; ++x)
      for (UINT c = 0; c < 3; ++c) bgr[size_t{y} * stride + x * 3 + c] = bgra[(size_t{y} * w + x) * 4 + c];
  ComPtr<IWICBitmap> bitmap;
  hr = factory->CreateBitmapFromMemory(w, h, GUID_WICPixelFormat24bppBGR, stride, static_cast<UINT>(bgr.size()),
                                       bgr.data(), bitmap.put());
  if (FAILED(hr)) return Fail(error, L"unable to hold pixels", hr);
  frame.pixels = ComPtr<IWICBitmapSource>(bitmap.get());
  frame.width = w;
  frame.height = h;
  return true;
}

}  // namespace

std::wstring ForFileApi(const std::wstring& path) {
  if (path.size() >= MAX_PATH - 12 && path.size() > 2 && path[1] == L':' && path[2] == L'\\')
    return L"\\\\?\\" + path;
  return path;
}

bool TWic::Open(std::wstring& error) {
  HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  FFactory.put_void());
  return SUCCEEDED(hr) || Fail(error, L"no imaging factory", hr);
}

bool TWic::Read(const std::wstring& path, const std::vector<size_t>& frames, std::vector<TFrame>& result,
                std::wstring& error) {
  ComPtr<IWICBitmapDecoder> decoder;
  HRESULT hr = FFactory->CreateDecoderFromFilename(ForFileApi(path).c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnDemand, decoder.put());
  if (FAILED(hr)) return Fail(error, L"unable to open image `" + path + L"'", hr);
  UINT count = 0;
  hr = decoder->GetFrameCount(&count);
  if (FAILED(hr)) return Fail(error, L"unable to count frames of `" + path + L"'", hr);
  std::vector<size_t> wanted = frames;
  if (wanted.empty())
    for (UINT i = 0; i < count; ++i) wanted.push_back(i);
  for (size_t index : wanted) {
    if (index >= count) {
      error = L"frame " + std::to_wstring(index) + L" of `" + path + L"' does not exist";
      return false;
    }
    ComPtr<IWICBitmapFrameDecode> decoded;
    hr = decoder->GetFrame(static_cast<UINT>(index), decoded.put());
    if (FAILED(hr)) return Fail(error, L"unable to decode `" + path + L"'", hr);
    TFrame frame;
    if (!ToMemoryBitmap(FFactory.get(), decoded.get(), frame, error)) return false;
    result.push_back(std::move(frame));
  }
  return true;
}

bool TWic::Scale(TFrame& frame, unsigned width, unsigned height, WICBitmapInterpolationMode mode, std::wstring& error) {
  ComPtr<IWICBitmapScaler> scaler;
  HRESULT hr = FFactory->CreateBitmapScaler(scaler.put());
  if (SUCCEEDED(hr)) hr = scaler->Initialize(frame.pixels.get(), width, height, mode);
  if (FAILED(hr) && mode != WICBitmapInterpolationModeNearestNeighbor)
    hr = scaler->Initialize(frame.pixels.get(), width, height, WICBitmapInterpolationModeNearestNeighbor);
  if (FAILED(hr)) return Fail(error, L"unable to resize", hr);
  return ToMemoryBitmap(FFactory.get(), scaler.get(), frame, error);
}

bool TWic::WriteJpeg(const std::wstring& path, const TFrame& frame, int quality, std::wstring& error) {
  const std::wstring filePath = ForFileApi(path);
  bool created = false;
  auto write = [&]() -> HRESULT {
    ComPtr<IWICStream> stream;
    HRESULT hr = FFactory->CreateStream(stream.put());
    if (FAILED(hr)) return hr;
    hr = stream->InitializeFromFilename(filePath.c_str(), GENERIC_WRITE);
    if (FAILED(hr)) return hr;
    created = true;
    ComPtr<IWICBitmapEncoder> encoder;
    hr = FFactory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.put());
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
    ComPtr<IWICBitmapFrameEncode> target;
    ComPtr<IPropertyBag2> options;
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(target.put(), options.put());
    if (SUCCEEDED(hr)) {
      PROPBAG2 option{};
      option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
      VARIANT value;
      ::VariantInit(&value);
      value.vt = VT_R4;
      value.fltVal = static_cast<float>(quality) / 100.0f;
      hr = options->Write(1, &option, &value);
    }
    if (SUCCEEDED(hr)) hr = target->Initialize(options.get());
    if (SUCCEEDED(hr)) hr = target->SetSize(frame.width, frame.height);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(hr)) hr = target->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && format != GUID_WICPixelFormat24bppBGR) hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(hr)) hr = target->WriteSource(frame.pixels.get(), nullptr);
    if (SUCCEEDED(hr)) hr = target->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    return hr;
  };
  HRESULT hr = write();  // every COM object is released here, so the file is closed
  if (SUCCEEDED(hr)) return true;
  if (created) ::DeleteFileW(filePath.c_str());
  return Fail(error, L"unable to write `" + path + L"'", hr);
}

}  // namespace magick
