// Ellipse on the portable layer: exclusive-or restore, one touch per pixel,
// symmetry, where a wide pen lies, and the shapes the program draws.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "raster_canvas.h"

using rastertest::Canvas;
using rastertest::Tools;

namespace {

constexpr COLORREF kPen = 0x00FF00FF, kBrush = 0x0000FF00; // no bits in common

// The program's way of passing a box: lower-left corner, then upper-right.
void DrawEllipse(HDC dc, int cx, int cy, int rx, int ry) {
  Ellipse(dc, cx - rx, cy + ry, cx + rx, cy - ry);
}

TEST(RasterEllipse, DrawingTwiceInXorRestoresEveryPixel) {
  Canvas c(60, 50);
  const int centres[][2] = {{30, 25}, {0, 0}, {59, 49}, {-12, 25}, {30, 62}, {75, -20}};
  SetROP2(c.dc, R2_XORPEN);
  for (int w = 0; w <= 15; ++w) {
    Tools tools(c.dc, w, kPen, kBrush);
    for (int rx = 0; rx <= 40; ++rx) {
      for (int ry : {rx, (rx * 7) % 41}) {
        for (const auto &centre : centres) {
          c.Noise(uint32_t(w * 1000 + rx * 41 + ry));
          const auto before = c.Pixels();
          DrawEllipse(c.dc, centre[0], centre[1], rx, ry);
          if (centre[0] == 30 && centre[1] == 25 && w > 1 && rx > 0) {
            ASSERT_NE(c.Pixels(), before) << "w=" << w << " rx=" << rx << " ry=" << ry;
          }
          DrawEllipse(c.dc, centre[0], centre[1], rx, ry);
          ASSERT_EQ(c.Pixels(), before) << "w=" << w << " rx=" << rx << " ry=" << ry
                                        << " centre=" << centre[0] << "," << centre[1];
        }
      }
    }
  }
}

// Every mix mode acts on a wide pen's band and on the brush's inside as on a
// single pixel, whether the ring lies inside the surface or its edge cuts it
// (the ring's rows are drawn by loops chosen for the mode and for clipping).
TEST(RasterEllipse, EveryModeActsOnThePenBandAndTheInsidePixelByPixel) {
  constexpr uint32_t kRingPen = 0x00C0FF33, kRingBrush = 0x00408020;
  for (int cx : {30, 4}) {
    // Which pixels the pen and the brush cover, copied onto black.
    Canvas cover(60, 40), c(60, 40);
    {
      Tools t(cover.dc, 5, kRingPen, kRingBrush);
      Ellipse(cover.dc, cx - 20, 8, cx + 20, 32);
    }
    for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
      c.Noise(uint32_t(rop));
      const std::vector<uint32_t> before = c.Pixels();
      Tools t(c.dc, 5, kRingPen, kRingBrush);
      SetROP2(c.dc, rop);
      Ellipse(c.dc, cx - 20, 8, cx + 20, 32);
      SetROP2(c.dc, R2_COPYPEN);
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
          const uint32_t old = before[size_t(y) * 60 + x], covered = cover.At(x, y);
          const uint32_t expected = covered == 0 ? old : rastertest::MixedPixel(rop, covered, old);
          ASSERT_EQ(c.At(x, y), expected)
              << "rop " << rop << " cx " << cx << " at " << x << "," << y;
        }
    }
  }
}

// A pixel touched twice in exclusive-or would come out black (or mixed) where
// the copy shows the pen or brush colour.
TEST(RasterEllipse, TouchesEachPixelOnceWithPenAndBrushDisjoint) {
  Canvas xorred(100, 100), copied(100, 100);
  SetROP2(xorred.dc, R2_XORPEN);
  for (int w = 0; w <= 15; ++w) {
    Tools t1(xorred.dc, w, kPen, kBrush), t2(copied.dc, w, kPen, kBrush);
    for (int rx = 0; rx <= 40; rx += 3) {
      for (int ry : {rx, 40 - rx}) {
        for (int cx : {50, 2}) {
          xorred.Fill(0);
          copied.Fill(0);
          DrawEllipse(xorred.dc, cx, 50, rx, ry);
          DrawEllipse(copied.dc, cx, 50, rx, ry);
          ASSERT_EQ(xorred.Pixels(), copied.Pixels()) << "w=" << w << " rx=" << rx << " ry=" << ry;
        }
      }
    }
  }
}

TEST(RasterEllipse, IsSymmetricAboutTheCentreOfItsBox) {
  Canvas c(128, 128);
  for (int w : {0, 1, 2, 3, 5, 10, 12}) {
    Tools tools(c.dc, w, kPen, kBrush);
    for (int width = 0; width <= 60; ++width) {
      for (int height : {width, 60 - width, 7}) {
        c.Fill(0);
        const int l = 30, t = 30, r = l + width, b = t + height;
        Ellipse(c.dc, l, t, r, b);
        for (int y = 0; y < 128; ++y)
          for (int x = 0; x < 128; ++x) {
            const int mx = l + r - 1 - x, my = t + b - 1 - y;
            if (mx >= 0 && mx < 128) {
              ASSERT_EQ(c.At(x, y), c.At(mx, y)) << "w=" << w << " " << width << "x" << height;
            }
            if (my >= 0 && my < 128) {
              ASSERT_EQ(c.At(x, y), c.At(x, my)) << "w=" << w << " " << width << "x" << height;
            }
          }
      }
    }
  }
}

