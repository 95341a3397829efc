// Start-up: the animation's start values, the main window with its timer, the
// drawing layer, and the message loop that runs until the window is closed.
#pragma once

#include "platform/win32.h"

// Class name and title of the main window.
constexpr const char *WindowTitle = "VELQOR: NEGATIVE FREQUENCY";
constexpr UINT_PTR TimerId = 0xFFFF;
constexpr UINT TimerPeriodMs = 20;

// What a start-up can be asked for beyond the program's own: the recorder, the
// tests and the fuzzers start the program at a client size of their choosing.
struct StartOptions {
  // The client area's size once the window is open, as if the user had sized
  // it; 0 x 0 keeps the window's own.
  int ClientWidth = 0;
  int ClientHeight = 0;
};

// Runs the whole program; the result is the process's exit code: 0 when the
// window has been closed (or, in a browser, once the page dispatches), 1 when
// start-up failed (said on stderr).
int StartApplication();
// Everything before the message loop: the start values, the window with its
// timer and the drawing layer. False, said on stderr in one line, when any
// of them could not be had.
bool PrepareApplication(const StartOptions &options = {});
// Registers the class, creates and shows the window and starts its timer.
// False, said on stderr, when any step fails.
bool CreateMainWindow();
// Gives the window's client area this size, keeping its frame; false when the
// system kept another size.
bool SetClientSize(HWND window, int width, int height);
// Dispatches messages until WM_QUIT.
void RunMessageLoop();
