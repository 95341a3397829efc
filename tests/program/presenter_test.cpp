// The presenter's keys: each key of a group does what its group does, a held
// key moves one step, other keys do nothing; back one step from every stage;
// pause and blank, and what a key or a click does while they hold.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "animation/animation_state.h"
#include "app/settings.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "tests/support/program_checks.h"

namespace {

const AnimationStateRecord &s = AnimationState;
using Keys = std::initializer_list<WPARAM>;
constexpr int Width = 600;
constexpr int Height = 400;

// The opening picture for the state's own angle and direction.
Picture OpeningPicture() {
  const AnimationStateRecord kept = AnimationState;
  AnimationState.Stage = 0;
  Paint();
  const Picture p = TakePicture();
  AnimationState = kept;
  return p;
}

// Yellow in the left end of the caption line, where the pause sign stands.
long PauseSignPixels(const Picture &p) { return CountColor(p, YellowValue, 0, 0, 80, 40); }

TEST(PresenterKeys, EachKeyOfAGroupDoesWhatItsGroupDoes) {
  for (WPARAM next : Keys{VK_NEXT, VK_RIGHT, VK_DOWN, VK_SPACE, VK_RETURN, 'N'}) {
    StartFresh(Width, Height);
    const Picture before = TakePicture();
    Key(next);
    EXPECT_EQ(s.Stage, 1) << next;
    EXPECT_TRUE(s.StageEntered) << next;
    EXPECT_EQ(DiffersFromShown(before), 0) << next << ": drawn before the tick";
  }
  for (WPARAM back : Keys{VK_PRIOR, VK_LEFT, VK_UP, VK_BACK, 'P'}) {
    StartFresh(Width, Height);
    ClickAndTick({30});
    Key(back);
    EXPECT_EQ(s.Stage, 0) << back;
    EXPECT_EQ(static_cast<double>(s.ApparentWidth), 1.0) << back;
    EXPECT_EQ(DiffersFromShown(OpeningPicture()), 0) << back;
  }
  for (WPARAM pause : Keys{'K', VK_PAUSE}) {
    StartFresh(Width, Height);
    ClickAndTick({10});
    Key(pause);
    EXPECT_TRUE(Settings.Picture.Paused) << pause;
    Key(pause);
    EXPECT_FALSE(Settings.Picture.Paused) << pause;
  }
  for (WPARAM blank : Keys{'B', VK_OEM_PERIOD}) {
    StartFresh(Width, Height);
    Key(blank);
    EXPECT_TRUE(Settings.Picture.Blanked) << blank;
    Key(blank);
    EXPECT_FALSE(Settings.Picture.Blanked) << blank;
  }
  // Start again: the start values and the opening picture, whatever the stage.
  StartFresh(Width, Height);
  ClickAndTick({40, 40, 40, 40, 40});
  ASSERT_EQ(s.AngleStep, -5);
  Key(VK_HOME);
  EXPECT_EQ(s.Stage, 0);
  EXPECT_EQ(s.AngleStep, 5);
  EXPECT_EQ(s.AngleDeg, 5);
  const Picture restarted = TakePicture();
  StartFresh(Width, Height);
  EXPECT_EQ(DiffersFromShown(restarted), 0);
}

TEST(PresenterKeys, AHeldKeyMovesOneStepAndOtherKeysDoNothing) {
  StartFresh(Width, Height);
  Key(VK_NEXT);
  for (int i = 0; i < 5; ++i)
    KeyRepeat(VK_NEXT);
  EXPECT_EQ(s.Stage, 1);
  Tick(20);
  Key(VK_PRIOR);
  KeyRepeat(VK_PRIOR);
  KeyRepeat(VK_PRIOR);
  EXPECT_EQ(s.Stage, 0);

  StartFresh(Width, Height);
  ClickAndTick({20});
  const AnimationStateRecord before = AnimationState;
  const Picture shown = TakePicture();
  for (WPARAM other : Keys{'A', '0', VK_F1, VK_TAB, VK_END, VK_INSERT, VK_SHIFT})
    Key(other);
  EXPECT_EQ(std::memcmp(&before, &AnimationState, sizeof before), 0);
  EXPECT_EQ(DiffersFromShown(shown), 0);
}

// Back restores the stage before, finished, and the next step runs the stage
// again from its start.
TEST(PresenterKeys, BackShowsTheStageBeforeFinished) {
  StartFresh(Width, Height);
  const Picture first = TakePicture();
  Key(VK_PRIOR); // the first stage 0 of a run has nothing before it
  EXPECT_EQ(s.Stage, 0);
  EXPECT_EQ(DiffersFromShown(first), 0);

  ClickAndTick({100, 50}); // the slide, half way
  Key(VK_PRIOR);
  EXPECT_EQ(s.Stage, 1);
  EXPECT_EQ(DiffersFromShown([&] { return EdgeOnTilt(FinishedTiltWidth(), s.AngleDeg); }), 0)
      << "back from the slide";

  ClickAndTick({181, 100}); // the pull, under way
  Key(VK_PRIOR);
  EXPECT_EQ(s.Stage, 2);
  EXPECT_EQ(static_cast<double>(s.PlaneX), FinishedSlideX());
  EXPECT_EQ(DiffersFromShown([&] { return SlideAt(FinishedSlideX(), s.AngleDeg); }), 0)
      << "back from the pull";

  Click();
  TickUntil([] { return s.PlaneX >= 2; }, 400);
  const Picture pullEnd = TakePicture();
  EXPECT_EQ(CountDifferences(pullEnd, FinishedPullFrom(FinishedSlideX())), 0) << "the pull again";
  ClickAndTick({1}); // the reset: the negative cycle
  ASSERT_EQ(s.AngleStep, -5);
  Tick(10);
  Key(VK_PRIOR); // back into the positive cycle's finished sine
  EXPECT_EQ(s.Stage, 3);
  EXPECT_EQ(s.AngleStep, 5);
  EXPECT_EQ(DiffersFromShown(pullEnd), 0) << "back from the next cycle";
  for (int i = 0; i < 3; ++i)
    Key(VK_PRIOR);
  EXPECT_EQ(s.Stage, 0);
  Key(VK_PRIOR); // that was the first cycle's stage 0
  EXPECT_EQ(s.Stage, 0);
  EXPECT_EQ(s.AngleStep, 5);
}

TEST(PresenterKeys, PauseHoldsThePictureWithASignUntilAnyStep) {
  StartFresh(Width, Height);
  ClickAndTick({30});
  EXPECT_EQ(PauseSignPixels(TakePicture()), 0);
  Key('K');
  const AnimationStateRecord held = AnimationState;
  const Picture paused = TakePicture();
  EXPECT_GT(PauseSignPixels(paused), 0);
  Tick(25);
  EXPECT_EQ(std::memcmp(&held, &AnimationState, sizeof held), 0) << "a tick moved a held picture";
  EXPECT_EQ(DiffersFromShown(paused), 0);
  KeptThroughARepaint("the pause sign");
  Key('K');
  EXPECT_EQ(PauseSignPixels(TakePicture()), 0);
  Tick();
  EXPECT_EQ(s.AngleDeg, held.AngleDeg + 5);

  // Next, back and start again each resume as they step.
  for (WPARAM step : Keys{VK_NEXT, VK_PRIOR, VK_HOME}) {
    Key('K');
    ASSERT_TRUE(Settings.Picture.Paused);
    Key(step);
    EXPECT_FALSE(Settings.Picture.Paused) << step;
    EXPECT_EQ(PauseSignPixels(TakePicture()), 0) << step;
  }
}

TEST(PresenterKeys, BlankAndUnblankReturnTheExactPicture) {
  StartFresh(Width, Height);
  ClickAndTick({100, 60});
  const AnimationStateRecord before = AnimationState;
  const Picture shown = TakePicture();
  Key('B');
  EXPECT_TRUE(AllBlack(Width, Height));
  Tick(20);
  Paint();
  EXPECT_TRUE(AllBlack(Width, Height));
  Click(); // only brings the picture back
  EXPECT_EQ(std::memcmp(&before, &AnimationState, sizeof before), 0);
  EXPECT_EQ(DiffersFromShown(shown), 0);

  for (WPARAM unblank : Keys{VK_OEM_PERIOD, VK_NEXT, VK_PRIOR, VK_HOME, 'K'}) {
    Key(VK_OEM_PERIOD);
    Key(unblank);
    EXPECT_EQ(std::memcmp(&before, &AnimationState, sizeof before), 0) << unblank;
    EXPECT_EQ(DiffersFromShown(shown), 0) << unblank;
  }
  // And the slide goes on from there as if never blanked.
  Tick(30);
  const Picture blankedRun = TakePicture();
  StartFresh(Width, Height);
  ClickAndTick({100, 90});
  EXPECT_EQ(DiffersFromShown(blankedRun), 0);
}

} // namespace
