// velqor-record with the program's settings: a speed changes only the time
// between the designed ticks, the settings are refused as velqor refuses
// them, and a start at a stage records that stage alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "app/start_options.h"
#include "tests/record/record_support.h"

namespace {

using namespace recordtest;

// The same picture below the caption band, whose line shows the speed's sign.
bool SameBelowBand(const Picture &a, const Picture &b) {
  return a.width == b.width && a.height == b.height && a.pixels.size() > 40u * a.width &&
         std::equal(a.pixels.begin() + 40 * a.width, a.pixels.end(),
                    b.pixels.begin() + 40 * b.width);
}

TEST_F(Recorder, ASpeedChangesOnlyTheTimeBetweenTheTicks) {
  const std::vector<std::string> common = {"--size", "500x300", "--ticks", "40"};
  ASSERT_TRUE(Records(With(common, {"--clicks", "5,15,25", "--out", In("designed.gif")})));
  const Gif designed = ReadGif(dir / "designed.gif");
  ASSERT_TRUE(designed.ok);
  ASSERT_EQ(designed.frames.size(), 21u);
  const int designedLength = std::accumulate(designed.delays.begin(), designed.delays.end(), 0);
  EXPECT_EQ(designedLength, 84) << "21 frames of two 20 ms ticks";

  // At 2 a timer message plays two ticks: a click for the second one arrives
  // before the message, with the first one.
  const struct {
    const char *speed;
    const char *clicks;
    double msPerTick;
  } speeds[] = {{"0.5", "5,15,25", 40}, {"0.25", "5,15,25", 80}, {"2", "6,16,26", 10}};
  for (const auto &s : speeds) {
    SCOPED_TRACE(std::string("--speed ") + s.speed);
    const std::vector<std::string> args = With(common, {"--speed", s.speed, "--clicks", s.clicks});
    ASSERT_TRUE(Records(With(args, {"--out", In("a.gif")})));
    const Gif gif = ReadGif(dir / "a.gif");
    ASSERT_TRUE(gif.ok);
    ASSERT_EQ(gif.frames.size(), designed.frames.size());
    for (size_t i = 0; i < gif.frames.size(); ++i)
      EXPECT_TRUE(SameBelowBand(gif.frames[i], designed.frames[i])) << "frame " << i;
    const int frameDelay = static_cast<int>(2 * s.msPerTick / 10);
    EXPECT_EQ(gif.delays, std::vector<int>(gif.frames.size(), frameDelay));
    EXPECT_EQ(std::accumulate(gif.delays.begin(), gif.delays.end(), 0),
              designedLength * s.msPerTick / 20);

    ASSERT_TRUE(Records(With(args, {"--out", In("a.mp4")})));
    const Video video = ReadVideo(dir / "a.mp4");
    ASSERT_TRUE(video.ok);
    EXPECT_NEAR(video.seconds, 40 * s.msPerTick / 1000, 1e-4);
    ASSERT_EQ(video.frames.size(), 20u) << "the picture after the last tick is not shown";
    for (size_t i = 0; i < video.frames.size(); ++i)
      EXPECT_NEAR(video.starts[i], 2 * s.msPerTick / 1000 * static_cast<double>(i), 1e-4);
  }

  // At 2 only the picture after a message's second tick is ever seen: a frame
  // due after an odd tick is the one after the next tick, from that tick on.
  fs::create_directory(dir / "designed");
  fs::create_directory(dir / "double");
  ASSERT_TRUE(
      Records(With(common, {"--clicks", "5,15,25", "--every", "1", "--frames", In("designed")})));
  const std::vector<std::string> everyThird =
      With(common, {"--speed", "2", "--clicks", "6,16,26", "--every", "3"});
  ASSERT_TRUE(Records(With(everyThird, {"--frames", In("double")})));
  ASSERT_TRUE(Records(With(everyThird, {"--out", In("double.gif")})));
  const std::vector<int> ticks = {0, 4, 6, 10, 12, 16, 18, 22, 24, 28, 30, 34, 36, 40};
  ASSERT_EQ(Names(dir / "double").size(), ticks.size());
  for (size_t i = 0; i < ticks.size(); ++i)
    EXPECT_TRUE(SameBelowBand(ReadPng(dir / "double" / Frame(static_cast<int>(i))),
                              ReadPng(dir / "designed" / Frame(ticks[i]))))
        << "frame " << i << ", after tick " << ticks[i];
  const Gif gif = ReadGif(dir / "double.gif");
  ASSERT_TRUE(gif.ok);
  std::vector<int> delays; // 10 ms a tick, until the next frame (the last: tick 42)
  for (size_t i = 0; i < ticks.size(); ++i)
    delays.push_back((i + 1 < ticks.size() ? ticks[i + 1] : 42) - ticks[i]);
  EXPECT_EQ(gif.delays, delays);
}

TEST_F(Recorder, TheProgramsSettingsAreRefusedAsVelqorRefusesThem) {
  fs::create_directory(dir / "out");
  const struct {
    std::vector<std::string> args;
    std::string error;
    bool velqorsParser; // velqor's option parser says the same
  } cases[] = {
      {{"--speed", "3"}, "--speed '3': expected 0.25, 0.5, 1 or 2", true},
      {{"--speed=fast"}, "--speed 'fast': expected 0.25, 0.5, 1 or 2", true},
      {{"--theme", "dark"}, "--theme 'dark': expected classic or light", true},
      {{"--lesson", "short"}, "--lesson 'short': expected classic or full", true},
      {{"--lang", "x1"}, "--lang 'x1': expected a language code such as de or pt-BR", true},
      {{"--lang", "de\tx"}, "--lang 'de?x': expected a language code such as de or pt-BR", true},
      {{"--stage", "9"},
       "--stage '9': expected a stage number, 0 to 3 (5 in the full lesson)",
       true},
      {{"--negative=maybe"}, "--negative 'maybe': expected 1 or 0", true},
      {{"--speed"}, "--speed needs a value", true},
      // velqor checks the stage against its cycle once the options are read.
      {{"--stage", "4"}, "--stage 4: the classic lesson's positive cycle has stages 0 to 3", false},
      {{"--negative", "--stage=5"},
       "--stage 5: the classic lesson's negative cycle has stages 0 to 3",
       false},
      // The recorder's own: a flag takes no value; a frame stays within a GIF's delay.
      {{"--split=1"}, "--split takes no value", false},
      {{"--speed", "0.25", "--every", "8192"},
       "--every 8192: at most 8191 at --speed 0.25 (a frame stays at most 655 seconds)",
       false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.error);
    const Outcome run = Record(With({"--ticks", "2", "--out", In("out/a.gif")}, c.args));
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "velqor-record: " + c.error + " (see --help)\n");
    EXPECT_TRUE(Names(dir / "out").empty());
    if (c.velqorsParser) {
      std::vector<const char *> argv = {"velqor"};
      for (const std::string &a : c.args)
        argv.push_back(a.c_str());
      EXPECT_EQ(ParseCommandLine(static_cast<int>(argv.size()), argv.data()).Error, c.error);
    }
  }
  // Every spelling velqor takes.
  const Outcome all =
      Record({"--speed=1/2", "--theme=light", "--lesson", "full", "--lang", "pt_BR", "--stage", "2",
              "--negative=0", "--size", "64x40", "--ticks", "2", "--out", In("out/a.gif")});
  EXPECT_EQ(all.code, 0) << all.err;
}

