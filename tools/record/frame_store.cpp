#include "tools/record/frame_store.h"

#include <algorithm>
#include <cstring>

namespace record {

FrameStore::FrameStore(int width, int height) : width_(width), height_(height) {}

FrameRect FrameStore::Changed(const uint32_t *pixels) const {
  if (previous_.empty())
    return {0, 0, width_, height_};
  const size_t w = static_cast<size_t>(width_);
  const size_t rowBytes = w * sizeof(uint32_t);
  auto rowDiffers = [&](int y) {
    return std::memcmp(pixels + y * w, previous_.data() + y * w, rowBytes) != 0;
  };
  int top = 0;
  while (top < height_ && !rowDiffers(top))
    ++top;
  if (top == height_)
    return {0, 0, 1, 1};
  int bottom = height_ - 1;
  while (!rowDiffers(bottom))
    --bottom;
  int left = width_, right = -1;
  for (int y = top; y <= bottom; ++y) {
    const uint32_t *now = pixels + y * w;
    const uint32_t *before = previous_.data() + y * w;
    for (int x = 0; x < left; ++x)
      if (now[x] != before[x]) {
        left = x;
        break;
      }
    for (int x = width_ - 1; x > right; --x)
      if (now[x] != before[x]) {
        right = x;
        break;
      }
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

void FrameStore::Count(uint32_t color, uint32_t length) {
  auto [slot, added] = slotOf_.try_emplace(color, uses_.size());
  if (added)
    uses_.push_back({color, 0});
  uses_[slot->second].pixels += length;
}

void FrameStore::Add(const uint32_t *pixels) {
  const FrameRect r = Changed(pixels);
  Frame f{r, runs_.size(), 0};
  for (int y = r.top; y < r.top + r.height; ++y) {
    const uint32_t *p = pixels + static_cast<size_t>(y) * width_ + r.left;
    for (int x = 0; x < r.width; ++x) {
      if (f.runCount > 0 && runs_.back().color == p[x] && runs_.back().length < UINT32_MAX) {
        ++runs_.back().length;
      } else {
        if (f.runCount > 0)
          Count(runs_.back().color, runs_.back().length);
        runs_.push_back({p[x], 1});
        ++f.runCount;
      }
    }
  }
  Count(runs_.back().color, runs_.back().length);
  frames_.push_back(f);
  previous_.assign(pixels, pixels + static_cast<size_t>(width_) * height_);
}

std::vector<ColorUse> FrameStore::Colors() const { return uses_; }

} // namespace record
