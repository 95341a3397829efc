// The presenter's settings: the command line and the page's query read by one
// parser, a start at any stage, the speed's ticks, one tick while paused, and
// the light theme's colours and pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "animation/animation_state.h"
#include "app/presenter_controls.h"
#include "app/settings.h"
#include "app/start_options.h"
#include "graphics/theme.h"
#include "scenes/stage_table.h"
#include "tests/support/program_checks.h"

#ifndef _WIN32
#include "platform/host.h"
#endif

namespace {

const AnimationStateRecord &s = AnimationState;

CommandLine Parse(std::vector<const char *> args) {
  args.insert(args.begin(), "velqor");
  return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(Options, OneParserForTheCommandLineAndThePagesQuery) {
  const CommandLine all = Parse({"--speed", "0.5", "--theme=light", "--lesson", "full", "--lang",
                                 "pt-BR", "--stage", "3", "--negative", "--fullscreen"});
  ASSERT_EQ(all.Error, "");
  const StartOptions &o = all.Options;
  EXPECT_EQ(o.TickRate, Speed::Half);
  EXPECT_EQ(o.Colors, Theme::Light);
  EXPECT_EQ(o.Course, Lesson::Full);
  EXPECT_EQ(o.Language, "pt-BR");
  EXPECT_EQ(o.Stage, 3);
  EXPECT_TRUE(o.Negative && o.FullScreen && !o.Page);
  // The link that reopens it there, and the page's query that reads it back.
  EXPECT_EQ(SettingsQuery(o), "?stage=3&dir=negative&speed=0.5&theme=light&lesson=full&lang=pt-BR");
  std::vector<std::string> warnings;
  const StartOptions back = ParseQuery(SettingsQuery(o), warnings);
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(SettingsQuery(back), SettingsQuery(o));
  EXPECT_EQ(SettingsQuery(StartOptions{}), "") << "the designed start needs no parameter";

  // Refusals: one line each, naming what was wrong.
  const struct {
    std::vector<const char *> Args;
    const char *Error;
  } bad[] = {
      {{"--speed", "3"}, "--speed '3': expected 0.25, 0.5, 1 or 2"},
      {{"--theme", "dark"}, "--theme 'dark': expected classic or light"},
      {{"--stage", "9"}, "--stage '9': expected a stage number, 0 to 3 (5 in the full lesson)"},
      {{"--lang", "x1"}, "--lang 'x1': expected a language code such as de or pt-BR"},
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--dir", "negative"}, "unknown option '--dir'"},
      {{"--speed"}, "--speed needs a value"},
      {{"stray"}, "unexpected argument 'stray'"},
  };
  for (const auto &b : bad)
    EXPECT_EQ(Parse(b.Args).Error, b.Error);
  EXPECT_TRUE(Parse({"--help"}).Help);
  EXPECT_TRUE(Parse({"--version"}).Version);

  // A page opens whatever its address says: each bad parameter is left out
  // with a line of its own, the rest taken.
  warnings.clear();
  const StartOptions page =
      ParseQuery("?speed=fast&stage=2&dir=negative&fullscreen=1&x=1&theme=light", warnings);
  EXPECT_EQ(SettingsQuery(page), "?stage=2&dir=negative&theme=light");
  EXPECT_EQ(warnings, (std::vector<std::string>{
                          "parameter speed 'fast': expected 0.25, 0.5, 1 or 2; left out",
                          "parameter 'fullscreen' is for the desktop; left out",
                          "parameter unknown setting 'x'; left out"}));
  EXPECT_TRUE(Parse({"?stage=1"}).Options.Page);
}

// Steps from a stage 0 to `stage` as a presenter who moves on the moment
// each stage has finished: the tilt once edge-on, the slide at the left edge.
void StepTo(int32_t stage) {
  const std::function<bool()> finished[] = {
      [] { return true; }, [] { return s.ApparentWidth <= 0; }, [] { return s.PlaneX <= -2; }};
  for (int32_t k = 0; k < stage; ++k) {
    TickUntil(finished[k], 400);
    Click();
  }
}

TEST(StartAtStage, EachStageOpensAsAPresenterReachesIt) {
  for (bool negative : {false, true}) {
    for (int32_t stage = 0; stage < 4; ++stage) {
      StartFresh(640, 372);
      if (negative) {
        RunStagesToEndOfPull();
        ClickAndTick({1}); // the reset
      }
      StepTo(stage);
      const AnimationStateRecord stepped = s;
      const Picture before = TakePicture();
      Tick();
      const Picture first = TakePicture();

      StartFresh(640, 372);
      StartAgain(stage, negative);
      Paint();
      EXPECT_EQ(std::memcmp(&stepped, &s, sizeof s), 0) << stage << (negative ? " negative" : "");
      EXPECT_EQ(Settings.Cycle, negative ? 1 : 0);
      EXPECT_EQ(DiffersFromShown(before), 0) << stage << (negative ? " neg." : "");
      Tick();
      EXPECT_EQ(DiffersFromShown(first), 0) << stage << (negative ? " neg." : "");
    }
  }
}

// ---- the light theme -------------------------------------------------------

// WCAG 2.2 relative luminance of linear RGB, and sRGB's decoding.
double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
// Machado, Oliveira and Fernandes (2009), severity 1, on linear RGB.
const double Protanopia[3][3] = {{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}};
const double Deuteranopia[3][3] = {{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}};
struct Seen {
  double Rgb[3]; // linear
};
Seen SeenAs(COLORREF c, const double (*vision)[3]) {
  const double in[3] = {Linear(GetRValue(c)), Linear(GetGValue(c)), Linear(GetBValue(c))};
  Seen out{};
  for (int i = 0; i < 3; ++i) {
    out.Rgb[i] = in[i];
    if (vision) {
      out.Rgb[i] = vision[i][0] * in[0] + vision[i][1] * in[1] + vision[i][2] * in[2];
      out.Rgb[i] = out.Rgb[i] < 0 ? 0 : out.Rgb[i] > 1 ? 1 : out.Rgb[i];
    }
  }
  return out;
}
double Luminance(const Seen &s) {
  return 0.2126 * s.Rgb[0] + 0.7152 * s.Rgb[1] + 0.0722 * s.Rgb[2];
}
double Contrast(const Seen &a, const Seen &b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
// CIELAB (D65) distance, for colours that luminance alone cannot tell apart.
double LabDistance(const Seen &a, const Seen &b) {
  const auto lab = [](const Seen &s, double out[3]) {
    const double x = (0.4124 * s.Rgb[0] + 0.3576 * s.Rgb[1] + 0.1805 * s.Rgb[2]) / 0.95047;
    const double y = 0.2126 * s.Rgb[0] + 0.7152 * s.Rgb[1] + 0.0722 * s.Rgb[2];
    const double z = (0.0193 * s.Rgb[0] + 0.1192 * s.Rgb[1] + 0.9505 * s.Rgb[2]) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    out[0] = 116 * f(y) - 16;
    out[1] = 500 * (f(x) - f(y));
    out[2] = 200 * (f(y) - f(z));
  };
  double p[3], q[3];
  lab(a, p);
  lab(b, q);
  return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) +
                   (p[2] - q[2]) * (p[2] - q[2]));
}

// Every figure the demonstration draws at least 4.5:1 to the background, the
// point 3:1 to the circle and to the trace, as seen with full colour vision,
// protanopia and deuteranopia. The circle (and its edge-on plane) and the
// trace, both 4.5:1 from white and 3:1 from the point, lie too close in
// luminance for 3:1 between them: they differ in colour, by at least 20 in
// CIELAB. The figures are printed.
TEST(LightTheme, ContrastHoldsForEveryFigureAndEveryVision) {
  const struct {
    const char *Name;
    int32_t Color;
  } figures[] = {{"point and caption", White},
                 {"circle and plane", Red},
                 {"sine trace", LightGray},
                 {"prompt and signs", Yellow}};
  const struct {
    const char *Name;
    const double (*Matrix)[3];
  } visions[] = {
      {"full colour", nullptr}, {"protanopia", Protanopia}, {"deuteranopia", Deuteranopia}};
  for (const auto &v : visions) {
    const Seen background = SeenAs(LightColors[Black], v.Matrix);
    for (const auto &f : figures) {
      const double c = Contrast(SeenAs(LightColors[f.Color], v.Matrix), background);
      std::printf("[  FIGURE  ] light theme, %s: %s %.2f:1 to the background\n", v.Name, f.Name, c);
      EXPECT_GE(c, 4.5) << f.Name << ", " << v.Name;
    }
    const Seen point = SeenAs(LightColors[White], v.Matrix);
    const Seen circle = SeenAs(LightColors[Red], v.Matrix);
    const Seen trace = SeenAs(LightColors[LightGray], v.Matrix);
    std::printf("[  FIGURE  ] light theme, %s: point to circle %.2f:1, point to trace %.2f:1, "
                "circle to trace %.2f:1 and %.1f apart in CIELAB\n",
                v.Name, Contrast(point, circle), Contrast(point, trace), Contrast(circle, trace),
                LabDistance(circle, trace));
    EXPECT_GE(Contrast(point, circle), 3.0) << v.Name;
    EXPECT_GE(Contrast(point, trace), 3.0) << v.Name;
    EXPECT_GE(LabDistance(circle, trace), 20.0) << v.Name;
  }
}

// In the light theme every stage's end is its direct drawing there: what is
// drawn by exclusive-or shows in the theme's colours over its background and
// leaves nothing behind; the caption band and the prompt follow the theme.
TEST(LightTheme, ACycleEndsEachStageAsDrawnDirectly) {
  StartFresh(640, 372);
  Key('T');
  ASSERT_EQ(Settings.Colors, Theme::Light);
  const Picture opening = TakePicture();
  EXPECT_EQ(opening.At(2, 300), LightColors[Black]) << "the background";
  EXPECT_GT(CountColor(opening, LightColors[Red], 0, 0, 640, 372), 500) << "the circle";
  EXPECT_GT(CountColor(opening, LightColors[Yellow], 320, 0, 640, 40), 20) << "the prompt";
  Click();
  TickUntil([] { return s.ApparentWidth <= 0; }, 200);
  EXPECT_EQ(DiffersFromShown([&] { return EdgeOnTilt(s.ApparentWidth, s.AngleDeg); }), 0);
  Click();
  TickUntil([] { return s.PlaneX <= -2; }, 400);
  EXPECT_EQ(DiffersFromShown([&] { return SlideAt(s.PlaneX, s.AngleDeg); }), 0);
  Click();
  const double start = s.PlaneX;
  TickUntil([] { return s.PlaneX >= 2; }, 800);
  EXPECT_EQ(DiffersFromShown([&] { return FinishedPullFrom(start); }), 0);
  const DWORD light = GdiObjectCount();
  Key('T');
  EXPECT_EQ(Settings.Colors, Theme::Classic);
  EXPECT_EQ(DiffersFromShown([&] { return FinishedPullFrom(start); }), 0)
      << "back in the designed colours";
  if (light != 0) {
    EXPECT_EQ(GdiObjectCount(), light - 1) << "the light background's brush goes with it";
  }
  ExpectNoObjectLeaked("after the light theme");
}

// ---- speed and one tick ----------------------------------------------------

TEST(Step, WhilePausedSPlaysOneTickAndResumesNothing) {
  StartFresh(640, 372);
  Key('S');
  EXPECT_EQ(s.AngleDeg, 5) << "not paused: S does nothing";
  Key('K');
  Key('S');
  EXPECT_EQ(s.AngleDeg, 10);
  EXPECT_TRUE(Settings.Picture.Paused);
  Tick(5);
  EXPECT_EQ(s.AngleDeg, 10) << "still held";
  Click();
  Key('K');
  Key('S'); // the tilt's first tick: its caption band
  EXPECT_LT(s.ApparentWidth, 1.0);
  EXPECT_TRUE(Settings.Picture.Paused);
}

#ifndef _WIN32
// The picture below the caption band, whose left end shows the speed's sign.
size_t BodyHash() {
  const Picture p = TakePicture();
  return std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char *>(p.Pixels.data() + 40 * p.Width),
                       (p.Pixels.size() - 40 * p.Width) * sizeof(COLORREF)));
}

