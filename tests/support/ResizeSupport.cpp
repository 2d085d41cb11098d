// Images, registry entry, stand-in locations and folder-dialog driver for the resize tests.
#include "support/ResizeSupport.h"

#include "base/Handles.h"

#include <commctrl.h>
#include <shlobj.h>
#include <wincodec.h>

#include <algorithm>
#include <stdexcept>

namespace tessera::test {

namespace {

constexpr const wchar_t* kParentKey = L"SOFTWARE\\ImageMagick";
constexpr const wchar_t* kCurrentKey = L"SOFTWARE\\ImageMagick\\Current";
constexpr const wchar_t* kBinPath = L"BinPath";

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) throw std::runtime_error(std::string("WIC: ") + what + " failed, hr " + std::to_string(hr));
}

ComPtr<IWICImagingFactory> Factory() {
  ComPtr<IWICImagingFactory> factory;
  Check(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           factory.put_void()),
        "factory");
  return factory;
}

bool KeyExists(const wchar_t* path, REGSAM view) {
  UniqueRegKey key;
  return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, key.put()) == ERROR_SUCCESS;
}

}  // namespace

std::wstring LongPath(const std::wstring& path) {
  if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  return path;
}

void WriteTestImage(const std::wstring& path, const GUID& container, const std::vector<TFrameSpec>& frames) {
  ComPtr<IWICImagingFactory> factory = Factory();
  ComPtr<IWICStream> stream;
  Check(factory->CreateStream(stream.put()), "stream");
  Check(stream->InitializeFromFilename(LongPath(path).c_str(), GENERIC_WRITE), "create file");
  ComPtr<IWICBitmapEncoder> encoder;
  Check(factory->CreateEncoder(container, nullptr, encoder.put()), "encoder");
  Check(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache), "encoder init");
  for (const TFrameSpec& want : frames) {
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(frame.put(), options.put()), "new frame");
    Check(frame->Initialize(options.get()), "frame init");
    Check(frame->SetSize(want.Width, want.Height), "size");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "pixel format");
    if (format != GUID_WICPixelFormat24bppBGR) throw std::runtime_error("WIC: encoder wants another pixel format");
    const UINT stride = (want.Width * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(size_t{stride} * want.Height);
    for (UINT y = 0; y < want.Height; ++y)
      for (UINT x = 0; x < want.Width; ++x) {
        BYTE* p = &pixels[size_t{y} * stride + x * 3];
        p[0] = GetBValue(want.Color);
        p[1] = GetGValue(want.Color);
        p[2] = GetRValue(want.Color);
      }
    Check(frame->WritePixels(want.Height, stride, static_cast<UINT>(pixels.size()), pixels.data()), "pixels");
    Check(frame->Commit(), "frame commit");
  }
  Check(encoder->Commit(), "commit");
}

std::optional<TImageFacts> ReadImageFacts(const std::wstring& path) {
  ComPtr<IWICImagingFactory> factory = Factory();
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(LongPath(path).c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())))
    return std::nullopt;
  TImageFacts facts;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICBitmapSource> bgra;
  if (FAILED(decoder->GetContainerFormat(&facts.Container)) || FAILED(decoder->GetFrameCount(&facts.Frames)) ||
      FAILED(decoder->GetFrame(0, frame.put())) || FAILED(frame->GetSize(&facts.Width, &facts.Height)) ||
      FAILED(::WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), bgra.put())))
    return std::nullopt;
  WICRect middle{static_cast<INT>(facts.Width / 2), static_cast<INT>(facts.Height / 2), 1, 1};
  BYTE pixel[4] = {};
  if (FAILED(bgra->CopyPixels(&middle, 4, 4, pixel))) return std::nullopt;
  facts.Center = RGB(pixel[2], pixel[1], pixel[0]);
  return facts;
}

bool SameColor(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(::FindFirstFileW(LongPath(folder + L"\\*").c_str(), &data));
  if (!find) return names;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find.get(), &data));
  std::sort(names.begin(), names.end());
  return names;
}

