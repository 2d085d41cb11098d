#include "support/ShellObjects.h"

#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

namespace tessera::test {
namespace {

ComPtr<IShellFolder> Desktop() {
  ComPtr<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(desktop.put()))) throw std::runtime_error("SHGetDesktopFolder failed");
  return desktop;
}

std::wstring ParentOf(const std::wstring& path) {
  auto pos = path.find_last_of(L'\\');
  if (pos == std::wstring::npos) return L"";
  if (pos == 2 && path.size() > 1 && path[1] == L':') return path.substr(0, 3);  // "C:\"
  return path.substr(0, pos);
}

PIDLIST_RELATIVE Parse(IShellFolder* folder, const std::wstring& name) {
  PIDLIST_RELATIVE pidl = nullptr;
  std::wstring copy = name;
  HRESULT hr = folder->ParseDisplayName(nullptr, nullptr, copy.data(), nullptr, &pidl, nullptr);
  if (FAILED(hr) || !pidl) throw std::runtime_error("ParseDisplayName failed");
  return pidl;
}

class RefusingDataObject : public IDataObject {
public:
  virtual ~RefusingDataObject() = default;
  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
      *ppv = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++FRefs; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG r = --FRefs;
    if (r == 0) delete this;
    return r;
  }
  STDMETHODIMP GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  STDMETHODIMP QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC** e) override {
    if (e) *e = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
  ULONG FRefs = 1;
};

// What a search-results window hands out: a drop list of full paths from several folders.
class HDropDataObject final : public RefusingDataObject {
public:
  explicit HDropDataObject(std::vector<std::wstring> paths) : FPaths(std::move(paths)) {}
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!format || !medium) return E_INVALIDARG;
    if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    size_t chars = 1;
    for (const auto& p : FPaths) chars += p.size() + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    if (!h) return E_OUTOFMEMORY;
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(h));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& p : FPaths) {
      std::copy(p.begin(), p.end(), out);
      out += p.size() + 1;
    }
    ::GlobalUnlock(h);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = h;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
  }

private:
  std::vector<std::wstring> FPaths;
};

}  // namespace

ComPtr<IDataObject> CreateShellDataObject(const std::vector<std::wstring>& paths) {
  if (paths.empty()) throw std::invalid_argument("no paths");
  auto desktop = Desktop();
  std::wstring parent = ParentOf(paths.front());
  bool sameParent = !parent.empty();
  for (const auto& p : paths) sameParent = sameParent && _wcsicmp(ParentOf(p).c_str(), parent.c_str()) == 0;

  ComPtr<IShellFolder> folder = desktop;
  std::vector<PIDLIST_RELATIVE> children;
  ScopeExit freeChildren([&] {
    for (auto c : children) ::CoTaskMemFree(c);
  });
  if (sameParent) {
    UniquePidl parentPidl = PidlFromPath(parent);
    ComPtr<IShellFolder> bound;
    if (FAILED(desktop->BindToObject(parentPidl.get(), nullptr, IID_IShellFolder, bound.put_void())))
      throw std::runtime_error("BindToObject failed");
    folder = bound;
    for (const auto& p : paths) {
      std::wstring name = p.substr(parent.size() + (parent.back() == L'\\' ? 0 : 1));
      children.push_back(Parse(folder.get(), name));
    }
  } else {
    // The desktop folder of Wine builds a data object only from single-level PIDLs.
    return ComPtr<IDataObject>::attach(new HDropDataObject(paths));
  }
  ComPtr<IDataObject> data;
  HRESULT hr = folder->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()),
                                     const_cast<PCUITEMID_CHILD_ARRAY>(reinterpret_cast<PITEMID_CHILD*>(children.data())),
                                     IID_IDataObject, nullptr, data.put_void());
  if (FAILED(hr) || !data) throw std::runtime_error("GetUIObjectOf failed");
  return data;
}

UniquePidl PidlFromPath(const std::wstring& path) {
  auto desktop = Desktop();
  return UniquePidl(reinterpret_cast<PIDLIST_ABSOLUTE>(Parse(desktop.get(), path)));
}

UniquePidl PidlWithoutFileSystemPath() {
  PIDLIST_ABSOLUTE pidl = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidl))) throw std::runtime_error("no CSIDL_DRIVES");
  return UniquePidl(pidl);
}

ComPtr<IDataObject> CreateHDropDataObject(const std::vector<std::wstring>& paths) {
  return ComPtr<IDataObject>::attach(new HDropDataObject(paths));
}

ComPtr<IDataObject> CreateRefusingDataObject() { return ComPtr<IDataObject>::attach(new RefusingDataObject()); }

}  // namespace tessera::test
