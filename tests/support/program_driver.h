// Drives the program the way Windows does: one main window per test process,
// messages sent to its window procedure, and the picture read back with Win32
// calls, so that the same tests run on the portable layer and on a real GDI.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "graphics/graphics_state.h"
#include "platform/win32.h"

// The program's main window with the drawing layer prepared on it; made on
// first use (a process can register the window class only once).
HWND TestWindow();
// The window's rectangle right after it was created.
RECT InitialWindowRect();
// What InitGraphics left: the drawing layer's state, the GDI object count of
// the process, the device context's settings and the number of pixels of the
// client area that were not black.
struct AfterInit {
  GraphicsStateRecord State;
  DWORD GdiObjects;
  HGDIOBJ Pen;
  HGDIOBJ Brush;
  UINT TextAlign;
  COLORREF BkColor;
  COLORREF TextColor;
  long NonBlackPixels;
};
const AfterInit &StateAfterInit();
DWORD GdiObjectCount();
// Expects the GDI object count to be back at what start-up left. Wine's
// GetGuiResources is a stub that always returns 0; there the count cannot be
// read, so the check is reported as not made instead of passing emptily.
void ExpectNoObjectLeaked(const char *where);

// Start values, the given client size, copy mode, and a full repaint: the
// stage-0 picture as at start-up.
void StartFresh(int clientWidth = 1002, int clientHeight = 583);
// Resizes the client area with SetWindowPos and lets the window repaint.
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
// The picture's rectangle in window pixels, as the last repaint laid it out.
RECT PictureRect();
// The whole area of the monitor that holds the main window.
RECT MonitorArea();
// Ticks until `done` holds or `limit` ticks have run; returns the ticks run.
template <typename Done> int TickUntil(Done done, int limit) {
  int ticks = 0;
  while (ticks < limit && !done()) {
    Tick();
    ++ticks;
  }
  return ticks;
}

// Runs the current cycle from stage 0 through to the end of stage 3.
void RunStagesToEndOfPull();

struct Picture {
  int Width = 0;
  int Height = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The client area of the main window, or of `window`, as it stands.
Picture TakePicture();
Picture PictureOf(HWND window);
// Number of pixels that differ (all of them when the sizes differ), within
// rows [top, bottom) when given.
long CountDifferences(const Picture &a, const Picture &b, int top = 0, int bottom = -1);
// Number of pixels of `color` within [left, right) x [top, bottom).
long CountColor(const Picture &p, COLORREF color, int left, int top, int right, int bottom);
// Whether `color` occurs within `radius` pixels (a square) of (x, y).
bool ColorNear(const Picture &p, COLORREF color, int x, int y, int radius);

// The client area cleared and drawn directly: the caption band with `caption`
// and the prompt in copy mode, then `shapes` in exclusive-or mode, on the
// picture as the program lays it out.
Picture DrawDirectly(const char *caption, const std::function<void()> &shapes);
// Whether the rows of the caption line show `caption` and the prompt exactly
// as drawn directly; redraws the caption band.
bool ShowsCaption(const char *caption);
// The end of an undisturbed pull whose plane started at `startX`, drawn
// directly: the caption band, a light-grey segment per tick but the first, and
// the point at the end.
Picture FinishedPullFrom(double startX);

// Window pixel of a world point under the current mapping.
POINT WindowPixelOf(double x, double y);

constexpr COLORREF BlackValue = 0x00000000;
constexpr COLORREF RedValue = 0x000000FF;
constexpr COLORREF WhiteValue = 0x00FFFFFF;
constexpr COLORREF YellowValue = 0x0000FFFF;
constexpr COLORREF LightGrayValue = 0x00C0C0C0;
