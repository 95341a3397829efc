#include "scenes/scene_frame.h"

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/mapping.h"
#include "graphics/shapes.h"

namespace {

// Captions sit on the line 20 pixels below the top of the window.
void DrawCaptionAndPrompt(const char *text) {
  const GraphicsStateRecord &g = GraphicsState;
  SetColor(White);
  DrawLabel(g.MaxX / 2, g.MaxY - 20, text, "CC");
  SetColor(Yellow);
  DrawLabel(g.MaxX, g.MaxY - 20, ContinuePrompt, "RC");
}

} // namespace

void PaintScene() {
  const GraphicsStateRecord &g = GraphicsState;
  ClearScreen();
  SetViewport(0, 0, g.MaxX, g.MaxY);
  SetWorldWindow(-2.1, -1.25, 2.1, 1.25);
  SetROP2(g.WindowDC, R2_XORPEN);
  DrawEllipse(0.0, 0.0, 1.0, 1.0, 0.005, Red);
  DrawCaptionAndPrompt(AnimationState.AngleStep > 0 ? PositiveCaption : NegativeCaption);
  const Real48 a = AngleInRadians();
  SetROP2(g.WindowDC, R2_XORPEN);
  DrawPoint(SafeCos(a), SafeSin(a));
  SetROP2(g.WindowDC, R2_COPYPEN);
}

void DrawPoint(Real48 x, Real48 y) { DrawDot(x, y, 0.03, 0.05, White); }

void DrawPlaneEdge(Real48 x) {
  SetColor(Red);
  DrawLine(x, -1.0, x, 1.0);
}

void DrawCaptionBand(const char *text) {
  const GraphicsStateRecord &g = GraphicsState;
  SetColor(Black);
  FillBar(0, g.MaxY - 40, g.MaxX, g.MaxY);
  DrawCaptionAndPrompt(text);
  AnimationState.StageEntered = false;
}

void DrawCaptionBandBetween(const char *text, void (*takeOff)(), void (*putBack)()) {
  const HDC dc = GraphicsState.WindowDC;
  SetROP2(dc, R2_XORPEN);
  takeOff();
  SetROP2(dc, R2_COPYPEN);
  DrawCaptionBand(text);
  SetROP2(dc, R2_XORPEN);
  putBack();
}
