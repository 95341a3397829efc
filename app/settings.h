// What the presenter and the user choose, apart from the demonstration's own
// state: one program-wide record, owned here. The scenes read the part they
// draw (PictureSettingsRecord) and write none of it.
#pragma once

#include <cstdint>
#include <string>

#include "app/start_options.h"
#include "platform/win32.h"
#include "scenes/picture_settings.h"

struct SettingsRecord {
  PictureSettingsRecord Picture; // held still, blank, the speed's sign, the lesson
  // Cycles begun since the start (0 in the first): back from a stage 0 returns
  // to the cycle before while there is one.
  int32_t Cycle;
  bool FullScreen; // presentation mode (presentation_mode.h)
  Speed TickRate;
  Theme Colors;
  std::string Language; // as asked for; empty: the system's
  int32_t Motion;       // as asked for: 1 moving, 0 held at first, -1 the system's
};

extern SettingsRecord Settings;

// The start values (nothing held or blank, the first cycle, a window), with
// the speed, theme, lesson and language asked for; the scenes are told where
// the picture's settings are.
void InitSettings(const StartOptions &options = {});

// The timer's period and the ticks each of its messages plays at a speed:
// slower is a longer period; faster is two ticks a message, since a Windows
// timer does not reliably fire more often than the system clock (about 15.6
// ms), so a 10 ms timer would not be twice as fast there.
UINT TimerPeriodOf(Speed speed);
int TicksPerTimerMessage(Speed speed);
// The speed one step slower or faster (held at the ends), with the timer set
// to it and its sign shown.
void ChangeSpeed(HWND window, int steps);
// The settings as a link's query, with the stage and direction the
// demonstration stands at (?stage=3&dir=negative&speed=0.5).
std::string AddressOfDemonstration();
// Where the program has an address (a web page), it follows the
// demonstration: told again whenever that query changes.
void FollowAddress();
