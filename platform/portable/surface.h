// A window's framebuffer: 32-bit pixels holding COLORREF values (0x00BBGGRR),
// row-major from the top row, plus the rectangle changed since the last present.
#pragma once

#include <cstdint>
#include <vector>

namespace vqp {

// Half-open pixel rectangle [left, right) x [top, bottom), y down.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  PixelRect dirty; // what changed since the last present; empty when nothing did
};

// Grows `into` to the bounding rectangle of itself and r.
inline void Unite(PixelRect &into, const PixelRect &r) {
  if (r.Empty())
    return;
  if (into.Empty()) {
    into = r;
    return;
  }
  if (r.left < into.left)
    into.left = r.left;
  if (r.top < into.top)
    into.top = r.top;
  if (r.right > into.right)
    into.right = r.right;
  if (r.bottom > into.bottom)
    into.bottom = r.bottom;
}

// Grows `dirty` to cover r (already clipped to the surface by the caller).
inline void MarkDirty(Surface &s, const PixelRect &r) { Unite(s.dirty, r); }

} // namespace vqp
