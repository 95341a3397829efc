#include "graphics/theme.h"

#include "graphics/display.h"

// Every figure at least 4.5:1 to the white background (WCAG relative
// luminance), the point (White) at least 3:1 to the circle (Red) and the
// trace (LightGray), under simulated protanopia and deuteranopia as well
// (tests/program/settings_test.cpp prints the figures).
const COLORREF LightColors[ColorCount] = {
    RGB(255, 255, 255), RGB(0, 64, 240),   RGB(0, 122, 0),   RGB(0, 112, 122),
    RGB(192, 64, 16),   RGB(160, 0, 160),  RGB(138, 58, 26), RGB(96, 96, 96),
    RGB(112, 112, 112), RGB(0, 88, 208),   RGB(0, 128, 0),   RGB(0, 110, 120),
    RGB(176, 48, 48),   RGB(154, 40, 112), RGB(122, 88, 0),  RGB(0, 0, 0),
};

void UseTheme(bool light) {
  GraphicsStateRecord &g = GraphicsState;
  const COLORREF *shown = light ? LightColors : PaletteValues;
  const COLORREF background = shown[Black];
  // In the designed colours the black brush clears as it fills; another
  // background has a brush of its own, made last.
  if (g.BackgroundBrush != g.Brushes[Black])
    DeleteObject(g.BackgroundBrush);
  for (int32_t n = 0; n < ColorCount; ++n) {
    g.Shown[n] = shown[n];
    g.Palette[n] = shown[n] ^ background;
    ReplaceObject(g.Pens[n], CreateLinePen(g.PenWidth, g.Palette[n]), OBJ_PEN);
    ReplaceObject(g.Brushes[n], CreateSolidBrush(g.Palette[n]), OBJ_BRUSH);
  }
  g.BackgroundBrush = light ? CreateSolidBrush(background) : nullptr;
  if (!g.BackgroundBrush)
    g.BackgroundBrush = g.Brushes[Black];
  SetBkColor(g.WindowDC, background);
  SetTextColor(g.WindowDC, g.Shown[g.CurrentColor]);
}
