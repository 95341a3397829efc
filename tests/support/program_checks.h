// What the program's tests share beyond the program driver: the window as
// start-up left it, the picture read back with Win32 calls (so that the same
// tests run on the portable layer and on a real GDI), and the stages' pictures
// drawn directly, step by step, to compare the program's drawing with.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "graphics/graphics_state.h"
#include "platform/win32.h"
#include "tools/driver/program_driver.h"

// The program's main window, started on first use.
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

// What a pen draws with: its style (PS_SOLID, ...; without the end and join
// bits), its width in pixels and its colour. Reads the pens of CreatePen and
// of ExtCreatePen alike (the program's wide pens on Windows come from
// ExtCreatePen, for their flat ends); all 0 when `pen` cannot be read.
struct PenLook {
  UINT Style = 0;
  int Width = 0;
  COLORREF Color = 0;
};
PenLook ReadPen(HGDIOBJ pen);

// The picture's rectangle in window pixels, as the last repaint laid it out.
RECT PictureRect();
// The whole area of the monitor that holds the main window.
RECT MonitorArea();

// Runs the current cycle from stage 0 through to the end of stage 3.
void RunStagesToEndOfPull();
// For each count in turn, a click on to the next stage and that many ticks.
void ClickAndTick(std::initializer_list<int> ticks);
// A key, and the repaint it asked for done at once (full screen on and off).
void KeyAndRepaint(WPARAM key);

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
// Number of pixels in which the window as it stands differs from `p`; or
// from what `drawDirectly` returns, called only once the window is read, as a
// direct drawing paints over it (an argument's evaluation order is not fixed).
long DiffersFromShown(const Picture &p);
long DiffersFromShown(const std::function<Picture()> &drawDirectly);
// The picture as it stands, which a repaint must give back unchanged (`what`
// names the moment when it does not).
Picture KeptThroughARepaint(const std::string &what);
// Whether the whole width x height client area is black.
bool AllBlack(int width, int height);
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

// Where an undisturbed tilt and slide stop, worked out here: the width once
// the plane is edge-on, the plane's x once it has slid to the left edge.
double FinishedTiltWidth();
double FinishedSlideX();
// The edge-on tilt, drawn directly: the line at x = 0 and the point at
// (width x cos, sin) of `angle` degrees.
Picture EdgeOnTilt(double width, int angle);
// The slide with its plane at `plane`, drawn directly, the point at `angle` degrees.
Picture SlideAt(double plane, int angle);
// The end of an undisturbed pull whose plane started at `startX`, drawn
// directly: the caption band, a light-grey segment per tick but the first, and
// the point at the end; the point turning by `step` degrees a tick (the
// designed pull turns forward in both directions; the full lesson's keeps
// the turn's direction).
Picture FinishedPullFrom(double startX, int step = 5);

// Window pixel of a world point under the current mapping.
POINT WindowPixelOf(double x, double y);

constexpr COLORREF BlackValue = 0x00000000;
constexpr COLORREF RedValue = 0x000000FF;
constexpr COLORREF WhiteValue = 0x00FFFFFF;
constexpr COLORREF YellowValue = 0x0000FFFF;
constexpr COLORREF LightGrayValue = 0x00C0C0C0;
constexpr COLORREF CyanValue = 0x00FFFF00; // white over red, by exclusive-or
