// What the presenter and the user choose, apart from the demonstration's own
// state: one program-wide record, owned here. The scenes read the part they
// draw (PictureSettingsRecord) and write none of it.
#pragma once

#include <cstdint>

#include "scenes/picture_settings.h"

struct SettingsRecord {
  PictureSettingsRecord Picture; // held still, blank
  // Cycles begun since the start (0 in the first): back from a stage 0 returns
  // to the cycle before while there is one.
  int32_t Cycle;
  bool FullScreen; // presentation mode (presentation_mode.h)
};

extern SettingsRecord Settings;

// The start values: nothing held, nothing blank, the first cycle, a window;
// the scenes are told where the picture's settings are.
void InitSettings();
