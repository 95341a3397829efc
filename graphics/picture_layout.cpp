#include "graphics/picture_layout.h"

#include <algorithm>

#include "graphics/display.h"
#include "graphics/graphics_state.h"
#include "graphics/mapping.h"

namespace {

bool keepProportion = false;

} // namespace

void KeepPictureProportion(bool keep) { keepProportion = keep; }

bool PictureKeepsProportion() { return keepProportion; }

double WindowDensity(HWND window) { return std::clamp<UINT>(WindowDpi(window), 48, 960) / 96.0; }

PictureRect FittedPicture(int32_t width, int32_t height) {
  const int64_t w = std::max(width, 0), h = std::max(height, 0);
  int64_t fitW = w, fitH = h;
  // Rounded to the nearest pixel; never beyond the side that limits it.
  if (w * DesignHeight >= h * DesignWidth)
    fitW = (2 * h * DesignWidth + DesignHeight) / (2 * DesignHeight);
  else
    fitH = (2 * w * DesignHeight + DesignWidth) / (2 * DesignWidth);
  const int64_t left = (w - fitW) / 2, top = (h - fitH) / 2;
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(left + fitW),
          static_cast<int32_t>(top + fitH)};
}

void SetPictureLayout() {
  GraphicsStateRecord &g = GraphicsState;
  const PictureRect r =
      keepProportion ? FittedPicture(g.MaxX, g.MaxY) : PictureRect{0, 0, g.MaxX, g.MaxY};
  g.PixelScale = keepProportion ? static_cast<double>(r.Bottom - r.Top) / DesignHeight
                                : WindowDensity(g.MainWindow);
  // Viewport pixels run up from the picture's bottom edge.
  SetViewport(r.Left, g.MaxY - r.Bottom, r.Right, g.MaxY - r.Top);
  SetWorldWindow(g.WorldXMin, g.WorldYMin, g.WorldXMax, g.WorldYMax);
  SelectClipRgn(g.WindowDC, nullptr);
  if (keepProportion)
    IntersectClipRect(g.WindowDC, r.Left, r.Top, r.Right, r.Bottom);
  SetPenWidth(std::max(ScaledPixels(DesignPenWidth), 1));
  // The device context's own font is the designed one; presentation mode
  // always draws with the program's font, at any scale.
  const int32_t textHeight = std::max(ScaledPixels(DesignTextHeight), 1);
  SetTextHeight(textHeight, !keepProportion && textHeight == DesignTextHeight);
}
