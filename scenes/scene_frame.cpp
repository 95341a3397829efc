#include "scenes/scene_frame.h"

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/mapping.h"
#include "graphics/shapes.h"
#include "scenes/stage_figures.h"

namespace {

// Pixel measures of the picture at a scale of 1: the caption band's height and
// the caption line's distance from the top.
constexpr int32_t BandHeight = 40;
constexpr int32_t CaptionLine = 20;

// Captions sit on the caption line across the picture (the viewport); the
// pause sign, when the picture is held, at its left end.
void DrawCaptionAndPrompt(const char *text) {
  const GraphicsStateRecord &g = GraphicsState;
  const int32_t line = g.ViewHeight - ScaledPixels(CaptionLine);
  SetColor(White);
  DrawLabel(g.ViewWidth / 2, line, text, "CC");
  SetColor(Yellow);
  DrawLabel(g.ViewWidth, line, ContinuePrompt, "RC");
  if (AnimationState.Paused)
    DrawLabel(0, line, PauseSign, "LC");
}

void DrawBand(const char *text) {
  const GraphicsStateRecord &g = GraphicsState;
  SetColor(Black);
  FillBar(0, g.ViewHeight - ScaledPixels(BandHeight), g.ViewWidth, g.ViewHeight);
  DrawCaptionAndPrompt(text);
}

// The opening picture: the circle, the caption for the direction, the prompt
// and the point at AngleDeg.
void DrawRotatePicture() {
  SetROP2(GraphicsState.WindowDC, R2_XORPEN);
  DrawEllipse(0.0, 0.0, 1.0, 1.0, 0.005, Red);
  DrawCaptionAndPrompt(AnimationState.AngleStep > 0 ? PositiveCaption : NegativeCaption);
  const Real48 a = AngleInRadians();
  DrawPoint(SafeCos(a), SafeSin(a));
}

// A later stage: its band under its figures, as its ticks leave them.
void DrawStagePicture(const char *caption, void (*figures)()) {
  const HDC dc = GraphicsState.WindowDC;
  SetROP2(dc, R2_COPYPEN);
  DrawBand(caption);
  SetROP2(dc, R2_XORPEN);
  figures();
}

} // namespace

void PaintScene() {
  const GraphicsStateRecord &g = GraphicsState;
  ClearScreen();
  SetWorldWindow(-2.1, -1.25, 2.1, 1.25);
  if (!AnimationState.Blanked) {
    switch (ShownStage()) {
    case TiltStage:
      DrawStagePicture(TiltCaption, DrawTiltFigures);
      break;
    case SlideStage:
      DrawStagePicture(SlideCaption, DrawSlideFigures);
      break;
    case PullStage:
      DrawStagePicture(PullCaption, DrawPullFigures);
      break;
    default:
      DrawRotatePicture();
      break;
    }
  }
  SetROP2(g.WindowDC, R2_COPYPEN);
}

void DrawPoint(Real48 x, Real48 y) { DrawDot(x, y, 0.03, 0.05, White); }

void DrawPlaneEdge(Real48 x) {
  SetColor(Red);
  DrawLine(x, -1.0, x, 1.0);
}

void DrawCaptionBand(const char *text) {
  DrawBand(text);
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
