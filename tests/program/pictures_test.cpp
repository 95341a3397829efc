// Whole pictures: the opening picture, labels, narrow windows, resizing, and
// what the drawing layer leaves selected.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "tests/support/program_checks.h"

namespace {

const GraphicsStateRecord &g = GraphicsState;

SIZE Measure(const char *text) {
  SIZE size = {0, 0};
  GetTextExtentPoint32A(g.WindowDC, text, static_cast<int>(std::strlen(text)), &size);
  return size;
}

// Pixels of `color` inside the window rectangle, and in the caption band outside it.
void ExpectTextOnlyWithin(const Picture &p, COLORREF color, const RECT &box) {
  const long inside = CountColor(p, color, box.left, box.top, box.right, box.bottom);
  const long band = CountColor(p, color, 0, 0, p.Width, 40);
  EXPECT_GT(inside, 20);
  EXPECT_EQ(band, inside) << "text outside its box";
}

TEST(Pictures, TheOpeningPictureAt1002By583) {
  StartFresh(1002, 583);
  ASSERT_EQ(g.MaxX, 1002);
  ASSERT_EQ(g.MaxY, 583);
  const Picture p = TakePicture();

  // The red circle through its four extreme points, black in the middle.
  for (const POINT q :
       {WindowPixelOf(1, 0), WindowPixelOf(-1, 0), WindowPixelOf(0, 1), WindowPixelOf(0, -1)})
    EXPECT_TRUE(ColorNear(p, RedValue, q.x, q.y, 1)) << q.x << "," << q.y;
  const POINT centre = WindowPixelOf(0, 0);
  EXPECT_EQ(p.At(centre.x, centre.y), BlackValue);

  // The point at 5 degrees, white, and where it crosses the circle white over red.
  const double a = 5 * 0.01745329;
  const POINT dot = WindowPixelOf(std::cos(a), std::sin(a));
  EXPECT_GT(CountColor(p, WhiteValue, dot.x - 14, dot.y - 14, dot.x + 15, dot.y + 15), 100);
  EXPECT_GT(CountColor(p, CyanValue, dot.x - 14, dot.y - 14, dot.x + 15, dot.y + 15), 0);
  EXPECT_EQ(CountColor(p, WhiteValue, 0, 40, p.Width, p.Height),
            CountColor(p, WhiteValue, dot.x - 14, dot.y - 14, dot.x + 15, dot.y + 15))
      << "white outside the point";

  // The caption centred on (501, 20) and the prompt flush with the right edge.
  const SIZE caption = Measure("POSITIVE FREQUENCY - counter-clockwise rotation");
  const SIZE prompt = Measure("Left click to continue ");
  const int bottom = 20 + caption.cy / 2;
  ExpectTextOnlyWithin(
      p, WhiteValue,
      {501 - caption.cx / 2, bottom - caption.cy, 501 - caption.cx / 2 + caption.cx, bottom});
  ExpectTextOnlyWithin(
      p, YellowValue, {1002 - prompt.cx, 20 + prompt.cy / 2 - prompt.cy, 1002, 20 + prompt.cy / 2});
  EXPECT_TRUE(ShowsCaption("POSITIVE FREQUENCY - counter-clockwise rotation"));
}

TEST(Pictures, ANegativeOrZeroStepShowsTheNegativeCaption) {
  for (int step : {-5, 0}) {
    StartFresh();
    AnimationState.AngleStep = step;
    Paint();
    EXPECT_TRUE(ShowsCaption("NEGATIVE FREQUENCY - clockwise rotation")) << step;
  }
}

TEST(Pictures, BelowAWidthOf420TheCircleIsFilled) {
  StartFresh(419, 300);
  POINT centre = WindowPixelOf(0, 0);
  EXPECT_EQ(TakePicture().At(centre.x, centre.y), RedValue);
  StartFresh(420, 300);
  centre = WindowPixelOf(0, 0);
  EXPECT_EQ(TakePicture().At(centre.x, centre.y), BlackValue);

  // The narrowing path of stage 1 is filled too, until the line replaces it.
  StartFresh(400, 300);
  centre = WindowPixelOf(0, 0);
  ClickAndTick({60});
  EXPECT_EQ(TakePicture().At(centre.x, centre.y), RedValue);
  const Picture filled = TakePicture();
  const POINT side = WindowPixelOf(0.3, 0);
  EXPECT_EQ(filled.At(side.x, side.y), RedValue);
  Tick(40);
  EXPECT_EQ(TakePicture().At(side.x, side.y), BlackValue);
}

TEST(Pictures, AResizeRepaintsTheStageAsItStands) {
  const int sizes[][2] = {{700, 450}, {1002, 583}, {520, 700}, {900, 500}};
  const char *captions[] = {"POSITIVE FREQUENCY - counter-clockwise rotation",
                            "rotate plane of rotation until seen from the side",
                            "move the plane of rotation over",
                            "pull the rotating point at a constant rate - note the sine formed"};
  for (int stage = 0; stage < 4; ++stage) {
    StartFresh(800, 500);
    for (int i = 0; i < stage; ++i)
      ClickAndTick({stage == 3 && i < 2 ? 200 : 40});
    ASSERT_EQ(AnimationState.Stage, stage);
    SetClientSize(sizes[stage][0], sizes[stage][1]);
    EXPECT_EQ(g.MaxX, sizes[stage][0]);
    EXPECT_EQ(g.MaxY, sizes[stage][1]);
    EXPECT_EQ(KeptThroughARepaint("stage " + std::to_string(stage)).Width, sizes[stage][0]);
    EXPECT_TRUE(ShowsCaption(captions[stage])) << stage;
    // The stage goes on from its own variables on that picture.
    Tick();
    EXPECT_EQ(AnimationState.Stage, stage);
  }
}

TEST(Labels, TextIsOpaqueOnBlackInTheLastColour) {
  StartFresh(600, 300);
  SetColor(White);
  FillBar(0, 0, 600, 300);
  SetColor(Red);
  SetROP2(g.WindowDC, R2_XORPEN); // text ignores the mix mode
  DrawLabel(100, 150, "Negative frequency", "LB");
  SetROP2(g.WindowDC, R2_COPYPEN);
  const SIZE size = Measure("Negative frequency");
  const Picture p = TakePicture();
  const int left = 100, bottom = 300 - 150;
  const RECT box = {left, bottom - size.cy, left + size.cx, bottom};
  EXPECT_GT(CountColor(p, RedValue, box.left, box.top, box.right, box.bottom), 20);
  EXPECT_GT(CountColor(p, BlackValue, box.left, box.top, box.right, box.bottom), 20);
  EXPECT_EQ(CountColor(p, WhiteValue, box.left, box.top, box.right, box.bottom), 0);
  const long boxArea = static_cast<long>(size.cx) * size.cy;
  EXPECT_EQ(CountColor(p, WhiteValue, 0, 0, 600, 300), 600L * 300 - boxArea) << "outside the box";
}

TEST(Labels, TextsOver255CharactersAreCut) {
  StartFresh(600, 300);
  std::string text(255, 'i');
  const SIZE kept = Measure(text.c_str());
  text += std::string(100, 'W');
  SetColor(White);
  FillBar(0, 0, 600, 300);
  SetColor(Red);
  // Drawn so that the kept characters end at column 300.
  DrawLabel(300 - kept.cx, 150, text.c_str(), "LB");
  EXPECT_EQ(std::strlen(g.LabelBuffer), 255u);
  EXPECT_EQ(std::string(g.LabelBuffer), text.substr(0, 255));
  const Picture p = TakePicture();
  EXPECT_GT(CountColor(p, BlackValue, 290, 0, 300, 300), 0);
  EXPECT_EQ(CountColor(p, WhiteValue, 300, 0, 600, 300), 300L * 300) << "drawn past the cut";
}

TEST(Colours, NumbersOutsideTheRangeAreTakenModulo16) {
  StartFresh(400, 300);
  SetColor(16 + Red);
  EXPECT_EQ(g.CurrentColor, Red);
  EXPECT_EQ(GetCurrentObject(g.WindowDC, OBJ_PEN), static_cast<HGDIOBJ>(g.Pens[Red]));
  EXPECT_EQ(GetTextColor(g.WindowDC), RedValue);
  SetColor(-1);
  EXPECT_EQ(g.CurrentColor, White);
  EXPECT_EQ(GetTextColor(g.WindowDC), WhiteValue);
  SetColor(1000 * 16 + Yellow);
  FillBar(10, 10, 50, 50);
  ScreenCircle(200, 150, 20, 0, -16 + Red);
  const Picture p = TakePicture();
  EXPECT_EQ(p.At(30, 300 - 30), YellowValue);
  EXPECT_EQ(p.At(200, 150), RedValue);
  ExpectNoObjectLeaked("after colours out of range");
}

// With ScaleX 200 and ScaleY 100 (a client area of 840 by 250): dots and pen
// widths follow ScaleX, an ellipse's half-axes follow their own scales.
TEST(Shapes, DotsStayRoundAndPensFollowTheHorizontalScale) {
  StartFresh(840, 250);
  ASSERT_NEAR(g.ScaleX, 200, 1e-6);
  ASSERT_EQ(static_cast<double>(g.ScaleY), 100.0);
  ClearScreen();
  const POINT c = WindowPixelOf(0, 0);
  DrawEllipse(0, 0, 1, 1, 0.005, Red); // 400 by 200 pixels, a one-pixel outline
  Picture p = TakePicture();
  EXPECT_EQ(p.At(c.x, c.y), BlackValue);
  EXPECT_TRUE(ColorNear(p, RedValue, c.x - 200, c.y, 1));
  EXPECT_TRUE(ColorNear(p, RedValue, c.x + 200, c.y, 1));
  EXPECT_TRUE(ColorNear(p, RedValue, c.x, c.y - 100, 1));
  EXPECT_FALSE(ColorNear(p, RedValue, c.x, c.y - 120, 15));

  ClearScreen();
  DrawDot(0, 0, 0.5, 0.001, Yellow); // radius 100 pixels both ways, filled
  p = TakePicture();
  for (const POINT q :
       {POINT{c.x + 95, c.y}, POINT{c.x - 95, c.y}, POINT{c.x, c.y + 95}, POINT{c.x, c.y - 95}})
    EXPECT_EQ(p.At(q.x, q.y), YellowValue) << q.x << "," << q.y;
  EXPECT_EQ(p.At(c.x + 110, c.y), BlackValue);
}

TEST(Shapes, WhatEachPrimitiveLeavesSelected) {
  StartFresh(400, 300);
  const HDC dc = g.WindowDC;
  SetColor(Red);
  const PenLook pen = ReadPen(GetCurrentObject(dc, OBJ_PEN));
  EXPECT_EQ(pen.Width, 2);
  EXPECT_EQ(pen.Color, RedValue);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), static_cast<HGDIOBJ>(g.Brushes[Black]));

  DrawDot(0, 0, 0.03, 0.05, Yellow);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), static_cast<HGDIOBJ>(g.Pens[White]));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), static_cast<HGDIOBJ>(g.Brushes[Black]));
  EXPECT_EQ(g.CurrentColor, Red);

  // A bar now fills in CurrentColor but leaves the black brush selected.
  FillBar(10, 10, 40, 40);
  EXPECT_EQ(TakePicture().At(25, 300 - 25), RedValue);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), static_cast<HGDIOBJ>(g.Brushes[Black]));

  // ClearScreen blackens everything in exclusive-or mode as well.
  SetROP2(dc, R2_XORPEN);
  ClearScreen();
  SetROP2(dc, R2_COPYPEN);
  EXPECT_EQ(CountColor(TakePicture(), BlackValue, 0, 0, 400, 300), 400L * 300);
}

} // namespace
