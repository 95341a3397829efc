#include "app/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

// The plane stops once it has passed x = -2, just inside the left edge.
constexpr double SlideEnd = -2.0;

void TickSlide() {
  AnimationStateRecord &s = AnimationState;
  const HDC dc = GraphicsState.WindowDC;
  if (s.StageEntered)
    DrawCaptionBand(SlideCaption);
  SetROP2(dc, R2_XORPEN);
  Real48 a = AngleInRadians();
  DrawPoint(s.PlaneX, SafeSin(a));
  AdvanceAngle(s.AngleStep);
  if (s.PlaneX > SlideEnd) {
    DrawPlaneEdge(s.PlaneX);
    s.PlaneX = s.PlaneX - s.PlaneStep;
    DrawPlaneEdge(s.PlaneX);
  }
  a = AngleInRadians();
  DrawPoint(s.PlaneX, SafeSin(a));
  SetROP2(dc, R2_COPYPEN);
}
