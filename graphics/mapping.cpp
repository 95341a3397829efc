#include "graphics/mapping.h"

#include <cmath>

int32_t RoundToPixel(double value) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double rounded = std::nearbyint(value);
  if (!(rounded >= static_cast<double>(-PixelLimit)))
    return rounded < 0 ? static_cast<int32_t>(-PixelLimit) : 0;
  if (rounded > static_cast<double>(PixelLimit))
    return static_cast<int32_t>(PixelLimit);
  return static_cast<int32_t>(rounded);
}

void SetViewport(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  GraphicsStateRecord &g = GraphicsState;
  g.ViewX1 = x1;
  g.ViewY1 = y1;
  g.ViewX2 = x2;
  g.ViewY2 = y2;
  // Differences of any two 32-bit values wrap instead of overflowing.
  g.ViewWidth = static_cast<int32_t>(int64_t{x2} - x1);
  g.ViewHeight = static_cast<int32_t>(int64_t{y2} - y1);
}

void SetWorldWindow(Real48 xMin, Real48 yMin, Real48 xMax, Real48 yMax) {
  GraphicsStateRecord &g = GraphicsState;
  g.WorldXMin = xMin;
  g.WorldYMin = yMin;
  g.WorldXMax = xMax;
  g.WorldYMax = yMax;
  g.WorldWidth = g.WorldXMax - g.WorldXMin;
  g.WorldHeight = g.WorldYMax - g.WorldYMin;
  g.ScaleX = g.ViewWidth / g.WorldWidth;
  g.ScaleY = g.ViewHeight / g.WorldHeight;
}

PixelPoint WorldToScreen(Real48 x, Real48 y) {
  const GraphicsStateRecord &g = GraphicsState;
  return {RoundToPixel(g.ScaleX * (x - g.WorldXMin)), RoundToPixel(g.ScaleY * (y - g.WorldYMin))};
}
