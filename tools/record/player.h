// Plays the program itself on the headless backend: its own start-up (start
// values, main window, drawing layer) and its window procedure, fed one
// WM_TIMER per tick of a virtual clock and a left click at the chosen ticks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "tools/record/options.h"

namespace record {

// Counts the stages of a recording from 0 in the order the program goes
// through them, cycle after cycle, from the program's Stage after each tick
// and the length of the cycle it is in. A pending reset (a click in a
// cycle's last stage, left by the next tick) already counts as the next
// cycle's first stage; a click that the program ignores changes nothing.
class StageCounter {
public:
  int Update(int32_t stage, int32_t cycleLength);
  int Current() const { return cycleStart_ + stage_; }

private:
  int cycleStart_ = 0; // the count of the running cycle's first stage
  int32_t stage_ = 0;
  int32_t cycleLength_ = 0;
  bool resetting_ = false;
};

struct FrameAt {
  size_t index;          // frame i is the picture after tick i * every
  int64_t tick;          // (frame 0: before the first tick)
  int stage;             // as StageCounter counts
  const char *stageName; // the stage's own name (rotate, tilt, ...)
};
using FrameHandler =
    std::function<bool(const FrameAt &frame, const uint32_t *pixels, std::string &error)>;
// Called after each tick; false stops the playing.
using TickHandler = std::function<bool(int64_t tick)>;

// Once per process: the program's window class can be registered only once.
bool Play(const Options &options, const FrameHandler &onFrame, const TickHandler &onTick,
          std::string &error);

inline size_t FrameCount(const Options &o) { return static_cast<size_t>(o.ticks / o.every) + 1; }

} // namespace record
