// The option list for screen readers: the system's standard proxy of the list box answers for the list
// itself, and every row of the display list is a child of it (child id = row + 1) named by its caption, with
// the value text as its value, a checked state for yes/no options, and the selected row as the focused child.
#pragma once

#include <windows.h>

#include <memory>

namespace tessera {

class TvOptionList;

// What the accessible objects reach; the list clears it when its window goes, so that an object a client
// still holds answers "disconnected" instead of touching a list that is gone.
struct TAccessTarget {
  TvOptionList* List = nullptr;
};

// The answer to WM_GETOBJECT for the list's client area; 0 for other objects (the system answers those).
LRESULT AnswerGetObject(HWND list, const std::shared_ptr<TAccessTarget>& target, WPARAM wParam, LPARAM lParam);

// IAccessible's identifier. MinGW's import library declares IID_IAccessible as an import of oleacc.dll;
// taken without dllimport it reads the import thunk's bytes, so the value is written out here.
extern const IID kIIDAccessible;

}  // namespace tessera
