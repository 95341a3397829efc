// The backend under the portable layer: where a window's framebuffer is shown,
// where input comes from, and which clock the timers run on. Exactly one backend
// (sdl, headless or web) is linked into a program; each implements every
// function below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "surface.h"
#include "win32_portable.h"

namespace vqp {

// The user's languages, most wanted first, as language tags ("de-DE"); the
// system's locale (C or POSIX) gives none.
std::vector<std::string> BackendUserLanguages();
// The window's title changed (UTF-8).
void BackendSetTitle(HWND hwnd, const char *title);

// Opens the native window for hwnd with the given client size and title.
// On failure returns false and says why in `reason` (one line, no trailing
// newline), for example "no display; set DISPLAY or run under xvfb-run".
bool BackendOpenWindow(HWND hwnd, int clientWidth, int clientHeight, const char *title,
                       std::string &reason);
void BackendCloseWindow(HWND hwnd);
// Shows or hides the native window. (clientLeft, clientTop) is where the
// window's client area lies on the screen, for a backend that places windows.
void BackendShowWindow(HWND hwnd, bool visible, int clientLeft, int clientTop);
// The program asked for a new client size (SetWindowPos).
void BackendResizeWindow(HWND hwnd, int clientWidth, int clientHeight);

// The window came to cover its monitor without a frame (full screen), or it
// went back to a framed window whose client area is `client` (screen pixels).
void BackendSetFullScreen(HWND hwnd, bool fullScreen, const RECT &client);

// Monitors, numbered from 0 (the primary one): the one that holds the most of
// the window (the nearest when none does), and a monitor's whole area and
// work area in screen pixels; false for a number beyond the last monitor.
int BackendMonitorOf(HWND hwnd);
bool BackendMonitorArea(int monitor, RECT &area, RECT &work);
// The dots per inch of the window's monitor: 96 on a standard screen.
UINT BackendDpi(HWND hwnd);
// Whether touch is the primary input (no mouse), and whether the user asked
// for less motion on the screen.
bool BackendTouchIsPrimary();
bool BackendReducesMotion();
// The bytes of a face beyond the program's own (gdi.h: 1 Noto Sans CJK SC,
// 2 JP, 3 KR): true with them when the backend has them. One that must be
// fetched is asked for on the first call; once it has come, the layer is told
// (LayerFontsChanged).
bool BackendFontBytes(int face, const unsigned char **data, size_t *size);

// Shows the part `surface.dirty` of the framebuffer; the caller clears dirty.
void BackendPresent(HWND hwnd, const Surface &surface);

// Milliseconds on the backend's clock (virtual in the headless backend).
uint64_t BackendNowMs();

// Whether input could still come from outside while the message loop waits:
// false when there is nothing it could come from. A loop that would then wait
// with no timer is ended by the layer (WM_QUIT) instead of waiting for ever.
bool BackendInputCanArrive();

// Waits until native input arrives or the clock reaches `deadlineMs`
// (UINT64_MAX: no deadline), and hands any input to the layer with the
// functions below. Returns without waiting when input is already pending.
void BackendWaitForInput(uint64_t deadlineMs);

// ---- what the backend calls in the layer ----------------------------------
// A left press at client coordinates (x, y).
void LayerMouseDown(HWND hwnd, int x, int y);
void LayerMouseUp(HWND hwnd, int x, int y);
// The user resized the window to this client size.
void LayerClientResized(HWND hwnd, int clientWidth, int clientHeight);
// The close button: WM_CLOSE is queued for the window with the user's input.
void LayerCloseRequested(HWND hwnd);
// A key pressed (again, while held: an auto-repeat) or released in the window,
// by its Win32 virtual-key code; `alt` when Alt is held.
void LayerKeyDown(HWND hwnd, UINT virtualKey, bool alt);
void LayerKeyUp(HWND hwnd, UINT virtualKey, bool alt);
// The keyboard went elsewhere: keys held now are released out of sight, so the
// next press of one of them is a new press, not a repeat.
void LayerKeyboardLost();
// The user moved the window: its client area now starts at this screen point.
void LayerWindowMoved(HWND hwnd, int clientLeft, int clientTop);
// The window's monitor has another DPI now (it was moved to another monitor,
// or the system's scale changed): WM_DPICHANGED is sent to the window with the
// outer rectangle Windows would suggest for the new DPI.
void LayerDpiChanged(HWND hwnd, UINT oldDpi, UINT newDpi);
// The system took the window out of full screen by itself (a browser's own
// Esc, or its refusal): it now has this client size, and is told of the
// change of its screen with WM_DISPLAYCHANGE, as a Win32 window whose
// monitor's mode changed.
void LayerFullScreenEnded(HWND hwnd, int clientWidth, int clientHeight);
// Faces have come that were asked for: the windows are told with
// WM_FONTCHANGE, as Windows tells them when the fonts change.
void LayerFontsChanged();
// A command of the device, as Windows reports the side buttons of a mouse or
// a flick on a touch screen: WM_APPCOMMAND with APPCOMMAND_BROWSER_BACKWARD
// (a swipe to the right) or APPCOMMAND_BROWSER_FORWARD (to the left).
void LayerAppCommand(HWND hwnd, short command);

} // namespace vqp
