// Stage 4 of the full lesson: the view turns, over two seconds of ticks, from
// the side of the pull to a view in which depth shows: the sine the pull drew
// unfolds into the helix the point drew in space around the time axis. Once
// turned, the helix's two shadows stand beside it: on the back wall its
// height, the sine (Im), on the floor its depth, the cosine (Re), with the
// time axis (t). The near half of each turn is drawn brighter than the far
// half, so that the way the helix winds is seen without doubt.
//
// The view is an oblique projection of time X, height Y (the sine) and depth
// Z (the cosine, toward the viewer): a point (X, Y, Z) is drawn at
//   x = X (1 - e (1 - TimeScale)) - Z e DepthX
//   y = Y (1 - e (1 - Radius))    - Z e DepthY + e Shift
// with e going smoothly from 0 (the side view, where the helix is the sine)
// to 1 over the turn. The time axis stays level, so the wall's sine keeps its
// shape. Depth leans to the left as it comes near, enough for each turn of the
// helix to show as a loop; the floor's cosine, seen as obliquely, leans too,
// and little enough that it still reads as a wave.
#include <cmath>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/mapping.h"
#include "graphics/shapes.h"
#include "scenes/catalogue.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"
#include "scenes/view_projection.h"

namespace {

// The projection at the turn's end.
constexpr double TimeScale = 0.8;
constexpr double Radius = 0.5;
constexpr double DepthX = 0.18;
constexpr double DepthY = 0.2;
constexpr double Shift = -0.05;
// Where the shadows fall: the wall behind the helix, the floor below it.
constexpr double WallDepth = 1.6;
constexpr double FloorDepth = 1.6;

// How far the view has turned, from 0 to 1, eased at both ends.
double Turned(int32_t turn) {
  const double t = static_cast<double>(turn) / ViewTurnTicks;
  return t * t * (3 - 2 * t);
}

// The helix (with the shadows `wall` and `floor` once turned) through the
// pull's points, by exclusive-or; `nearColor` and `farColor` colour a segment by the
// side of the time axis its middle lies on.
void DrawCurve(double e, double depth, int32_t nearColor, int32_t farColor, int shadow) {
  Real48 lastX = 0.0, lastY = 0.0;
  double lastDepth = 0.0;
  ReplayPull([&](int32_t tick, Real48 t, int32_t degrees) {
    const double a = Radians(degrees);
    double y = SafeSin(a), z = SafeCos(a);
    const double facing = z;
    if (shadow == 1)
      z = -depth; // on the wall behind
    else if (shadow == 2)
      y = -depth; // on the floor below
    const ViewPoint p = ProjectView(e, t, y, z);
    if (tick > 0) {
      SetColor(facing + lastDepth > 0 ? nearColor : farColor);
      DrawLine(lastX, lastY, p.X, p.Y);
    }
    lastX = p.X;
    lastY = p.Y;
    lastDepth = facing;
  });
}

// The wall's, the floor's and the time axis's names, each beside its end.
void DrawLabels() {
  const auto label = [](int32_t color, ViewPoint end, double dx, const char *english,
                        const char *code) {
    SetColor(color);
    const PixelPoint at = WorldToScreen(end.X + dx, end.Y);
    DrawLabel(at.X, at.Y, Translated(english), code);
  };
  label(LightGray, ProjectView(1, -2.0, 0.0, -WallDepth), -0.05, ImaginaryLabel, "RC");
  label(LightGreen, ProjectView(1, -2.0, -FloorDepth, 1.0), -0.05, RealLabel, "RC");
  label(LightBlue, ProjectView(1, 2.1, 0.0, 0.0), 0.03, TimeLabel, "LC");
}

} // namespace

ViewPoint ProjectView(double e, double x, double y, double z) {
  return {x * (1 - e * (1 - TimeScale)) - z * e * DepthX,
          y * (1 - e * (1 - Radius)) - z * e * DepthY + e * Shift};
}

void DrawViewFigures() {
  const AnimationStateRecord &s = AnimationState;
  const double e = Turned(s.ViewTurn);
  DrawCurve(e, 0, Cyan, DarkGray, 0);
  const double a = AngleInRadians();
  const ViewPoint end = ProjectView(e, s.PlaneX, SafeSin(a), SafeCos(a));
  DrawPoint(end.X, end.Y);
  if (s.ViewTurn < ViewTurnTicks)
    return;
  DrawCurve(1, WallDepth, LightGray, LightGray, 1);
  DrawCurve(1, FloorDepth, LightGreen, LightGreen, 2);
  SetColor(LightBlue);
  const ViewPoint from = ProjectView(1, -2.0, 0.0, 0.0), to = ProjectView(1, 2.1, 0.0, 0.0);
  DrawLine(from.X, from.Y, to.X, to.Y);
  DrawLabels();
}

bool ViewHasDrawn() { return AnimationState.ViewTurn > 0; }
void UndoView() { AnimationState.ViewTurn = 0; }
void FinishView() { AnimationState.ViewTurn = ViewTurnTicks; }

void TickView() {
  AnimationStateRecord &s = AnimationState;
  if (s.ViewTurn >= ViewTurnTicks)
    return; // turned: the picture stands
  BeginStageTick();
  DrawViewFigures();
  s.ViewTurn = s.ViewTurn + 1;
  DrawViewFigures();
  SetROP2(GraphicsState.WindowDC, R2_COPYPEN);
}
