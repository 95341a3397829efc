// The window procedure: paint requests, timer ticks, left clicks, the
// presenter's keys, changes of the monitor's density and the window's end,
// turned into the demonstration's stage sequence.
#pragma once

#include "platform/win32.h"

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// One tick of the current stage (nothing for a Stage outside 0 to 4).
void TickStage();
// A left click: on to the next stage. A click while the reset is pending does
// not go past it, so no burst of clicks can stop the cycle.
void EnterNextStage();
// The tick after the last stage: back to the full circle with the direction reversed.
void ResetCycle();
