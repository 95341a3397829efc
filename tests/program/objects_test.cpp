// The palette, pens and brushes made once, and that nothing else is kept.
#include <gtest/gtest.h>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "tests/support/program_driver.h"

namespace {

const GraphicsStateRecord &g = GraphicsState;

TEST(Objects, InitGraphicsMakesAPenAndABrushPerColour) {
  const COLORREF expected[16] = {0x00000000, 0x00FF0000, 0x00009900, 0x00FFFF00,
                                 0x000000FF, 0x00FF00FF, 0x002A2AA5, 0x00C0C0C0,
                                 0x00808080, 0x00FFD0A0, 0x0000FF00, 0x00FFFFE0,
                                 0x006060FF, 0x009370DB, 0x0000FFFF, 0x00FFFFFF};
  const AfterInit &init = StateAfterInit();
  for (int n = 0; n < 16; ++n) {
    EXPECT_EQ(init.State.Palette[n], expected[n]) << n;
    LOGPEN pen = {};
    ASSERT_EQ(GetObjectA(g.Pens[n], sizeof pen, &pen), static_cast<int>(sizeof pen));
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pen.lopnWidth.x, 2);
    EXPECT_EQ(pen.lopnColor, expected[n]) << n;
    LOGBRUSH brush = {};
    ASSERT_EQ(GetObjectA(g.Brushes[n], sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, expected[n]) << n;
  }
  EXPECT_EQ(init.Pen, static_cast<HGDIOBJ>(g.Pens[White]));
  EXPECT_EQ(init.Brush, static_cast<HGDIOBJ>(g.Brushes[Black]));
  EXPECT_EQ(init.TextAlign, static_cast<UINT>(TA_LEFT | TA_BOTTOM));
  EXPECT_EQ(init.BkColor, 0x00000000u);
  EXPECT_EQ(init.TextColor, 0x00000000u); // the default; no SetColor yet
  EXPECT_EQ(init.NonBlackPixels, 0);
  EXPECT_EQ(init.State.CurrentColor, 0);
  EXPECT_EQ(init.State.MaxX, 0);
  EXPECT_EQ(init.State.ViewWidth, 0);
  EXPECT_EQ(init.State.ViewHeight, 0);
  EXPECT_EQ(static_cast<double>(init.State.WorldXMax), 1.0);
  EXPECT_EQ(static_cast<double>(init.State.WorldHeight), 1.0);
  EXPECT_EQ(static_cast<double>(init.State.ScaleX), 0.0);
  EXPECT_EQ(init.State.WindowDC, g.WindowDC);
}

// Thousands of ticks through every stage, in both directions and in a narrow
// window (whose filled shapes make brushes too): every tick ends in copy mode
// with the black brush selected, and the object count is what InitGraphics left.
TEST(Objects, NothingLeaksThroughThousandsOfTicks) {
  long ticks = 0;
  for (int width : {1002, 400}) {
    StartFresh(width, 400);
    // Ten rounds of 420 ticks and a click: two full cycles (the pull ends on
    // its own after 362 ticks; the reset takes the first tick of its round).
    for (int round = 0; round < 10; ++round) {
      for (int i = 0; i < 420; ++i, ++ticks) {
        Tick();
        ASSERT_EQ(GetROP2(g.WindowDC), R2_COPYPEN) << "round " << round;
        ASSERT_EQ(GetCurrentObject(g.WindowDC, OBJ_BRUSH), static_cast<HGDIOBJ>(g.Brushes[Black]));
      }
      Click();
    }
    EXPECT_EQ(AnimationState.AngleStep, 5);
    ExpectNoObjectLeaked(width == 1002 ? "after cycles at 1002 wide" : "after cycles at 400 wide");
  }
  EXPECT_GT(ticks, 8000);
}

} // namespace
