#include "tools/record/yuv_conversion.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace record {
namespace {

// BT.709 in 16-bit fixed point: Y from 219 steps, Cb and Cr from 224; the
// chroma weights are quartered, as they apply to the sum of four pixels.
// Each chroma row sums to 0, so greys have Cb = Cr = 128 exactly.
constexpr int32_t kYr = 11966, kYg = 40254, kYb = 4064;
constexpr int32_t kUr = -1649, kUg = -5547, kUb = 7196;
constexpr int32_t kVr = 7196, kVg = -6536, kVb = -660;
constexpr int32_t kHalf = 1 << 15;

int32_t Red(uint32_t c) { return static_cast<int32_t>(c & 0xFF); }
int32_t Green(uint32_t c) { return static_cast<int32_t>((c >> 8) & 0xFF); }
int32_t Blue(uint32_t c) { return static_cast<int32_t>((c >> 16) & 0xFF); }

// First and last index where the rows differ, or false when they are equal.
bool ChangedSpan(const uint32_t *now, const uint32_t *before, int length, int &first, int &last) {
  if (std::memcmp(now, before, static_cast<size_t>(length) * sizeof(uint32_t)) == 0)
    return false;
  first = 0;
  while (now[first] == before[first])
    ++first;
  last = length - 1;
  while (now[last] == before[last])
    --last;
  return true;
}

} // namespace

uint8_t LumaOf(uint32_t c) {
  return static_cast<uint8_t>(
      (kYr * Red(c) + kYg * Green(c) + kYb * Blue(c) + (16 << 16) + kHalf) >> 16);
}

void ChromaOf(const uint32_t four[4], uint8_t &u, uint8_t &v) {
  int32_t r = 0, g = 0, b = 0;
  for (int i = 0; i < 4; ++i) {
    r += Red(four[i]);
    g += Green(four[i]);
    b += Blue(four[i]);
  }
  u = static_cast<uint8_t>((kUr * r + kUg * g + kUb * b + (128 << 16) + kHalf) >> 16);
  v = static_cast<uint8_t>((kVr * r + kVg * g + kVb * b + (128 << 16) + kHalf) >> 16);
}

YuvConverter::YuvConverter(int width, int height, uint32_t padding)
    : width_(width), height_(height), paddedWidth_(width + (width & 1)),
      previous_(static_cast<size_t>(paddedWidth_) * (height + (height & 1)), padding) {}

void YuvConverter::Convert(const uint32_t *pixels, const YuvPlanes &planes, bool whole) {
  const size_t stride = static_cast<size_t>(paddedWidth_);
  for (int y = 0; y < height_; y += 2) {
    // The columns of this row pair that changed, widened to whole 2x2 blocks.
    int from = whole ? 0 : paddedWidth_, to = whole ? paddedWidth_ - 1 : -1;
    for (int row = y; row < std::min(y + 2, height_); ++row) {
      const uint32_t *now = pixels + static_cast<size_t>(row) * width_;
      uint32_t *kept = &previous_[row * stride];
      int first = 0, last = 0;
      if (ChangedSpan(now, kept, width_, first, last)) {
        std::memcpy(kept + first, now + first, static_cast<size_t>(last - first + 1) * 4);
        from = std::min(from, first);
        to = std::max(to, last);
      }
    }
    if (from > to)
      continue;
    from &= ~1;
    to |= 1;
    const uint32_t *top = &previous_[y * stride];
    const uint32_t *bottom = top + stride; // the padding below an odd last row
    uint8_t *yTop = planes.y + static_cast<ptrdiff_t>(y) * planes.yStride;
    uint8_t *yBottom = yTop + planes.yStride;
    uint8_t *u = planes.u + static_cast<ptrdiff_t>(y / 2) * planes.uStride;
    uint8_t *v = planes.v + static_cast<ptrdiff_t>(y / 2) * planes.vStride;
    for (int x = from; x < to; x += 2) {
      const uint32_t four[4] = {top[x], top[x + 1], bottom[x], bottom[x + 1]};
      yTop[x] = LumaOf(four[0]);
      yTop[x + 1] = LumaOf(four[1]);
      yBottom[x] = LumaOf(four[2]);
      yBottom[x + 1] = LumaOf(four[3]);
      ChromaOf(four, u[x / 2], v[x / 2]);
    }
  }
}

} // namespace record
