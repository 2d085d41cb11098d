// Runs the chosen menu item: one command call with the selection, the settings snapshot and the Ctrl
// state; an error of the command becomes one message box over the invoking window.
#include <optional>

#include "base/Error.h"
#include "base/ProductInfo.h"
#include "base/ResourceString.h"
#include "commands/CopyCommands.h"
#include "commands/FileNote.h"
#include "commands/FontCommands.h"
#include "commands/ResizeImage.h"
#include "commands/Sandbox.h"
#include "commands/ShellFlags.h"
#include "shellext/ContextMenu.h"
#include "shellext/MenuItems.h"
#include "shellext/shellext_strings.h"
#include "shellutils/SystemUtils.h"

namespace tessera {
namespace {

// Shows the wait cursor for the life of the object and the arrow afterwards, also after an error.
class TWaitCursor {
public:
  TWaitCursor() { ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }
  ~TWaitCursor() { ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

std::optional<TFontCommand> FontCommandOf(int itemId) {
  switch (itemId) {
    case miUninstallFont: return fcUninstall;
    case miInstallFont: return fcInstall;
    case miUnloadFont: return fcUnload;
    case miLoadFont: return fcLoad;
    default: return std::nullopt;
  }
}

}  // namespace

HRESULT TContextMenu::MenuCommand(int itemId, const CMINVOKECOMMANDINFO& info) {
  const bool ctrl = IsKeyDown(VK_CONTROL);  // read once, before anything else
  std::wstring message;
  try {
    return RunCommand(itemId, ctrl, info.hwnd);
  } catch (const TesseraError& e) {
    message = e.message();
  } catch (const std::bad_alloc&) {
    message = ResString(IDS_ERR_OUT_OF_MEMORY);
  } catch (...) {
    message = ResString(IDS_ERR_UNEXPECTED);
  }
  ::MessageBoxW(info.hwnd, message.c_str(), kProductName, MB_ICONERROR);
  return E_FAIL;
}

HRESULT TContextMenu::RunCommand(int itemId, bool ctrl, HWND window) {
  const TOptions& o = Settings();
  const auto& items = SelectedItems();

  if (auto font = FontCommandOf(itemId)) {
    TWaitCursor wait;
    std::vector<std::wstring> files;
    if (GetSelectedFilesOfType(kFontFileTypes, true, files)) InvokeFontCommand(files, window, *font);
    return S_OK;
  }
  if (itemId >= miResizeImageFirstSize && itemId <= miResizeImageLastSize) {
    std::vector<std::wstring> files;
    if (!GetSelectedFilesOfType(o.GetImageFileTypes(), false, files)) return S_OK;
    TInvokeResizeImageParams params;
    params.ImageSize = GetResizeSizeText(itemId);
    params.RemoveMetadata = o.GetResizeImageRemoveMetadata();
    params.ImageMagickParams = o.GetResizeImageParams();
    InvokeResizeImage(files, params, ctrl, window);
    return S_OK;
  }

  switch (itemId) {
    case miFileNote: {
      TInvokeFileNoteParams params;
      params.EditorCommandLine = o.GetFileNoteEditorCommandLine();
      params.CreateFile = o.GetFileNoteCreateFile();
      params.HideNoteFile = o.GetFileNoteHideNoteFile();
      InvokeFileNote(items, params);
      return S_OK;
    }
    case miCopyPath:
      InvokeCopyPath(items, ctrl);
      return S_OK;
    case miShowHiddenFiles:
      ToggleShellFlag(SSF_SHOWALLOBJECTS);
      return S_OK;
    case miShowSuperHiddenFiles:
      ToggleShellFlag(SSF_SHOWSUPERHIDDEN);
      return S_OK;
    case miShowFileExtensions:
      ToggleShellFlag(SSF_SHOWEXTENSIONS);
      return S_OK;
    case miRefreshIcons:
      InvokeRefreshIcons();
      return S_OK;
    case miSettings:
      InvokeShowSettings(window);
      return S_OK;
    case miCopySizeBytes:
      InvokeCopySize(items, ctrl, window, csoBytes);
      return S_OK;
    case miCopySizeKiB:
      InvokeCopySize(items, ctrl, window, csoKiB);
      return S_OK;
    case miSandbox: {
      TInvokeSandboxParams params;
      params.CustomTemplateFile = o.GetSandboxTemplateFile();
      params.MappedDirReadOnly = o.GetSandboxDirReadOnly();
      InvokeSandbox(items, params, ctrl, window);
      return S_OK;
    }
    default:
      return E_FAIL;  // submenus (400, 520) and numbers without a command
  }
}

}  // namespace tessera
