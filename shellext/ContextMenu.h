// The product's context-menu handler: takes the settings snapshot once per menu, builds the menu for the
// selection and runs the chosen command.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "settings/Options.h"
#include "shellext/GenericContextMenu.h"
#include "shellext/SettingsCache.h"

namespace tessera {

class TContextMenu : public TGenericContextMenu {
public:
  // settings: where each Initialize takes its snapshot from (the factory passes the user's settings file's).
  explicit TContextMenu(std::shared_ptr<TSettingsCache> settings) : FSettings(std::move(settings)) {}

  // The settings snapshot of the last Initialize (null before the first).
  const TOptions* Options() const noexcept { return FOptions.get(); }

protected:
  ~TContextMenu() override = default;

  void AfterInitialize(bool& isEmpty) override;
  HRESULT BuildMenu(HMENU menu, UINT menuIndex, UINT idCmdFirst, UINT idCmdLast, UINT uFlags) override;
  HRESULT MenuCommand(int itemId, const CMINVOKECOMMANDINFO& info) override;
  std::wstring GetStatusText(int itemId) override;

private:
  // The snapshot, or the defaults when no Initialize came first.
  const TOptions& Settings();
  // The size text of a "Resize to JPEG" entry, or empty when the entry is outside the list.
  std::wstring GetResizeSizeText(int itemId);
  HRESULT RunCommand(int itemId, bool ctrl, HWND window);

  std::shared_ptr<TSettingsCache> FSettings;
  // Fixed from Initialize to the next Initialize or the handler's end, whatever the file does meanwhile.
  std::shared_ptr<const TOptions> FOptions;
};

}  // namespace tessera
