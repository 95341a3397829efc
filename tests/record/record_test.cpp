// velqor-record run as a program: what it writes (read back with giflib and
// libpng), how it refuses bad input, and that failures leave no output behind.
#include <gtest/gtest.h>

#include <gif_lib.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "graphics/graphics_state.h"
#include "graphics/mapping.h"
#include "tests/record/record_support.h"

namespace {

using namespace recordtest;

TEST_F(Recorder, GifFrameCountDelaysAndLoop) {
  // {--every, --ticks, frames, hundredths of a second per frame}: 20 ms per tick.
  for (const auto &[every, ticks, frames, delay] :
       std::vector<std::array<int, 4>>{{2, 9, 5, 4}, {3, 10, 4, 6}, {1, 3, 4, 2}}) {
    SCOPED_TRACE("--every " + std::to_string(every));
    const Outcome run =
        Record({"--size", "160x93", "--clicks", "2", "--ticks", std::to_string(ticks), "--every",
                std::to_string(every), "--out", In("a.gif")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "") << "stderr is not a terminal: nothing to say";
    const Gif gif = ReadGif(dir / "a.gif");
    ASSERT_TRUE(gif.ok);
    EXPECT_TRUE(gif.loopsForEver);
    // Made as any new file is (umask 022), not private like its temporary file.
    EXPECT_EQ(fs::status(dir / "a.gif").permissions(), fs::perms(0644));
    EXPECT_EQ(gif.frames.size(), static_cast<size_t>(frames));
    EXPECT_EQ(gif.delays, std::vector<int>(frames, delay));
    EXPECT_EQ(gif.disposals, std::vector<int>(frames, DISPOSE_DO_NOT));
    EXPECT_EQ(gif.fitsScreen, std::vector<bool>(frames, true));
  }
}

TEST_F(Recorder, TheGifShowsWhatThePngFramesShow) {
  // Through every stage and a reset, with fast clicks: whole repaints and small changes.
  const std::vector<std::string> common = {"--size",  "640x372", "--clicks", "5,15,25,35,39",
                                           "--ticks", "45",      "--every",  "3"};
  ASSERT_TRUE(Records(With(common, {"--out", In("a.gif")})));
  ASSERT_TRUE(Records(With(common, {"--frames", dir.string()})));
  const Gif gif = ReadGif(dir / "a.gif");
  ASSERT_EQ(gif.frames.size(), 16u);
  for (int i = 0; i < 16; ++i) {
    const Picture png = ReadPng(dir / Frame(i));
    ASSERT_EQ(png.pixels.size(), 640u * 372u) << Frame(i);
    // Exact below the caption band; in it, anti-aliased text has more shades
    // than the 256-colour palette holds, and some show as a neighbour.
    for (int y = 0; y < 372; ++y)
      for (int x = 0; x < 640; ++x) {
        const uint32_t a = gif.frames[i].At(x, y), b = png.At(x, y);
        if (a == b)
          continue;
        ASSERT_LT(y, 40) << Frame(i) << " at " << x << "," << y;
        for (int shift = 0; shift < 24; shift += 8)
          ASSERT_LE(std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)), 8);
      }
  }
}

TEST_F(Recorder, TheSameOptionsGiveTheSameBytes) {
  const std::vector<std::string> common = {"--size",  "300x175", "--clicks", "3,9,14,30",
                                           "--ticks", "33",      "--every",  "3"};
  for (const char *extension : {".gif", ".mp4", ".webm"}) {
    for (const char *name : {"a", "b"})
      ASSERT_TRUE(Records(With(common, {"--out", In(name + std::string(extension))})));
    const std::string a = Bytes(dir / ("a" + std::string(extension)));
    EXPECT_GT(a.size(), 1000u) << extension;
    EXPECT_TRUE(a == Bytes(dir / ("b" + std::string(extension)))) << extension;
  }

  for (const char *name : {"p", "q"}) {
    fs::create_directory(dir / name);
    ASSERT_TRUE(Records(With(common, {"--frames", In(name)})));
  }
  ASSERT_EQ(Names(dir / "p").size(), 12u);
  EXPECT_EQ(Names(dir / "p"), Names(dir / "q"));
  for (const std::string &name : Names(dir / "p"))
    EXPECT_EQ(Bytes(dir / "p" / name), Bytes(dir / "q" / name)) << name;
}

// Where the program draws a world point in its 1002 x 583 window.
std::pair<int, int> PixelOf(double x, double y) {
  GraphicsState.MaxX = 1002;
  GraphicsState.MaxY = 583;
  SetViewport(0, 0, 1002, 583);
  SetWorldWindow(-2.1, -1.25, 2.1, 1.25);
  const PixelPoint p = WorldToScreen(x, y);
  return {WindowX(p.X), WindowY(p.Y)};
}