// Plays through the message queue at the speed the keys set, with clicks
// arriving before the ticks a user's clicks would: the body's hash after
// each tick (after each message's last tick at two ticks a message), and the
// ticks a second of virtual time.
std::vector<size_t> PlayAtSpeed(const char *keys, double &ticksPerSecond) {
  vqp::HeadlessAdvanceClock(1000); // whatever tick was due, taken first
  DispatchReady();
  StartFresh(500, 300); // the timer set anew: its next tick a period away
  for (const char *k = keys; *k; ++k)
    Key(*k == '-' ? VK_OEM_MINUS : *k == '+' ? VK_ADD : VK_OEM_PLUS);
  std::vector<size_t> hashes(1, BodyHash());
  const size_t clicks[] = {73, 223, 455};
  size_t click = 0;
  uint64_t ms = 0;
  while (hashes.size() < 700) {
    if (click < std::size(clicks) && clicks[click] == hashes.size()) {
      Click();
      ++click;
    }
    const AnimationStateRecord before = s;
    vqp::HeadlessAdvanceClock(10);
    ms += 10;
    DispatchReady();
    if (std::memcmp(&before, &s, sizeof s) == 0)
      continue;
    if (TicksPerTimerMessage(Settings.TickRate) == 2)
      hashes.push_back(0); // the first of the two is not seen on its own
    hashes.push_back(BodyHash());
  }
  ticksPerSecond = (hashes.size() - 1) * 1000.0 / static_cast<double>(ms);
  return hashes;
}

