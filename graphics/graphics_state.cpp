#include "graphics/graphics_state.h"

#include "graphics/mapping.h"

GraphicsStateRecord GraphicsState;

const COLORREF PaletteValues[ColorCount] = {
    RGB(0, 0, 0),       RGB(0, 0, 255),     RGB(0, 153, 0),   RGB(0, 255, 255),
    RGB(255, 0, 0),     RGB(255, 0, 255),   RGB(165, 42, 42), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(160, 208, 255), RGB(0, 255, 0),   RGB(224, 255, 255),
    RGB(255, 96, 96),   RGB(219, 112, 147), RGB(255, 255, 0), RGB(255, 255, 255),
};

bool InitGraphics() {
  GraphicsStateRecord &g = GraphicsState;
  g.WindowDC = GetDC(g.MainWindow);
  if (!g.WindowDC)
    return false;
  for (int32_t n = 0; n < ColorCount; ++n)
    g.Palette[n] = PaletteValues[n];
  for (int32_t n = 0; n < ColorCount; ++n)
    g.Pens[n] = CreatePen(PS_SOLID, 2, g.Palette[n]);
  for (int32_t n = 0; n < ColorCount; ++n)
    g.Brushes[n] = CreateSolidBrush(g.Palette[n]);
  SelectObject(g.WindowDC, g.Pens[White]);
  SelectObject(g.WindowDC, g.Brushes[Black]);

  RECT client = {0, 0, 0, 0};
  GetClientRect(g.MainWindow, &client);
  FillRect(g.WindowDC, &client, g.Brushes[Black]);

  // Nothing is drawn through these defaults: every repaint sets its own
  // viewport and world window first. The scales stay 0 until then.
  SetViewport(0, 0, g.MaxX, g.MaxY);
  g.WorldXMin = 0.0;
  g.WorldYMin = 0.0;
  g.WorldXMax = 1.0;
  g.WorldYMax = 1.0;
  g.WorldWidth = 1.0;
  g.WorldHeight = 1.0;

  SetTextAlign(g.WindowDC, TA_LEFT | TA_BOTTOM);
  SetBkColor(g.WindowDC, RGB(0, 0, 0));
  g.PixelScale = 1.0;
  return true;
}

void SetColor(int32_t color) {
  GraphicsStateRecord &g = GraphicsState;
  const int32_t c = ColorIndex(color);
  SelectObject(g.WindowDC, g.Pens[c]);
  SetTextColor(g.WindowDC, g.Palette[c]);
  g.CurrentColor = c;
}

int32_t ScaledPixels(int32_t designPixels) {
  return RoundToPixel(designPixels * GraphicsState.PixelScale);
}

void ClearScreen() {
  GraphicsStateRecord &g = GraphicsState;
  RECT client = {0, 0, 0, 0};
  GetClientRect(g.MainWindow, &client);
  FillRect(g.WindowDC, &client, g.Brushes[Black]);
  g.MaxX = client.right;
  g.MaxY = client.bottom;
}
