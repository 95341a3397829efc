// velqor-record's videos, decoded back with libavformat and libavcodec: their
// format, size and timing, how close they stay to the exact pictures, and the
// clips of --split; the stage counting and colour conversion behind them.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "scenes/stage_table.h"
#include "tests/record/record_support.h"
#include "tools/record/player.h"
#include "tools/record/yuv_conversion.h"

namespace {

using namespace recordtest;

constexpr int kH264High = 100; // FF_PROFILE_H264_HIGH
constexpr int kVp9Profile0 = 0;

TEST_F(Recorder, VideosHaveTheirFormatEvenSidesAndExactTimes) {
  // An odd size, padded; clips whose last frame is cut short by the end
  // (25 ticks with --every 2) or falls on it (24 ticks with --every 3).
  for (const char *name : {"a.mp4", "a.webm"})
    for (const auto &[every, ticks] : std::vector<std::pair<int, int>>{{1, 25}, {2, 25}, {3, 24}}) {
      SCOPED_TRACE(std::string(name) + " --every " + std::to_string(every));
      const Outcome run =
          Record({"--size", "161x93", "--clicks", "3,9", "--ticks", std::to_string(ticks),
                  "--every", std::to_string(every), "--out", In(name)});
      ASSERT_EQ(run.code, 0) << run.err;
      EXPECT_EQ(run.err, "");
      const Video v = ReadVideo(dir / name);
      ASSERT_TRUE(v.ok);
      const bool mp4 = name == std::string("a.mp4");
      EXPECT_EQ(v.codec, mp4 ? "h264" : "vp9");
      EXPECT_EQ(v.profile, mp4 ? kH264High : kVp9Profile0);
      EXPECT_EQ(v.pixelFormat, "yuv420p");
      EXPECT_TRUE(v.bt709);
      EXPECT_TRUE(v.limitedRange);
      EXPECT_EQ(v.width, 162);
      EXPECT_EQ(v.height, 94);
      EXPECT_EQ(v.rateNumerator * every, 50 * v.rateDenominator);
      // Frame i from tick i * every; the clip ends with the last tick.
      const size_t frames = static_cast<size_t>((ticks + every - 1) / every);
      ASSERT_EQ(v.frames.size(), frames);
      for (size_t i = 0; i < frames; ++i)
        EXPECT_NEAR(v.starts[i], 0.02 * every * static_cast<double>(i), 1e-4) << "frame " << i;
      EXPECT_NEAR(v.seconds, 0.02 * ticks, 1e-4);
      // The added column and row are black (limited range: 16).
      for (const Video::Frame &f : v.frames) {
        for (int y = 40; y < 94; ++y)
          ASSERT_NEAR(f.y[static_cast<size_t>(y) * 162 + 161], 16, 3) << "column at row " << y;
        for (int x = 0; x < 162; ++x)
          ASSERT_NEAR(f.y[93 * 162 + x], 16, 3) << "row at column " << x;
      }
      if (mp4) { // the index before the pictures, so that playing starts at once
        const std::string bytes = Bytes(dir / name);
        EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));
      }
    }
}

TEST_F(Recorder, DecodedFramesStayCloseToTheExactPictures) {
  // The window's own size, every stage: frames 0-2 rotate, 3-7 tilt, 8-12
  // slide, 13-17 pull.
  const std::vector<std::string> common = {"--clicks", "5,15,25", "--ticks", "35"};
  ASSERT_TRUE(Records(With(common, {"--frames", dir.string()})));
  for (const char *name : {"a.mp4", "a.webm"}) {
    ASSERT_TRUE(Records(With(common, {"--out", In(name)})));
    const Video v = ReadVideo(dir / name);
    ASSERT_TRUE(v.ok);
    ASSERT_EQ(v.frames.size(), 18u);
    for (int frame : {2, 6, 11, 17}) {
      SCOPED_TRACE(std::string(name) + " " + Frame(frame));
      const Picture exact = ReadPng(dir / Frame(frame));
      const double whole = LumaPsnr(v, static_cast<size_t>(frame), exact);
      const double lines = LumaPsnr(v, static_cast<size_t>(frame), exact, true);
      EXPECT_GE(whole, 38);
      EXPECT_GE(lines, 30) << "near the lines";
      // Against the picture before, the match is plainly worse: the frames
      // are the right ones, in their place.
      const Picture before = ReadPng(dir / Frame(frame - 1));
      EXPECT_LT(LumaPsnr(v, static_cast<size_t>(frame), before, true), lines - 6);
    }
  }
}

