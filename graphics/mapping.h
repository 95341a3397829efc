// World coordinates (reals, y up) onto viewport pixels (y up), and viewport
// pixels onto the window's own pixels (y down).
#pragma once

#include <cstdint>

#include "graphics/graphics_state.h"
#include "graphics/real48.h"

struct PixelPoint {
  int32_t X;
  int32_t Y;
};

// Pixel values are held within +-2^30: far outside any screen, yet small enough
// that the window mapping's sums of a few of them cannot overflow.
constexpr int64_t PixelLimit = int64_t{1} << 30;

inline int32_t ClampPixel(int64_t value) {
  if (value > PixelLimit)
    return static_cast<int32_t>(PixelLimit);
  if (value < -PixelLimit)
    return static_cast<int32_t>(-PixelLimit);
  return static_cast<int32_t>(value);
}

// Nearest integer, halves to the even neighbour; not-a-number gives 0.
int32_t RoundToPixel(double value);

// The window mapping: viewport pixel x or y to window pixel column or row.
inline int32_t WindowX(int64_t x) { return ClampPixel(GraphicsState.ViewX1 + x); }
inline int32_t WindowY(int64_t y) {
  return ClampPixel(GraphicsState.MaxY - (GraphicsState.ViewY1 + y));
}

// Corners in viewport pixels, y up. The scales follow at the next SetWorldWindow.
void SetViewport(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Left, bottom, right, top; the scales are taken from the current viewport. A
// window of zero width or height gives an infinite scale, whose pixels are then
// held at the limit (or 0 for 0 x infinity).
void SetWorldWindow(Real48 xMin, Real48 yMin, Real48 xMax, Real48 yMax);
PixelPoint WorldToScreen(Real48 x, Real48 y);
