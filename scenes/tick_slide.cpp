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
  Real48 a = AngleInRadians();
  if (s.StageEntered) {
    // The band's labels are opaque, and in a window under 400 pixels high the
    // plane and the point reach into them: they are lifted off before the band
    // and put back on it, so that erasing them later leaves the caption whole.
    // The point is lifted where the tilt drew it, at ApparentWidth x cos a,
    // which in a window of odd width can fall a pixel beside x = 0, and put
    // back where this stage will erase it.
    SetROP2(dc, R2_XORPEN);
    DrawPoint(s.ApparentWidth * SafeCos(a), SafeSin(a));
    DrawPlaneEdge(s.PlaneX);
    SetROP2(dc, R2_COPYPEN);
    DrawCaptionBand(SlideCaption);
    SetROP2(dc, R2_XORPEN);
    DrawPlaneEdge(s.PlaneX);
    DrawPoint(s.PlaneX, SafeSin(a));
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
