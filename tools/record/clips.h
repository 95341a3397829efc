// Where the played frames go, clip by clip: the whole recording is one clip,
// or, with --split, each stage is one. A clip is a GIF, a video or a folder of
// PNG frames; none appears until Commit, and then all appear together.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "tools/record/options.h"
#include "tools/record/player.h"

namespace record {

class ClipWriter {
public:
  virtual ~ClipWriter() = default;
  // Starts a clip that goes to `name` (a file, or a folder of PNG frames) and
  // begins at `tick`. False, with `error`, when it cannot be written there.
  virtual bool Start(const std::string &name, int64_t tick, std::string &error) = 0;
  // The picture of `frame`, shown from its tick until the next frame's.
  virtual bool Add(const uint32_t *pixels, const FrameAt &frame, std::string &error) = 0;
  // Ends the current clip at `tick`.
  virtual bool End(int64_t tick, std::string &error) = 0;
  // Writes out what waits and puts every clip in place.
  virtual bool Commit(std::string &error) = 0;
};

// Told of each frame that a GIF writes at the end (GIF frames are kept until
// every colour is known); false stops the writing.
using WritingProgress = std::function<bool(size_t frame, size_t frames)>;

std::unique_ptr<ClipWriter> MakeClipWriter(const Options &o, WritingProgress writing);

// The file or folder that the clip of `stage` (counted as StageCounter does,
// its own name `stageName`) goes to: NAME-01-rotate.mp4, ... or DIR/01-rotate
// with --split, else the one --out or --frames names.
std::string ClipName(const Options &o, int stage, const char *stageName);

} // namespace record
