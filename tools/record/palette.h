// The GIF's global palette: the colours that occur in the recording, at most
// 256. Should more occur (anti-aliased text brings many shades), colours are
// merged into their nearest neighbours, least visible change first, until 256
// remain; every other colour is shown as its nearest kept colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace record {

constexpr size_t kMaxPaletteSize = 256;

struct ColorUse {
  uint32_t color;  // COLORREF, 0x00BBGGRR
  uint64_t pixels; // how many pixels of the stored frames have it
};

struct Palette {
  std::vector<uint32_t> colors;                  // COLORREF by palette index
  std::unordered_map<uint32_t, uint8_t> indexOf; // every colour that occurs
  bool reduced = false;                          // some colours were merged
};

// `uses` in the order the colours first occurred; the palette keeps that order.
// Every tie is broken by that order, so the result depends on nothing but the input.
Palette BuildPalette(const std::vector<ColorUse> &uses, size_t limit = kMaxPaletteSize);

} // namespace record
