// Stage 1: the plane of rotation turns about the vertical axis until it is
// seen edge-on; the circle narrows over 100 ticks into the red line.
#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

// The path at ApparentWidth (the edge-on line once it is 0 or less) and the
// point on it. At the width of 1 these are the opening picture's.
void DrawTiltFigures() {
  const AnimationStateRecord &s = AnimationState;
  const Real48 a = AngleInRadians();
  DrawPoint(s.ApparentWidth * SafeCos(a), SafeSin(a));
  if (s.ApparentWidth > 0)
    DrawPath(s.ApparentWidth);
  else
    DrawPlaneEdge(0.0);
}

bool TiltHasDrawn() { return AnimationState.ApparentWidth != 1.0; }
void UndoTilt() { AnimationState.ApparentWidth = 1.0; }

// The plane edge-on (the first width at or below 0), the point turned as far
// as the tilt's ticks turn it.
void FinishTilt() {
  AnimationStateRecord &s = AnimationState;
  for (s.ApparentWidth = 1.0; s.ApparentWidth > 0; AdvanceAngle(s.AngleStep))
    s.ApparentWidth = s.ApparentWidth - s.WidthStep;
}

void TickTilt() {
  AnimationStateRecord &s = AnimationState;
  Real48 a = AngleInRadians();
  BeginStageTick();
  // The point is erased with the width it was drawn with, before that changes.
  DrawPoint(s.ApparentWidth * SafeCos(a), SafeSin(a));
  if (s.ApparentWidth > 0) {
    DrawPath(s.ApparentWidth);
    s.ApparentWidth = s.ApparentWidth - s.WidthStep;
    if (s.ApparentWidth > 0)
      DrawPath(s.ApparentWidth);
    else
      DrawPlaneEdge(0.0);
  }
  AdvanceAngle(s.AngleStep);
  a = AngleInRadians();
  DrawPoint(s.ApparentWidth * SafeCos(a), SafeSin(a));
  SetROP2(GraphicsState.WindowDC, R2_COPYPEN);
}
