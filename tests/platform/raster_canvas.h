// A framebuffer with a device context on it, for the raster tests: no window
// needed, pixels read straight from the surface.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "platform/portable/gdi/gdi.h"
#include "platform/win32.h"

namespace rastertest {

struct Canvas {
  vqp::Surface surface;
  HDC dc = nullptr;

  Canvas(int width, int height, uint32_t fill = 0) {
    surface.width = width;
    surface.height = height;
    surface.pixels.assign(size_t(width) * size_t(height), fill);
    dc = vqp::CreateSurfaceDC(&surface);
  }
  ~Canvas() { ReleaseDC(nullptr, dc); }
  Canvas(const Canvas &) = delete;
  Canvas &operator=(const Canvas &) = delete;

  uint32_t At(int x, int y) const { return surface.pixels[size_t(y) * surface.width + x]; }
  std::vector<uint32_t> Pixels() const { return {surface.pixels.begin(), surface.pixels.end()}; }
  void Fill(uint32_t c) { surface.pixels.assign(surface.pixels.size(), c); }
  // Random 24-bit pixels, so that any missed or doubled exclusive-or shows.
  void Noise(uint32_t seed) {
    std::mt19937 rng(seed);
    for (auto &p : surface.pixels)
      p = rng() & 0x00FFFFFFu;
  }
  int Count(uint32_t c) const {
    int n = 0;
    for (uint32_t p : surface.pixels)
      n += p == c;
    return n;
  }
};

// What mix mode rop (R2_BLACK .. R2_WHITE) makes of pixel `old` under colour
// `pen`: each mode is a truth table over (pen bit, old bit), bit (2p + d) of
// rop - 1 being the new bit. Only the 24 colour bits take part.
inline uint32_t MixedPixel(int rop, uint32_t pen, uint32_t old) {
  uint32_t mixed = 0;
  for (int bit = 0; bit < 24; ++bit) {
    const int p = (pen >> bit) & 1, d = (old >> bit) & 1;
    mixed |= uint32_t(((rop - 1) >> (2 * p + d)) & 1) << bit;
  }
  return mixed;
}

// Selects a new pen (and optionally a brush) for the life of the object,
// then puts the previous ones back and deletes its own.
class Tools {
public:
  Tools(HDC dc, int penWidth, COLORREF penColor, COLORREF brushColor, int penStyle = PS_SOLID)
      : dc_(dc), pen_(CreatePen(penStyle, penWidth, penColor)),
        brush_(CreateSolidBrush(brushColor)) {
    oldPen_ = SelectObject(dc_, pen_);
    oldBrush_ = SelectObject(dc_, brush_);
  }
  ~Tools() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    DeleteObject(brush_);
  }
  Tools(const Tools &) = delete;
  Tools &operator=(const Tools &) = delete;

private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ oldPen_ = nullptr, oldBrush_ = nullptr;
};

} // namespace rastertest
