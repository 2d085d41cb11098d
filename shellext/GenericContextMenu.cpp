#include "shellext/GenericContextMenu.h"

#include <shellapi.h>

#include <unordered_set>

#include "base/Handles.h"
#include "base/PathUtils.h"
#include "base/StringUtils.h"
#include "shellutils/FileUtils.h"

namespace tessera {
namespace {

std::vector<std::wstring> ReadDropList(HDROP drop) {
  std::vector<std::wstring> paths;
  UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Ask for the length first: a path is never cut to MAX_PATH.
    UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    if (length == 0) continue;
    std::wstring path(static_cast<size_t>(length) + 1, L'\0');
    UINT copied = ::DragQueryFileW(drop, i, path.data(), length + 1);
    if (copied == 0) continue;
    path.resize(copied);
    paths.push_back(std::move(path));
  }
  return paths;
}

std::wstring PathFromIdList(PCIDLIST_ABSOLUTE pidl) {
  std::wstring buffer(32768, L'\0');
  if (::SHGetPathFromIDListEx(pidl, buffer.data(), static_cast<DWORD>(buffer.size()), GPFIDL_DEFAULT)) {
    buffer.resize(wcslen(buffer.c_str()));
    return buffer;
  }
  wchar_t shortBuffer[MAX_PATH] = {};
  if (::SHGetPathFromIDListW(pidl, shortBuffer)) return shortBuffer;
  return L"";
}

}  // namespace

void* TGenericContextMenu::FindInterface(REFIID iid) noexcept {
  if (iid == IID_IContextMenu) return static_cast<IContextMenu*>(this);
  if (iid == IID_IShellExtInit) return static_cast<IShellExtInit*>(this);
  return TComObject::FindInterface(iid);
}

STDMETHODIMP TGenericContextMenu::Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* pdtobj, HKEY) {
  try {
    ComPtr<IDataObject> data(pdtobj);  // held for the call only
    FSelectedItems.clear();
    FMenuHandle = nullptr;
    FFolder.clear();

    if (data) {
      FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
      StgMedium medium;
      if (SUCCEEDED(data->GetData(&format, medium.put()))) {
        if (medium.get().tymed == TYMED_HGLOBAL && medium.get().hGlobal) {
          GlobalLockGuard lock(medium.get().hGlobal);
          if (lock.get()) FSelectedItems = ReadDropList(static_cast<HDROP>(medium.get().hGlobal));
        }
      } else {
        medium.forget();
      }
    }
    if (pidlFolder) FFolder = PathFromIdList(pidlFolder);

    bool isEmpty = FSelectedItems.empty() && FFolder.empty();
    AfterInitialize(isEmpty);
  } catch (...) {
    // Initialize never fails: whatever could not be read stays empty.
  }
  return S_OK;
}

STDMETHODIMP TGenericContextMenu::QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                                   UINT uFlags) {
  try {
    FMenuHandle = hmenu;
    // Every build that adds items starts the table afresh, so that offsets map to the menu the user
    // chooses from; a build that adds nothing (a default-only query) keeps the previous table.
    std::vector<TMenuCommandToItemIdLink> previous;
    previous.swap(FMenuCmdToItemIdLinks);
    HRESULT hr = BuildMenu(hmenu, indexMenu, idCmdFirst, idCmdLast, uFlags);
    if (FMenuCmdToItemIdLinks.empty()) FMenuCmdToItemIdLinks.swap(previous);
    return hr;
  } catch (...) {
    return E_FAIL;
  }
}

STDMETHODIMP TGenericContextMenu::InvokeCommand(CMINVOKECOMMANDINFO* pici) {
  if (!pici) return E_INVALIDARG;
  try {
    if (!IS_INTRESOURCE(pici->lpVerb)) return E_FAIL;  // no string verbs
    int itemId = GetItemFromMenuIndex(LOWORD(reinterpret_cast<UINT_PTR>(pici->lpVerb)));
    if (itemId < 0) return E_FAIL;
    return MenuCommand(itemId, *pici);
  } catch (...) {
    return E_FAIL;
  }
}

STDMETHODIMP TGenericContextMenu::GetCommandString(UINT_PTR idCmd, UINT uType, UINT*, CHAR* pszName, UINT cchMax) {
  try {
    if (idCmd > 0xFFFFFFFFu) return E_INVALIDARG;
    int itemId = GetItemFromMenuIndex(static_cast<UINT>(idCmd));
    if (itemId < 0) return E_INVALIDARG;
    switch (uType) {
      case GCS_HELPTEXTW: {
        if (!pszName) return E_INVALIDARG;
        std::wstring text = GetStatusText(itemId);
        if (cchMax == 0) return S_OK;
        auto* out = reinterpret_cast<wchar_t*>(pszName);
        size_t n = std::min<size_t>(text.size(), cchMax - 1);
        std::copy_n(text.data(), n, out);
        out[n] = L'\0';
        return S_OK;
      }
      case GCS_VALIDATEW:
        return S_OK;
      default:
        return E_INVALIDARG;  // no canonical verbs, no ANSI texts
    }
  } catch (...) {
    return E_FAIL;
  }
}

void TGenericContextMenu::AddItemToCmdLink(int itemId, int menuCmd) {
  FMenuCmdToItemIdLinks.push_back({static_cast<UINT>(menuCmd), static_cast<UINT>(itemId)});
}

int TGenericContextMenu::GetItemFromMenuIndex(UINT menuIndex) const noexcept {
  if (menuIndex < FMenuCmdToItemIdLinks.size()) return static_cast<int>(FMenuCmdToItemIdLinks[menuIndex].ItemID);
  return -1;
}

int TGenericContextMenu::GetItemFromMenuCmd(int menuCmd) const noexcept {
  for (const auto& link : FMenuCmdToItemIdLinks)
    if (link.MenuCmd == static_cast<UINT>(menuCmd)) return static_cast<int>(link.ItemID);
  return -1;
}

bool TGenericContextMenu::GetSelectedFilesOfType(const std::wstring& extensions, bool processDirs,
                                                 std::vector<std::wstring>& files) const {
  const size_t before = files.size();
  // One file reached twice (selected and inside a selected folder, or in another case) is listed once.
  std::unordered_set<std::wstring> seen;
  for (const auto& f : files) seen.insert(NameCompareKey(f));
  auto append = [&](std::wstring path) {
    if (seen.insert(NameCompareKey(path)).second) files.push_back(std::move(path));
  };

  for (const auto& path : FSelectedItems) {
    if (IsDirectory(path)) {
      if (!processDirs) continue;
      for (const auto& entry : SplitText(extensions, L';', false)) {
        std::wstring ext = TrimText(entry);
        if (ext.empty()) continue;
        if (ext.front() != L'.') ext.insert(ext.begin(), L'.');
        FindFilesInFolder(path, L"*" + ext, [&](const std::wstring& folder, const WIN32_FIND_DATAW& data) {
          // The mask can also match through a file's short name ("*.ttf" finds "a.ttfx"); keep real matches only.
          if (FileHasExtension(data.cFileName, ext)) append(folder + data.cFileName);
        });
      }
    } else if (FileHasExtension(path, extensions)) {
      append(path);
    }
  }
  return files.size() > before;
}

}  // namespace tessera
