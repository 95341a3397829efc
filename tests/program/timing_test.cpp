// A running stage disturbed. By a paint request in its middle, or between a
// click and the first tick of its stage: the window shows the stage as it
// stands, so the paint changes no pixel and the stage goes on from there as
// if nothing had happened. By a window so low that the figures reach up into
// the caption's line. And by a window of odd width, where the slide's point at
// x = 0 and the tilt's last point a hair beside it fall on neighbouring pixels.
#include <gtest/gtest.h>

#include <vector>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"
#include "tests/support/program_checks.h"

namespace {

const AnimationStateRecord &s = AnimationState;

// Small enough to read back quickly through GetPixel on a real GDI, and
// narrower than 420 pixels, where the circle and the ellipses are filled.
constexpr int Width = 400;
constexpr int Height = 420;

// Each case reaches the middle of a stage from a fresh start (the ticks spent
// in each stage, with a click between stages), then runs on past the stage's
// own end: the plane turns edge-on after 100 ticks, stops sliding after 181
// and leaves the picture after 362.
struct MidStage {
  const char *name;
  std::vector<int> ticksPerStage;
  int ticksAfter;
};

const MidStage Cases[] = {
    {"rotate", {30}, 60},
    {"tilt", {0, 40}, 90},
    {"slide", {0, 100, 60}, 160},
    {"pull", {0, 100, 181, 120}, 280},
};

void Reach(const std::vector<int> &ticksPerStage) {
  for (size_t i = 0; i < ticksPerStage.size(); ++i) {
    if (i > 0)
      Click();
    Tick(ticksPerStage[i]);
  }
}

TEST(PaintMidStage, ThePictureStaysAsItStandsAndTheStageGoesOn) {
  for (const MidStage &c : Cases) {
    for (bool clickFirst : {false, true}) {
      StartFresh(Width, Height);
      Reach(c.ticksPerStage);
      if (clickFirst)
        Click();
      Tick(c.ticksAfter);
      const Picture undisturbed = TakePicture();

      StartFresh(Width, Height);
      Reach(c.ticksPerStage);
      if (clickFirst)
        Click(); // counted, but its stage draws on the next tick
      const int stage = s.Stage;
      KeptThroughARepaint(std::string(c.name) + (clickFirst ? " after a click" : ""));
      Tick(c.ticksAfter);
      EXPECT_EQ(s.Stage, clickFirst ? (stage == 4 ? 0 : stage) : stage) << c.name;
      EXPECT_EQ(DiffersFromShown(undisturbed), 0) << c.name << (clickFirst ? " after a click" : "");
    }
  }
}

// Under 400 pixels of height the circle's top and the plane's top end lie
// within the caption's rows. The first tick of a stage must not cut them with
// its opaque caption, or erasing them later leaves pieces of them in it.
TEST(LowWindow, TiltAndSlideUnderTheCaptionLeaveNoResidue) {
  for (int height : {240, 300, 583}) {
    StartFresh(600, height);
    Reach({0, 150});
    EXPECT_EQ(DiffersFromShown([&] { return EdgeOnTilt(s.ApparentWidth, s.AngleDeg); }), 0)
        << "tilt, height " << height;

    StartFresh(600, height);
    Reach({0, 100, 200});
    EXPECT_EQ(DiffersFromShown([&] { return SlideAt(s.PlaneX, s.AngleDeg); }), 0)
        << "slide, height " << height;
  }
}

// The slide's first tick takes the point off where the tilt drew it.
TEST(OddWidth, ASlideAfterATiltLeavesNoPointBehind) {
  for (int width : {601, 1001}) {
    StartFresh(width, 500);
    Reach({0, 100, 200});
    EXPECT_EQ(DiffersFromShown([&] { return SlideAt(s.PlaneX, s.AngleDeg); }), 0)
        << "width " << width;
  }
}

// A click before the tilt has finished (or two clicks from stage 0 before a
// tick): the slide takes off what the tilt left, its last ellipse or the whole
// circle, and its picture is the one drawn directly.
TEST(EarlyClick, TheSlideTakesOffWhateverTheTiltLeft) {
  for (int tiltTicks : {30, 99, 0}) {
    StartFresh(Width, Height);
    ClickAndTick({tiltTicks, 200});
    EXPECT_EQ(DiffersFromShown([&] { return SlideAt(s.PlaneX, s.AngleDeg); }), 0)
        << tiltTicks << " ticks of tilt";
  }
}

// The pull's caption band comes before its plane.
TEST(LowWindow, APullUnderTheCaptionLeavesNoResidue) {
  const struct {
    int width, height, slideTicks;
  } cases[] = {{600, 240, 1}, {233, 100, 65}, {500, 300, 181}};
  for (const auto &c : cases) {
    StartFresh(c.width, c.height);
    Reach({0, 100, c.slideTicks});
    Click();
    const double start = s.PlaneX;
    EXPECT_LT(TickUntil([] { return s.PlaneX >= 2; }, 400), 400);
    EXPECT_EQ(DiffersFromShown([&] { return FinishedPullFrom(start); }), 0)
        << c.width << " x " << c.height << " from " << start;
  }
}

} // namespace
