// The generic half of the context-menu handler: turns Explorer's selection into paths, maps the command
// identifiers it hands out to the concrete handler's item identifiers and forwards to four virtual
// operations. It knows nothing of the product's commands.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "shellext/ComObject.h"

namespace tessera {

struct TMenuCommandToItemIdLink {
  UINT MenuCmd;  // idCmdFirst + offset, as given to Windows
  UINT ItemID;   // the concrete handler's identifier of the item
};

class TGenericContextMenu : public TComObject, public IShellExtInit, public IContextMenu {
public:
  // IUnknown, shared by all interfaces of the object.
  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override { return TComObject::QueryInterface(iid, ppv); }
  STDMETHODIMP_(ULONG) AddRef() override { return TComObject::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return TComObject::Release(); }

  // IShellExtInit
  STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* pdtobj, HKEY hkeyProgID) override;

  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT uFlags) override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* pici) override;
  STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT uType, UINT* pReserved, CHAR* pszName, UINT cchMax) override;

  const std::vector<std::wstring>& SelectedItems() const noexcept { return FSelectedItems; }
  int SelectedItemsCount() const noexcept { return static_cast<int>(FSelectedItems.size()); }
  const std::wstring& Folder() const noexcept { return FFolder; }
  HMENU MenuHandle() const noexcept { return FMenuHandle; }
  const std::vector<TMenuCommandToItemIdLink>& MenuCmdToItemIdLinks() const noexcept { return FMenuCmdToItemIdLinks; }

protected:
  TGenericContextMenu() = default;
  ~TGenericContextMenu() override = default;
  void* FindInterface(REFIID iid) noexcept override;

  // Called at the end of Initialize; isEmpty: no selected path and no folder.
  virtual void AfterInitialize(bool& isEmpty) = 0;
  // Adds the items; returns MAKE_HRESULT(SEVERITY_SUCCESS, 0, identifiers used).
  virtual HRESULT BuildMenu(HMENU menu, UINT menuIndex, UINT idCmdFirst, UINT idCmdLast, UINT uFlags) = 0;
  virtual HRESULT MenuCommand(int itemId, const CMINVOKECOMMANDINFO& info) = 0;
  virtual std::wstring GetStatusText(int itemId) = 0;

  // The item the menu was opened on. Only valid when SelectedItemsCount() >= 1.
  const std::wstring& FocusedItem() const { return FSelectedItems.front(); }
  void AddItemToCmdLink(int itemId, int menuCmd);
  int GetItemFromMenuIndex(UINT menuIndex) const noexcept;
  int GetItemFromMenuCmd(int menuCmd) const noexcept;
  bool IsValidMenuCmdID(int menuCmd) const noexcept { return GetItemFromMenuCmd(menuCmd) != -1; }

  // Appends to files the selected files with one of the extensions ("ttf;otf;ttc", with or without dots)
  // and, with processDirs, the matching files inside selected folders at any depth. A file reached twice
  // is listed once, at its first place. True when this call appended anything.
  bool GetSelectedFilesOfType(const std::wstring& extensions, bool processDirs, std::vector<std::wstring>& files) const;

private:
  std::vector<std::wstring> FSelectedItems;
  std::wstring FFolder;
  HMENU FMenuHandle = nullptr;
  std::vector<TMenuCommandToItemIdLink> FMenuCmdToItemIdLinks;
};

}  // namespace tessera
