// The full lesson: its stages in both cycles, the pull that keeps the turn's
// direction, the turned view's helix and shadows against their formulas, both
// frequencies together, and its pictures kept exactly through repaints, back
// steps and the exclusive-or drawing, in both themes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "animation/animation_state.h"
#include "app/settings.h"
#include "graphics/graphics_state.h"
#include "graphics/mapping.h"
#include "graphics/shapes.h"
#include "scenes/stage_table.h"
#include "scenes/view_projection.h"
#include "tests/support/program_checks.h"

namespace {

const AnimationStateRecord &s = AnimationState;
constexpr int Width = 800;
constexpr int Height = 466;

void StartFull(bool light = false) {
  StartFresh(Width, Height);
  Key('L');
  if (light)
    Key('T');
  ASSERT_TRUE(Settings.Picture.FullLesson);
}

// Ticks until the running stage has done what it does by itself.
void FinishRunningStage() {
  const std::function<bool()> done[] = {[] { return true; },
                                        [] { return s.ApparentWidth <= 0; },
                                        [] { return s.PlaneX <= -2; },
                                        [] { return s.PlaneX >= 2; },
                                        [] { return s.ViewTurn >= ViewTurnTicks; },
                                        [] { return true; }};
  Tick();
  TickUntil(done[s.Stage], 1000);
}

// From a cycle's stage 0 to the finished turned view.
void RunToTurnedView() {
  for (int stage = 1; stage <= 4; ++stage) {
    Click();
    FinishRunningStage();
  }
}

// The finished turned view of the positive cycle, or of the negative one
// (the positive cycle and the reset's tick first).
void StartAtTurnedView(bool negative) {
  StartFull();
  if (negative) {
    RunToTurnedView();
    ClickAndTick({1}); // the reset
  }
  RunToTurnedView();
}

TEST(FullLesson, TwoCyclesGoThroughTheirStagesAndTheNegativePullStartsDownward) {
  StartFull();
  std::vector<std::string> names;
  std::vector<double> firstHeights;
  for (int click = 0; click < 12; ++click) {
    names.push_back(CycleStage(s.Stage).Name);
    if (s.Stage == PullStage)
      firstHeights.push_back(s.TraceLastY);
    ClickAndTick({1});
    if (s.Stage == PullStage)
      Tick(); // the pull's second tick: its first segment ends here
    FinishRunningStage();
  }
  EXPECT_EQ(names, (std::vector<std::string>{"rotate", "tilt", "slide", "pull", "view", "rotate",
                                             "tilt", "slide", "pull", "view", "both", "rotate"}));
  EXPECT_EQ(s.AngleStep, 5) << "back in the positive cycle";
  ASSERT_EQ(firstHeights.size(), 2u);
  // The first segment joins sin 5 and sin 10 degrees, rising; clockwise it
  // joins sin -5 and sin -10 degrees: downward.
  EXPECT_NEAR(firstHeights[0], std::sin(10 * M_PI / 180), 1e-6);
  EXPECT_NEAR(firstHeights[1], -std::sin(10 * M_PI / 180), 1e-6);
}

// Where the formula puts a point of the finished view, in window pixels.
POINT Projected(double t, double y, double z) {
  // x = 0.8 t - 0.18 z, y = 0.5 y - 0.2 z - 0.05 once the view has turned.
  return WindowPixelOf(0.8 * t - 0.18 * z, 0.5 * y - 0.2 * z - 0.05);
}

// The helix's points at chosen ticks of the pull lie at (t, sin(+-a), cos a)
// under the projection; so do the wall's sine (depth -1.6) and the floor's
// cosine (height -1.6).
TEST(FullLesson, TheTurnedViewDrawsTheHelixAndItsShadowsWhereTheFormulaPutsThem) {
  for (int direction : {1, -1}) {
    StartAtTurnedView(direction < 0);
    const Picture p = TakePicture();
    Real48 t = FinishedSlideX();
    for (int tick = 1; tick <= 360; ++tick) {
      t = t + Real48(0.01111);
      if (tick % 17 != 0)
        continue;
      const double a = direction * tick * 5 * DegreeFactor;
      const double y = std::sin(a), z = std::cos(a);
      for (const POINT q : {Projected(t, y, z), Projected(t, y, -1.6), Projected(t, -1.6, z)})
        EXPECT_LT(CountColor(p, BlackValue, q.x - 2, q.y - 2, q.x + 3, q.y + 3), 25)
            << "direction " << direction << ", tick " << tick << " at " << q.x << "," << q.y;
    }
  }
}

// Pixels of exactly one colour within rows [top, bottom).
std::set<std::pair<int, int>> PixelsOf(const Picture &p, COLORREF color, int top, int bottom) {
  std::set<std::pair<int, int>> found;
  for (int y = std::max(top, 0); y < std::min(bottom, p.Height); ++y)
    for (int x = 0; x < p.Width; ++x)
      if (p.At(x, y) == color)
        found.insert({x, y});
  return found;
}

// Of `pixels` mirrored about `row`, the share found in `other` within a pixel.
double MirroredShare(const std::set<std::pair<int, int>> &pixels,
                     const std::set<std::pair<int, int>> &other, int row) {
  long found = 0;
  for (const auto &[x, y] : pixels) {
    bool near = false;
    for (int dy = -1; dy <= 1 && !near; ++dy)
      for (int dx = -1; dx <= 1 && !near; ++dx)
        near = other.count({x + dx, 2 * row - y + dy}) != 0;
    found += near;
  }
  return pixels.empty() ? 0 : static_cast<double>(found) / pixels.size();
}

// The two cycles' turned views: the floor's cosine the same pixel for pixel,
// the wall's sine mirrored about its axis row (where the helix crosses it the
// colours mix by exclusive-or, and the label stands: most of it, to a pixel),
// the helices not the same.
TEST(FullLesson, BothTurnedViewsShareTheFloorAndMirrorTheWall) {
  Picture views[2];
  for (int cycle = 0; cycle < 2; ++cycle) {
    StartAtTurnedView(cycle == 1);
    views[cycle] = TakePicture();
  }
  const int floorTop = Projected(0, -1.6, -1.0).y - 3;
  EXPECT_EQ(CountDifferences(views[0], views[1], floorTop, Height), 0) << "the floor";
  const COLORREF lightGray = GraphicsState.Palette[LightGray];
  const int axisRow = Projected(0, 0, -1.6).y;
  const auto wall = PixelsOf(views[0], lightGray, 0, floorTop);
  const auto mirrored = PixelsOf(views[1], lightGray, 0, floorTop);
  ASSERT_GT(wall.size(), 1000u);
  EXPECT_GT(MirroredShare(wall, mirrored, axisRow), 0.9);
  EXPECT_LT(MirroredShare(wall, mirrored, axisRow + 40), 0.5) << "not just any sine";
  EXPECT_GT(CountDifferences(views[0], views[1], 0, floorTop), 2000) << "the helices";
}

// Both together: at every tick of a turn the sum's mark (white) lies on the
// real axis's row and the two turns (with the lines in their colours) are
// mirror images about it.
TEST(FullLesson, BothTogetherMirrorEachOtherAndTheirSumStaysOnTheAxis) {
  StartAtTurnedView(true);
  Click();
  const int axisRow = WindowPixelOf(0, 0).y;
  for (int tick = 0; tick < 72; ++tick) {
    Tick();
    ASSERT_EQ(CycleStage(s.Stage).Name, std::string("both"));
    const Picture p = TakePicture();
    const auto up = PixelsOf(p, GraphicsState.Palette[LightMagenta], 41, Height);
    const auto down = PixelsOf(p, GraphicsState.Palette[LightCyan], 41, Height);
    // At 0 and 180 degrees the two coincide, and their colours mix whole.
    EXPECT_EQ(up.empty(), down.empty()) << "tick " << tick;
    if (!up.empty()) {
      EXPECT_GT(MirroredShare(up, down, axisRow), 0.95) << "tick " << tick;
      EXPECT_GT(MirroredShare(down, up, axisRow), 0.95) << "tick " << tick;
    }
    int top = Height, bottom = 0;
    for (const auto &[x, y] : PixelsOf(p, WhiteValue, 41, Height)) {
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
    EXPECT_LE(std::abs((top + bottom) - 2 * axisRow), 1) << "tick " << tick;
  }
}

// In both themes: a repaint anywhere in the new stages gives the undisturbed
// picture, their ends leave no residue of the exclusive-or drawing, and back
// from each gives the stage before as it stood finished.
TEST(FullLesson, RepaintsAndBackStepsKeepTheNewStagesExact) {
  for (bool light : {false, true}) {
    SCOPED_TRACE(light ? "light" : "classic");
    StartFull(light);
    RunToTurnedView();
    const Picture positiveView = KeptThroughARepaint("no residue");
    ClickAndTick({1}); // the reset
    RunToTurnedView();
    const Picture negativeView = TakePicture();
    ClickAndTick({37});
    KeptThroughARepaint("both together");
    Key(VK_PRIOR);
    EXPECT_EQ(DiffersFromShown(negativeView), 0) << "back from both";
    for (int stage = 4; stage >= 0; --stage)
      Key(VK_PRIOR); // down to the negative stage 0, then into the positive cycle
    EXPECT_EQ(DiffersFromShown(positiveView), 0) << "into the cycle before";
    // Back from the turn half way: the finished pull.
    Key(VK_PRIOR);
    const Picture pull = TakePicture();
    ClickAndTick({50});
    KeptThroughARepaint("half turned");
    Key(VK_PRIOR);
    EXPECT_EQ(DiffersFromShown(pull), 0) << "back from the turn";
    EXPECT_EQ(CountDifferences(pull, FinishedPullFrom(FinishedSlideX())), 0);
  }
}

} // namespace
