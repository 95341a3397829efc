// The stage sequencer: what clicks and ticks do, the end of a cycle, the
// captions, and bursts of clicks.
#include <gtest/gtest.h>

#include <random>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "tests/support/program_checks.h"

namespace {

const AnimationStateRecord &s = AnimationState;

TEST(Sequencer, AClickDrawsNothingAndTheNextTickEntersTheStage) {
  StartFresh();
  ASSERT_TRUE(ShowsCaption("POSITIVE FREQUENCY - counter-clockwise rotation"));
  const Picture before = TakePicture();
  Click();
  EXPECT_EQ(s.Stage, 1);
  EXPECT_TRUE(s.StageEntered);
  EXPECT_EQ(DiffersFromShown(before), 0);
  Tick();
  EXPECT_FALSE(s.StageEntered);
  EXPECT_EQ(s.AngleDeg, 10);
  EXPECT_EQ(static_cast<double>(s.ApparentWidth), Real48(1.0 - s.WidthStep));
  EXPECT_TRUE(ShowsCaption("rotate plane of rotation until seen from the side"));
}

TEST(Sequencer, EveryStageTicksItsOwnWayAndTheResetReversesTheDirection) {
  StartFresh();
  Tick();
  EXPECT_EQ(s.AngleDeg, 10);
  EXPECT_EQ(static_cast<double>(s.ApparentWidth), 1.0);

  ClickAndTick({1}); // tilt
  EXPECT_LT(s.ApparentWidth, 1.0);
  EXPECT_EQ(static_cast<double>(s.PlaneX), 0.0);

  ClickAndTick({1}); // slide
  const double width = s.ApparentWidth;
  EXPECT_EQ(static_cast<double>(s.PlaneX), Real48(-s.PlaneStep));
  EXPECT_TRUE(ShowsCaption("move the plane of rotation over"));

  Click();
  const double planeAtClick = s.PlaneX;
  Tick(); // pull, begun before the slide had finished
  EXPECT_EQ(s.AngleDeg, 5);
  EXPECT_EQ(static_cast<double>(s.TraceLastX), Real48(planeAtClick + s.PlaneStep));
  EXPECT_EQ(static_cast<double>(s.ApparentWidth), width);
  EXPECT_TRUE(ShowsCaption("pull the rotating point at a constant rate - note the sine formed"));

  Click();
  EXPECT_EQ(s.Stage, 4);
  const int angle = s.AngleDeg;
  const double traceY = s.TraceLastY;
  Tick(); // reset
  EXPECT_EQ(s.Stage, 0);
  EXPECT_EQ(s.AngleStep, -5);
  EXPECT_EQ(s.AngleDeg, angle);
  EXPECT_EQ(static_cast<double>(s.ApparentWidth), 1.0);
  EXPECT_EQ(static_cast<double>(s.PlaneX), 0.0);
  EXPECT_EQ(static_cast<double>(s.TraceLastX), -100.0);
  EXPECT_EQ(static_cast<double>(s.TraceLastY), traceY);
  EXPECT_EQ(static_cast<double>(s.WidthStep), 0.009999999999990905);
  EXPECT_EQ(static_cast<double>(s.PlaneStep), 0.011109999999916909);

  // The reset painted the stage-0 picture, now with the negative caption.
  KeptThroughARepaint("the reset's picture");
  EXPECT_TRUE(ShowsCaption("NEGATIVE FREQUENCY - clockwise rotation"));
  Tick();
  EXPECT_EQ(s.AngleDeg, angle - 5); // clockwise
}

TEST(Sequencer, TwoFullCyclesReturnToPositive) {
  StartFresh();
  const int steps[] = {-5, 5};
  const char *captions[] = {"NEGATIVE FREQUENCY - clockwise rotation",
                            "POSITIVE FREQUENCY - counter-clockwise rotation"};
  for (int cycle = 0; cycle < 2; ++cycle) {
    RunStagesToEndOfPull();
    EXPECT_GE(s.PlaneX, 2.0);
    ClickAndTick({1});
    EXPECT_EQ(s.Stage, 0);
    EXPECT_EQ(s.AngleStep, steps[cycle]);
    EXPECT_TRUE(ShowsCaption(captions[cycle])) << cycle;
    const int angle = s.AngleDeg;
    Tick();
    EXPECT_EQ(s.AngleDeg, angle + steps[cycle]);
  }
}

TEST(Sequencer, NoSequenceOfClicksStopsTheCycle) {
  StartFresh(400, 300);
  std::mt19937 random(20240611);
  int step = 5;
  int resets = 0;
  for (int event = 0; event < 4000; ++event) {
    if (random() % 3 == 0) {
      Click();
    } else {
      const int stage = s.Stage;
      Tick();
      if (stage == 4) {
        ++resets;
        step = -step;
        ASSERT_EQ(s.Stage, 0);
      }
      ASSERT_EQ(s.AngleStep, step);
    }
    ASSERT_GE(s.Stage, 0);
    ASSERT_LE(s.Stage, 4);
  }
  EXPECT_GT(resets, 100);

  // Bursts of n clicks with no tick between: the next tick still belongs to a
  // stage, and clicking on reaches the reset within four more clicks.
  for (int burst = 1; burst <= 12; ++burst) {
    for (int i = 0; i < burst; ++i)
      Click();
    ASSERT_LE(s.Stage, 4);
    const int before = s.AngleStep;
    Tick();
    int clicks = 0;
    while (s.AngleStep == before && clicks < 5) {
      ClickAndTick({1});
      ++clicks;
    }
    EXPECT_EQ(s.AngleStep, -before) << burst;
    EXPECT_EQ(s.Stage, 0);
  }
}

TEST(Sequencer, DestroyingTheWindowPostsQuitWithCodeZero) {
  TestWindow();
  MSG message = {};
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  SendMessageA(TestWindow(), WM_DESTROY, 0, 0);
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 0u);
}

} // namespace