// A pen of width w: a band w pixels thick across the leftmost and topmost
// points, w/2 of it outside the box, the rest inside; the brush within.
TEST(RasterEllipse, PenBandIsWidthThickAtLeftmostAndTopmostPoints) {
  Canvas c(160, 160);
  for (int w = 1; w <= 15; ++w) {
    Tools tools(c.dc, w, kPen, kBrush);
    for (int r = w + 1; r <= 40; ++r) {
      for (int extra : {0, 1}) { // odd and even sized boxes
        c.Fill(0);
        const int l = 80 - r, t = 80 - r, right = 80 + r + extra, bottom = 80 + r + extra;
        Ellipse(c.dc, l, t, right, bottom);
        // Along the middle rows, from the left, and the middle columns, from the top.
        for (int mid : {(t + bottom - 1) / 2, (t + bottom) / 2})
          for (const bool row : {true, false}) {
            const auto at = [&](int i) { return row ? c.At(i, mid) : c.At(mid, i); };
            int edge = 0;
            while (edge < 160 && at(edge) == 0)
              ++edge;
            EXPECT_EQ(edge, (row ? l : t) - w / 2) << "w=" << w << " r=" << r;
            int run = 0;
            while (at(edge + run) == kPen)
              ++run;
            EXPECT_EQ(run, w) << "w=" << w << " r=" << r << (row ? " row " : " column ") << mid;
            EXPECT_EQ(at(edge + run), kBrush);
          }
      }
    }
  }
}

// The program's point: a white circle of radius 6 drawn with a 10 px pen over
// the black brush, as a ring with a small black hole.
TEST(RasterEllipse, ProgramsDotIsARingAroundTheBrush) {
  Canvas c(40, 40, 0x00404040);
  Tools tools(c.dc, 10, RGB(255, 255, 255), RGB(0, 0, 0));
  DrawEllipse(c.dc, 20, 20, 6, 6); // box [14, 26) x [14, 26)
  for (int y = 19; y <= 20; ++y)
    for (int x = 19; x <= 20; ++x)
      EXPECT_EQ(c.At(x, y), 0u) << x << "," << y;
  EXPECT_EQ(c.At(18, 19), 0x00FFFFFFu);
  for (int x = 9; x <= 30; ++x) // 5 px beyond the box on each side
    EXPECT_NE(c.At(x, 19), 0x00404040u) << x;
  EXPECT_EQ(c.At(8, 19), 0x00404040u);
  EXPECT_EQ(c.At(31, 19), 0x00404040u);
  int white = c.Count(0x00FFFFFF);
  EXPECT_GT(white, 300); // about pi * (11^2 - 1)
  EXPECT_LT(white, 400);
}

// Pen width 0 with a brush of the same colour: a solid disc inside its box.
TEST(RasterEllipse, ZeroWidthPenWithSameBrushIsASolidDiscInsideTheBox) {
  Canvas c(100, 100);
  Tools tools(c.dc, 0, RGB(255, 0, 0), RGB(255, 0, 0));
  Ellipse(c.dc, 10, 80, 90, 20); // [10, 90) x [20, 80)
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool inBox = x >= 10 && x < 90 && y >= 20 && y < 80;
      const uint32_t p = c.At(x, y);
      ASSERT_TRUE(p == 0 || p == 0x000000FF);
      if (!inBox) {
        ASSERT_EQ(p, 0u) << x << "," << y;
      }
    }
  for (int x = 10; x < 90; ++x)
    EXPECT_EQ(c.At(x, 49), 0x000000FFu) << x; // the middle row runs edge to edge
  for (int y = 20; y < 80; ++y)
    EXPECT_EQ(c.At(49, y), 0x000000FFu) << y;
}

// A box of zero width or height is drawn as GDI draws it: not at all, whatever
// the pen. (The program passes such boxes; they must be safe.)
TEST(RasterEllipse, EmptyBoxDrawsNothingWhateverThePen) {
  Canvas c(40, 40);
  for (int w : {0, 1, 2, 10, 10000}) {
    Tools tools(c.dc, w, kPen, kBrush);
    for (const RECT &b : {RECT{20, 20, 20, 20}, RECT{20, 10, 20, 30}, RECT{10, 20, 30, 20}}) {
      EXPECT_TRUE(Ellipse(c.dc, b.left, b.top, b.right, b.bottom));
      EXPECT_TRUE(Rectangle(c.dc, b.left, b.top, b.right, b.bottom));
    }
    EXPECT_EQ(c.Count(0), 40 * 40) << w;
  }
}

