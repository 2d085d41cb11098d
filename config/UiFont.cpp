#include "config/UiFont.h"

#include <cwchar>

#include "config/Dpi.h"

namespace tessera {
namespace {

int CALLBACK CountFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The message font at dpi; SystemParametersInfoForDpi where it exists, else the system DPI's font scaled.
LOGFONTW MessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  using Proc = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  static const Proc forDpi = user32 ? reinterpret_cast<Proc>(::GetProcAddress(user32, "SystemParametersInfoForDpi"))
                                    : nullptr;
  if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) return metrics.lfMessageFont;
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(GetSystemDpi()));
    return font;
  }
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(kUiFontPoints, static_cast<int>(dpi), 72);
  font.lfCharSet = DEFAULT_CHARSET;
  return font;
}

}  // namespace

bool FontFamilyInstalled(const wchar_t* face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  ::wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = ::GetDC(nullptr);
  if (!screen) return false;
  ::EnumFontFamiliesExW(screen, &query, CountFamily, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found;
}

LOGFONTW UiFontDescription(UINT dpi, const wchar_t* preferredFace) {
  if (!FontFamilyInstalled(preferredFace)) return MessageFont(dpi);
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(kUiFontPoints, static_cast<int>(dpi), 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  ::wcsncpy(font.lfFaceName, preferredFace, LF_FACESIZE - 1);
  return font;
}

UniqueGdiObject CreateUiFont(UINT dpi, const wchar_t* preferredFace) {
  LOGFONTW font = UiFontDescription(dpi, preferredFace);
  return UniqueGdiObject(::CreateFontIndirectW(&font));
}

int FontTextHeight(HFONT font, const wchar_t* text) {
  HDC screen = ::GetDC(nullptr);
  if (!screen) return 0;
  HGDIOBJ old = ::SelectObject(screen, font);
  SIZE size{};
  ::GetTextExtentPoint32W(screen, text, static_cast<int>(::wcslen(text)), &size);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return size.cy;
}

}  // namespace tessera
