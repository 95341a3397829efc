#include "graphics/picture_layout.h"

#include <algorithm>
#include <cmath>

#include "graphics/display.h"
#include "graphics/graphics_state.h"
#include "graphics/mapping.h"

namespace {

bool keepProportion = false;
bool page = false;
int32_t roomAbove = 0;
// A page's least text height, in pixels at 96 DPI: a line of 15, whose
// capitals (0.63 of it in the program's font) are 9 high, legible on a phone.
constexpr double PageTextHeight = 15;

} // namespace

void KeepPictureProportion(bool keep) { keepProportion = keep; }

bool PictureKeepsProportion() { return keepProportion || page; }

void LayOutAsPage(bool asPage) { page = asPage; }

bool PictureIsPage() { return page; }

int32_t RoomAbovePicture() { return roomAbove; }

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
  const bool keep = PictureKeepsProportion();
  const PictureRect r = keep ? FittedPicture(g.MaxX, g.MaxY) : PictureRect{0, 0, g.MaxX, g.MaxY};
  g.PixelScale =
      keep ? static_cast<double>(r.Bottom - r.Top) / DesignHeight : WindowDensity(g.MainWindow);
  roomAbove = page ? r.Top : 0;
  // Viewport pixels run up from the picture's bottom edge.
  SetViewport(r.Left, g.MaxY - r.Bottom, r.Right, g.MaxY - r.Top);
  SetWorldWindow(g.WorldXMin, g.WorldYMin, g.WorldXMax, g.WorldYMax);
  SelectClipRgn(g.WindowDC, nullptr);
  if (keep)
    IntersectClipRect(g.WindowDC, r.Left, r.Top - roomAbove, r.Right, r.Bottom);
  SetPenWidth(std::max(ScaledPixels(DesignPenWidth), 1));
  // The device context's own font is the designed one; presentation mode
  // always draws with the program's font, at any scale.
  const int32_t least =
      page ? static_cast<int32_t>(std::lround(PageTextHeight * WindowDensity(g.MainWindow))) : 1;
  const int32_t textHeight = std::max(ScaledPixels(DesignTextHeight), least);
  SetTextHeight(textHeight, !keep && textHeight == DesignTextHeight && g.TextFace == nullptr);
}
