// Writes the stored frames as a looping animated GIF with giflib.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "tools/record/frame_store.h"
#include "tools/record/palette.h"

namespace record {

// Frame i is shown for delays(i) hundredths of a second. `keepGoing` is asked
// before each frame and stops the writing when it says no. False with `error`
// set when giflib or the file fails.
bool WriteGif(std::FILE *file, int width, int height, const FrameStore &frames,
              const Palette &palette, const std::function<int(size_t)> &delays,
              const std::function<bool(size_t)> &keepGoing, std::string &error);

} // namespace record
