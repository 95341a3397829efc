// Presentation mode's promise about its margins, read straight off a
// framebuffer: for the soak, the message fuzzer and the program's tests.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

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
