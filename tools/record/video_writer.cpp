#include "tools/record/video_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/opt.h>
}

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <numeric>

namespace record {
namespace {

// Fixed thread counts: the encoders' output depends on them, so they must not
// follow the machine's number of cores. Two suit a 2-core machine.
constexpr int kEncoderThreads = 2;

std::string Explain(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

int RoundUpToEven(int n) { return n + (n & 1); }

// FFmpeg's libraries print on stderr, which would break our one line per
// error: their messages are dropped, but the last error among them is kept to
// be added to ours. Encoder threads may report too.
std::mutex libraryErrorMutex;
std::string libraryError;

void KeepError(void *, int level, const char *format, va_list args) {
  if (level > AV_LOG_ERROR)
    return;
  char text[256];
  va_list copy;
  va_copy(copy, args);
  std::vsnprintf(text, sizeof text, format, copy);
  va_end(copy);
  std::string line = text;
  while (!line.empty() && (line.back() == '\n' || line.back() == ' '))
    line.pop_back();
  const std::lock_guard<std::mutex> lock(libraryErrorMutex);
  libraryError = line;
}

void KeepLibraryErrors() {
  av_log_set_callback(KeepError);
  const std::lock_guard<std::mutex> lock(libraryErrorMutex);
  libraryError.clear();
}

std::string LastLibraryError() {
  const std::lock_guard<std::mutex> lock(libraryErrorMutex);
  return libraryError;
}

} // namespace

VideoSettings Mp4Settings(int width, int height, int64_t ticksPerFrame, int quality) {
  VideoSettings s{"mp4", "libx264", {}, {}, width, height, ticksPerFrame};
  // The slower presets save little of the file for much more time (record_bench).
  s.encoderOptions = {
      {"preset", "veryfast"}, {"profile", "high"}, {"crf", std::to_string(quality)}};
  s.containerOptions = {{"movflags", "+faststart"}}; // the index first, to play at once
  return s;
}

VideoSettings WebMSettings(int width, int height, int64_t ticksPerFrame, int quality) {
  VideoSettings s{"webm", "libvpx-vp9", {}, {}, width, height, ticksPerFrame};
  // Tuned for screen content, the real-time mode gives a smaller file than the
  // good-quality mode at its fastest, in a fifth of the time. No bit rate:
  // constant quality alone.
  s.encoderOptions = {
      {"deadline", "realtime"}, {"cpu-used", "5"}, {"tune-content", "screen"},
      {"row-mt", "1"},          {"b", "0"},        {"crf", std::to_string(quality)}};
  return s;
}

VideoWriter::~VideoWriter() { Close(); }

void VideoWriter::Close() {
  if (format_ && format_->pb)
    avio_closep(&format_->pb);
  avformat_free_context(format_);
  format_ = nullptr;
  stream_ = nullptr;
  avcodec_free_context(&codec_);
  convert_.reset();
  av_frame_free(&held_);
  av_packet_free(&packet_);
  holding_ = false;
}

bool VideoWriter::Fail(const char *what, int code, std::string &error) {
  error = std::string(settings_.container) + " " + what + ": " + Explain(code);
  const std::string said = LastLibraryError();
  if (!said.empty())
    error += " (" + said + ")";
  Close();
  return false;
}

bool VideoWriter::Open(const std::string &path, const VideoSettings &settings, std::string &error) {
  Close();
  settings_ = settings;
  KeepLibraryErrors();
  const AVCodec *codec = avcodec_find_encoder_by_name(settings.encoder);
  missing_ = codec == nullptr;
  if (missing_) {
    error = std::string("the installed FFmpeg has no ") + settings.encoder + " encoder, which ." +
            settings.container + " needs";
    return false;
  }
  // The file: protocol, so that a colon in the name is never read as another protocol.
  const std::string url = "file:" + path;
  int code = avformat_alloc_output_context2(&format_, nullptr, settings.container, url.c_str());
  if (code < 0 || !format_)
    return Fail("container", code, error);
  format_->flags |= AVFMT_FLAG_BITEXACT; // no random ids or version strings: the same bytes
  stream_ = avformat_new_stream(format_, nullptr);
  codec_ = avcodec_alloc_context3(codec);
  held_ = av_frame_alloc();
  packet_ = av_packet_alloc();
  if (!stream_ || !codec_ || !held_ || !packet_)
    return Fail("setup", AVERROR(ENOMEM), error);

  AVCodecContext &c = *codec_;
  c.width = RoundUpToEven(settings.width); // 4:2:0 needs even sides
  c.height = RoundUpToEven(settings.height);
  c.pix_fmt = AV_PIX_FMT_YUV420P;
  // The tick is the time base of the encoders, so that every frame starts
  // exactly on its tick and a clip can end on any tick.
  // Ticks a second as a fraction: 50/1 at 20 ms a tick, 25/2 at 80 ms.
  const int common = std::gcd(1000, settings.tickMs);
  const int ticks = 1000 / common, seconds = settings.tickMs / common;
  c.time_base = {seconds, ticks};
  c.framerate = {ticks, seconds * static_cast<int>(settings.ticksPerFrame)};
  c.color_primaries = AVCOL_PRI_BT709;
  c.color_trc = AVCOL_TRC_BT709;
  c.colorspace = AVCOL_SPC_BT709;
  c.color_range = AVCOL_RANGE_MPEG;
  c.thread_count = kEncoderThreads;
  if (format_->oformat->flags & AVFMT_GLOBALHEADER)
    c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  for (const auto &[name, value] : settings.encoderOptions)
    if ((code = av_opt_set(codec_, name, value.c_str(), AV_OPT_SEARCH_CHILDREN)) < 0)
      return Fail(settings.encoder, code, error);
  if ((code = avcodec_open2(codec_, codec, nullptr)) < 0)
    return Fail(settings.encoder, code, error);
  if ((code = avcodec_parameters_from_context(stream_->codecpar, codec_)) < 0)
    return Fail("stream", code, error);
  stream_->time_base = c.time_base;
  stream_->avg_frame_rate = c.framerate;

  held_->format = c.pix_fmt;
  held_->width = c.width;
  held_->height = c.height;
  if ((code = av_frame_get_buffer(held_, 0)) < 0)
    return Fail("frame", code, error);
  convert_ = std::make_unique<YuvConverter>(settings.width, settings.height, settings.padding);

  if ((code = avio_open(&format_->pb, url.c_str(), AVIO_FLAG_WRITE)) < 0)
    return Fail("file", code, error);
  AVDictionary *muxing = nullptr;
  for (const auto &[name, value] : settings.containerOptions)
    av_dict_set(&muxing, name, value.c_str(), 0);
  code = avformat_write_header(format_, &muxing);
  const bool allTaken = av_dict_count(muxing) == 0; // the container knew every option
  av_dict_free(&muxing);
  if (code < 0 || !allTaken)
    return Fail("header", code < 0 ? code : AVERROR_OPTION_NOT_FOUND, error);
  framesSent_ = 0;
  converted_ = false;
  durations_.clear();
  return true;
}

bool VideoWriter::Add(const uint32_t *pixels, int64_t tick, std::string &error) {
  if (holding_ && !Send(held_, tick - held_->pts, error))
    return false;
  const int code = av_frame_make_writable(held_);
  if (code < 0)
    return Fail("frame", code, error);
  const YuvPlanes planes = {held_->data[0],     held_->data[1],     held_->data[2],
                            held_->linesize[0], held_->linesize[1], held_->linesize[2]};
  convert_->Convert(pixels, planes, !converted_);
  converted_ = true;
  held_->pts = tick;
  holding_ = true;
  return true;
}

bool VideoWriter::Send(AVFrame *frame, int64_t duration, std::string &error) {
  if (frame) {
    durations_[frame->pts] = duration;
    ++framesSent_;
  }
  const int code = avcodec_send_frame(codec_, frame);
  if (code < 0)
    return Fail(settings_.encoder, code, error);
  return Drain(error);
}

bool VideoWriter::Drain(std::string &error) {
  while (true) {
    int code = avcodec_receive_packet(codec_, packet_);
    if (code == AVERROR(EAGAIN) || code == AVERROR_EOF)
      return true;
    if (code < 0)
      return Fail(settings_.encoder, code, error);
    const auto duration = durations_.find(packet_->pts);
    if (duration != durations_.end()) {
      packet_->duration = duration->second;
      durations_.erase(duration);
    }
    av_packet_rescale_ts(packet_, codec_->time_base, stream_->time_base);
    packet_->stream_index = stream_->index;
    code = av_write_frame(format_, packet_);
    av_packet_unref(packet_);
    if (code < 0)
      return Fail("write", code, error);
  }
}

bool VideoWriter::Finish(int64_t endTick, std::string &error) {
  if (holding_) {
    int64_t duration = endTick - held_->pts;
    if (duration <= 0 && framesSent_ == 0)
      duration = settings_.ticksPerFrame;
    if (duration > 0 && !Send(held_, duration, error))
      return false;
    holding_ = false;
  }
  if (!Send(nullptr, 0, error))
    return false;
  int code = av_write_trailer(format_);
  if (code < 0)
    return Fail("trailer", code, error);
  code = avio_closep(&format_->pb);
  if (code < 0)
    return Fail("file", code, error);
  Close();
  return true;
}

} // namespace record