TEST_F(Recorder, PngFramesOfStage0ShowTheCircleAndThePoint) {
  // Frame 0 is the opening picture (the point at 5 degrees), frame 1 follows 18 ticks (95 degrees).
  ASSERT_TRUE(Records({"--ticks", "18", "--every", "18", "--frames", dir.string()}));
  EXPECT_EQ(Names(dir), (std::vector<std::string>{Frame(0), Frame(1)}));
  for (int frame : {0, 1}) {
    SCOPED_TRACE(Frame(frame));
    const Picture p = ReadPng(dir / Frame(frame));
    ASSERT_EQ(p.width, 1002);
    ASSERT_EQ(p.height, 583);
    for (const auto &[x, y] : {PixelOf(0, -1), PixelOf(-1, 0), PixelOf(0.7071, -0.7071)})
      EXPECT_GT(p.Count(kRed, x - 1, y - 1, x + 2, y + 2), 0) << "circle at " << x << "," << y;
    const auto [cx, cy] = PixelOf(0, 0);
    EXPECT_EQ(p.At(cx, cy), kBlack);
    for (int degrees : {5, 95}) {
      const double a = degrees * 0.01745329;
      const auto [x, y] = PixelOf(std::cos(a), std::sin(a));
      const long white = p.Count(kWhite, x - 14, y - 14, x + 15, y + 15);
      const long crossing = p.Count(kWhiteOverRed, x - 14, y - 14, x + 15, y + 15);
      if ((degrees == 5) == (frame == 0)) {
        EXPECT_GT(white, 100) << "the point at " << degrees;
        EXPECT_GT(crossing, 0) << "the point over the circle at " << degrees;
        EXPECT_EQ(p.Count(kWhite, 0, 40, 1002, 583), white) << "white outside the point";
      } else {
        EXPECT_EQ(white + crossing, 0) << "no point at " << degrees;
      }
    }
  }
}

// Presentation mode on a 4:3 monitor: the picture in the middle, black bands
// above and below, its circle as round as in the window, its caption 1.6
// times as high.
TEST_F(Recorder, PresentModeDrawsThePictureInItsRectangleOnTheMonitor) {
  ASSERT_TRUE(
      Records({"--present", "--size", "1600x1200", "--ticks", "0", "--frames", dir.string()}));
  fs::create_directory(dir / "window");
  ASSERT_TRUE(Records({"--ticks", "0", "--frames", (dir / "window").string()}));
  const Picture p = ReadPng(dir / Frame(0)), window = ReadPng(dir / "window" / Frame(0));
  ASSERT_EQ(p.width, 1600);
  ASSERT_EQ(p.height, 1200);
  // 1600 x 931 (1600 x 583 / 1002 = 930.94), 134 rows above and 135 below.
  const int top = 134, bottom = 134 + 931;
  EXPECT_EQ(p.Count(kBlack, 0, 0, 1600, top), 1600 * top);
  EXPECT_EQ(p.Count(kBlack, 0, bottom, 1600, 1200), 1600 * (1200 - bottom));
  // The ring's outermost pixels, as a fraction of the picture, are the window's.
  const auto extent = [](const Picture &q, int y0, int y1) {
    int left = q.width, right = -1, up = q.height, down = -1;
    for (int y = y0; y < y1; ++y)
      for (int x = 0; x < q.width; ++x)
        if (q.At(x, y) == kRed) {
          left = std::min(left, x), right = std::max(right, x);
          up = std::min(up, y), down = std::max(down, y);
        }
    return std::array<double, 2>{double(right - left), double(down - up)};
  };
  const auto ring = extent(p, top, bottom), designed = extent(window, 0, 583);
  EXPECT_NEAR(ring[0] / ring[1], designed[0] / designed[1], 0.01 * designed[0] / designed[1]);
  EXPECT_NEAR(ring[1] / 931, designed[1] / 583, 0.01);
  // The caption's letters (their fully inked rows) grown with the picture.
  const auto inkRows = [](const Picture &q, int y0, int rows) {
    int n = 0;
    for (int y = y0; y < y0 + rows; ++y)
      n += q.Count(kWhite, 0, y, q.width, y + 1) > 0;
    return n;
  };
  EXPECT_NEAR(inkRows(p, top, 64), 1.6 * inkRows(window, 0, 40), 2.0);
}

