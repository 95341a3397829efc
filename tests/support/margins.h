// Presentation mode's promise about its margins, read straight off a
// framebuffer: for the soak, the message fuzzer and the program's tests.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "graphics/graphics_state.h"
#include "graphics/picture_layout.h"
#include "tools/driver/program_driver.h"

// Whether every pixel of the width x height framebuffer outside the rectangle
// [left, right) x [top, bottom) is black.
inline bool BlackOutside(const uint32_t *pixels, int width, int height, int left, int top,
                         int right, int bottom) {
  const auto black = [](uint32_t p) { return p == 0; };
  for (int y = 0; y < height; ++y) {
    const uint32_t *row = pixels + static_cast<size_t>(y) * width;
    const bool inside = y >= top && y < bottom;
    if (!std::all_of(row, row + (inside ? std::clamp(left, 0, width) : width), black) ||
        !std::all_of(row + (inside ? std::clamp(right, 0, width) : width), row + width, black))
      return false;
  }
  return true;
}

#ifndef _WIN32
// In presentation mode, black all round the picture's rectangle as the last
// repaint laid it out (before a pending repaint the window may have another
// size); always so outside it, where the picture is all the window.
inline bool MarginsBlack() {
  const GraphicsStateRecord &g = GraphicsState;
  int w = 0, h = 0;
  const uint32_t *pixels = FramePixels(&w, &h);
  return !PictureKeepsProportion() || w != g.MaxX || h != g.MaxY ||
         BlackOutside(pixels, w, h, g.ViewX1, g.MaxY - g.ViewY2, g.ViewX2, g.MaxY - g.ViewY1);
}
#endif
