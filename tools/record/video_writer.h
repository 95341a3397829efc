// Writes one video clip with FFmpeg's libraries, frame by frame as they are
// played: H.264 in MP4 (High profile, index at the front) or VP9 in WebM, both
// 4:2:0 with BT.709 colours. Sides are padded with black to even numbers.
//
// Times are in ticks (20 ms at the designed speed, tickMs at any). Each frame
// lasts until the next one comes, the last one until the end given to
// Finish, so the clip is exactly as long as the ticks it covers and every
// frame starts on its own tick.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/record/yuv_conversion.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;

namespace record {

struct VideoSettings {
  const char *container = ""; // libavformat's name: "mp4", "webm"
  const char *encoder = "";   // libavcodec's name: "libx264", "libvpx-vp9"
  // The encoder's own options (name, value), and the container's.
  std::vector<std::pair<const char *, std::string>> encoderOptions;
  std::vector<std::pair<const char *, std::string>> containerOptions;
  int width = 0; // the picture's size; the video's is rounded up to even
  int height = 0;
  int64_t ticksPerFrame = 2;
  int tickMs = 20;      // a tick's real time, a divisor of 1000 or a multiple of 10
  uint32_t padding = 0; // the colour of the column and row that even the sides (COLORREF)
};

// H.264 in MP4 or VP9 in WebM at the given constant quality (the encoder's
// CRF): the settings velqor-record uses.
VideoSettings Mp4Settings(int width, int height, int64_t ticksPerFrame, int quality);
VideoSettings WebMSettings(int width, int height, int64_t ticksPerFrame, int quality);

class VideoWriter {
public:
  VideoWriter() = default;
  VideoWriter(const VideoWriter &) = delete;
  VideoWriter &operator=(const VideoWriter &) = delete;
  ~VideoWriter();

  // Sets up the encoder and starts the file at `path`. False, with a one-line
  // `error`, when the encoder is missing from this FFmpeg (then Missing() is
  // true) or refuses the settings, or the file cannot be written.
  bool Open(const std::string &path, const VideoSettings &settings, std::string &error);
  // A picture of the settings' size (COLORREF pixels, top row first) shown
  // from `tick`, which must be later than the previous frame's.
  bool Add(const uint32_t *pixels, int64_t tick, std::string &error);
  // Ends the clip at `endTick` and completes the file. A last frame that would
  // get no time is left out, unless it is the clip's only frame, which then
  // lasts one frame's time.
  bool Finish(int64_t endTick, std::string &error);
  bool Missing() const { return missing_; }

private:
  bool Fail(const char *what, int code, std::string &error);
  bool Send(AVFrame *frame, int64_t duration, std::string &error);
  bool Drain(std::string &error);
  void Close();

  VideoSettings settings_;
  AVFormatContext *format_ = nullptr;
  AVStream *stream_ = nullptr;
  AVCodecContext *codec_ = nullptr;
  std::unique_ptr<YuvConverter> convert_;
  AVFrame *held_ = nullptr; // the latest picture, sent once its time is known
  AVPacket *packet_ = nullptr;
  bool missing_ = false;
  bool holding_ = false;
  bool converted_ = false; // the frame holds a converted picture
  int64_t framesSent_ = 0;
  std::map<int64_t, int64_t> durations_; // pts -> ticks, for the packets to come
};

} // namespace record
