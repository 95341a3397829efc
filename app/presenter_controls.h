// What a presenter's clicker or keyboard does besides the left click: next,
// back one step, start again, pause, blank. One key map for every build,
// delivered as WM_KEYDOWN with Win32 virtual-key codes; auto-repeats of a held
// key are ignored, so a held key moves one step.
//
//   next            PageDown, Right, Down, Space, Enter, N (as a left click)
//   back one step   PageUp, Left, Up, Backspace, P
//   start again     Home
//   pause / resume  K, Pause
//   blank / unblank B, . (period)
//   full screen     F11, F, Alt+Enter (WM_SYSKEYDOWN) on and off; Esc leaves
//   slower, faster  - and + (=, the number pad's), through 1/4, 1/2, 1, 2
//   one tick        S, while paused (it resumes nothing)
//   theme           T: classic / light
//   lesson          L: classic / full, starting again
//
// While the window is blank the first handled key or click only brings the
// picture back; but Esc leaves full screen at once, blank or not, as a
// browser leaves it by itself on its own Esc (the web backend then delivers
// that Esc to the program). Esc does nothing outside full screen. Next, back
// and start again also resume a paused picture.
#pragma once

#include <cstdint>

#include "platform/win32.h"

enum class PresenterAction {
  None,
  Next,
  Back,
  StartAgain,
  Pause,
  Blank,
  FullScreen,
  LeaveFullScreen,
  Slower,
  Faster,
  Step,
  Theme,
  Lesson
};

// The action of a virtual key, None for any other key.
PresenterAction ActionOfKey(WPARAM virtualKey);

// WM_KEYDOWN: does the key's action unless it is an auto-repeat. True when the
// key is one of the presenter's.
bool PressKey(WPARAM virtualKey, LPARAM keyData);
// WM_SYSKEYDOWN: Alt+Enter toggles full screen (unless an auto-repeat). True
// when it was that; any other system key is left to the system (Alt+F4).
bool PressSystemKey(WPARAM virtualKey, LPARAM keyData);
// WM_LBUTTONDOWN: next, or only the picture back while the window is blank.
void PressClick();
// WM_APPCOMMAND: the browser's back and forward commands (a mouse's side
// buttons, a flick or a swipe on a touch screen, some presenter remotes) go
// back one step and on. True when it was one of them.
bool PressAppCommand(short command);
// Does `action` as a key or a click would.
void DoPresenterAction(PresenterAction action);
// WM_TIMER: the ticks of one timer message at the speed, unless the picture
// is held or blank.
void PlayTimerMessage();
// The demonstration from its start values at `stage` of the first cycle (or
// the second, `negative`) with each stage before finished, moving; the
// caller repaints. Home starts again at stage 0.
void StartAgain(int32_t stage = 0, bool negative = false);
