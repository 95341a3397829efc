// LineTo on the portable layer: the pixels of thin and wide lines, exclusive-or
// restore, joints of polylines, thickness, clipping.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

#include "raster_canvas.h"

using rastertest::Canvas;
using rastertest::Tools;

namespace {

constexpr COLORREF kPen = 0x0000C0FF;
constexpr double kPi = 3.14159265358979323846;

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

// What a line covers on a width x height surface, worked out point by point:
// the Bresenham path (the minor coordinate rounded half away from the start),
// each point stamped with the w x w square, without the end point's square.
std::vector<char> Stamped(int x0, int y0, int x1, int y1, int w, int width, int height) {
  const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0), n = std::max(dx, dy);
  const int sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
  const int before = w / 2, after = w - 1 - before;
  std::vector<char> covered(size_t(width) * height, 0);
  if (n == 0)
    return covered; // nothing at all
  auto stamp = [&](int x, int y, char value) {
    for (int j = y - before; j <= y + after; ++j)
      for (int i = x - before; i <= x + after; ++i)
        if (i >= 0 && i < width && j >= 0 && j < height)
          covered[size_t(j) * width + i] = value;
  };
  for (int t = 0; t <= n; ++t) {
    if (dx > dy)
      stamp(x0 + sx * t, y0 + sy * ((t * dy + n / 2) / n), 1);
    else
      stamp(x0 + sx * ((t * dx + n / 2) / n), y0 + sy * t, 1);
  }
  stamp(x1, y1, 0); // the end point's square, taken out once all are in
  return covered;
}

TEST(RasterLine, CoversTheStampedBresenhamPath) {
  Canvas c(48, 40);
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> coord(-20, 70);
  for (int w : {0, 1, 2, 3, 4, 5, 6, 10}) {
    Tools tools(c.dc, w, kPen, 0);
    for (int i = 0; i < 300; ++i) {
      const int x0 = coord(rng), y0 = coord(rng);
      // One line in four horizontal, one in four vertical.
      const int x1 = i % 4 == 1 ? x0 : coord(rng), y1 = i % 4 == 0 ? y0 : coord(rng);
      c.Fill(0);
      Line(c.dc, x0, y0, x1, y1);
      const auto expected = Stamped(x0, y0, x1, y1, std::max(w, 1), 48, 40);
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 48; ++x)
          ASSERT_EQ(c.At(x, y) == kPen, expected[size_t(y) * 48 + x] == 1)
              << "w=" << w << " (" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << ") at " << x
              << "," << y;
    }
  }
}

// Every octant and the axes, lengths 0, 1, 2 and long, from points inside and
// outside the surface.
TEST(RasterLine, DrawingTwiceInXorRestoresAndTouchesEachPixelOnce) {
  Canvas noisy(50, 40), xorred(50, 40), copied(50, 40);
  SetROP2(noisy.dc, R2_XORPEN);
  SetROP2(xorred.dc, R2_XORPEN);
  const int directions[][2] = {{1, 0},  {2, 1},  {1, 1},  {1, 2},   {0, 1},   {-1, 2},
                               {-1, 1}, {-2, 1}, {-1, 0}, {-2, -1}, {-1, -1}, {-1, -2},
                               {0, -1}, {1, -2}, {1, -1}, {2, -1},  {7, 3},   {-3, 7}};
  const int starts[][2] = {{25, 20}, {0, 0}, {49, 39}, {-10, 15}, {30, 55}};
  // Every width the program's lines have at any scale up to 4K (2 x s), and more.
  for (int w : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12}) {
    Tools t1(noisy.dc, w, kPen, 0), t2(xorred.dc, w, kPen, 0), t3(copied.dc, w, kPen, 0);
    for (const auto &d : directions) {
      for (int length : {0, 1, 2, 5, 30, 300}) {
        for (const auto &s : starts) {
          const int x1 = s[0] + d[0] * length, y1 = s[1] + d[1] * length;
          noisy.Noise(uint32_t(w * 7 + length));
          const auto before = noisy.Pixels();
          Line(noisy.dc, s[0], s[1], x1, y1);
          Line(noisy.dc, s[0], s[1], x1, y1);
          ASSERT_EQ(noisy.Pixels(), before) << "w=" << w << " to " << x1 << "," << y1;

          xorred.Fill(0);
          copied.Fill(0);
          Line(xorred.dc, s[0], s[1], x1, y1);
          Line(copied.dc, s[0], s[1], x1, y1);
          ASSERT_EQ(xorred.Pixels(), copied.Pixels()) << "w=" << w << " to " << x1 << "," << y1;
          if (length == 0) {
            ASSERT_EQ(copied.Count(0), 50 * 40);
          }
        }
      }
    }
  }
}

