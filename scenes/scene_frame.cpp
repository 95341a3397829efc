#include "scenes/scene_frame.h"

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/mapping.h"
#include "graphics/shapes.h"
#include "scenes/caption_band.h"
#include "scenes/picture_settings.h"
#include "scenes/stage_table.h"

namespace {

const PictureSettingsRecord NoSettings = {};
const PictureSettingsRecord *shownSettings = &NoSettings;

void DrawBand(const char *text) {
  const BandLayout band = CurrentBand();
  FillBand(band);
  DrawBandLabels(band, text);
}

} // namespace

void ShowPictureSettings(const PictureSettingsRecord &settings) { shownSettings = &settings; }

const PictureSettingsRecord &PictureSettings() { return *shownSettings; }

void DrawOpeningPicture() {
  // A page's band above the picture is the picture's too (the window was
  // cleared to the margin's black there).
  const BandLayout band = CurrentBand();
  if (band.Top > GraphicsState.ViewHeight)
    FillBand(band);
  SetROP2(GraphicsState.WindowDC, R2_XORPEN);
  DrawPath(1.0);
  DrawBandLabels(band, CycleStage(RotateStage).Caption());
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
