// The clip rectangle of a device context: every primitive, FillRect, TextOutA
// and SetPixel draw inside it exactly what they draw without it, and nothing
// outside; exclusive-or still restores; the calls that set it answer as GDI's.
#include <gtest/gtest.h>

#include <vector>

#include "raster_canvas.h"

using rastertest::Canvas;
using rastertest::Tools;

namespace {

constexpr RECT kClip = {13, 9, 47, 31};
constexpr COLORREF kPen = 0x0000C0FF, kBrush = 0x00408020;

bool Inside(int x, int y) {
  return x >= kClip.left && x < kClip.right && y >= kClip.top && y < kClip.bottom;
}

// Shapes that cross the clip's edges from every side, some wholly outside, one
// whose pen reaches the clip's left and right columns exactly at w = 5; and a
// FillRect (which ignores the mix mode) when asked.
void DrawAll(HDC dc, bool fill = true) {
  Ellipse(dc, 5, 3, 40, 25);
  Ellipse(dc, 30, 20, 70, 50);
  Ellipse(dc, 15, 12, 45, 28);
  Rectangle(dc, 10, 28, 60, 36);
  Rectangle(dc, 50, 0, 60, 8);
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, 60, 40);
  LineTo(dc, 20, 2);
  LineTo(dc, 14, 39);
  const RECT box = {40, 5, 55, 15};
  if (fill)
    FillRect(dc, &box, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  SetPixel(dc, 20, 20, kPen);
  SetPixel(dc, 2, 2, kPen);
}

TEST(Clip, EveryPrimitiveDrawsInsideAsWithoutItAndNothingOutside) {
  for (int rop : {R2_COPYPEN, R2_XORPEN}) {
    for (int w : {1, 2, 5, 9}) {
      Canvas clipped(64, 48), whole(64, 48);
      clipped.Noise(uint32_t(w));
      const std::vector<uint32_t> before = clipped.Pixels();
      Tools t1(clipped.dc, w, kPen, kBrush), t2(whole.dc, w, kPen, kBrush);
      EXPECT_EQ(IntersectClipRect(clipped.dc, kClip.left, kClip.top, kClip.right, kClip.bottom),
                SIMPLEREGION);
      for (Canvas *k : {&clipped, &whole}) {
        k->Noise(uint32_t(w));
        SetROP2(k->dc, rop);
        DrawAll(k->dc);
        SetBkColor(k->dc, kBrush);
        TextOutA(k->dc, 8, 12, "Left click", 10);
      }
      for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
          ASSERT_EQ(clipped.At(x, y), Inside(x, y) ? whole.At(x, y) : before[size_t(y) * 64 + x])
              << "rop " << rop << ", w=" << w << " at " << x << "," << y;
      // What changed is marked for the screen, and only inside the clip.
      const vqp::PixelRect d = clipped.surface.dirty;
      EXPECT_TRUE(d.left >= kClip.left && d.top >= kClip.top && d.right <= kClip.right &&
                  d.bottom <= kClip.bottom);
      if (rop == R2_XORPEN) {
        // The shapes twice (the text and FillRect paint opaque): the picture is back.
        Canvas again(64, 48);
        again.Noise(uint32_t(w));
        Tools t3(again.dc, w, kPen, kBrush);
        SetROP2(again.dc, R2_XORPEN);
        IntersectClipRect(again.dc, kClip.left, kClip.top, kClip.right, kClip.bottom);
        DrawAll(again.dc, false);
        DrawAll(again.dc, false);
        EXPECT_EQ(again.Pixels(), before) << "w=" << w;
      }
    }
  }
}

TEST(Clip, IntersectingNarrowsItAndSelectingNoRegionTakesItAway) {
  Canvas c(64, 48, 0);
  RECT box{};
  EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
  EXPECT_TRUE(box.left == 0 && box.top == 0 && box.right == 64 && box.bottom == 48);
  EXPECT_EQ(IntersectClipRect(c.dc, -10, 5, 30, 100), SIMPLEREGION);
  EXPECT_EQ(IntersectClipRect(c.dc, 20, -5, 90, 40), SIMPLEREGION);
  EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
  EXPECT_TRUE(box.left == 20 && box.top == 5 && box.right == 30 && box.bottom == 40);
  // A disjoint rectangle leaves nothing to draw in.
  EXPECT_EQ(IntersectClipRect(c.dc, 40, 0, 50, 10), NULLREGION);
  EXPECT_EQ(GetClipBox(c.dc, &box), NULLREGION);
  const RECT all = {0, 0, 64, 48};
  FillRect(c.dc, &all, static_cast<HBRUSH>(GetCurrentObject(c.dc, OBJ_BRUSH)));
  EXPECT_EQ(c.Count(0), 64 * 48);
  EXPECT_EQ(SetPixel(c.dc, 45, 5, kPen), CLR_INVALID);
  // Only taking the clip away is possible; a region handle is refused.
  EXPECT_EQ(SelectClipRgn(c.dc, reinterpret_cast<HRGN>(uintptr_t(0x1234))), ERROR);
  EXPECT_EQ(SelectClipRgn(c.dc, nullptr), SIMPLEREGION);
  FillRect(c.dc, &all, static_cast<HBRUSH>(GetCurrentObject(c.dc, OBJ_BRUSH)));
  EXPECT_EQ(c.Count(0x00FFFFFF), 64 * 48);
  EXPECT_EQ(IntersectClipRect(nullptr, 0, 0, 1, 1), ERROR);
  EXPECT_EQ(GetClipBox(c.dc, nullptr), ERROR);
}

} // namespace
