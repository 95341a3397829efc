#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

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
