// The font of the settings program's windows: Tahoma 8 pt (11 pixels at 96 DPI), or, where Tahoma is not
// installed, the system's message font, always at the DPI of the window that uses it.
#pragma once

#include <windows.h>

#include "base/Handles.h"

namespace tessera {

inline constexpr wchar_t kUiFontFace[] = L"Tahoma";
constexpr int kUiFontPoints = 8;

// True when a font family of that name is installed.
bool FontFamilyInstalled(const wchar_t* face);

// The font description at dpi: preferredFace at 8 pt when it is installed, else the message font.
LOGFONTW UiFontDescription(UINT dpi, const wchar_t* preferredFace = kUiFontFace);
// A new font of that description; the owner deletes it.
UniqueGdiObject CreateUiFont(UINT dpi, const wchar_t* preferredFace = kUiFontFace);

// Height in pixels of text drawn in font (the window layouts use "Ij").
int FontTextHeight(HFONT font, const wchar_t* text);

}  // namespace tessera