TEST_F(Recorder, SplitGivesOneClipPerStageFromItsFirstPicture) {
  // Clicks into tilt (6), slide (16), pull (25), the reset into the next
  // cycle's rotate (35) and its tilt (40). Frame i is after tick 2i, so the
  // stages have frames 0-2, 3-7, 8-12, 13-17, 18-19 and 20-22: a click on a
  // frame's tick already shows in that frame.
  const std::vector<std::string> common = {"--size",        "320x186", "--clicks",
                                           "6,16,25,35,40", "--ticks", "45"};
  const std::vector<std::string> clips = {"01-rotate", "02-tilt",   "03-slide",
                                          "04-pull",   "05-rotate", "06-tilt"};
  const std::vector<int> firsts = {0, 3, 8, 13, 18, 20, 23};
  fs::create_directory(dir / "whole");
  fs::create_directory(dir / "split");
  ASSERT_TRUE(Records(With(common, {"--frames", In("whole")})));
  ASSERT_TRUE(Records(With(common, {"--split", "--frames", In("split")})));
  ASSERT_EQ(Names(dir / "split"), clips);
  for (size_t c = 0; c < clips.size(); ++c) {
    SCOPED_TRACE(clips[c]);
    const int count = firsts[c + 1] - firsts[c];
    ASSERT_EQ(Names(dir / "split" / clips[c]).size(), static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
      EXPECT_EQ(Bytes(dir / "split" / clips[c] / Frame(i)),
                Bytes(dir / "whole" / Frame(firsts[c] + i)));
  }

  for (const char *extension : {".gif", ".mp4", ".webm"}) {
    SCOPED_TRACE(extension);
    fs::create_directory(dir / extension);
    const Outcome run =
        Record(With(common, {"--split", "--out", (dir / extension / "talk").string() + extension}));
    ASSERT_EQ(run.code, 0) << run.err;
    std::vector<std::string> expected;
    for (const std::string &clip : clips)
      expected.push_back("talk-" + clip + extension);
    ASSERT_EQ(Names(dir / extension), expected);
    for (size_t c = 0; c < clips.size(); ++c) {
      SCOPED_TRACE(clips[c]);
      const fs::path file = dir / extension / expected[c];
      const size_t count = static_cast<size_t>(firsts[c + 1] - firsts[c]);
      const Picture first = ReadPng(dir / "whole" / Frame(firsts[c]));
      if (std::string(extension) == ".gif") {
        const Gif gif = ReadGif(file);
        ASSERT_TRUE(gif.ok);
        EXPECT_EQ(gif.frames.size(), count);
        for (int y = 40; y < first.height; ++y) // below the caption's many shades
          for (int x = 0; x < first.width; ++x)
            ASSERT_EQ(gif.frames[0].At(x, y), first.At(x, y)) << x << "," << y;
        continue;
      }
      const Video v = ReadVideo(file);
      ASSERT_TRUE(v.ok);
      ASSERT_EQ(v.frames.size(), count);
      // Each clip lasts until the next one's first frame; the last until tick 45.
      EXPECT_NEAR(v.seconds, c + 1 < clips.size() ? 0.04 * count : 0.04 * count - 0.02, 1e-4);
      const double lines = LumaPsnr(v, 0, first, true);
      EXPECT_GE(LumaPsnr(v, 0, first), 38);
      if (firsts[c] > 0) {
        const Picture before = ReadPng(dir / "whole" / Frame(firsts[c] - 1));
        EXPECT_LT(LumaPsnr(v, 0, before, true), lines - 6) << "the picture before its stage";
      }
    }
  }
}

TEST(StageCounter, CountsTheStagesThroughCyclesAsTheProgramGoes) {
  // {the program's Stage after a tick, the stage counted through the recording}.
  // A click in the pull makes a reset pending (4): that is already the next
  // cycle's rotate, and a click that the pending reset ignores changes nothing.
  // Back to rotate without the reset being seen (the last): still the next cycle.
  const std::pair<int32_t, int> steps[] = {{RotateStage, 0}, {TiltStage, 1},   {TiltStage, 1},
                                           {SlideStage, 2},  {PullStage, 3},   {4, 4},
                                           {4, 4},           {RotateStage, 4}, {TiltStage, 5},
                                           {SlideStage, 6},  {PullStage, 7},   {RotateStage, 8}};
  record::StageCounter counter;
  for (size_t i = 0; i < std::size(steps); ++i)
    EXPECT_EQ(counter.Update(steps[i].first, 4), steps[i].second) << "step " << i;

  // A recording that starts at the pull counts it first, the next cycle's
  // rotate second.
  const std::pair<int32_t, int> fromPull[] = {
      {PullStage, 0}, {PullStage, 0}, {4, 1}, {RotateStage, 1}, {TiltStage, 2}};
  record::StageCounter fromStage(PullStage);
  for (size_t i = 0; i < std::size(fromPull); ++i)
    EXPECT_EQ(fromStage.Update(fromPull[i].first, 4), fromPull[i].second) << "step " << i;
}

TEST(YuvConversion, Bt709LimitedRangeColours) {
  // {COLORREF, Y, Cb, Cr} from BT.709's equations, rounded.
  const uint32_t colours[][4] = {{0x000000, 16, 128, 128}, {0xFFFFFF, 235, 128, 128},
                                 {0x0000FF, 63, 102, 240}, {0x00FF00, 173, 42, 26},
                                 {0xFF0000, 32, 240, 118}, {0xC0C0C0, 181, 128, 128},
                                 {0xFFFF00, 188, 154, 16}};
  for (const auto &[colour, y, cb, cr] : colours) {
    SCOPED_TRACE(colour);
    EXPECT_EQ(record::LumaOf(colour), y);
    const uint32_t four[4] = {colour, colour, colour, colour};
    uint8_t u = 0, v = 0;
    record::ChromaOf(four, u, v);
    EXPECT_EQ(u, cb);
    EXPECT_EQ(v, cr);
  }
}

TEST(YuvConversion, ConvertingOnlyWhatChangedGivesTheWholeConversion) {
  // Odd sides, so the padding takes part; changes in a row pair's second row,
  // at both ends of a row, and undone again.
  const int w = 9, h = 5;
  std::vector<uint32_t> picture(w * h, 0);
  const std::vector<std::vector<std::pair<int, uint32_t>>> changes = {
      {{0, 0xFFFFFF}, {w * 2 + 4, 0x0000FF}},
      {{w + 8, 0x00FF00}, {w * 4 + 3, 0x808080}},
      {{0, 0}, {w * 4 + 8, 0xFF0000}},
      {}};
  const size_t lumaSize = 10 * 6, chromaSize = 5 * 3;
  std::vector<uint8_t> y(lumaSize, 0), u(chromaSize, 0), v(chromaSize, 0);
  record::YuvConverter kept(w, h);
  bool first = true;
  for (const auto &change : changes) {
    for (const auto &[at, colour] : change)
      picture[static_cast<size_t>(at)] = colour;
    kept.Convert(picture.data(), {y.data(), u.data(), v.data(), 10, 5, 5}, first);
    first = false;
    std::vector<uint8_t> wholeY(lumaSize, 1), wholeU(chromaSize, 1), wholeV(chromaSize, 1);
    record::YuvConverter fresh(w, h);
    fresh.Convert(picture.data(), {wholeY.data(), wholeU.data(), wholeV.data(), 10, 5, 5}, true);
    EXPECT_EQ(y, wholeY);
    EXPECT_EQ(u, wholeU);
    EXPECT_EQ(v, wholeV);
  }
  EXPECT_EQ(y[9], 16) << "the added column is black";
  EXPECT_EQ(y[5 * 10 + 3], 16) << "the added row is black";
}

} // namespace
