#include "tests/support/program_checks.h"

#include <cstddef>
#include <cstdio>

#include <gtest/gtest.h>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/mapping.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"

#ifndef _WIN32
#include "platform/host.h"
#endif

namespace {

RECT initialRect = {0, 0, 0, 0};
AfterInit afterInit;

long CountNonBlack(const Picture &p) {
  long count = 0;
  for (COLORREF pixel : p.Pixels)
    count += pixel != BlackValue;
  return count;
}

// What start-up left, noted as the program starts, whichever call starts it.
void NoteStartUp() {
  GetWindowRect(GraphicsState.MainWindow, &initialRect);
  const HDC dc = GraphicsState.WindowDC;
  afterInit.State = GraphicsState;
  afterInit.GdiObjects = GdiObjectCount();
  afterInit.Pen = GetCurrentObject(dc, OBJ_PEN);
  afterInit.Brush = GetCurrentObject(dc, OBJ_BRUSH);
  afterInit.TextAlign = GetTextAlign(dc);
  afterInit.BkColor = GetBkColor(dc);
  afterInit.TextColor = GetTextColor(dc);
  afterInit.NonBlackPixels = CountNonBlack(PictureOf(GraphicsState.MainWindow));
}
[[maybe_unused]] const bool noted = (WhenProgramStarts = NoteStartUp, true);

} // namespace

HWND TestWindow() { return ProgramWindow(); }

RECT InitialWindowRect() {
  TestWindow();
  return initialRect;
}

const AfterInit &StateAfterInit() {
  TestWindow();
  return afterInit;
}

DWORD GdiObjectCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

void ExpectNoObjectLeaked(const char *where) {
  const DWORD start = StateAfterInit().GdiObjects;
  if (start == 0) {
    std::printf("[   NOTE   ] GDI objects are not counted here; leak check skipped (%s)\n", where);
    return;
  }
  EXPECT_EQ(GdiObjectCount(), start) << where;
}

PenLook ReadPen(HGDIOBJ pen) {
  // A pen from ExtCreatePen reads back only as an EXTLOGPEN, which is longer
  // than a LOGPEN; so the size it asks for tells the two apart.
#ifdef _WIN32
  if (GetObjectA(pen, 0, nullptr) > static_cast<int>(sizeof(LOGPEN))) {
    EXTLOGPEN ext = {};
    if (GetObjectA(pen, sizeof ext, &ext) < static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry)))
      return {};
    return {ext.elpPenStyle & PS_STYLE_MASK, static_cast<int>(ext.elpWidth), ext.elpColor};
  }
#endif
  LOGPEN logical = {};
  if (GetObjectA(pen, sizeof logical, &logical) != static_cast<int>(sizeof logical))
    return {};
  return {logical.lopnStyle, static_cast<int>(logical.lopnWidth.x), logical.lopnColor};
}

RECT PictureRect() {
  const GraphicsStateRecord &g = GraphicsState;
  return {g.ViewX1, g.MaxY - g.ViewY2, g.ViewX2, g.MaxY - g.ViewY1};
}

RECT MonitorArea() {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromWindow(TestWindow(), MONITOR_DEFAULTTONEAREST), &info);
  return info.rcMonitor;
}

void RunStagesToEndOfPull() {
  Click();
  TickUntil([] { return AnimationState.ApparentWidth <= 0; }, 200);
  Click();
  TickUntil([] { return AnimationState.PlaneX <= -2; }, 400);
  Click();
  TickUntil([] { return AnimationState.PlaneX >= 2; }, 800);
}

void ClickAndTick(std::initializer_list<int> ticks) {
  for (const int count : ticks) {
    Click();
    Tick(count);
  }
}

void KeyAndRepaint(WPARAM key) {
  Key(key);
  UpdateWindow(TestWindow());
}

Picture TakePicture() { return PictureOf(TestWindow()); }

Picture PictureOf(HWND window) {
  Picture p;
#ifndef _WIN32
  const uint32_t *pixels = vqp::HeadlessPixels(window, &p.Width, &p.Height);
  if (pixels)
    p.Pixels.assign(pixels, pixels + static_cast<size_t>(p.Width) * p.Height);
#else
  RECT client = {0, 0, 0, 0};
  GetClientRect(window, &client);
  p.Width = client.right;
  p.Height = client.bottom;
  p.Pixels.resize(static_cast<size_t>(p.Width) * p.Height);
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x)
      p.Pixels[static_cast<size_t>(y) * p.Width + x] = GetPixel(GraphicsState.WindowDC, x, y);
#endif
  return p;
}