// At each speed the designed ticks, picture for picture, at the speed's rate.
TEST(Speed, EverySpeedPlaysTheDesignedTicksAtItsRate) {
  double rate = 0;
  const std::vector<size_t> designed = PlayAtSpeed("", rate);
  EXPECT_NEAR(rate, 50, 0.2);
  const struct {
    const char *Keys;
    Speed Rate;
    double TicksPerSecond;
  } speeds[] = {{"-", Speed::Half, 25},
                {"--", Speed::Quarter, 12.5},
                {"---+", Speed::Half, 25},
                {"+", Speed::Double, 100},
                {"=++", Speed::Double, 100}};
  for (const auto &speed : speeds) {
    const std::vector<size_t> hashes = PlayAtSpeed(speed.Keys, rate);
    EXPECT_EQ(Settings.TickRate, speed.Rate) << speed.Keys;
    EXPECT_NEAR(rate, speed.TicksPerSecond, speed.TicksPerSecond / 200) << speed.Keys;
    for (size_t tick = 0; tick < std::min(hashes.size(), designed.size()); ++tick)
      if (hashes[tick] != 0 && hashes[tick] != designed[tick]) {
        ADD_FAILURE() << speed.Keys << ": the picture after tick " << tick << " differs";
        break;
      }
  }
}
#endif

} // namespace