TEST_F(Recorder, FramesReplaceAnEarlierRecordingOnly) {
  std::ofstream(dir / Frame(7)) << "old";
  std::ofstream(dir / "notes.txt") << "mine";
  ASSERT_TRUE(Records({"--size", "64x40", "--ticks", "4", "--frames", dir.string()}));
  EXPECT_EQ(Names(dir), (std::vector<std::string>{Frame(0), Frame(1), Frame(2), "notes.txt"}));
  EXPECT_EQ(ReadPng(dir / Frame(2)).width, 64);
}

TEST_F(Recorder, BadInputIsNamedAndWritesNothing) {
  fs::create_directory(dir / "out");
  fs::create_directory(dir / "folder.gif");
  std::ofstream(dir / "file") << "x";
  const std::string gif = In("out/a.gif"), frames = In("out");
  // Unwritable even for root: sysfs takes no new files.
  const std::string unwritable = geteuid() == 0 ? "/sys/a.gif" : "/a.gif";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--bogus", "--out", gif}, "unknown option '--bogus'"},
      {{"-q", "--out", gif}, "unknown option '-q'"},
      {{"--out", gif, "extra"}, "unexpected argument 'extra'"},
      {{"--size", "0x583", "--out", gif}, "--size '0x583'"},
      {{"--size", "-640x372", "--out", gif}, "--size '-640x372'"},
      {{"--size", "8193x100", "--out", gif}, "--size '8193x100'"},
      {{"--size", "640", "--out", gif}, "--size '640'"},
      {{"--size", "640x372x1", "--out", gif}, "--size '640x372x1'"},
      {{"--clicks", "5,5", "--out", gif}, "strictly increasing"},
      {{"--clicks", "9,3", "--out", gif}, "strictly increasing"},
      {{"--clicks", "4,x", "--out", gif}, "'x' is not a tick number"},
      {{"--clicks", "0", "--out", gif}, "'0' is not a tick number"},
      {{"--clicks", "30", "--ticks", "20", "--out", gif}, "after the last tick"},
      {{"--ticks", "-1", "--out", gif}, "--ticks '-1'"},
      {{"--every", "0", "--out", gif}, "--every '0'"},
      {{"--every", "two", "--out", gif}, "--every 'two'"},
      {{"--every"}, "--every needs a value"},
      {{"--out", In("out/missing/a.gif")}, "cannot write in the folder"},
      {{"--out", unwritable}, "cannot write in the folder"},
      {{"--out", In("folder.gif")}, "is a folder"},
      {{"--frames", In("out/missing")}, "--frames"},
      {{"--frames", In("file")}, "not a folder"},
      {{"--out", gif, "--frames", frames}, "not both"},
      {{"--ticks", "5"}, "or --frames DIR"},
      {{"--out", In("out/a.avi")}, "'" + In("out/a.avi") + "': unknown kind of file"},
      {{"--out", In("out/mp4")}, "unknown kind of file"},
      {{"--out", In("out/a.mp4"), "--quality", "52"}, "--quality 52: expected 0 to 51 for .mp4"},
      {{"--out", In("out/a.webm"), "--quality", "64"}, "--quality 64: expected 0 to 63"},
      {{"--out", In("out/a.mp4"), "--quality", "-1"}, "--quality '-1'"},
      {{"--out", gif, "--quality", "20"}, "--quality applies to videos only"},
      {{"--split", "--frames", In("file")}, "--frames '" + In("file") + "': not a folder"},
      {{"--split", "--frames", In("out/missing")}, "--frames"},
      {{"--split", "--out", In("out/missing/a.mp4")}, "cannot write in the folder"},
  };
  for (const auto &[args, message] : cases) {
    std::string line;
    for (const std::string &a : args)
      line += a + " ";
    SCOPED_TRACE(line);
    const Outcome run = Record(args);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err.rfind("velqor-record: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_TRUE(Names(dir / "out").empty());
  }
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"file", "folder.gif", "out"}));
}

TEST_F(Recorder, AMissingEncoderIsNamedAndWritesNothing) {
  // An FFmpeg without the encoders: libavcodec's lookup finds none.
  RunOptions without;
  const char *asan = std::getenv("ASAN_OPTIONS");
  without.environment = {
      {"LD_PRELOAD", VELQOR_NO_ENCODER},
      // The sanitizers' runtime would otherwise insist on being loaded first.
      {"ASAN_OPTIONS", std::string(asan ? asan : "") + ":verify_asan_link_order=0"}};
  for (const auto &[name, encoder] : std::vector<std::pair<std::string, std::string>>{
           {"a.mp4", "libx264"}, {"a.webm", "libvpx-vp9"}}) {
    for (const bool split : {false, true}) {
      std::vector<std::string> args = {"--ticks", "10", "--out", In(name)};
      if (split)
        args.push_back("--split");
      const Outcome run = Record(args, without);
      EXPECT_EQ(run.code, 2) << run.err;
      EXPECT_EQ(run.err, "velqor-record: the installed FFmpeg has no " + encoder +
                             " encoder, which " + name.substr(1) + " needs\n");
      EXPECT_TRUE(Names(dir).empty());
    }
  }
  // GIF needs no encoder of FFmpeg's.
  EXPECT_TRUE(Records({"--ticks", "2", "--size", "64x40", "--out", In("a.gif")}, without));
}

