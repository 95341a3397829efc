// Drives the program the way Windows does, for the tests, the recorder, the
// fuzzers and the benchmarks: the program's own start-up, once per process (a
// process can register the window class only once), then messages sent to
// its window procedure. The same calls work on the portable layer and on a
// real GDI. On the headless backend the program can also be played through
// its message queue on the virtual clock, and its picture read at once.
#pragma once

#include <cstdint>

#include "app/application.h"
#include "platform/win32.h"

// The program started with these options, the first time; later calls give
// the first result. False, said on stderr by the program, when it could not start.
bool StartProgram(const StartOptions &options = {});
// Called once the program has started, before anything else is done with it.
extern void (*WhenProgramStarts)();
// The main window; the program is started with its own options on first use
// (the process ends, saying so, if it cannot start).
HWND ProgramWindow();

// The state of a fresh start, in a window kept as it is (full screen or not):
// the start values, the settings at theirs (the timer and the colours with
// them), copy mode with the start-up pen and brush, the client area at the
// size, and a full repaint: the picture at start-up.
void StartFresh(int clientWidth = 1002, int clientHeight = 583);
// Gives the client area this size (SetWindowPos) and lets the window repaint.
void SetClientSize(int clientWidth, int clientHeight);
// A paint request for the whole client area, handled at once.
void Paint();
void Tick(int count = 1);
void Click();
// A key pressed (WM_KEYDOWN with its virtual-key code), or held: an auto-repeat.
void Key(WPARAM virtualKey);
void KeyRepeat(WPARAM virtualKey);
// A key pressed with Alt held (WM_SYSKEYDOWN), or held: an auto-repeat.
void AltKey(WPARAM virtualKey);
void AltKeyRepeat(WPARAM virtualKey);
// Ticks until `done` holds or `limit` ticks have run; returns the ticks run.
template <typename Done> int TickUntil(Done done, int limit) {
  int ticks = 0;
  while (ticks < limit && !done()) {
    Tick();
    ++ticks;
  }
  return ticks;
}

#ifndef _WIN32
// Through the message queue on the headless backend's virtual clock: a user's
// click in the middle of the client area, queued.
void QueueClick();
// Dispatches what is ready without moving the clock (input first, then paint
// requests, then a tick that fell due); false once the program has ended its
// message loop.
bool DispatchReady();
// The main window's pixels as they stand (COLORREF, top row first).
const uint32_t *FramePixels(int *width = nullptr, int *height = nullptr);
#endif
