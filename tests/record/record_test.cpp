// velqor-record run as a program: what it writes (read back with giflib and
// libpng), how it refuses bad input, and that failures leave no output behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <gif_lib.h>
#include <png.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "graphics/graphics_state.h"
#include "graphics/mapping.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int code = -1;  // exit code, or -1 when ended by a signal
  int signal = 0; // the signal that ended it
  std::string err;
};

struct RunOptions {
  long fileSizeLimit = 0;                  // RLIMIT_FSIZE in bytes, 0 for none
  bool terminal = false;                   // stderr on a pseudo-terminal
  std::function<void(pid_t)> whileRunning; // called once the recorder runs
};

Outcome Record(const std::vector<std::string> &args, const RunOptions &how = {}) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0)
    std::abort();
  int master = -1, slave = -1;
  if (how.terminal) {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
      std::abort();
    slave = open(ptsname(master), O_RDWR | O_NOCTTY);
  }
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char *> argv{const_cast<char *>(VELQOR_RECORD)};
    for (const std::string &a : args)
      argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    if (how.fileSizeLimit > 0) {
      const rlimit limit{static_cast<rlim_t>(how.fileSizeLimit),
                         static_cast<rlim_t>(how.fileSizeLimit)};
      setrlimit(RLIMIT_FSIZE, &limit);
      std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
    }
    umask(022);
    dup2(how.terminal ? slave : pipeFds[1], STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  if (how.whileRunning)
    how.whileRunning(pid);
  Outcome out;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
    out.err.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (how.terminal) {
    fcntl(master, F_SETFL, O_NONBLOCK);
    while ((n = read(master, buffer, sizeof buffer)) > 0)
      out.err.append(buffer, static_cast<size_t>(n));
    close(slave);
    close(master);
  }
  out.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  out.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return out;
}

// Pictures as COLORREF values (0x00BBGGRR), top row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  long Count(uint32_t color, int x0, int y0, int x1, int y1) const {
    long n = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, height); ++y)
      for (int x = std::max(x0, 0); x < std::min(x1, width); ++x)
        n += At(x, y) == color;
    return n;
  }
};

constexpr uint32_t kBlack = 0x000000, kRed = 0x0000FF, kWhite = 0xFFFFFF;
constexpr uint32_t kWhiteOverRed = kWhite ^ kRed;

Picture ReadPng(const fs::path &path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
    return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
    return {};
  Picture p{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  for (size_t i = 0; i < rgb.size(); i += 3)
    p.pixels.push_back(rgb[i] | rgb[i + 1] << 8 | rgb[i + 2] << 16);
  return p;
}

struct Gif {
  bool ok = false;
  bool loopsForEver = false;
  std::vector<Picture> frames; // the screen after each image
  std::vector<int> delays;
  std::vector<int> disposals;
  std::vector<bool> fitsScreen;
};

Gif ReadGif(const fs::path &path) {
  Gif g;
  int error = 0;
  GifFileType *gif = DGifOpenFileName(path.c_str(), &error);
  if (!gif)
    return g;
  if (DGifSlurp(gif) == GIF_OK && gif->SColorMap && gif->ImageCount > 0) {
    g.ok = true;
    const ExtensionBlock *ext = gif->SavedImages[0].ExtensionBlocks;
    for (int i = 0; i + 1 < gif->SavedImages[0].ExtensionBlockCount; ++i)
      if (ext[i].Function == APPLICATION_EXT_FUNC_CODE && ext[i].ByteCount == 11 &&
          std::string(reinterpret_cast<char *>(ext[i].Bytes), 11) == "NETSCAPE2.0")
        g.loopsForEver = ext[i + 1].ByteCount == 3 && ext[i + 1].Bytes[0] == 1 &&
                         ext[i + 1].Bytes[1] == 0 && ext[i + 1].Bytes[2] == 0;
    Picture screen{gif->SWidth, gif->SHeight,
                   std::vector<uint32_t>(static_cast<size_t>(gif->SWidth) * gif->SHeight, 0)};
    for (int i = 0; i < gif->ImageCount; ++i) {
      const SavedImage &image = gif->SavedImages[i];
      const GifImageDesc &d = image.ImageDesc;
      GraphicsControlBlock gcb{};
      DGifSavedExtensionToGCB(gif, i, &gcb);
      g.delays.push_back(gcb.DelayTime);
      g.disposals.push_back(gcb.DisposalMode);
      const bool fits = d.Left >= 0 && d.Top >= 0 && d.Width > 0 && d.Height > 0 &&
                        d.Left + d.Width <= screen.width && d.Top + d.Height <= screen.height;
      g.fitsScreen.push_back(fits);
      const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
      for (int y = 0; fits && y < d.Height; ++y)
        for (int x = 0; x < d.Width; ++x) {
          const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x] % map->ColorCount];
          screen.pixels[static_cast<size_t>(d.Top + y) * screen.width + d.Left + x] =
              c.Red | c.Green << 8 | c.Blue << 16;
        }
      g.frames.push_back(screen);
    }
  }
  DGifCloseFile(gif, &error);
  return g;
}

