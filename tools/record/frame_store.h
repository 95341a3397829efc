// The recording's frames as the GIF needs them: for each frame, the rectangle
// that changed since the previous frame (all of the first), its pixels kept
// run-length coded (the pictures are mostly black), and how much each colour is
// used. The GIF's palette can only be written once every colour is known.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "tools/record/palette.h"

namespace record {

struct FrameRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class FrameStore {
public:
  FrameStore(int width, int height);

  // Keeps what differs from the previous frame. An unchanged frame keeps its
  // top-left pixel, since a GIF image holds at least one.
  void Add(const uint32_t *pixels);

  size_t Count() const { return frames_.size(); }
  const FrameRect &Rect(size_t frame) const { return frames_[frame].rect; }
  // The frame's rectangle, row by row, each pixel turned by `map`.
  template <typename Row, typename Map> bool ForEachRow(size_t frame, Map map, Row row) const;
  // The colours in the order they first occurred, with their pixel counts.
  std::vector<ColorUse> Colors() const;

private:
  struct Run {
    uint32_t color;
    uint32_t length;
  };
  struct Frame {
    FrameRect rect;
    size_t firstRun;
    size_t runCount;
  };
  FrameRect Changed(const uint32_t *pixels) const;
  void Count(uint32_t color, uint32_t length);

  int width_;
  int height_;
  std::vector<uint32_t> previous_;
  std::vector<Frame> frames_;
  std::vector<Run> runs_;
  std::unordered_map<uint32_t, size_t> slotOf_; // colour -> index into uses_
  std::vector<ColorUse> uses_;
};

template <typename Row, typename Map>
bool FrameStore::ForEachRow(size_t frame, Map map, Row row) const {
  const Frame &f = frames_[frame];
  std::vector<decltype(map(uint32_t{}))> line(static_cast<size_t>(f.rect.width));
  size_t run = f.firstRun;
  uint32_t left = run < runs_.size() ? runs_[run].length : 0;
  for (int y = 0; y < f.rect.height; ++y) {
    for (auto &out : line) {
      while (left == 0)
        left = runs_[++run].length;
      out = map(runs_[run].color);
      --left;
    }
    if (!row(line.data(), f.rect.width))
      return false;
  }
  return true;
}

} // namespace record
