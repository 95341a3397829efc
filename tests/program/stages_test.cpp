// The four stages: their timing, where they stop, and that exclusive-or
// drawing leaves exactly the picture that drawing the end state directly gives.
#include <gtest/gtest.h>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "tests/support/program_checks.h"

namespace {

const AnimationStateRecord &s = AnimationState;

const char *const PullText = "pull the rotating point at a constant rate - note the sine formed";

TEST(Rotate, AngleWrapsAtExactlyPlusAndMinus360) {
  struct Case {
    int from, step, to;
  } cases[] = {{355, 5, 0}, {-355, -5, 0}, {100, -5, 95}, {0, -5, -5}, {355, -5, 350}, {-5, 5, 0}};
  for (const Case &c : cases) {
    AnimationState.AngleDeg = c.from;
    AdvanceAngle(c.step);
    EXPECT_EQ(s.AngleDeg, c.to) << c.from << " + " << c.step;
  }
}

TEST(Rotate, TheTurningPointLeavesThePictureAFreshPaintGives) {
  for (int step : {5, -5}) {
    StartFresh();
    AnimationState.AngleStep = step;
    AnimationState.AngleDeg = 355 * (step / 5);
    Paint();
    const Picture start = TakePicture();
    int done = 0;
    for (int ticks : {1, 2, 19, 37, 72}) {
      Tick(ticks - done);
      done = ticks;
      KeptThroughARepaint(std::to_string(step) + " after " + std::to_string(ticks));
    }
    EXPECT_EQ(s.AngleDeg, 355 * (step / 5));
    EXPECT_EQ(DiffersFromShown(start), 0) << "a full turn";
  }
}

TEST(Tilt, ThePlaneIsEdgeOnAtTick100) {
  StartFresh();
  const POINT centre = WindowPixelOf(0, 0);
  const POINT top = WindowPixelOf(0, 0.8);
  const POINT bottom = WindowPixelOf(0, -0.8);
  ClickAndTick({99});
  EXPECT_NEAR(s.ApparentWidth, 0.01, 1e-9);
  // The narrowest ellipse is still an outline two pixels either side of its middle.
  const Picture at99 = TakePicture();
  EXPECT_EQ(at99.At(centre.x, centre.y), BlackValue);

  Tick();
  EXPECT_LE(s.ApparentWidth, 0.0);
  EXPECT_GT(s.ApparentWidth, -1e-9);
  const Picture at100 = TakePicture();
  EXPECT_TRUE(ColorNear(at100, RedValue, centre.x, centre.y, 1));
  EXPECT_TRUE(ColorNear(at100, RedValue, top.x, top.y, 1));
  EXPECT_TRUE(ColorNear(at100, RedValue, bottom.x, bottom.y, 1));
  const double width = s.ApparentWidth;
  Tick(50);
  EXPECT_EQ(static_cast<double>(s.ApparentWidth), width);

  // Of the circle and the hundred ellipses nothing is left but the line.
  EXPECT_EQ(DiffersFromShown([&] { return EdgeOnTilt(width, s.AngleDeg); }), 0);
}

TEST(Slide, StopsAfter181TicksAtMinus2_01091) {
  StartFresh();
  ClickAndTick({100});
  Click();
  EXPECT_EQ(TickUntil([] { return s.PlaneX <= -2; }, 400), 181);
  EXPECT_NEAR(s.PlaneX, -2.01091, 1e-8);
  const double plane = s.PlaneX;
  Tick(40);
  EXPECT_EQ(static_cast<double>(s.PlaneX), plane);

  EXPECT_EQ(DiffersFromShown([&] { return SlideAt(plane, s.AngleDeg); }), 0);
}

void RunToStartOfPull() {
  ClickAndTick({100, 181});
  Click();
}

TEST(Pull, TheFirstTickClearsTheWindowAndDrawsNoSegment) {
  StartFresh();
  RunToStartOfPull();
  const double start = s.PlaneX;
  Tick();
  EXPECT_EQ(s.AngleDeg, 5);
  const double plane = Real48(start + s.PlaneStep);
  EXPECT_EQ(static_cast<double>(s.PlaneX), plane);
  EXPECT_EQ(static_cast<double>(s.TraceLastX), plane);
  const Picture shown = TakePicture();
  const Picture direct = DrawDirectly(PullText, [&] {
    DrawPlaneEdge(plane);
    DrawPoint(plane, SafeSin(5 * DegreeFactor));
  });
  EXPECT_EQ(CountDifferences(shown, direct), 0);
}

TEST(Pull, EndsAfter362TicksWith361SegmentsAndNoResidue) {
  StartFresh();
  RunToStartOfPull();
  const double start = s.PlaneX;
  EXPECT_EQ(TickUntil([] { return s.PlaneX >= 2; }, 800), 362);
  EXPECT_NEAR(s.PlaneX, 2.01091, 1e-8);
  EXPECT_EQ(s.AngleDeg, 10);
  const Picture shown = TakePicture();
  Tick(30);
  EXPECT_EQ(DiffersFromShown(shown), 0) << "the finished picture stands still";
  EXPECT_EQ(CountDifferences(shown, FinishedPullFrom(start)), 0);
}

TEST(Pull, TheNegativeCycleTracesTheSameRisingSine) {
  StartFresh();
  RunStagesToEndOfPull();
  const Picture positive = TakePicture();
  ClickAndTick({1}); // reset
  ASSERT_EQ(s.AngleStep, -5);
  Tick(17);
  RunStagesToEndOfPull();
  EXPECT_EQ(DiffersFromShown(positive), 0);
}

} // namespace
