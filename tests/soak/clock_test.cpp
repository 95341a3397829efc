// Late and merged ticks, on the headless backend's virtual clock: however far
// the clock jumps, the timer brings one WM_TIMER and the program takes one
// step; nothing is made up afterwards.
#include <gtest/gtest.h>

#include <random>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "platform/host.h"
#include "tests/support/program_checks.h"

namespace {

using vqp::HeadlessAdvanceClock;
using vqp::HeadlessPumpMessages;

const AnimationStateRecord &s = AnimationState;

// Lets `ms` pass on the clock and runs what falls due; returns the number of
// messages dispatched.
int Wait(uint64_t ms) {
  HeadlessAdvanceClock(ms);
  return HeadlessPumpMessages();
}

// Brings the timer back to a known phase: the next tick exactly 20 ms away.
void Resynchronise() {
  HeadlessAdvanceClock(1000);
  HeadlessPumpMessages();
}

TEST(LateTicks, AJumpOfManyPeriodsIsOneStepInEveryStage) {
  StartFresh(640, 400);
  Resynchronise();
  for (int stage = 0; stage < 4; ++stage) {
    if (stage > 0)
      ClickAndTick({1}); // enter the stage
    for (uint64_t periods : {1, 2, 7, 50, 3000}) {
      const AnimationStateRecord before = s;
      ASSERT_EQ(Wait(periods * 20), 1) << "stage " << stage << ", " << periods << " periods";
      if (stage < 3)
        EXPECT_EQ(s.AngleDeg, (before.AngleDeg + before.AngleStep) % 360) << stage;
      else
        EXPECT_EQ(static_cast<double>(s.PlaneX), Real48(before.PlaneX + before.PlaneStep));
      // Nothing is owed: the next tick is a whole period after the late one.
      EXPECT_EQ(Wait(0), 0);
      EXPECT_EQ(Wait(19), 0);
      EXPECT_EQ(Wait(1), 1);
    }
  }
}

// Clicks that wait in the queue with a late tick come first, and the tick then
// performs one step of the stage they lead to.
TEST(LateTicks, QueuedClicksComeBeforeTheOneTick) {
  StartFresh(640, 400);
  Resynchronise();
  const HWND window = TestWindow();
  vqp::HeadlessClick(window, 100, 100);
  vqp::HeadlessClick(window, 200, 100);
  const int angle = s.AngleDeg;
  // Two presses and two releases, then one tick.
  EXPECT_EQ(Wait(5000), 5);
  EXPECT_EQ(s.Stage, 2);
  EXPECT_EQ(s.AngleDeg, angle + 5);
  EXPECT_EQ(static_cast<double>(s.PlaneX), Real48(-s.PlaneStep));
}

// A whole cycle with the clock jumping at random: the stages take the same
// number of ticks and leave the same pictures as with ticks on time.
TEST(LateTicks, ACycleWithRandomDelaysEndsAsOneOnTime) {
  auto run = [](bool late) {
    StartFresh(640, 400);
    Resynchronise();
    std::mt19937 random(7);
    int ticks = 0;
    auto tick = [&] { ticks += Wait(late ? 20 + random() % 400 : 20); };
    for (int i = 0; i < 37; ++i)
      tick();
    Click();
    while (s.ApparentWidth > 0)
      tick();
    Click();
    while (s.PlaneX > -2)
      tick();
    Click();
    while (s.PlaneX < 2)
      tick();
    return std::make_pair(ticks, TakePicture());
  };
  const auto onTime = run(false);
  const auto late = run(true);
  EXPECT_EQ(onTime.first, 37 + 100 + 181 + 362);
  EXPECT_EQ(late.first, onTime.first);
  EXPECT_EQ(CountDifferences(onTime.second, late.second), 0);
}

} // namespace