TEST_F(Recorder, AStartAtAStageRecordsThatStageAndItsHold) {
  const struct {
    const char *lesson, *stage;
    bool negative;
    int ticks;        // the stage's and its hold's
    const char *name; // its clip's
  } stages[] = {
      {"classic", "0", false, 72 + 1, "rotate"},  {"classic", "1", true, 100 + 50, "tilt"},
      {"classic", "2", false, 181 + 50, "slide"}, {"classic", "3", true, 362 + 100, "pull"},
      {"full", "4", false, 100 + 50, "view"},     {"full", "5", true, 72 + 1, "both"}};
  for (const auto &s : stages) {
    SCOPED_TRACE(s.name);
    std::vector<std::string> args = {"--size", "64x40",   "--lesson", s.lesson,   "--stage",
                                     s.stage,  "--split", "--out",    In("a.mp4")};
    if (s.negative)
      args.push_back("--negative");
    ASSERT_TRUE(Records(args));
    const std::string clip = "a-01-" + std::string(s.name) + ".mp4";
    ASSERT_EQ(Names(dir), std::vector<std::string>{clip});
    const Video video = ReadVideo(dir / clip);
    ASSERT_TRUE(video.ok);
    EXPECT_NEAR(video.seconds, 0.02 * s.ticks, 1e-4);
    EXPECT_EQ(video.frames.size(), static_cast<size_t>((s.ticks + 1) / 2));
    fs::remove(dir / clip);
  }

  // The negative pull alone is the one a presenter plays who clicks the
  // moment each stage before it has finished (the turn after 72 ticks, the
  // tilt after 100, the slide after 181; the pull after 362, then the reset's
  // tick): the negative slide ends with tick 1069, the pull begins with 1070.
  fs::create_directory(dir / "stepped");
  fs::create_directory(dir / "alone");
  ASSERT_TRUE(Records({"--size", "160x93", "--clicks", "73,173,354,716,789,889,1070", "--ticks",
                       "1531", "--every", "1", "--frames", In("stepped")}));
  ASSERT_TRUE(Records({"--size", "160x93", "--stage", "3", "--negative", "--frames", In("alone")}));
  ASSERT_EQ(Names(dir / "alone").size(), 232u);
  for (int i = 0; i < 232; ++i)
    ASSERT_TRUE(Bytes(dir / "alone" / Frame(i)) == Bytes(dir / "stepped" / Frame(1069 + 2 * i)))
        << "frame " << i;
}