void CreateLongFolders(const std::wstring& folder) {
  for (size_t sep = folder.find(L'\\', 3);; sep = folder.find(L'\\', sep + 1)) {
    const std::wstring part = folder.substr(0, sep);
    if (!::CreateDirectoryW(LongPath(part).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
      throw std::runtime_error("cannot create a test folder");
    if (sep == std::wstring::npos) break;
  }
}

void DeleteLongTree(const std::wstring& folder) {
  for (const std::wstring& name : FolderEntries(folder)) {
    const std::wstring full = folder + L"\\" + name;
    const DWORD attributes = ::GetFileAttributesW(LongPath(full).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      DeleteLongTree(full);
    else if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      ::RemoveDirectoryW(LongPath(full).c_str());
    else
      ::DeleteFileW(LongPath(full).c_str());
  }
  ::RemoveDirectoryW(LongPath(folder).c_str());
}

std::wstring MagickFolder(int major) {
  wchar_t exe[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring folder(exe, n);
  folder.erase(folder.find_last_of(L'\\') + 1);
  return folder + L"magick" + std::to_wstring(major);
}

ImageMagickRegistry::ImageMagickRegistry() {
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    TSaved saved{view, KeyExists(kParentKey, view), KeyExists(kCurrentKey, view), false, REG_NONE, {}};
    UniqueRegKey key;
    if (saved.KeyExisted &&
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kCurrentKey, 0, KEY_READ | KEY_SET_VALUE | view, key.put()) ==
            ERROR_SUCCESS) {
      DWORD size = 0;
      if (::RegQueryValueExW(key.get(), kBinPath, nullptr, &saved.Type, nullptr, &size) == ERROR_SUCCESS) {
        saved.Data.resize(size);
        saved.ValueExisted = ::RegQueryValueExW(key.get(), kBinPath, nullptr, &saved.Type, saved.Data.data(),
                                                &size) == ERROR_SUCCESS;
        if (saved.ValueExisted) ::RegDeleteValueW(key.get(), kBinPath);
      }
    }
    FSaved.push_back(std::move(saved));
  }
}

ImageMagickRegistry::~ImageMagickRegistry() {
  for (const TSaved& saved : FSaved) {
    if (saved.ValueExisted) {
      UniqueRegKey key;
      if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kCurrentKey, 0, nullptr, 0, KEY_SET_VALUE | saved.View, nullptr,
                            key.put(), nullptr) == ERROR_SUCCESS)
        ::RegSetValueExW(key.get(), kBinPath, 0, saved.Type, saved.Data.data(), static_cast<DWORD>(saved.Data.size()));
      continue;
    }
    UniqueRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kCurrentKey, 0, KEY_SET_VALUE | saved.View, key.put()) == ERROR_SUCCESS)
      ::RegDeleteValueW(key.get(), kBinPath);
    key.reset();
    if (!saved.KeyExisted) ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kCurrentKey, saved.View, 0);
    if (!saved.ParentExisted) ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kParentKey, saved.View, 0);
  }
}

void ImageMagickRegistry::SetBinPath(REGSAM view, const std::wstring& folder) {
  UniqueRegKey key;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kCurrentKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS ||
      ::RegSetValueExW(key.get(), kBinPath, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw std::runtime_error("cannot write the ImageMagick registry key");
}

namespace {

struct DialogSearch {
  const std::wstring* title;
  HWND found = nullptr;
};

BOOL CALLBACK ChildHasText(HWND child, LPARAM lp) {
  auto* search = reinterpret_cast<DialogSearch*>(lp);
  wchar_t text[512] = {};
  ::GetWindowTextW(child, text, 512);
  if (std::wstring(text).find(*search->title) != std::wstring::npos) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindFolderDialog(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<DialogSearch*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64] = {};
  ::GetClassNameW(hwnd, cls, 64);
  if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd) || wcscmp(cls, L"#32770") != 0) return TRUE;
  DialogSearch inner{search->title};
  ::EnumChildWindows(hwnd, ChildHasText, reinterpret_cast<LPARAM>(&inner));
  if (!inner.found) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK FindTree(HWND child, LPARAM lp) {
  wchar_t cls[64] = {};
  ::GetClassNameW(child, cls, 64);
  if (wcscmp(cls, WC_TREEVIEWW) != 0) return TRUE;
  *reinterpret_cast<HWND*>(lp) = child;
  return FALSE;
}

// The label of the tree item selected in the dialog (same process, so the item record can be shared).
std::wstring SelectedTreeItemText(HWND dialog) {
  HWND tree = nullptr;
  ::EnumChildWindows(dialog, FindTree, reinterpret_cast<LPARAM>(&tree));
  if (!tree) return L"";
  auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return L"";
  wchar_t text[MAX_PATH] = {};
  TVITEMW record{};
  record.mask = TVIF_TEXT;
  record.hItem = item;
  record.pszText = text;
  record.cchTextMax = MAX_PATH;
  ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&record));
  return text;
}

}  // namespace

FolderDialogDriver::FolderDialogDriver(std::wstring title, std::wstring folder)
    : FTitle(std::move(title)), FFolder(std::move(folder)), FThread([this] { run(); }) {}

FolderDialogDriver::~FolderDialogDriver() {
  FStop = true;
  FThread.join();
}

void FolderDialogDriver::run() {
  const ULONGLONG deadline = ::GetTickCount64() + 30000;
  while (!FStop && !FAnswered && ::GetTickCount64() < deadline) {
    DialogSearch search{&FTitle};
    ::EnumWindows(FindFolderDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found) {
      ::Sleep(50);
      continue;
    }
    ::Sleep(200);  // let the dialog fill its tree first
    if (FFolder.empty()) {
      ::PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(search.found, IDCANCEL)));
    } else {
      // The dialog may still be filling its tree: select until the tree shows the folder.
      const std::wstring name = FFolder.substr(FFolder.find_last_of(L'\\') + 1);
      for (int attempt = 0; attempt < 40 && SelectedTreeItemText(search.found) != name; ++attempt) {
        ::SendMessageW(search.found, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(FFolder.c_str()));
        ::Sleep(250);
      }
      ::PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(search.found, IDOK)));
    }
    FAnswered = true;
  }
}

}  // namespace tessera::test