std::string Bytes(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Names(const fs::path &folder) {
  std::vector<std::string> names;
  for (const auto &entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Frame(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%05d.png", i);
  return name;
}

class Recorder : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "velqor-record-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string In(const std::string &name) const { return (dir / name).string(); }
  fs::path dir;
};

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
  std::vector<std::string> gifArgs = common, pngArgs = common;
  gifArgs.insert(gifArgs.end(), {"--out", In("a.gif")});
  pngArgs.insert(pngArgs.end(), {"--frames", dir.string()});
  ASSERT_EQ(Record(gifArgs).code, 0);
  ASSERT_EQ(Record(pngArgs).code, 0);
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
  for (const char *name : {"a.gif", "b.gif"}) {
    std::vector<std::string> args = common;
    args.insert(args.end(), {"--out", In(name)});
    ASSERT_EQ(Record(args).code, 0);
  }
  EXPECT_GT(Bytes(dir / "a.gif").size(), 1000u);
  EXPECT_EQ(Bytes(dir / "a.gif"), Bytes(dir / "b.gif"));

  for (const char *name : {"p", "q"}) {
    fs::create_directory(dir / name);
    std::vector<std::string> args = common;
    args.insert(args.end(), {"--frames", In(name)});
    ASSERT_EQ(Record(args).code, 0);
  }
  ASSERT_EQ(Names(dir / "p").size(), 12u);
  EXPECT_EQ(Names(dir / "p"), Names(dir / "q"));
  for (const std::string &name : Names(dir / "p"))
    EXPECT_EQ(Bytes(dir / "p" / name), Bytes(dir / "q" / name)) << name;
}

// Where the program draws a world point at the given client size.
std::pair<int, int> PixelOf(double x, double y, int width, int height) {
  GraphicsState.MaxX = width;
  GraphicsState.MaxY = height;
  SetViewport(0, 0, width, height);
  SetWorldWindow(-2.1, -1.25, 2.1, 1.25);
  const PixelPoint p = WorldToScreen(x, y);
  return {WindowX(p.X), WindowY(p.Y)};
}

TEST_F(Recorder, PngFramesOfStage0ShowTheCircleAndThePoint) {
  // Frame 0 is the opening picture (the point at 5 degrees), frame 1 follows 18 ticks (95 degrees).
  ASSERT_EQ(Record({"--ticks", "18", "--every", "18", "--frames", dir.string()}).code, 0);
  EXPECT_EQ(Names(dir), (std::vector<std::string>{Frame(0), Frame(1)}));
  for (int frame : {0, 1}) {
    SCOPED_TRACE(Frame(frame));
    const Picture p = ReadPng(dir / Frame(frame));
    ASSERT_EQ(p.width, 1002);
    ASSERT_EQ(p.height, 583);
    for (const auto &[x, y] : {PixelOf(0, -1, 1002, 583), PixelOf(-1, 0, 1002, 583),
                               PixelOf(0.7071, -0.7071, 1002, 583)})
      EXPECT_GT(p.Count(kRed, x - 1, y - 1, x + 2, y + 2), 0) << "circle at " << x << "," << y;
    const auto [cx, cy] = PixelOf(0, 0, 1002, 583);
    EXPECT_EQ(p.At(cx, cy), kBlack);
    for (int degrees : {5, 95}) {
      const double a = degrees * 0.01745329;
      const auto [x, y] = PixelOf(std::cos(a), std::sin(a), 1002, 583);
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

TEST_F(Recorder, FramesReplaceAnEarlierRecordingOnly) {
  std::ofstream(dir / Frame(7)) << "old";
  std::ofstream(dir / "notes.txt") << "mine";
  ASSERT_EQ(Record({"--size", "64x40", "--ticks", "4", "--frames", dir.string()}).code, 0);
  EXPECT_EQ(Names(dir), (std::vector<std::string>{Frame(0), Frame(1), Frame(2), "notes.txt"}));
  EXPECT_EQ(ReadPng(dir / Frame(2)).width, 64);
}

TEST_F(Recorder, BadInputIsNamedAndWritesNothing) {
  fs::create_directory(dir / "out");
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
      {{"--out", frames}, "is a folder"},
      {{"--frames", In("out/missing")}, "--frames"},
      {{"--frames", In("file")}, "not a folder"},
      {{"--out", gif, "--frames", frames}, "not both"},
      {{"--ticks", "5"}, "--out FILE.gif or --frames DIR"},
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
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"file", "out"}));
}

TEST_F(Recorder, AWriteThatFailsLeavesNoPartialOutput) {
  RunOptions small;
  small.fileSizeLimit = 4000; // a 640x372 GIF or PNG frame is larger
  const Outcome gif = Record({"--size", "640x372", "--ticks", "4", "--out", In("a.gif")}, small);
  EXPECT_EQ(gif.code, 1);
  EXPECT_NE(gif.err.find("velqor-record: GIF"), std::string::npos) << gif.err;
  EXPECT_TRUE(Names(dir).empty());

  std::ofstream(dir / Frame(0)) << "earlier";
  const Outcome png =
      Record({"--size", "640x372", "--ticks", "4", "--frames", dir.string()}, small);
  EXPECT_EQ(png.code, 1);
  EXPECT_NE(png.err.find("PNG"), std::string::npos) << png.err;
  EXPECT_EQ(Names(dir), std::vector<std::string>{Frame(0)});
  EXPECT_EQ(Bytes(dir / Frame(0)), "earlier");
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
  const Outcome run = Record({"--out", In("a.gif")}, interrupt);
  EXPECT_EQ(run.signal, SIGTERM) << "exit code " << run.code;
  EXPECT_TRUE(Names(dir).empty());
}

TEST_F(Recorder, ProgressOnATerminal) {
  RunOptions terminal;
  terminal.terminal = true;
  const Outcome run = Record({"--size", "64x40", "--ticks", "20", "--out", In("a.gif")}, terminal);
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.err.find(" 50% (tick 10 of 20)"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("100% (tick 20 of 20)"), std::string::npos) << run.err;
}

} // namespace
