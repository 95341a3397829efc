#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

// The plane stops once it has passed x = -2, just inside the left edge.
constexpr double SlideEnd = -2.0;

void TickSlide() {
  AnimationStateRecord &s = AnimationState;
  const HDC dc = GraphicsState.WindowDC;
  Real48 a = AngleInRadians();
  if (s.StageEntered) {
    // The plane and the point come off before the band and go back on it. The
    // point comes off where the tilt drew it, at ApparentWidth x cos a, which in
    // a window of odd width can fall a pixel beside x = 0, and goes back where
    // this stage will erase it.
    DrawCaptionBandBetween(
        SlideCaption,
        [] {
          const Real48 a = AngleInRadians();
          DrawPoint(AnimationState.ApparentWidth * SafeCos(a), SafeSin(a));
          DrawPlaneEdge(AnimationState.PlaneX);
        },
        [] {
          DrawPlaneEdge(AnimationState.PlaneX);
          DrawPoint(AnimationState.PlaneX, SafeSin(AngleInRadians()));
        });
  }
  SetROP2(dc, R2_XORPEN);
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
