// velqor-record: plays the demonstration without a window and writes it as an
// animated GIF, an MP4 or WebM video, or PNG frames, whole or one clip per
// stage. See HelpText() in options.cpp.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>

#include "tools/record/clips.h"
#include "tools/record/options.h"
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

// Ticks played of all, frames written and the time taken, on stderr when it
// is a terminal; redrawn in place whenever the percentage moves.
class Progress {
public:
  Progress(int64_t ticks, bool quiet)
      : ticks_(ticks), shown_(!quiet && isatty(STDERR_FILENO) == 1),
        start_(std::chrono::steady_clock::now()) {}
  void Tick(int64_t tick) {
    const int percent = ticks_ > 0 ? static_cast<int>(tick * 100 / ticks_) : 100;
    if (!shown_ || percent == percent_)
      return;
    percent_ = percent;
    std::fprintf(stderr, "\rvelqor-record: %3d%% (tick %lld of %lld), %zu frames, %.1f s", percent,
                 static_cast<long long>(tick), static_cast<long long>(ticks_), frames_, Seconds());
  }
  void Frame() { ++frames_; }
  void Writing(size_t frame, size_t frames) {
    if (shown_ && (frame % 16 == 0 || frame + 1 == frames))
      std::fprintf(stderr,
                   "\rvelqor-record: 100%% (tick %lld of %lld), writing frame %zu of %zu, %.1f s",
                   static_cast<long long>(ticks_), static_cast<long long>(ticks_), frame + 1,
                   frames, Seconds());
  }
  ~Progress() {
    if (shown_ && percent_ >= 0)
      std::fputc('\n', stderr);
  }

private:
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }
  int64_t ticks_;
  bool shown_;
  std::chrono::steady_clock::time_point start_;
  int percent_ = -1;
  size_t frames_ = 0;
};

// Plays the program and hands each frame to the clip of its stage.
int Record(const Options &o, Progress &progress) {
  const auto writer = MakeClipWriter(o, [&](size_t frame, size_t frames) {
    progress.Writing(frame, frames);
    return stopSignal == 0;
  });
  std::string error;
  int clip = -1;
  int failure = kFailed;
  const bool played = Play(
      o,
      [&](const FrameAt &frame, const uint32_t *pixels, std::string &why) {
        const int wanted = o.split ? frame.stage : 0;
        if (wanted != clip) {
          if (clip >= 0 && !writer->End(frame.tick, why))
            return false;
          if (!writer->Start(ClipName(o, wanted, frame.stageName), frame.tick, why)) {
            if (clip < 0)
              failure = kBadInput; // the output named cannot be made at all
            return false;
          }
          clip = wanted;
        }
        if (!writer->Add(pixels, frame, why))
          return false;
        progress.Frame();
        return true;
      },
      [&](int64_t tick) { return progress.Tick(tick), stopSignal == 0; }, error);
  if (!played)
    return Complain(failure, error);
  if (!writer->End(o.ticks, error) || !writer->Commit(error))
    return Complain(kFailed, error);
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  const ParseResult parsed = ParseOptions(argc, argv);
  if (!parsed.error.empty())
    return Complain(kBadInput, parsed.error + " (see --help)");
  Options o = parsed.options;
  if (o.help || o.version) {
    std::fputs(o.help ? record::HelpText() : VersionText(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kFailed;
  }
  CatchStopSignals();
  std::string error;
  if (!StartPlaying(o, error))
    return Complain(kFailed, error);
  int code = 0;
  {
    Progress progress(o.ticks, o.quiet);
    code = Record(o, progress);
  }
  if (stopSignal != 0) {
    // The partial output is gone; end as the signal would have ended us.
    std::signal(stopSignal, SIG_DFL);
    std::raise(stopSignal);
  }
  return code;
}
