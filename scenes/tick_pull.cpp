// Stage 3: the edge-on plane is pulled right at a constant rate and the
// point's positions are joined into a light-grey trace, a sine. The stage
// ends by itself once the plane has left the picture.
#include <cstdlib>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/picture_settings.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

namespace {

// The pull ends once the plane has reached x = 2, just inside the right edge.
constexpr double PullEnd = 2.0;
// A TraceLastX at or left of this marks a pull that has not started yet.
constexpr double PullNotStarted = -2.0;
// More ticks than any pull has (from the left edge, some 360), so that a
// repaint's replay of the trace always ends.
constexpr int MostPullTicks = 1000;

// One tick of the pull: the plane moves right and the point turns by the
// size of AngleStep in the designed lesson (both directions trace the same
// rising sine), by AngleStep itself in the full lesson (the clockwise turn
// traces the sine half a period later: it starts downward).
void StepPull(int32_t &angleDeg, Real48 &planeX) {
  const int32_t step = AnimationState.AngleStep;
  angleDeg = AddAngle(angleDeg, PictureSettings().FullLesson ? step : std::abs(step));
  planeX = planeX + AnimationState.PlaneStep;
}

} // namespace

void ReplayPull(const std::function<void(int32_t tick, Real48 x, int32_t degrees)> &visit) {
  const AnimationStateRecord &s = AnimationState;
  int32_t degrees = 0;
  Real48 x = s.PullStartX;
  for (int32_t tick = 0; tick < MostPullTicks; ++tick) {
    StepPull(degrees, x);
    visit(tick, x, degrees);
    if (x == s.PlaneX || x >= PullEnd)
      break;
  }
}

// The trace so far, recomputed from PullStartX tick by tick as the pull drew
// it (the same arithmetic gives the very pixels its ticks drew; the first
// tick drew no segment), the plane while it is in the picture, and the point.
void DrawPullFigures() {
  const AnimationStateRecord &s = AnimationState;
  Real48 lastX = 0.0, lastY = 0.0;
  SetColor(LightGray);
  ReplayPull([&](int32_t tick, Real48 x, int32_t degrees) {
    const Real48 y = SafeSin(Radians(degrees));
    if (tick > 0)
      DrawLine(lastX, lastY, x, y);
    lastX = x;
    lastY = y;
  });
  if (s.PlaneX < PullEnd)
    DrawPlaneEdge(s.PlaneX);
  DrawPoint(s.PlaneX, SafeSin(AngleInRadians()));
}

bool PullHasDrawn() { return AnimationState.TraceLastX > NoTracePoint; }
void UndoPull() { AnimationState.TraceLastX = NoTracePoint; }

// The pull run to its end, as its ticks would leave it, from where it began
// (or from the plane, when it has not begun).
void FinishPull() {
  AnimationStateRecord &s = AnimationState;
  if (!PullHasDrawn())
    s.PullStartX = s.PlaneX;
  s.PlaneX = s.PullStartX;
  s.AngleDeg = 0;
  do
    StepPull(s.AngleDeg, s.PlaneX);
  while (s.PlaneX < PullEnd);
  s.TraceLastX = s.PlaneX;
  s.TraceLastY = SafeSin(AngleInRadians());
}

namespace {

// The first tick wipes the earlier stages away and sets up the caption band,
// the plane and the point at angle 0. The band comes first: its labels are
// opaque, and in a window under 400 pixels high the plane reaches into them,
// so a plane drawn before them would be cut there and its erase would leave
// a piece of red line in the caption.
void StartPull() {
  AnimationStateRecord &s = AnimationState;
  ClearScreen();
  s.AngleDeg = 0;
  s.PullStartX = s.PlaneX;
  DrawCaptionBand(PullCaption);
  SetROP2(GraphicsState.WindowDC, R2_XORPEN);
  DrawPoint(s.PlaneX, 0.0);
  DrawPlaneEdge(s.PlaneX);
}

} // namespace

void TickPull() {
  AnimationStateRecord &s = AnimationState;
  const HDC dc = GraphicsState.WindowDC;
  if (s.PlaneX >= PullEnd)
    return;
  if (s.TraceLastX <= PullNotStarted)
    StartPull();
  SetROP2(dc, R2_XORPEN);
  DrawPoint(s.PlaneX, SafeSin(AngleInRadians()));
  DrawPlaneEdge(s.PlaneX);
  StepPull(s.AngleDeg, s.PlaneX);
  DrawPlaneEdge(s.PlaneX);
  if (s.PlaneX >= PullEnd)
    DrawPlaneEdge(s.PlaneX); // the plane leaves the picture
  const Real48 y = SafeSin(AngleInRadians());
  DrawPoint(s.PlaneX, y);
  if (s.TraceLastX > NoTracePoint) {
    SetColor(LightGray);
    DrawLine(s.TraceLastX, s.TraceLastY, s.PlaneX, y);
  }
  s.TraceLastX = s.PlaneX;
  s.TraceLastY = y;
  SetROP2(dc, R2_COPYPEN);
}