// The full lesson by default: both cycles, each stage played and held as it
// is alone, then both frequencies together for two turns; split, its clips
// come in the stages' order, named after them.
TEST_F(Recorder, TheFullLessonIsRecordedStageByStage) {
  // Every tick a frame, so that each clip lasts exactly its ticks.
  ASSERT_TRUE(Records(
      {"--size", "64x40", "--lesson", "full", "--every", "1", "--split", "--out", In("l.mp4")}));
  const struct {
    const char *name;
    int ticks;
  } clips[] = {{"rotate", 73}, {"tilt", 150},  {"slide", 231}, {"pull", 462},
               {"view", 150},  {"rotate", 73}, {"tilt", 150},  {"slide", 231},
               {"pull", 462},  {"view", 150},  {"both", 146}};
  std::vector<std::string> names;
  for (size_t i = 0; i < std::size(clips); ++i)
    names.push_back("l-" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1) + "-" +
                    clips[i].name + ".mp4");
  std::vector<std::string> found = Names(dir);
  std::sort(found.begin(), found.end());
  ASSERT_EQ(found, names);
  for (size_t i = 0; i < std::size(clips); ++i) {
    const Video video = ReadVideo(dir / names[i]);
    ASSERT_TRUE(video.ok) << names[i];
    EXPECT_NEAR(video.seconds, 0.02 * clips[i].ticks, 1e-4) << names[i];
  }
}

TEST_F(Recorder, TheThemeAndTheLanguageShowAsAsked) {
  ASSERT_TRUE(
      Records({"--theme", "light", "--size", "161x93", "--ticks", "0", "--frames", dir.string()}));
  const Picture p = ReadPng(dir / Frame(0));
  EXPECT_GT(p.Count(kWhite, 0, 40, 161, 93), 161 * 53 / 2) << "a light background";
  ASSERT_TRUE(
      Records({"--theme", "light", "--size", "161x93", "--ticks", "4", "--out", In("a.mp4")}));
  const Video v = ReadVideo(dir / "a.mp4");
  ASSERT_TRUE(v.ok);
  ASSERT_EQ(v.width, 162);
  for (int x = 0; x < 162; ++x) // limited range: white is 235
    ASSERT_NEAR(v.frames[0].y[93 * 162 + x], 235, 3) << "the added row at column " << x;

  // The captions are English unless --lang asks for another language,
  // whatever the system's.
  RunOptions german;
  german.environment = {{"LC_ALL", "de_DE.UTF-8"}, {"LANG", "de_DE.UTF-8"}};
  const std::vector<std::string> opening = {"--ticks", "0", "--out"};
  ASSERT_TRUE(Records(With(opening, {In("plain.gif")})));
  ASSERT_TRUE(Records(With(opening, {In("system.gif")}), german));
  ASSERT_TRUE(Records(With(opening, {In("asked.gif"), "--lang", "de"})));
  EXPECT_TRUE(Bytes(dir / "plain.gif") == Bytes(dir / "system.gif"));
  const Gif plain = ReadGif(dir / "plain.gif"), asked = ReadGif(dir / "asked.gif");
  ASSERT_TRUE(plain.ok && asked.ok);
  EXPECT_TRUE(plain.frames[0].pixels != asked.frames[0].pixels) << "the German captions";
}

} // namespace
