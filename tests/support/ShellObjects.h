// Shell data objects and folder PIDLs built the way Explorer builds them, for driving handlers in tests.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "base/Handles.h"

namespace tessera::test {

// A data object for the given full paths: from the parent folder's IShellFolder::GetUIObjectOf when the
// items share one (as in an Explorer window), otherwise a drop list of full paths from several folders,
// as a search-results window hands out.
// Throws std::runtime_error when the shell cannot parse a path.
ComPtr<IDataObject> CreateShellDataObject(const std::vector<std::wstring>& paths);

// A plain drop list of the given full paths (CF_HDROP only), for paths the shell cannot parse.
ComPtr<IDataObject> CreateHDropDataObject(const std::vector<std::wstring>& paths);

// The absolute PIDL of a file-system path (the desktop folder's ParseDisplayName).
UniquePidl PidlFromPath(const std::wstring& path);

// A folder without a file-system path ("This PC").
UniquePidl PidlWithoutFileSystemPath();

// A data object that offers nothing: GetData fails for every format, CF_HDROP included.
ComPtr<IDataObject> CreateRefusingDataObject();

}  // namespace tessera::test
