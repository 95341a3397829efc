// Stage 5 of the full lesson: both frequencies at once. Two points start
// together at angle 0 and turn at the same rate, one counter-clockwise and one
// clockwise, each on a circle of half the radius: e^{ja} / 2 and e^{-ja} / 2.
// Added head to tail (the parallelogram they span), their heights, equal and
// opposite, cancel (the grey line joining them), and their widths add: the
// sum, the white mark, moves only along the real axis from one side of the
// circle to the other, cos a. A real signal is both frequencies together.
#include <cstdlib>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/mapping.h"
#include "graphics/shapes.h"
#include "scenes/catalogue.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

namespace {

constexpr double Half = 0.5;     // the radius each turn has
constexpr double AxisEnd = 1.15; // the real axis, across the circle

// The circle, the half circle the points turn on, and the real axis.
void DrawStill() {
  DrawPath(1.0);
  DrawEllipse(0.0, 0.0, Half, Half, PathPenWidth, DarkGray);
  SetColor(LightBlue);
  DrawLine(-AxisEnd, 0.0, AxisEnd, 0.0);
}

// What moves, at the angle: the two turns, the parallelogram of their sum,
// the heights that cancel, and the sum.
void DrawMoving() {
  const Real48 a = AngleInRadians();
  const double x = Half * SafeCos(a), y = Half * SafeSin(a), sum = 2 * x;
  SetColor(LightMagenta);
  DrawLine(0.0, 0.0, x, y);
  DrawLine(x, -y, sum, 0.0);
  SetColor(LightCyan);
  DrawLine(0.0, 0.0, x, -y);
  DrawLine(x, y, sum, 0.0);
  SetColor(DarkGray);
  DrawLine(x, y, x, -y);
  DrawDot(x, y, 0.03, 0.05, LightMagenta);
  DrawDot(x, -y, 0.03, 0.05, LightCyan);
  DrawPoint(sum, 0.0);
}

void DrawAxisLabel() {
  SetColor(LightBlue);
  const PixelPoint end = WorldToScreen(AxisEnd + 0.03, 0.0);
  DrawLabel(end.X, end.Y, Translated(RealLabel), "LC");
}

} // namespace

void DrawTogetherFigures() {
  DrawStill();
  DrawMoving();
}

// The caption band first and the label last: both are opaque, and the
// figures by exclusive-or between them.
void DrawTogetherPicture() {
  const HDC dc = GraphicsState.WindowDC;
  SetROP2(dc, R2_COPYPEN);
  DrawCaptionBand(TogetherCaption);
  SetROP2(dc, R2_XORPEN);
  DrawTogetherFigures();
  DrawAxisLabel();
}

bool TogetherHasDrawn() { return AnimationState.Together; }
void UndoTogether() { AnimationState.Together = false; }

void TickTogether() {
  AnimationStateRecord &s = AnimationState;
  const HDC dc = GraphicsState.WindowDC;
  if (!s.Together) {
    // The turned view's labels are opaque: the picture starts afresh.
    s.Together = true;
    s.AngleDeg = 0;
    ClearScreen();
    DrawTogetherPicture();
  }
  SetROP2(dc, R2_XORPEN);
  DrawMoving();
  AdvanceAngle(std::abs(s.AngleStep));
  DrawMoving();
  SetROP2(dc, R2_COPYPEN);
}
