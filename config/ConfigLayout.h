// Where the settings window puts its controls, and where it opens: pure functions of the window's size,
// DPI and font, so that every DPI can be checked without a window.
#pragma once

#include <windows.h>

namespace tessera {

// The window's client size at 96 DPI and its smallest outer size (scaled with the DPI like everything else).
constexpr SIZE kConfigClientSize96{584, 561};
constexpr SIZE kConfigMinOuterSize96{600, 600};

struct TConfigLayout {
  RECT lblOptions, lbOptions, lblLink, butMore, butOK, butCancel, butApply;
};

// The controls' rectangles in a client area of width x height at dpi; textHeight is the height of "Ij" in
// the window's font, linkSize the link label's own size.
TConfigLayout ConfigWindowLayout(int width, int height, UINT dpi, int textHeight, SIZE linkSize);

// The window's size on workArea: as large as asked for, but no larger than the work area (a title bar off the
// screen cannot be dragged back), and never below minimum.
SIZE FitToWorkArea(SIZE size, SIZE minimum, const RECT& workArea);

// The top-left corner that centres a window of size on workArea (halves truncated, as integer division
// does); the size stays.
POINT CentreOnWorkArea(const RECT& workArea, SIZE size);

}  // namespace tessera
