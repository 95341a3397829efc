#include "tools/record/clips.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "graphics/theme.h"
#include "tools/record/frame_store.h"
#include "tools/record/gif_writer.h"
#include "tools/record/output.h"
#include "tools/record/palette.h"
#include "tools/record/player.h"
#include "tools/record/video_writer.h"

namespace record {
namespace {

// Hundredths of a second that a frame stays: the real time from its tick to
// the next frame's (GIF counts in 10 ms; a tick at every speed is a whole
// number of them, and the options keep a frame within GIF's 16 bits).
int FrameDelay(const FrameAt &frame, int tickMs) {
  const int64_t delay = (frame.next - frame.tick) * tickMs / 10;
  return static_cast<int>(std::min<int64_t>(delay, 65535));
}

// GIFs are written once the recording is complete: each clip's palette needs
// all of its colours.
class GifClips : public ClipWriter {
public:
  GifClips(const Options &o, WritingProgress writing) : o_(o), writing_(std::move(writing)) {}

  bool Start(const std::string &name, int64_t, std::string &error) override {
    files_.emplace_back();
    stores_.emplace_back(o_.width, o_.height);
    delays_.emplace_back();
    return files_.back().Open(name, error);
  }
  bool Add(const uint32_t *pixels, const FrameAt &frame, std::string &) override {
    stores_.back().Add(pixels);
    delays_.back().push_back(FrameDelay(frame, TickMs(o_)));
    return true;
  }
  bool End(int64_t, std::string &) override { return true; }
  bool Commit(std::string &error) override {
    size_t total = 0, done = 0;
    for (const FrameStore &store : stores_)
      total += store.Count();
    for (size_t clip = 0; clip < files_.size(); ++clip) {
      const FrameStore &store = stores_[clip];
      const bool written = WriteGif(
          files_[clip].File(), o_.width, o_.height, store, BuildPalette(store.Colors()),
          [&](size_t frame) { return delays_[clip][frame]; },
          [&](size_t frame) { return writing_(done + frame, total); }, error);
      if (!written)
        return false;
      done += store.Count();
    }
    return CommitAll(files_, error);
  }

private:
  const Options &o_;
  WritingProgress writing_;
  std::deque<PendingFile> files_;
  std::deque<FrameStore> stores_;
  std::deque<std::vector<int>> delays_; // each clip's frames' delays
};

// Videos are encoded as the frames come, one clip at a time.
class VideoClips : public ClipWriter {
public:
  explicit VideoClips(const Options &o)
      : settings_(o.format == Format::Mp4 ? Mp4Settings(o.width, o.height, o.every, o.quality)
                                          : WebMSettings(o.width, o.height, o.every, o.quality)) {
    settings_.tickMs = TickMs(o);
    // The added column and row continue the picture's background (the
    // margins, black, in presentation mode).
    if (!o.present && o.program.Colors == Theme::Light)
      settings_.padding = LightColors[Black];
  }

  bool Start(const std::string &name, int64_t tick, std::string &error) override {
    files_.emplace_back();
    name_ = name;
    start_ = tick;
    if (!files_.back().Open(name, error))
      return false;
    return writer_.Open(files_.back().TemporaryPath(), settings_, error) || Named(error);
  }
  bool Add(const uint32_t *pixels, const FrameAt &frame, std::string &error) override {
    return writer_.Add(pixels, frame.tick - start_, error) || Named(error);
  }
  bool End(int64_t tick, std::string &error) override {
    return writer_.Finish(tick - start_, error) || Named(error);
  }
  bool Commit(std::string &error) override { return CommitAll(files_, error); }

private:
  // Says which file an encoding failure is about.
  bool Named(std::string &error) const {
    if (!writer_.Missing())
      error = "cannot write '" + name_ + "': " + error;
    return false;
  }

  VideoSettings settings_;
  VideoWriter writer_;
  std::string name_;
  std::deque<PendingFile> files_;
  int64_t start_ = 0;
};

// PNG frames are written as they come, numbered from 0 in each clip's folder.
class FrameClips : public ClipWriter {
public:
  explicit FrameClips(const Options &o) : o_(o) {}

  bool Start(const std::string &name, int64_t, std::string &error) override {
    // The clips' folders are made inside --frames, which must be there.
    if (o_.split && folders_.empty() && !IsFramesFolder(o_.frames, error))
      return false;
    folders_.emplace_back();
    next_ = 0;
    return folders_.back().Open(name, FrameCount(o_), o_.split, error);
  }
  bool Add(const uint32_t *pixels, const FrameAt &, std::string &error) override {
    return folders_.back().Write(next_++, pixels, o_.width, o_.height, error);
  }
  bool End(int64_t, std::string &) override { return true; }
  bool Commit(std::string &error) override { return CommitAll(folders_, error); }

private:
  const Options &o_;
  std::deque<PendingFrames> folders_;
  size_t next_ = 0;
};

} // namespace

std::unique_ptr<ClipWriter> MakeClipWriter(const Options &o, WritingProgress writing) {
  switch (o.format) {
  case Format::Gif:
    return std::make_unique<GifClips>(o, std::move(writing));
  case Format::Mp4:
  case Format::WebM:
    return std::make_unique<VideoClips>(o);
  case Format::PngFrames:
    break;
  }
  return std::make_unique<FrameClips>(o);
}

std::string ClipName(const Options &o, int stage, const char *stageName) {
  const bool frames = o.format == Format::PngFrames;
  if (!o.split)
    return frames ? o.frames : o.out;
  // Wide enough for the last clip: each clip after the first needs a click.
  const size_t width = std::max<size_t>(2, std::to_string(o.clicks.size() + 1).size());
  std::string number = std::to_string(stage + 1);
  number.insert(0, width > number.size() ? width - number.size() : 0, '0');
  const std::string clip = number + "-" + stageName;
  if (frames) {
    std::string folder = o.frames;
    while (folder.size() > 1 && folder.back() == '/')
      folder.pop_back();
    return folder + "/" + clip;
  }
  const size_t dot = o.out.rfind('.');
  return o.out.substr(0, dot) + "-" + clip + o.out.substr(dot);
}

} // namespace record