TEST_F(Recorder, AWriteThatFailsLeavesNoPartialOutput) {
  RunOptions small;
  small.fileSizeLimit = 4000; // a 640x372 GIF or PNG frame is larger
  const Outcome gif = Record({"--size", "640x372", "--ticks", "4", "--out", In("a.gif")}, small);
  EXPECT_EQ(gif.code, 1);
  EXPECT_NE(gif.err.find("velqor-record: GIF"), std::string::npos) << gif.err;
  EXPECT_TRUE(Names(dir).empty());
  for (const char *name : {"a.mp4", "a.webm"}) {
    const Outcome video = Record({"--size", "640x372", "--ticks", "4", "--out", In(name)}, small);
    EXPECT_EQ(video.code, 1);
    EXPECT_NE(video.err.find("velqor-record: cannot write '" + In(name) + "'"), std::string::npos)
        << video.err;
    EXPECT_EQ(std::count(video.err.begin(), video.err.end(), '\n'), 1) << video.err;
    EXPECT_TRUE(Names(dir).empty());
  }

  std::ofstream(dir / Frame(0)) << "earlier";
  const Outcome png =
      Record({"--size", "640x372", "--ticks", "4", "--frames", dir.string()}, small);
  EXPECT_EQ(png.code, 1);
  EXPECT_NE(png.err.find("PNG"), std::string::npos) << png.err;
  EXPECT_EQ(Names(dir), std::vector<std::string>{Frame(0)});
  EXPECT_EQ(Bytes(dir / Frame(0)), "earlier");

  // With --split, none of the clips stays when a later one fails: here the
  // pull's, the only one larger than the limit.
  fs::remove(dir / Frame(0));
  small.fileSizeLimit = 12000;
  const std::vector<std::string> split = {"--size",  "640x372", "--clicks", "3,6,9",
                                          "--ticks", "100",     "--split"};
  for (const char *name : {"a.gif", "a.mp4"}) {
    EXPECT_EQ(Record(With(split, {"--out", In(name)}), small).code, 1) << name;
    EXPECT_TRUE(Names(dir).empty()) << name;
  }
  // A frame that cannot be put in place (a folder has its name) takes back
  // the clips put in place before it.
  fs::create_directories(dir / "04-pull" / Frame(1) / "mine");
  const Outcome frames = Record(With(split, {"--frames", dir.string()}));
  EXPECT_EQ(frames.code, 1);
  EXPECT_NE(frames.err.find("cannot make '" + In("04-pull/" + Frame(1)) + "'"), std::string::npos)
      << frames.err;
  EXPECT_EQ(Names(dir), std::vector<std::string>{"04-pull"});
  EXPECT_EQ(Names(dir / "04-pull"), std::vector<std::string>{Frame(1)});
}

TEST_F(Recorder, AnInterruptedRecordingLeavesNothing) {
  RunOptions interrupt;
  interrupt.whileRunning = [&](pid_t pid) {
    // The temporary file appears as the recording starts; stop it then.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Names(dir).empty() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    kill(pid, SIGTERM);
  };
  for (const char *name : {"a.gif", "a.mp4"}) {
    const Outcome run = Record({"--out", In(name)}, interrupt);
    EXPECT_EQ(run.signal, SIGTERM) << name << ": exit code " << run.code;
    EXPECT_TRUE(Names(dir).empty()) << name;
  }
}

TEST_F(Recorder, ProgressOnATerminal) {
  RunOptions terminal;
  terminal.terminal = true;
  const Outcome run = Record({"--size", "64x40", "--ticks", "20", "--out", In("a.mp4")}, terminal);
  EXPECT_EQ(run.code, 0);
  // Ticks played, frames written (frame 0 and one every two ticks), time taken.
  EXPECT_NE(run.err.find(" 50% (tick 10 of 20), 6 frames, "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("100% (tick 20 of 20), 11 frames, "), std::string::npos) << run.err;
  EXPECT_EQ(run.err.back(), '\n');
  const Outcome quiet =
      Record({"--size", "64x40", "--ticks", "20", "--quiet", "--out", In("a.mp4")}, terminal);
  EXPECT_EQ(quiet.code, 0);
  EXPECT_EQ(quiet.err, "");
}

} // namespace
