// Figures that depend on exactly which pixels the portable rasterizer covers:
// half-open bounding boxes, a pen band of w/2 pixels outside the box and the
// rest inside, and a wide line's w x w square placed w/2 up and left of each
// point of its path.
#include <gtest/gtest.h>

#include <cmath>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/mapping.h"
#include "tests/support/program_checks.h"

namespace {

// The smallest rectangle (inclusive) holding every pixel of either colour
// below the caption band (whose text is blended in all shades).
RECT Extent(const Picture &p, COLORREF a, COLORREF b) {
  RECT r = {p.Width, p.Height, -1, -1};
  for (int y = 40; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x)
      if (p.At(x, y) == a || p.At(x, y) == b) {
        r.left = std::min<LONG>(r.left, x);
        r.right = std::max<LONG>(r.right, x);
        r.top = std::min<LONG>(r.top, y);
        r.bottom = std::max<LONG>(r.bottom, y);
      }
  return r;
}

void ExpectRect(const RECT &r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(ExactPixels, TheOpeningCircleAndPointAt1002By583) {
  StartFresh(1002, 583);
  const Picture p = TakePicture();
  // The circle: half-axes 239 and 233 pixels, a one-pixel pen inside its box.
  const POINT c = WindowPixelOf(0, 0);
  ExpectRect(Extent(p, RedValue, CyanValue), c.x - 239, c.y - 233, c.x + 238, c.y + 232);
  // The point: radius 7 and a 12-pixel pen, 6 pixels of it outside the box.
  const double a = Real48(5 * DegreeFactor);
  const POINT d = WindowPixelOf(Real48(std::cos(a)), Real48(std::sin(a)));
  ExpectRect(Extent(p, WhiteValue, CyanValue), d.x - 13, d.y - 13, d.x + 12, d.y + 12);
}

TEST(ExactPixels, TheEdgeOnPlaneIsTwoColumnsWide) {
  StartFresh(1002, 583);
  ClickAndTick({100});
  const int line = WindowPixelOf(0, 0).x;
  Picture p = TakePicture();
  RECT red = Extent(p, RedValue, RedValue);
  EXPECT_EQ(red.left, line - 1);
  EXPECT_EQ(red.right, line);
  ClickAndTick({181});
  const int left = WindowPixelOf(AnimationState.PlaneX, 0).x;
  EXPECT_EQ(left, 21);
  red = Extent(TakePicture(), RedValue, RedValue);
  EXPECT_EQ(red.left, 20);
  EXPECT_EQ(red.right, 21);
  // From y = -1 up to y = 1, whose own square (a row either side) is left out.
  EXPECT_EQ(red.bottom, WindowPixelOf(0, -1).y);
  EXPECT_EQ(red.top, WindowPixelOf(0, 1).y + 1);
}

TEST(ExactPixels, TheSineSpansItsPeaksAndTroughs) {
  StartFresh(1002, 583);
  RunStagesToEndOfPull();
  const RECT grey = Extent(TakePicture(), LightGrayValue, LightGrayValue);
  EXPECT_EQ(grey.top, WindowPixelOf(0, 1).y - 1);
  EXPECT_EQ(grey.bottom, WindowPixelOf(0, -1).y);
  // From the first point, at -1.9998 (its right end lies under the point).
  EXPECT_EQ(grey.left, WindowPixelOf(-1.9998, 0).x - 1);
}

} // namespace
