#include "graphics/labels.h"

#include "graphics/graphics_state.h"

namespace {

char UpperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Copies `text` into LabelBuffer (cut to its first 255 characters) and
// measures it; returns its length.
int CopyAndMeasure(const char *text, SIZE &box) {
  GraphicsStateRecord &g = GraphicsState;
  int length = 0;
  if (text) {
    while (length < LabelBufferSize - 1 && text[length] != '\0') {
      g.LabelBuffer[length] = text[length];
      ++length;
    }
  }
  g.LabelBuffer[length] = '\0';
  box = {0, 0};
  GetTextExtentPoint32A(g.WindowDC, g.LabelBuffer, length, &box);
  return length;
}

} // namespace

PixelPoint PlaceLabel(int32_t x, int32_t y, int32_t cx, int32_t cy, const char *code) {
  const char horizontal = code && code[0] ? UpperLetter(code[0]) : '\0';
  const char vertical = code && code[0] && code[1] ? UpperLetter(code[1]) : '\0';
  int64_t left = x;
  int64_t bottom = y;
  if (horizontal == 'C')
    left -= cx / 2;
  else if (horizontal == 'R')
    left -= cx;
  if (vertical == 'C')
    bottom -= cy / 2;
  else if (vertical == 'T')
    bottom -= cy;
  return {ClampPixel(left), ClampPixel(bottom)};
}

int32_t TextWidth(const char *text) {
  SIZE box;
  CopyAndMeasure(text, box);
  return box.cx;
}

void DrawLabel(int32_t x, int32_t y, const char *text, const char *code) {
  GraphicsStateRecord &g = GraphicsState;
  SIZE box;
  const int length = CopyAndMeasure(text, box);
  const PixelPoint corner = PlaceLabel(x, y, box.cx, box.cy, code);
  TextOutA(g.WindowDC, WindowX(corner.X), WindowY(corner.Y), g.LabelBuffer, length);
}
