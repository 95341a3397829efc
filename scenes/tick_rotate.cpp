// Stage 0: the point turns on the circle, counter-clockwise for a positive
// AngleStep and clockwise for a negative one. It never ends by itself.
#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

const char *RotateCaption() {
  return AnimationState.AngleStep > 0 ? PositiveCaption : NegativeCaption;
}

void DrawRotateFigures() {
  DrawPath(1.0);
  const Real48 a = AngleInRadians();
  DrawPoint(SafeCos(a), SafeSin(a));
}

void TickRotate() {
  const HDC dc = GraphicsState.WindowDC;
  SetROP2(dc, R2_XORPEN);
  Real48 a = AngleInRadians();
  DrawPoint(SafeCos(a), SafeSin(a));
  AdvanceAngle(AnimationState.AngleStep);
  a = AngleInRadians();
  DrawPoint(SafeCos(a), SafeSin(a));
  SetROP2(dc, R2_COPYPEN);
}
