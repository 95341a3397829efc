// The palette, pens and brushes made once, and that nothing else is kept.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "tests/support/program_checks.h"

namespace {

const GraphicsStateRecord &g = GraphicsState;

// Whether the channels named in `leading` ("r", "gb", ...) are each above each
// of the others.
bool Leads(COLORREF c, const std::string &leading) {
  const int channel[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      if (leading.find("rgb"[i]) != std::string::npos &&
          leading.find("rgb"[j]) == std::string::npos && channel[i] <= channel[j])
        return false;
  return true;
}

// Each colour number is the colour its name says (so the channels are in
// COLORREF's order), and the 16 are all different.
TEST(Objects, EachColourNumberIsTheColourItsNameSays) {
  const COLORREF *palette = StateAfterInit().State.Palette;
  EXPECT_EQ(palette[Black], RGB(0, 0, 0));
  EXPECT_EQ(palette[White], RGB(255, 255, 255));
  for (const int grey : {DarkGray, LightGray}) {
    EXPECT_EQ(GetRValue(palette[grey]), GetGValue(palette[grey])) << grey;
    EXPECT_EQ(GetGValue(palette[grey]), GetBValue(palette[grey])) << grey;
  }
  EXPECT_LT(0, GetRValue(palette[DarkGray]));
  EXPECT_LT(GetRValue(palette[DarkGray]), GetRValue(palette[LightGray]));
  EXPECT_LT(GetRValue(palette[LightGray]), 255);
  const std::pair<int, const char *> leads[] = {
      {Red, "r"},        {LightRed, "r"}, {Brown, "r"},         {Green, "g"},
      {LightGreen, "g"}, {Blue, "b"},     {LightBlue, "b"},     {Cyan, "gb"},
      {LightCyan, "gb"}, {Magenta, "rb"}, {LightMagenta, "rb"}, {Yellow, "rg"}};
  for (const auto &[color, leading] : leads)
    EXPECT_TRUE(Leads(palette[color], leading)) << "colour " << color << " is 0x" << std::hex
                                                << palette[color] << ", not led by " << leading;
  for (int a = 0; a < ColorCount; ++a)
    for (int b = a + 1; b < ColorCount; ++b)
      EXPECT_NE(palette[a], palette[b]) << a << " and " << b;
}

// A solid pen two pixels wide and a solid brush in each colour of the palette;
// the brush paints in that colour.
TEST(Objects, InitGraphicsMakesAPenAndABrushPerColour) {
  const AfterInit &init = StateAfterInit();
  for (int n = 0; n < ColorCount; ++n) {
    const COLORREF color = init.State.Palette[n];
    const PenLook pen = ReadPen(g.Pens[n]);
    EXPECT_EQ(pen.Style, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pen.Width, 2);
    EXPECT_EQ(pen.Color, color) << n;
    LOGBRUSH brush = {};
    ASSERT_EQ(GetObjectA(g.Brushes[n], sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, color) << n;
  }
  StartFresh();
  for (int n = 0; n < ColorCount; ++n) {
    const RECT square = {10 * n, 100, 10 * n + 4, 104};
    FillRect(g.WindowDC, &square, g.Brushes[n]);
    EXPECT_EQ(GetPixel(g.WindowDC, 10 * n + 2, 102), init.State.Palette[n]) << n;
  }
  StartFresh();
  // Its own white pen and black brush (the pens are made again at another
  // width, in full screen or on a denser screen).
  EXPECT_EQ(init.Pen, static_cast<HGDIOBJ>(init.State.Pens[White]));
  EXPECT_EQ(init.Brush, static_cast<HGDIOBJ>(init.State.Brushes[Black]));
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
