#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "scenes/stage_figures.h"
#include "scenes/stages.h"

namespace {

// The path of the point while the plane turns: width ApparentWidth, height 1.
void DrawPath() { DrawEllipse(0.0, 0.0, AnimationState.ApparentWidth, 1.0, 0.005, Red); }

} // namespace

void TickTilt() {
  AnimationStateRecord &s = AnimationState;
  const HDC dc = GraphicsState.WindowDC;
  Real48 a = AngleInRadians();
  if (s.StageEntered) {
    // The circle and the point come off before the band and go back on it: at
    // the width of 1 the tilt's figures are the opening picture's.
    DrawCaptionBandBetween(TiltCaption, DrawTiltFigures, DrawTiltFigures);
  }
  SetROP2(dc, R2_XORPEN);
  // The point is erased with the width it was drawn with, before that changes.
  DrawPoint(s.ApparentWidth * SafeCos(a), SafeSin(a));
  if (s.ApparentWidth > 0) {
    DrawPath();
    s.ApparentWidth = s.ApparentWidth - s.WidthStep;
    if (s.ApparentWidth > 0)
      DrawPath();
    else
      DrawPlaneEdge(0.0);
  }
  AdvanceAngle(s.AngleStep);
  a = AngleInRadians();
  DrawPoint(s.ApparentWidth * SafeCos(a), SafeSin(a));
  SetROP2(dc, R2_COPYPEN);
}
