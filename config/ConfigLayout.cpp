#include "config/ConfigLayout.h"

#include <algorithm>

#include "config/Dpi.h"

namespace tessera {
namespace {

RECT Place(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

}  // namespace

TConfigLayout ConfigWindowLayout(int width, int height, UINT dpi, int textHeight, SIZE linkSize) {
  const int m = ScaleForDpi(18, dpi);  // margin
  const int w = ScaleForDpi(80, dpi);  // button width
  const int h = ScaleForDpi(23, dpi);  // button height
  const int g = ScaleForDpi(6, dpi);   // gap
  TConfigLayout l{};
  l.lblOptions = Place(m, m, width - 2 * m, textHeight);
  l.lblLink = Place(m, height - m - linkSize.cy, linkSize.cx, linkSize.cy);
  l.butApply = Place(width - m - w, l.lblLink.top - m - h, w, h);
  l.butCancel = Place(l.butApply.left - g - w, l.butApply.top, w, h);
  l.butOK = Place(l.butCancel.left - g - w, l.butCancel.top, w, h);
  l.butMore = Place(m, l.butApply.top, w + h / 2, h);
  const int listTop = l.lblOptions.bottom + g;
  l.lbOptions = Place(m, listTop, width - 2 * m, l.butOK.top - 3 * g - listTop);
  return l;
}

SIZE FitToWorkArea(SIZE size, SIZE minimum, const RECT& workArea) {
  const LONG width = std::min(size.cx, workArea.right - workArea.left);
  const LONG height = std::min(size.cy, workArea.bottom - workArea.top);
  return SIZE{std::max(width, minimum.cx), std::max(height, minimum.cy)};
}

POINT CentreOnWorkArea(const RECT& workArea, SIZE size) {
  const LONG workWidth = workArea.right - workArea.left, workHeight = workArea.bottom - workArea.top;
  return POINT{workArea.left + workWidth / 2 - size.cx / 2, workArea.top + workHeight / 2 - size.cy / 2};
}

}  // namespace tessera