long CountDifferences(const Picture &a, const Picture &b, int top, int bottom) {
  if (a.Width != b.Width || a.Height != b.Height)
    return static_cast<long>(a.Pixels.size() > b.Pixels.size() ? a.Pixels.size()
                                                               : b.Pixels.size()) +
           1;
  if (bottom < 0 || bottom > a.Height)
    bottom = a.Height;
  long differences = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < a.Width; ++x)
      differences += a.At(x, y) != b.At(x, y);
  return differences;
}

long DiffersFromShown(const Picture &p) { return CountDifferences(TakePicture(), p); }

long DiffersFromShown(const std::function<Picture()> &drawDirectly) {
  const Picture shown = TakePicture();
  return CountDifferences(shown, drawDirectly());
}

Picture KeptThroughARepaint(const std::string &what) {
  const Picture before = TakePicture();
  Paint();
  EXPECT_EQ(DiffersFromShown(before), 0) << what;
  return before;
}

bool AllBlack(int width, int height) {
  return CountColor(TakePicture(), BlackValue, 0, 0, width, height) == long{width} * height;
}

long CountColor(const Picture &p, COLORREF color, int left, int top, int right, int bottom) {
  long count = 0;
  for (int y = top < 0 ? 0 : top; y < bottom && y < p.Height; ++y)
    for (int x = left < 0 ? 0 : left; x < right && x < p.Width; ++x)
      count += p.At(x, y) == color;
  return count;
}

bool ColorNear(const Picture &p, COLORREF color, int x, int y, int radius) {
  return CountColor(p, color, x - radius, y - radius, x + radius + 1, y + radius + 1) > 0;
}

// The caption band drawn here step by step, in copy mode, not by the program's own
// operation, so that the tests compare against an independent drawing: over
// the top 40 rows of the picture, its caption line 20 rows below its top (at
// its pixel scale).
void DrawBandDirectly(const char *caption) {
  const GraphicsStateRecord &g = GraphicsState;
  const int32_t top = g.ViewHeight;
  FillBackgroundBar(0, top - ScaledPixels(40), g.ViewWidth, top);
  SetColor(White);
  DrawLabel(g.ViewWidth / 2, top - ScaledPixels(20), caption, "CC");
  SetColor(Yellow);
  DrawLabel(g.ViewWidth, top - ScaledPixels(20), "Left click to continue ", "RC");
}

Picture DrawDirectly(const char *caption, const std::function<void()> &shapes) {
  const GraphicsStateRecord &g = GraphicsState;
  SetROP2(g.WindowDC, R2_COPYPEN);
  ClearScreen();
  DrawBandDirectly(caption);
  SetROP2(g.WindowDC, R2_XORPEN);
  shapes();
  SetROP2(g.WindowDC, R2_COPYPEN);
  return TakePicture();
}

bool ShowsCaption(const char *caption) {
  const GraphicsStateRecord &g = GraphicsState;
  const Picture shown = TakePicture();
  SetROP2(g.WindowDC, R2_COPYPEN);
  DrawBandDirectly(caption);
  // Only the rows of the text: the circle and the point may reach into the band's
  // lower rows in a low window.
  SIZE box = {0, 0};
  GetTextExtentPoint32A(g.WindowDC, "Left click to continue ", 23, &box);
  return CountDifferences(shown, TakePicture(), 0,
                          PictureRect().top + ScaledPixels(20) + box.cy / 2) == 0;
}

POINT WindowPixelOf(double x, double y) {
  const PixelPoint p = WorldToScreen(x, y);
  return {WindowX(p.X), WindowY(p.Y)};
}

double FinishedTiltWidth() {
  Real48 width = 1.0;
  while (width > 0)
    width = width - Real48(0.01);
  return width;
}

double FinishedSlideX() {
  Real48 x = 0.0;
  while (x > -2.0)
    x = x - Real48(0.01111);
  return x;
}

Picture EdgeOnTilt(double width, int angle) {
  return DrawDirectly(TiltCaption, [&] {
    DrawPlaneEdge(0.0);
    const Real48 a = angle * DegreeFactor;
    DrawPoint(width * SafeCos(a), SafeSin(a));
  });
}

Picture SlideAt(double plane, int angle) {
  return DrawDirectly(SlideCaption, [&] {
    DrawPlaneEdge(plane);
    DrawPoint(plane, SafeSin(angle * DegreeFactor));
  });
}

Picture FinishedPullFrom(double startX, int step) {
  std::vector<double> xs, ys;
  Real48 x = startX;
  int degrees = 0;
  do {
    degrees = (degrees + step) % 360;
    x = x + Real48(0.01111);
    xs.push_back(x);
    ys.push_back(SafeSin(degrees * DegreeFactor));
  } while (x < 2.0);
  return DrawDirectly(PullCaption, [&] {
    SetColor(LightGray);
    for (size_t i = 1; i < xs.size(); ++i)
      DrawLine(xs[i - 1], ys[i - 1], xs[i], ys[i]);
    DrawPoint(xs.back(), ys.back());
  });
}
