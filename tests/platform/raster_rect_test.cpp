// Rectangle, FillRect, SetPixel/GetPixel, the sixteen ROP2 modes and the
// changed-area bookkeeping of the portable layer's raster.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "raster_canvas.h"

using rastertest::Canvas;
using rastertest::Tools;

namespace {

constexpr COLORREF kPen = 0x00FF00FF, kBrush = 0x0000FF00;

TEST(RasterRectangle, DrawingTwiceInXorRestoresAndTouchesEachPixelOnce) {
  Canvas noisy(50, 40), xorred(50, 40), copied(50, 40);
  SetROP2(noisy.dc, R2_XORPEN);
  SetROP2(xorred.dc, R2_XORPEN);
  const RECT boxes[] = {{10, 10, 30, 25},        {30, 25, 10, 10}, {5, 30, 45, 2},
                        {20, 20, 20, 20},        {20, 20, 21, 21}, {-5, -5, 60, 50},
                        {40, 35, 70, 60},        {-30, 10, 2, 12}, {0, 0, 1, 40},
                        {INT_MIN, 5, INT_MAX, 6}};
  for (int w = 0; w <= 15; ++w) {
    Tools t1(noisy.dc, w, kPen, kBrush), t2(xorred.dc, w, kPen, kBrush),
        t3(copied.dc, w, kPen, kBrush);
    for (const RECT &b : boxes) {
      noisy.Noise(uint32_t(w));
      const auto before = noisy.Pixels();
      Rectangle(noisy.dc, b.left, b.top, b.right, b.bottom);
      Rectangle(noisy.dc, b.left, b.top, b.right, b.bottom);
      ASSERT_EQ(noisy.Pixels(), before) << "w=" << w << " box " << b.left << "," << b.top;
      xorred.Fill(0);
      copied.Fill(0);
      Rectangle(xorred.dc, b.left, b.top, b.right, b.bottom);
      Rectangle(copied.dc, b.left, b.top, b.right, b.bottom);
      ASSERT_EQ(xorred.Pixels(), copied.Pixels()) << "w=" << w << " box " << b.left << "," << b.top;
    }
  }
}

// The pen straddles the outline of [left, right) x [top, bottom): w/2 pixels
// outside, the rest inside; the brush fills what is left.
TEST(RasterRectangle, PenBandIsWidthThickOnEachSide) {
  Canvas c(80, 80);
  for (int w = 0; w <= 15; ++w) {
    Tools tools(c.dc, w, kPen, kBrush);
    c.Fill(0);
    Rectangle(c.dc, 60, 65, 20, 15); // corners in reverse order
    const int thick = std::max(w, 1), out = thick / 2;
    auto expected = [&](int x, int y) -> uint32_t {
      const bool outer = x >= 20 - out && x < 60 + out && y >= 15 - out && y < 65 + out;
      const bool inner = x >= 20 - out + thick && x < 60 + out - thick && y >= 15 - out + thick &&
                         y < 65 + out - thick;
      return inner ? kBrush : (outer ? kPen : 0);
    };
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 80; ++x)
        ASSERT_EQ(c.At(x, y), expected(x, y)) << "w=" << w << " at " << x << "," << y;
  }
}

// The program's caption band: a black 2 px pen and black brush over rows 0 to
// 39 of the whole width, the box given bottom corner first.
TEST(RasterRectangle, ProgramsCaptionBarCoversTheTopForty) {
  Canvas c(1002, 583, 0x00FFFFFF);
  Tools tools(c.dc, 2, RGB(0, 0, 0), RGB(0, 0, 0));
  Rectangle(c.dc, 0, 583 - (583 - 40), 1002, 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 1002; ++x)
      ASSERT_EQ(c.At(x, y), 0u) << x << "," << y;
  for (int x = 0; x < 1002; ++x)
    ASSERT_EQ(c.At(x, 41), 0x00FFFFFFu);
  SetROP2(c.dc, R2_XORPEN); // black changes nothing in exclusive-or
  c.Fill(0x00123456);
  Rectangle(c.dc, 0, 40, 1002, 0);
  EXPECT_EQ(c.Count(0x00123456), 1002 * 583);
}

TEST(RasterFillRect, PaintsTheBoxWithoutRightAndBottomEdgesWhateverTheMixMode) {
  Canvas c(30, 20, 0x00111111);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  for (int rop : {R2_COPYPEN, R2_XORPEN, R2_NOP, R2_NOT}) {
    SetROP2(c.dc, rop);
    c.Fill(0x00111111);
    const RECT r{5, 4, 12, 9};
    ASSERT_NE(FillRect(c.dc, &r, brush), 0);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x)
        ASSERT_EQ(c.At(x, y), (x >= 5 && x < 12 && y >= 4 && y < 9) ? RGB(1, 2, 3) : 0x00111111u)
            << "rop " << rop << " at " << x << "," << y;
  }
  SetROP2(c.dc, R2_COPYPEN);
  // Runs of each length up to two eight-pixel steps and a tail, from an odd
  // column: exactly the run is painted.
  for (int width = 1; width <= 19; ++width) {
    c.Fill(0x00111111);
    const RECT run{5, 4, 5 + width, 5};
    ASSERT_NE(FillRect(c.dc, &run, brush), 0);
    EXPECT_EQ(c.Count(RGB(1, 2, 3)), width) << "run of " << width;
    EXPECT_EQ(c.At(4, 4), 0x00111111u) << "run of " << width;
    EXPECT_EQ(c.At(5 + width, 4), 0x00111111u) << "run of " << width;
  }
  c.Fill(0);
  for (const RECT &r : {RECT{12, 9, 5, 4}, RECT{5, 4, 5, 9}, RECT{INT_MAX, INT_MAX, INT_MIN, 0}}) {
    EXPECT_NE(FillRect(c.dc, &r, brush), 0);
    EXPECT_EQ(c.Count(0), 30 * 20) << "an empty or inverted box paints nothing";
  }
  const RECT all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  EXPECT_NE(FillRect(c.dc, &all, brush), 0);
  EXPECT_EQ(c.Count(RGB(1, 2, 3)), 30 * 20);
  EXPECT_EQ(FillRect(c.dc, nullptr, brush), 0);
  EXPECT_EQ(FillRect(c.dc, &all, reinterpret_cast<HBRUSH>(c.dc)), 0);
  DeleteObject(brush);
  EXPECT_EQ(FillRect(c.dc, &all, brush), 0) << "deleted brush";
}

