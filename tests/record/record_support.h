// What the recorder's tests share: running velqor-record as a program, and
// reading back what it wrote (PNG with libpng, GIF with giflib, MP4 and WebM
// with libavformat and libavcodec).
#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace recordtest {

namespace fs = std::filesystem;

struct Outcome {
  int code = -1;  // exit code, or -1 when ended by a signal
  int signal = 0; // the signal that ended it
  std::string err;
};

struct RunOptions {
  long fileSizeLimit = 0;                                       // RLIMIT_FSIZE in bytes, 0 for none
  bool terminal = false;                                        // stderr on a pseudo-terminal
  std::function<void(pid_t)> whileRunning;                      // called once the recorder runs
  std::vector<std::pair<std::string, std::string>> environment; // added variables
};

Outcome Record(const std::vector<std::string> &args, const RunOptions &how = {});

// Whether velqor-record ran with these arguments and succeeded; its exit
// code and what it said otherwise.
::testing::AssertionResult Records(const std::vector<std::string> &args,
                                   const RunOptions &how = {});

// `args` and then `more`: options shared by several runs, and each run's own.
inline std::vector<std::string> With(std::vector<std::string> args,
                                     const std::vector<std::string> &more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// Pictures as COLORREF values (0x00BBGGRR), top row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  long Count(uint32_t color, int x0, int y0, int x1, int y1) const;
};

constexpr uint32_t kBlack = 0x000000, kRed = 0x0000FF, kWhite = 0xFFFFFF;
constexpr uint32_t kWhiteOverRed = kWhite ^ kRed;

Picture ReadPng(const fs::path &path);

struct Gif {
  bool ok = false;
  bool loopsForEver = false;
  std::vector<Picture> frames; // the screen after each image
  std::vector<int> delays;
  std::vector<int> disposals;
  std::vector<bool> fitsScreen;
};

Gif ReadGif(const fs::path &path);

// A video decoded back: what its container and stream say, and each frame's
// planes (4:2:0, 8 bits).
struct Video {
  bool ok = false;
  std::string codec;       // libavcodec's name: "h264", "vp9"
  int profile = -1;        // libavcodec's profile number
  std::string pixelFormat; // "yuv420p"
  int width = 0;
  int height = 0;
  bool bt709 = false;        // primaries, transfer and matrix all tagged BT.709
  bool limitedRange = false; // tagged limited (TV) range
  double seconds = 0;        // the container's duration
  int rateNumerator = 0;     // the stream's frame rate, as its timestamps give it
  int rateDenominator = 0;
  std::vector<double> starts; // each frame's time in seconds, in display order
  struct Frame {
    std::vector<uint8_t> y, u, v; // width x height, and half that each way
  };
  std::vector<Frame> frames;
};

Video ReadVideo(const fs::path &path);

// Luma PSNR in dB of a decoded frame against the exact picture, over the
// picture's pixels (not the padding); with `near`, only over those within
// two pixels of something drawn (not black) below the caption band, where
// the thin lines are.
double LumaPsnr(const Video &video, size_t frame, const Picture &exact, bool near = false);

std::string Bytes(const fs::path &path);
std::vector<std::string> Names(const fs::path &folder);
std::string Frame(int i); // frame-00000.png, ...

class Recorder : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  std::string In(const std::string &name) const { return (dir / name).string(); }
  fs::path dir;
};

} // namespace recordtest
