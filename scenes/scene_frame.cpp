#include "scenes/scene_frame.h"

#include <string>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/mapping.h"
#include "graphics/shapes.h"
#include "scenes/picture_settings.h"
#include "scenes/stage_table.h"

namespace {

// Pixel measures of the picture at a scale of 1: the caption band's height and
// the caption line's distance from the top.
constexpr int32_t BandHeight = 40;
constexpr int32_t CaptionLine = 20;

const PictureSettingsRecord NoSettings = {};
const PictureSettingsRecord *shownSettings = &NoSettings;

// Captions sit on the caption line across the picture (the viewport); the
// pause sign while the picture is held, and the speed's sign while it is not
// the designed one, at its left end.
void DrawCaptionAndPrompt(const char *text) {
  const GraphicsStateRecord &g = GraphicsState;
  const PictureSettingsRecord &settings = PictureSettings();
  const int32_t line = g.ViewHeight - ScaledPixels(CaptionLine);
  SetColor(White);
  DrawLabel(g.ViewWidth / 2, line, text, "CC");
  SetColor(Yellow);
  DrawLabel(g.ViewWidth, line, ContinuePrompt, "RC");
  std::string signs = settings.Paused ? PauseSign : "";
  if (settings.SpeedSign)
    ((signs += signs.empty() ? " " : "  ") += settings.SpeedSign);
  if (!signs.empty())
    DrawLabel(0, line, signs.c_str(), "LC");
}

void DrawBand(const char *text) {
  const GraphicsStateRecord &g = GraphicsState;
  FillBackgroundBar(0, g.ViewHeight - ScaledPixels(BandHeight), g.ViewWidth, g.ViewHeight);
  DrawCaptionAndPrompt(text);
}

} // namespace

void ShowPictureSettings(const PictureSettingsRecord &settings) { shownSettings = &settings; }

const PictureSettingsRecord &PictureSettings() { return *shownSettings; }

void DrawOpeningPicture() {
  SetROP2(GraphicsState.WindowDC, R2_XORPEN);
  DrawPath(1.0);
  DrawCaptionAndPrompt(CycleStage(RotateStage).Caption());
  const Real48 a = AngleInRadians();
  DrawPoint(SafeCos(a), SafeSin(a));
}

void PaintScene() {
  const HDC dc = GraphicsState.WindowDC;
  ClearScreen();
  SetWorldWindow(-2.1, -1.25, 2.1, 1.25);
  if (!PictureSettings().Blanked) {
    const StageUnit &shown = CycleStage(ShownStage());
    if (shown.Picture) {
      shown.Picture();
    } else {
      SetROP2(dc, R2_COPYPEN);
      DrawBand(shown.Caption());
      SetROP2(dc, R2_XORPEN);
      shown.Figures();
    }
  }
  SetROP2(dc, R2_COPYPEN);
}

void DrawPoint(Real48 x, Real48 y) { DrawDot(x, y, 0.03, 0.05, White); }

void DrawPlaneEdge(Real48 x) {
  SetColor(Red);
  DrawLine(x, -1.0, x, 1.0);
}

void DrawPath(Real48 width) { DrawEllipse(0.0, 0.0, width, 1.0, PathPenWidth, Red); }

void DrawCaptionBand(const char *text) {
  DrawBand(text);
  AnimationState.StageEntered = false;
}

void BeginStageTick() {
  const HDC dc = GraphicsState.WindowDC;
  const int32_t stage = AnimationState.Stage;
  SetROP2(dc, R2_XORPEN);
  if (!AnimationState.StageEntered)
    return;
  CycleStage(stage - 1).Figures();
  SetROP2(dc, R2_COPYPEN);
  DrawCaptionBand(CycleStage(stage).Caption());
  SetROP2(dc, R2_XORPEN);
  CycleStage(stage).Figures();
}
