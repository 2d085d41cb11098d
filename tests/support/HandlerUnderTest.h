// A TContextMenu handler created as the class factory creates it, but reading a settings file of the test's
// own, and initialised with real shell objects, for menu and command tests.
#pragma once

#include <shlobj.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Handles.h"
#include "shellext/SettingsCache.h"
#include "support/MenuReader.h"
#include "support/SettingsFile.h"

namespace tessera::test {

class HandlerUnderTest {
public:
  // settings: the bytes of the settings file the handler reads at each Initialize; nullopt: no file (the
  // defaults).
  explicit HandlerUnderTest(const std::optional<std::string>& settings = std::nullopt);
  // A handler that takes its snapshots from a settings cache the test shares between handlers.
  explicit HandlerUnderTest(std::shared_ptr<TSettingsCache> cache);

  // The handler's settings file, to change or remove between Initialize calls (not with a shared cache).
  const TestSettingsFile& settings() const { return FSettings.value(); }

  // Initialize with a data object for the paths (a selection).
  HRESULT Select(const std::vector<std::wstring>& paths);
  // Initialize for the background of a folder.
  HRESULT Background(const std::wstring& folder);

  // QueryContextMenu into a fresh popup menu; returns the HRESULT.
  HRESULT Query(UINT uFlags = CMF_NORMAL, UINT idCmdFirst = 1, UINT idCmdLast = 0x7FFF);
  HMENU menu() const { return FMenu.get(); }
  std::vector<TMenuEntry> Entries() const { return ReadMenu(FMenu.get()); }
  std::vector<std::wstring> Outline() const { return MenuOutline(Entries()); }

  // InvokeCommand for the item with this caption (by its offset); E_INVALIDARG when there is none.
  HRESULT Invoke(const std::wstring& caption, HWND window = nullptr);
  HRESULT InvokeOffset(UINT offset, HWND window = nullptr);
  std::wstring HelpText(UINT offset, UINT cchMax = 1024);

  IContextMenu* contextMenu() const { return FHandler.get(); }
  UINT idCmdFirst() const { return FFirst; }

private:
  void Create(std::shared_ptr<TSettingsCache> cache);

  std::optional<TestSettingsFile> FSettings;
  ComPtr<IContextMenu> FHandler;
  ComPtr<IShellExtInit> FInit;
  UniqueMenu FMenu;
  UINT FFirst = 1;
};

}  // namespace tessera::test
