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

// Frame i is the picture after tick i * every (frame 0: before the first tick).
using FrameHandler = std::function<bool(size_t frame, const uint32_t *pixels, std::string &error)>;
// Called after each tick; false stops the playing.
using TickHandler = std::function<bool(int64_t tick)>;

// Once per process: the program's window class can be registered only once.
bool Play(const Options &options, const FrameHandler &onFrame, const TickHandler &onTick,
          std::string &error);

inline size_t FrameCount(const Options &o) { return static_cast<size_t>(o.ticks / o.every) + 1; }

} // namespace record
