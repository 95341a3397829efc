// The GIF's palette and the changed rectangles of the frame store.
#include <gtest/gtest.h>

#include <vector>

#include "tools/record/frame_store.h"
#include "tools/record/palette.h"

namespace record {
namespace {

TEST(Palette, KeepsEveryColourInFirstSeenOrderWhenTheyFit) {
  const Palette p = BuildPalette({{0x000000, 50}, {0x0000FF, 3}, {0xFFFFFF, 9}}, 3);
  EXPECT_FALSE(p.reduced);
  EXPECT_EQ(p.colors, (std::vector<uint32_t>{0x000000, 0x0000FF, 0xFFFFFF}));
  EXPECT_EQ(p.indexOf.at(0x0000FF), 1);
}

TEST(Palette, TooManyColoursLoseTheLeastVisibleFirst) {
  // Five colours into three: the shades one step from black and from white go,
  // although each is used fifty times more than the blue, which is unlike anything.
  const std::vector<ColorUse> uses = {
      {0x000000, 900}, {0xFF0000, 1}, {0xFFFFFF, 800}, {0x010101, 50}, {0xFEFEFE, 50}};
  const Palette p = BuildPalette(uses, 3);
  EXPECT_TRUE(p.reduced);
  EXPECT_EQ(p.colors, (std::vector<uint32_t>{0x000000, 0xFF0000, 0xFFFFFF}));
  EXPECT_EQ(p.colors[p.indexOf.at(0x010101)], 0x000000u);
  EXPECT_EQ(p.colors[p.indexOf.at(0xFEFEFE)], 0xFFFFFFu);
  ASSERT_EQ(p.indexOf.size(), uses.size());
}

// A 6x4 picture, all black, changed pixel by pixel.
struct Store : ::testing::Test {
  std::vector<uint32_t> pixels = std::vector<uint32_t>(24, 0);
  FrameStore store{6, 4};
  uint32_t &At(int x, int y) { return pixels[static_cast<size_t>(y) * 6 + x]; }
  std::vector<uint32_t> Stored(size_t frame) {
    std::vector<uint32_t> all;
    store.ForEachRow(
        frame, [](uint32_t c) { return c; },
        [&](const uint32_t *row, int n) { return all.insert(all.end(), row, row + n), true; });
    return all;
  }
};

TEST_F(Store, TheFirstFrameIsWholeThenOnlyTheChangedRectangle) {
  At(5, 0) = 7;
  store.Add(pixels.data());
  EXPECT_EQ(store.Rect(0).width * store.Rect(0).height, 24);
  EXPECT_EQ(Stored(0), pixels);

  At(5, 0) = 0; // corners far apart: the rectangle spans both
  At(0, 3) = 9;
  At(2, 2) = 9;
  store.Add(pixels.data());
  const FrameRect r = store.Rect(1);
  EXPECT_EQ((std::vector<int>{r.left, r.top, r.width, r.height}), (std::vector<int>{0, 0, 6, 4}));

  At(0, 3) = 0; // one pixel changed back
  store.Add(pixels.data());
  const FrameRect one = store.Rect(2);
  EXPECT_EQ((std::vector<int>{one.left, one.top, one.width, one.height}),
            (std::vector<int>{0, 3, 1, 1}));
  EXPECT_EQ(Stored(2), std::vector<uint32_t>{0});

  At(3, 1) = 5; // an inner rectangle, with runs crossing its rows
  At(4, 2) = 5;
  store.Add(pixels.data());
  EXPECT_EQ(Stored(3), (std::vector<uint32_t>{5, 0, 0, 5}));

  store.Add(pixels.data()); // nothing changed: one pixel, as it stands
  EXPECT_EQ(store.Rect(4).width * store.Rect(4).height, 1);
  EXPECT_EQ(Stored(4), std::vector<uint32_t>{0});
}

TEST_F(Store, CountsEveryStoredPixelOfEachColour) {
  At(1, 1) = 4;
  store.Add(pixels.data());
  At(1, 1) = 8;
  store.Add(pixels.data());
  const std::vector<ColorUse> uses = store.Colors();
  ASSERT_EQ(uses.size(), 3u);
  EXPECT_EQ(uses[0].color, 0u);
  EXPECT_EQ(uses[0].pixels, 23u);
  EXPECT_EQ(uses[1].color, 4u);
  EXPECT_EQ(uses[2].color, 8u);
  EXPECT_EQ(uses[2].pixels, 1u);
}

} // namespace
} // namespace record
