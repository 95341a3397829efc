#include "app/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
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
    // The band's labels are opaque, and in a window under 400 pixels high the
    // path and the point reach into them: they are lifted off before the band
    // and put back on it, so that erasing them later leaves the caption whole.
    SetROP2(dc, R2_XORPEN);
    DrawPoint(s.ApparentWidth * SafeCos(a), SafeSin(a));
    DrawPath();
    SetROP2(dc, R2_COPYPEN);
    DrawCaptionBand(TiltCaption);
    SetROP2(dc, R2_XORPEN);
    DrawPath();
    DrawPoint(s.ApparentWidth * SafeCos(a), SafeSin(a));
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
