// Plays the program itself on the headless backend: its own start-up (start
// values, the settings asked for, main window, drawing layer) and its window
// procedure, fed its timer's messages on a virtual clock at the chosen speed
// and a left click at the chosen ticks.
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
  // Counting from 0 at the program's Stage when the recording begins.
  explicit StageCounter(int32_t first = 0) : cycleStart_(-first), stage_(first) {}
  int Update(int32_t stage, int32_t cycleLength);
  int Current() const { return cycleStart_ + stage_; }

private:
  int cycleStart_ = 0; // the count of the running cycle's first stage
  int32_t stage_ = 0;
  int32_t cycleLength_ = 0;
  bool resetting_ = false;
};

// Frame i is the picture after tick i * every, the first one that can be
// seen from then: at speed 2 one timer message plays two ticks, and only the
// picture after both is ever on the screen. Frame 0 is the picture before the
// first tick.
struct FrameAt {
  size_t index;
  int64_t tick;          // the tick after which it shows, from that tick's time
  int64_t next;          // the tick of the frame after it (the recording may end before)
  int stage;             // as StageCounter counts
  const char *stageName; // the stage's own name (rotate, tilt, ...)
};
using FrameHandler =
    std::function<bool(const FrameAt &frame, const uint32_t *pixels, std::string &error)>;
// Called after each tick; false stops the playing.
using TickHandler = std::function<bool(int64_t tick)>;

// Starts the program, once per process (its window class can be registered
// only once), as the options ask: at the size, with the settings, in
// presentation mode. With stageAlone, sets `ticks` to those of the stage the
// program has entered and its hold. False, with `error`, when it cannot start.
bool StartPlaying(Options &options, std::string &error);
// Plays the started program, its timer's messages at the speed, and hands
// over each frame.
bool Play(const Options &options, const FrameHandler &onFrame, const TickHandler &onTick,
          std::string &error);

// The most frames a recording has.
inline size_t FrameCount(const Options &o) { return static_cast<size_t>(o.ticks / o.every) + 1; }

} // namespace record
