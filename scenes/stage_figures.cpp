#include "scenes/stage_figures.h"

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"

int32_t ShownStage() {
  const AnimationStateRecord &s = AnimationState;
  // Each stage's first tick changes a variable that stays at its start value
  // until then: the pull's trace, the slide's plane, the tilt's width.
  if (s.Stage >= PullStage && s.TraceLastX > NoTracePoint)
    return PullStage;
  if (s.Stage >= SlideStage && s.PlaneX != 0.0)
    return SlideStage;
  if (s.Stage >= TiltStage && s.ApparentWidth != 1.0)
    return TiltStage;
  return RotateStage;
}

void DrawTiltFigures() {
  const AnimationStateRecord &s = AnimationState;
  const Real48 a = AngleInRadians();
  DrawPoint(s.ApparentWidth * SafeCos(a), SafeSin(a));
  if (s.ApparentWidth > 0)
    DrawEllipse(0.0, 0.0, s.ApparentWidth, 1.0, 0.005, Red);
  else
    DrawPlaneEdge(0.0);
}

void DrawSlideFigures() {
  const AnimationStateRecord &s = AnimationState;
  DrawPlaneEdge(s.PlaneX);
  DrawPoint(s.PlaneX, SafeSin(AngleInRadians()));
}

void DrawPullFigures() {
  const AnimationStateRecord &s = AnimationState;
  // The pull's own steps from where it began: the same arithmetic gives the
  // same points, and so the very pixels its ticks drew. The first tick drew
  // no segment; a pull has at most some 400 ticks.
  int32_t degrees = 0;
  Real48 x = s.PullStartX;
  Real48 lastX = 0.0, lastY = 0.0;
  SetColor(LightGray);
  for (int tick = 0; tick < 1000; ++tick) {
    StepPull(degrees, x);
    const Real48 y = SafeSin(Radians(degrees));
    if (tick > 0)
      DrawLine(lastX, lastY, x, y);
    lastX = x;
    lastY = y;
    if (x == s.PlaneX || x >= PullEnd)
      break;
  }
  if (s.PlaneX < PullEnd)
    DrawPlaneEdge(s.PlaneX);
  DrawPoint(s.PlaneX, SafeSin(AngleInRadians()));
}
