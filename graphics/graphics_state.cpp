#include "graphics/graphics_state.h"

#include <cstring>

#include <algorithm>

#include "graphics/display.h"
#include "graphics/mapping.h"
#include "graphics/picture_layout.h"
#include "graphics/shapes.h"

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
  g.PenWidth = DesignPenWidth;
  for (int32_t n = 0; n < ColorCount; ++n) {
    g.Palette[n] = g.Shown[n] = PaletteValues[n];
    g.Pens[n] = CreateLinePen(g.PenWidth, g.Palette[n]);
  }
  for (int32_t n = 0; n < ColorCount; ++n)
    g.Brushes[n] = CreateSolidBrush(g.Palette[n]);
  g.BackgroundBrush = g.Brushes[Black];
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
  g.FontHeight = DesignTextHeight;
  // Without it CreateFontA picks the nearest face the system has.
  LoadResourceFont(PictureFontResource);
  return true;
}

void SetColor(int32_t color) {
  GraphicsStateRecord &g = GraphicsState;
  const int32_t c = ColorIndex(color);
  SelectObject(g.WindowDC, g.Pens[c]);
  SetTextColor(g.WindowDC, g.Shown[c]);
  g.CurrentColor = c;
}

int32_t ScaledPixels(int32_t designPixels) {
  return RoundToPixel(designPixels * GraphicsState.PixelScale);
}

void SetPenWidth(int32_t width) {
  GraphicsStateRecord &g = GraphicsState;
  if (width == g.PenWidth)
    return;
  // One pen at a time, so that no more than one extra pen ever exists.
  for (int32_t n = 0; n < ColorCount; ++n)
    if (!ReplaceObject(g.Pens[n], CreateLinePen(width, g.Palette[n]), OBJ_PEN))
      return; // out of objects: the old pens go on drawing at their width
  g.PenWidth = width;
}

HFONT CreateTextFont(int32_t height, const char *face) {
  const bool own = face == nullptr || std::strcmp(face, PictureFontFace) == 0;
  return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                     own ? ANSI_CHARSET : DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, own ? PictureFontFace : face);
}

void SetTextHeight(int32_t height, bool deviceFont) {
  GraphicsStateRecord &g = GraphicsState;
  if (deviceFont ? g.Font == nullptr : (g.Font != nullptr && height == g.FontHeight))
    return;
  HFONT font = nullptr;
  if (!deviceFont) {
    font = CreateTextFont(height, g.TextFace);
    if (!font)
      return; // out of objects: the text keeps the font it has
  }
  if (font || g.DefaultFont) {
    const HGDIOBJ previous = SelectObject(g.WindowDC, font ? font : g.DefaultFont);
    if (!g.DefaultFont)
      g.DefaultFont = previous;
  }
  if (g.Font)
    DeleteObject(g.Font);
  g.Font = font;
  g.FontHeight = height;
}

void UseTextFace(const char *face) {
  GraphicsStateRecord &g = GraphicsState;
  g.TextFace = face && std::strcmp(face, PictureFontFace) != 0 ? face : nullptr;
  // Made again in the face at the next layout.
  if (g.Font) {
    SelectObject(g.WindowDC, g.DefaultFont);
    DeleteObject(g.Font);
    g.Font = nullptr;
  }
}

void ClearScreen() {
  GraphicsStateRecord &g = GraphicsState;
  RECT client = {0, 0, 0, 0};
  GetClientRect(g.MainWindow, &client);
  // The margins too: a picture of another layout may have stood there. They
  // are black in every theme; the picture takes the theme's background.
  SelectClipRgn(g.WindowDC, nullptr);
  FillRect(g.WindowDC, &client, g.Brushes[Black]);
  g.MaxX = client.right;
  g.MaxY = client.bottom;
  SetPictureLayout();
  if (g.BackgroundBrush != g.Brushes[Black]) {
    const RECT picture = {g.ViewX1, g.MaxY - g.ViewY2, g.ViewX2, g.MaxY - g.ViewY1};
    FillRect(g.WindowDC, &picture, g.BackgroundBrush);
  }
}

void FillBackgroundBar(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  GraphicsStateRecord &g = GraphicsState;
  SetColor(Black);
  if (g.BackgroundBrush == g.Brushes[Black]) {
    FillBar(x1, y1, x2, y2);
    return;
  }
  const RECT bar = {WindowX(std::min(x1, x2)), WindowY(std::max(y1, y2)), WindowX(std::max(x1, x2)),
                    WindowY(std::min(y1, y2))};
  FillRect(g.WindowDC, &bar, g.BackgroundBrush);
}
