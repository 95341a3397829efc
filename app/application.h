// Start-up: the animation's start values, the main window with its timer, the
// drawing layer, and the message loop that runs until the window is closed.
#pragma once

#include "platform/win32.h"

// Class name and title of the main window.
constexpr const char *WindowTitle = "VELQOR: NEGATIVE FREQUENCY";
constexpr UINT_PTR TimerId = 0xFFFF;
constexpr UINT TimerPeriodMs = 20;

// Runs the whole program; the result is the process's exit code: 0 when the
// window has been closed, 1 when no window could be opened (said on stderr).
int StartApplication();
// Everything before the message loop: the start values, the window and the
// drawing layer. False, said on stderr, when no window could be opened.
bool PrepareApplication();
// Registers the class (a failure ends the process at once with code 0),
// creates and shows the window and starts its timer. False when there is no window.
bool CreateMainWindow();
// Dispatches messages until WM_QUIT.
void RunMessageLoop();