// SetPixel mixes like any other drawing (GDI does too) and returns the colour
// it used; outside the surface both calls fail.
TEST(RasterPixels, GetAndSetPixelInsideAndOutside) {
  Canvas c(10, 10, 0x00ABCDEF);
  EXPECT_EQ(GetPixel(c.dc, 3, 4), 0x00ABCDEFu);
  EXPECT_EQ(SetPixel(c.dc, 3, 4, 0xFF123456), 0x00123456u);
  EXPECT_EQ(GetPixel(c.dc, 3, 4), 0x00123456u);
  SetROP2(c.dc, R2_XORPEN);
  EXPECT_EQ(SetPixel(c.dc, 3, 4, 0x00FF0000), 0x00FF0000u);
  EXPECT_EQ(GetPixel(c.dc, 3, 4), 0x00ED3456u);
  EXPECT_EQ(c.Count(0x00ABCDEF), 99);
  for (const POINT p :
       {POINT{-1, 0}, POINT{0, -1}, POINT{10, 0}, POINT{0, 10}, POINT{INT_MIN, 0}}) {
    EXPECT_EQ(GetPixel(c.dc, p.x, p.y), CLR_INVALID);
    EXPECT_EQ(SetPixel(c.dc, p.x, p.y, 0), CLR_INVALID);
  }
}

// Each ROP2 code is a truth table over (pen bit, old bit) (see MixedPixel).
// Every mode is checked against that, through a one-pixel pen, with colours
// whose top byte is set (it must not leak through).
TEST(RasterRop2, AllSixteenModesFollowTheirTruthTables) {
  Canvas c(4, 1);
  std::mt19937 rng(99);
  for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
    for (int i = 0; i < 50; ++i) {
      const uint32_t old = rng() & 0x00FFFFFF, pen = rng() | 0xFF000000u;
      const uint32_t expected = rastertest::MixedPixel(rop, pen, old);
      Tools tools(c.dc, 1, pen, 0);
      SetROP2(c.dc, rop);
      c.Fill(old);
      MoveToEx(c.dc, 1, 0, nullptr);
      LineTo(c.dc, 2, 0);
      ASSERT_EQ(c.At(1, 0), expected) << "rop " << rop;
      ASSERT_EQ(c.At(0, 0), old);
      ASSERT_EQ(c.At(2, 0), old);
      SetROP2(c.dc, R2_COPYPEN);
    }
  }
}

// After a primitive the changed area covers every pixel that changed and
// stays within the part of the surface the primitive reached.
TEST(RasterDirty, ChangedAreaCoversWhatChangedAndNoMore) {
  Canvas c(100, 80);
  Tools tools(c.dc, 4, kPen, kBrush);
  auto check = [&](const char *what, auto draw, vqp::PixelRect limit) {
    c.Fill(0);
    c.surface.dirty = {};
    draw();
    const vqp::PixelRect d = c.surface.dirty;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x)
        if (c.At(x, y) != 0) {
          ASSERT_TRUE(x >= d.left && x < d.right && y >= d.top && y < d.bottom)
              << what << " " << x << "," << y;
        }
    EXPECT_GE(d.left, limit.left) << what;
    EXPECT_GE(d.top, limit.top) << what;
    EXPECT_LE(d.right, limit.right) << what;
    EXPECT_LE(d.bottom, limit.bottom) << what;
  };
  check("ellipse", [&] { Ellipse(c.dc, 10, 10, 40, 30); }, {8, 8, 42, 32});
  check("rectangle", [&] { Rectangle(c.dc, 90, 70, 120, 100); }, {88, 68, 100, 80});
  check("line", [&] { MoveToEx(c.dc, 5, 50, nullptr), LineTo(c.dc, 60, 60); }, {3, 48, 63, 63});
  const RECT r{-10, 20, 30, 200};
  check("fill", [&] { FillRect(c.dc, &r, static_cast<HBRUSH>(GetCurrentObject(c.dc, OBJ_BRUSH))); },
        {0, 20, 30, 80});
  c.surface.dirty = {};
  Ellipse(c.dc, -500, -500, -400, -400);
  EXPECT_TRUE(c.surface.dirty.Empty()) << "nothing visible, nothing marked";
}

} // namespace
