// Start-up: the animation's start values, the main window with its timer, the
// drawing layer, and the message loop that runs until the window is closed.
#pragma once

#include "app/start_options.h"
#include "platform/win32.h"

// Class name and title of the main window.
constexpr const char *WindowTitle = "VELQOR: NEGATIVE FREQUENCY";
constexpr UINT_PTR TimerId = 0xFFFF;
constexpr UINT TimerPeriodMs = 20;

// Runs the whole program with its command line; the result is the process's
// exit code: 0 when the window has been closed (or, in a browser, once the
// page dispatches) and after --help or --version, 1 when start-up failed, 2
// for a bad command line (said on stderr in one line, with the usage line;
// no window opens).
int StartApplication(int argc = 0, const char *const *argv = nullptr);
// Everything before the message loop: the start values, the settings asked
// for, the window with its timer and the drawing layer. False, said on stderr
// in one line, when any of them could not be had.
bool PrepareApplication(const StartOptions &options = {});
// Registers the class, creates and shows the window and starts its timer.
// False, said on stderr, when any step fails. A page's window (`page`) takes
// the page's size once shown, so it is not first sized for the screen's
// density, which on a phone would make and fill a framebuffer larger than the
// page's only to drop it.
bool CreateMainWindow(bool page = false);
// Gives the window's client area this size, keeping its frame; false when the
// system kept another size.
bool SetClientSize(HWND window, int width, int height);
// Dispatches messages until WM_QUIT.
void RunMessageLoop();
