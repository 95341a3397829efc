// The picture in the video's colours: 4:2:0 with BT.709 coefficients in
// limited range (Y 16..235, Cb and Cr 16..240), the way players expect H.264
// and VP9 tagged BT.709. Chroma is the mean of each 2x2 block.
//
// Done here rather than through a general scaler because a tick changes few
// pixels: only the blocks that differ from the previous picture are converted
// again, which keeps the conversion a small part of the encoding time.
#pragma once

#include <cstdint>
#include <vector>

namespace record {

struct YuvPlanes {
  uint8_t *y;
  uint8_t *u;
  uint8_t *v;
  int yStride;
  int uStride;
  int vStride;
};

// One COLORREF (0x00BBGGRR) in BT.709 limited range, rounded.
uint8_t LumaOf(uint32_t color);
// The chroma of the mean of four colours, rounded.
void ChromaOf(const uint32_t four[4], uint8_t &u, uint8_t &v);

// Keeps the picture last converted, so that the next one converts only what changed.
class YuvConverter {
public:
  // Pictures of width x height pixels go into planes of the even sizes above
  // them; the extra column and row are `padding` (a COLORREF).
  YuvConverter(int width, int height, uint32_t padding = 0);
  // Converts `pixels` (top row first) into `planes`, which must hold the
  // previous conversion unless `whole` is set.
  void Convert(const uint32_t *pixels, const YuvPlanes &planes, bool whole);

private:
  int width_;
  int height_;
  int paddedWidth_;
  std::vector<uint32_t> previous_; // the last picture, padded
};

} // namespace record
