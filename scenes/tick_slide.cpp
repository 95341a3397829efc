// Stage 2: the edge-on plane slides over to the left edge of the picture
// while the point goes on moving up and down on it.
#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

namespace {

// The slide stops once the plane has passed x = -2, just inside the left edge.
constexpr double SlideEnd = -2.0;

} // namespace

void DrawSlideFigures() {
  const AnimationStateRecord &s = AnimationState;
  DrawPlaneEdge(s.PlaneX);
  DrawPoint(s.PlaneX, SafeSin(AngleInRadians()));
}

bool SlideHasDrawn() { return AnimationState.PlaneX != 0.0; }
void UndoSlide() { AnimationState.PlaneX = 0.0; }

// The plane at the left edge, the point turned as far as the slide's ticks
// turn it.
void FinishSlide() {
  AnimationStateRecord &s = AnimationState;
  for (s.PlaneX = 0.0; s.PlaneX > SlideEnd; AdvanceAngle(s.AngleStep))
    s.PlaneX = s.PlaneX - s.PlaneStep;
}

void TickSlide() {
  AnimationStateRecord &s = AnimationState;
  Real48 a = AngleInRadians();
  // What the tilt left comes off on the first tick wherever a click stopped
  // it, the point where the tilt drew it: at ApparentWidth x cos a, which in
  // a window of odd width can fall a pixel beside x = 0.
  BeginStageTick();
  DrawPoint(s.PlaneX, SafeSin(a));
  AdvanceAngle(s.AngleStep);
  if (s.PlaneX > SlideEnd) {
    DrawPlaneEdge(s.PlaneX);
    s.PlaneX = s.PlaneX - s.PlaneStep;
    DrawPlaneEdge(s.PlaneX);
  }
  a = AngleInRadians();
  DrawPoint(s.PlaneX, SafeSin(a));
  SetROP2(GraphicsState.WindowDC, R2_COPYPEN);
}
