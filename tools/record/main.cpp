// velqor-record: plays the demonstration without a window and writes it as an
// animated GIF or as PNG frames. See HelpText() in options.cpp.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "app/application.h"
#include "tools/record/frame_store.h"
#include "tools/record/gif_writer.h"
#include "tools/record/options.h"
#include "tools/record/output.h"
#include "tools/record/palette.h"
#include "tools/record/player.h"

namespace {

using namespace record;

constexpr int kFailed = 1;
constexpr int kBadInput = 2;

volatile std::sig_atomic_t stopSignal = 0;

void OnStopSignal(int signal) { stopSignal = signal; }

void CatchStopSignals() {
  struct sigaction action = {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP})
    sigaction(signal, &action, nullptr);
}

int Complain(int code, const std::string &message) {
  std::fprintf(stderr, "velqor-record: %s\n", message.c_str());
  return code;
}

// A percentage with the tick count on stderr, when stderr is a terminal.
class Progress {
public:
  explicit Progress(int64_t ticks) : ticks_(ticks), shown_(isatty(STDERR_FILENO) == 1) {}
  void Tick(int64_t tick) {
    const int percent = ticks_ > 0 ? static_cast<int>(tick * 100 / ticks_) : 100;
    if (!shown_ || percent == percent_)
      return;
    percent_ = percent;
    std::fprintf(stderr, "\rvelqor-record: %3d%% (tick %lld of %lld)", percent,
                 static_cast<long long>(tick), static_cast<long long>(ticks_));
  }
  void Writing(size_t frame, size_t frames) {
    if (shown_ && (frame % 16 == 0 || frame + 1 == frames))
      std::fprintf(stderr, "\rvelqor-record: 100%% (tick %lld of %lld), writing frame %zu of %zu",
                   static_cast<long long>(ticks_), static_cast<long long>(ticks_), frame + 1,
                   frames);
  }
  ~Progress() {
    if (shown_ && percent_ >= 0)
      std::fputc('\n', stderr);
  }

private:
  int64_t ticks_;
  bool shown_;
  int percent_ = -1;
};

// Hundredths of a second that frame i stays, so that every frame ends exactly
// where its ticks end in real time (GIF counts in 10 ms, a tick is TimerPeriodMs).
int FrameDelay(size_t frame, int64_t every) {
  const uint64_t msPerFrame = static_cast<uint64_t>(every) * TimerPeriodMs;
  const uint64_t delay = ((frame + 1) * msPerFrame) / 10 - (frame * msPerFrame) / 10;
  return static_cast<int>(delay > 65535 ? 65535 : delay);
}

int RecordGif(const Options &o, Progress &progress) {
  PendingFile out;
  std::string error;
  if (!out.Open(o.out, error))
    return Complain(kBadInput, error);
  FrameStore frames(o.width, o.height);
  const bool played = Play(
      o, [&](size_t, const uint32_t *pixels, std::string &) { return frames.Add(pixels), true; },
      [&](int64_t tick) { return progress.Tick(tick), stopSignal == 0; }, error);
  if (!played)
    return Complain(kFailed, error);
  const Palette palette = BuildPalette(frames.Colors());
  const bool written = WriteGif(
      out.File(), o.width, o.height, frames, palette,
      [&](size_t frame) { return FrameDelay(frame, o.every); },
      [&](size_t frame) { return progress.Writing(frame, frames.Count()), stopSignal == 0; },
      error);
  if (!written || !out.Commit(error))
    return Complain(kFailed, error);
  return 0;
}

int RecordFrames(const Options &o, Progress &progress) {
  PendingFrames out;
  std::string error;
  if (!out.Open(o.frames, FrameCount(o), error))
    return Complain(kBadInput, error);
  const bool played = Play(
      o,
      [&](size_t frame, const uint32_t *pixels, std::string &why) {
        return out.Write(frame, pixels, o.width, o.height, why);
      },
      [&](int64_t tick) { return progress.Tick(tick), stopSignal == 0; }, error);
  if (!played || !out.Commit(error))
    return Complain(kFailed, error);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  const ParseResult parsed = ParseOptions(argc, argv);
  if (!parsed.error.empty()) {
    Complain(kBadInput, parsed.error + " (see --help)");
    return kBadInput;
  }
  const Options &o = parsed.options;
  if (o.help || o.version) {
    std::fputs(o.help ? HelpText() : VersionText(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kFailed;
  }
  CatchStopSignals();
  int code = 0;
  {
    Progress progress(o.ticks);
    code = o.out.empty() ? RecordFrames(o, progress) : RecordGif(o, progress);
  }
  if (stopSignal != 0) {
    // The partial output is gone; end as the signal would have ended us.
    std::signal(stopSignal, SIG_DFL);
    std::raise(stopSignal);
  }
  return code;
}
