// A TContextMenu handler created as the class factory creates it and initialised with real shell
// objects, for menu and command tests.
#pragma once

#include <shlobj.h>

#include <string>
#include <vector>

#include "base/Handles.h"
#include "support/MenuReader.h"

namespace tessera::test {

class HandlerUnderTest {
public:
  HandlerUnderTest();

  // Initialize with a data object for the paths (a selection).
  HRESULT Select(const std::vector<std::wstring>& paths);
  // Initialize for the background of a folder.
  HRESULT Background(const std::wstring& folder);

  // QueryContextMenu into a fresh popup menu; returns the HRESULT.
  HRESULT Query(UINT uFlags = CMF_NORMAL, UINT idCmdFirst = 1, UINT idCmdLast = 0x7FFF);
  HMENU menu() const { return menu_.get(); }
  std::vector<TMenuEntry> Entries() const { return ReadMenu(menu_.get()); }
  std::vector<std::wstring> Outline() const { return MenuOutline(Entries()); }

  // InvokeCommand for the item with this caption (by its offset); E_INVALIDARG when there is none.
  HRESULT Invoke(const std::wstring& caption, HWND window = nullptr);
  HRESULT InvokeOffset(UINT offset, HWND window = nullptr);
  std::wstring HelpText(UINT offset, UINT cchMax = 1024);

  IContextMenu* contextMenu() const { return menu_handler_.get(); }
  UINT idCmdFirst() const { return first_; }

private:
  ComPtr<IContextMenu> menu_handler_;
  ComPtr<IShellExtInit> init_;
  UniqueMenu menu_;
  UINT first_ = 1;
};

}  // namespace tessera::test