TEST(RasterLine, ThinLineStopsBeforeItsLastPointAndMovesThePosition) {
  Canvas c(40, 40);
  Tools tools(c.dc, 1, kPen, 0);
  for (const auto &end : {std::pair{30, 25}, std::pair{5, 32}, std::pair{20, 5}}) {
    c.Fill(0);
    POINT previous{-1, -1};
    MoveToEx(c.dc, 20, 20, nullptr);
    LineTo(c.dc, end.first, end.second);
    EXPECT_EQ(c.At(20, 20), kPen);
    EXPECT_EQ(c.At(end.first, end.second), 0u);
    EXPECT_EQ(c.Count(kPen), std::max(std::abs(end.first - 20), std::abs(end.second - 20)));
    MoveToEx(c.dc, 0, 0, &previous);
    EXPECT_EQ(previous.x, end.first);
    EXPECT_EQ(previous.y, end.second);
  }
}

// Width w: w rows across a horizontal line, w columns across a vertical one,
// w/2 of them before the line's own row or column.
TEST(RasterLine, StrokeIsWidthPixelsThickAcrossHorizontalAndVerticalLines) {
  Canvas c(60, 60);
  for (int w = 0; w <= 15; ++w) {
    Tools tools(c.dc, w, kPen, 0);
    const int thick = std::max(w, 1), first = 30 - thick / 2;
    c.Fill(0);
    Line(c.dc, 5, 30, 55, 30);
    for (int y = 0; y < 60; ++y)
      EXPECT_EQ(c.At(30, y) == kPen, y >= first && y < first + thick) << "w=" << w << " y=" << y;
    c.Fill(0);
    Line(c.dc, 30, 58, 30, 2);
    for (int x = 0; x < 60; ++x)
      EXPECT_EQ(c.At(x, 30) == kPen, x >= first && x < first + thick) << "w=" << w << " x=" << x;
  }
}

// A trace drawn left to right, one segment per step, in exclusive-or over
// black, like the program's sine: every joint is met once, so each pixel ends
// up black or the pen's colour and the picture equals the same polyline copied.
TEST(RasterLine, PolylineInXorHasNoHolesAndNoDoubleTouchedJoints) {
  struct Trace {
    double amplitude;
    int xStep;
    double angleStepDeg;
  };
  for (const Trace &tr : {Trace{230, 2, 3}, Trace{230, 1, 2}, Trace{100, 3, 5}, Trace{40, 1, 7},
                          Trace{200, 5, 4}, Trace{15, 2, 20}, Trace{230, 2, 1}}) {
    Canvas xorred(1000, 500), copied(1000, 500);
    SetROP2(xorred.dc, R2_XORPEN);
    Tools t1(xorred.dc, 2, kPen, 0), t2(copied.dc, 2, kPen, 0);
    auto pointAt = [&](int i) {
      return POINT{10 + i * tr.xStep,
                   250 -
                       int(std::lround(tr.amplitude * std::sin(i * tr.angleStepDeg * kPi / 180)))};
    };
    const int steps = (980 / tr.xStep);
    for (int i = 0; i < steps; ++i) {
      const POINT a = pointAt(i), b = pointAt(i + 1);
      Line(xorred.dc, a.x, a.y, b.x, b.y);
      Line(copied.dc, a.x, a.y, b.x, b.y);
    }
    for (int y = 0; y < 500; ++y)
      for (int x = 0; x < 1000; ++x)
        ASSERT_TRUE(xorred.At(x, y) == 0 || xorred.At(x, y) == kPen)
            << "amplitude " << tr.amplitude << " step " << tr.xStep << " at " << x << "," << y;
    ASSERT_EQ(xorred.Pixels(), copied.Pixels()) << "amplitude " << tr.amplitude;
    // A band at least two pixels thick in every column it passes.
    const int lastX = pointAt(steps).x;
    for (int x = 10; x < lastX - 1; ++x) {
      int n = 0;
      for (int y = 0; y < 500; ++y)
        n += copied.At(x, y) == kPen;
      ASSERT_GE(n, 2) << "column " << x;
    }
  }
}

TEST(RasterLine, ExtremeCoordinatesAreClippedSafely) {
  Canvas c(64, 48);
  for (int w : {1, 2, 10000, INT_MAX}) {
    Tools tools(c.dc, w, kPen, 0);
    SetROP2(c.dc, R2_XORPEN);
    const int lines[][4] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                            {INT_MAX, 10, INT_MIN, 10},
                            {20, INT_MIN, 21, INT_MAX},
                            {INT_MIN, INT_MAX, INT_MAX, INT_MIN + 7}};
    for (const auto &l : lines) {
      c.Noise(3);
      const auto before = c.Pixels();
      Line(c.dc, l[0], l[1], l[2], l[3]);
      EXPECT_NE(c.Pixels(), before) << w;
      Line(c.dc, l[0], l[1], l[2], l[3]);
      EXPECT_EQ(c.Pixels(), before) << w;
    }
    SetROP2(c.dc, R2_COPYPEN);
  }
  // The exact diagonal stays exact across the whole 32-bit range.
  Tools thin(c.dc, 1, kPen, 0);
  c.Fill(0);
  Line(c.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(c.Count(kPen), 48);
  for (int k = 0; k < 48; ++k)
    EXPECT_EQ(c.At(k, k), kPen) << k;
}

} // namespace
