#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

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
