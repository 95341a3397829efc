// The window procedure: paint requests, timer ticks, left clicks, the
// presenter's keys and the device's back and forward commands, changes of
// the monitor's density and mode, and the window's end,
// turned into the demonstration's stage sequence (scenes/stage_table.h).
#pragma once

#include "platform/win32.h"

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
