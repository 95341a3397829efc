#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "scenes/stage_figures.h"
#include "scenes/stages.h"

void TickSlide() {
  AnimationStateRecord &s = AnimationState;
  const HDC dc = GraphicsState.WindowDC;
  Real48 a = AngleInRadians();
  if (s.StageEntered) {
    // What the tilt left comes off before the band, wherever a click stopped
    // it: its path while it was not yet edge-on (the whole circle when it never
    // ran), else the line, and the point where the tilt drew it, at
    // ApparentWidth x cos a, which in a window of odd width can fall a pixel
    // beside x = 0. The plane and the point go back on where this stage will
    // erase them.
    DrawCaptionBandBetween(SlideCaption, DrawTiltFigures, DrawSlideFigures);
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