// A PS_NULL pen draws no outline; as in GDI the brush then fills the shape of
// the box less its right and bottom edges.
TEST(RasterEllipse, NullPenFillsTheBoxLessItsRightAndBottomEdges) {
  Canvas c(40, 40);
  Tools tools(c.dc, 1, kPen, kBrush, PS_NULL);
  Ellipse(c.dc, 10, 10, 31, 25);
  EXPECT_EQ(c.Count(kPen), 0);
  for (int x = 10; x < 30; ++x)
    EXPECT_EQ(c.At(x, 17), kBrush) << x;
  EXPECT_EQ(c.At(30, 17), 0u);
  EXPECT_EQ(c.At(20, 23), kBrush);
  EXPECT_EQ(c.At(20, 24), 0u);
  c.Fill(0);
  Rectangle(c.dc, 10, 10, 31, 25);
  EXPECT_EQ(c.Count(kBrush), 20 * 14);
  EXPECT_EQ(c.At(10, 10), kBrush);
}

// Coordinates anywhere in 32-bit range and huge pens: only what lies on the
// surface is visited, and nothing overflows.
TEST(RasterEllipse, ExtremeCoordinatesAndPenWidthsAreClippedSafely) {
  Canvas c(64, 48);
  // A circle centred far up and left whose edge crosses the surface.
  const int far = -700000000, radius = int(std::lround(std::hypot(32.0 - far, 24.0 - far)));
  const RECT crossing[] = {{INT_MIN, -1000000000, 32, 1000000000}, // right end at x = 31
                           {-1000000000, INT_MIN, 1000000000, 24}, // bottom end at y = 23
                           {far - radius, far - radius, far + radius, far + radius}};
  for (int w : {1, 2, 10000, INT_MAX}) {
    Tools tools(c.dc, w, kPen, kBrush);
    c.Fill(0);
    Ellipse(c.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX); // the surface is deep inside
    EXPECT_EQ(c.Count(kBrush), 64 * 48) << w;

    c.Fill(0);
    Ellipse(c.dc, INT_MIN, INT_MIN, INT_MIN + 1, INT_MIN + 1); // far away
    EXPECT_EQ(c.Count(0), 64 * 48) << w;

    SetROP2(c.dc, R2_XORPEN);
    for (const RECT &box : crossing) {
      c.Noise(7);
      const auto before = c.Pixels();
      Ellipse(c.dc, box.left, box.top, box.right, box.bottom);
      EXPECT_NE(c.Pixels(), before) << w << " box " << box.left << "," << box.top;
      Ellipse(c.dc, box.left, box.top, box.right, box.bottom);
      EXPECT_EQ(c.Pixels(), before) << w << " box " << box.left << "," << box.top;
    }
    SetROP2(c.dc, R2_COPYPEN);
  }
  // The thin pen of the crossing ellipses lies where the geometry says.
  Tools thin(c.dc, 1, kPen, kBrush);
  c.Fill(0);
  Ellipse(c.dc, crossing[0].left, crossing[0].top, crossing[0].right, crossing[0].bottom);
  for (int y = 0; y < 48; ++y) {
    EXPECT_EQ(c.At(31, y), kPen) << y;
    EXPECT_EQ(c.At(32, y), 0u) << y;
  }
  // A pen wider than the box covers it whole and reaches w/2 beyond it.
  Tools huge(c.dc, INT_MAX, kPen, kBrush);
  c.Fill(0);
  Ellipse(c.dc, 20, 20, 21, 21);
  EXPECT_EQ(c.Count(kPen), 64 * 48);
}

} // namespace

// The shapes themselves, pinned: ellipses of many sizes and every pen width
// up to 9, some cut by the canvas's edges, and ones too large for exact
// integers, hashed as drawn before the row loop was made faster. They are
// drawn in exclusive-or, so that no shape hides another: any change to a
// single pixel of a single shape shows here.
TEST(RasterEllipse, ShapesStayAsPinned) {
  Canvas c(240, 200);
  SetROP2(c.dc, R2_XORPEN);
  uint64_t hash = 14695981039346656037ull;
  auto add = [&] {
    for (uint32_t p : c.surface.pixels)
      hash = (hash ^ p) * 1099511628211ull;
  };
  for (int w = 0; w <= 9; ++w) {
    c.Fill(0);
    Tools tools(c.dc, w, kPen, kBrush);
    for (int rx = 0; rx <= 64; rx += 5)
      for (int ry = 1; ry <= 90; ry += 11)
        DrawEllipse(c.dc, 10 + 3 * rx, 8 + 2 * ry, rx, ry);
    DrawEllipse(c.dc, 120, 100, 130, 20); // cut on the left and right
    DrawEllipse(c.dc, 120, 100, 40, 150); // cut at top and bottom
    add();
    c.Fill(0);
    DrawEllipse(c.dc, 100, 90, 20000, 17000); // beyond exact integers
    DrawEllipse(c.dc, 100, 90, 16383, 16384);
    add();
  }
  EXPECT_EQ(hash, 2528885561191929860ull);
}
