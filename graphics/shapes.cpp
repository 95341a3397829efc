#include "graphics/shapes.h"

#include <cmath>

#include "graphics/graphics_state.h"
#include "graphics/mapping.h"

void DrawDot(Real48 x, Real48 y, Real48 radius, Real48 penWidth, int32_t color) {
  const PixelPoint centre = WorldToScreen(x, y);
  const int32_t r = RoundToPixel(GraphicsState.ScaleX * radius);
  const int32_t w = RoundToPixel(GraphicsState.ScaleX * penWidth);
  ScreenCircle(centre.X, centre.Y, r, w, color);
}

void ScreenCircle(int32_t sx, int32_t sy, int32_t r, int32_t w, int32_t color) {
  ScreenEllipse(sx, sy, r, r, w, color);
}

void DrawEllipse(Real48 x, Real48 y, Real48 rx, Real48 ry, Real48 penWidth, int32_t color) {
  const GraphicsStateRecord &g = GraphicsState;
  const PixelPoint centre = WorldToScreen(x, y);
  const int32_t rxp = RoundToPixel(g.ScaleX * rx);
  const int32_t ryp = RoundToPixel(g.ScaleY * ry);
  const int32_t w = RoundToPixel(g.ScaleX * penWidth);
  ScreenEllipse(centre.X, centre.Y, rxp, ryp, w, color);
}

void ScreenEllipse(int32_t sx, int32_t sy, int32_t rx, int32_t ry, int32_t w, int32_t color) {
  const GraphicsStateRecord &g = GraphicsState;
  const COLORREF value = g.Palette[ColorIndex(color)];
  // The pen and (for a filled shape) the brush live for this one call.
  HPEN pen = CreatePen(PS_SOLID, w, value);
  HBRUSH fill = w == 0 ? CreateSolidBrush(value) : nullptr;
  SelectObject(g.WindowDC, pen);
  SelectObject(g.WindowDC, fill ? fill : g.Brushes[Black]);
  // Lower-left corner first, then upper-right, in window pixels.
  Ellipse(g.WindowDC, WindowX(int64_t{sx} - rx), WindowY(int64_t{sy} - ry),
          WindowX(int64_t{sx} + rx), WindowY(int64_t{sy} + ry));
  SelectObject(g.WindowDC, g.Pens[White]);
  SelectObject(g.WindowDC, g.Brushes[Black]);
  DeleteObject(pen);
  if (fill)
    DeleteObject(fill);
}

void DrawLine(Real48 x1, Real48 y1, Real48 x2, Real48 y2) {
  const GraphicsStateRecord &g = GraphicsState;
  const PixelPoint from = WorldToScreen(x1, y1);
  const PixelPoint to = WorldToScreen(x2, y2);
  MoveToEx(g.WindowDC, WindowX(from.X), WindowY(from.Y), nullptr);
  LineTo(g.WindowDC, WindowX(to.X), WindowY(to.Y));
}

void FillBar(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const GraphicsStateRecord &g = GraphicsState;
  SelectObject(g.WindowDC, g.Brushes[ColorIndex(g.CurrentColor)]);
  Rectangle(g.WindowDC, WindowX(x1), WindowY(y1), WindowX(x2), WindowY(y2));
  SelectObject(g.WindowDC, g.Brushes[Black]);
}

// 2^63: beyond it the platform's sine loses all meaning (and some give up).
constexpr double SafeAngleLimit = 9223372036854775808.0;

Real48 SafeSin(Real48 angle) {
  return std::fabs(angle) >= SafeAngleLimit ? 0.0 : std::sin(static_cast<double>(angle));
}

Real48 SafeCos(Real48 angle) {
  return std::fabs(angle) >= SafeAngleLimit ? 0.0 : std::cos(static_cast<double>(angle));
}
