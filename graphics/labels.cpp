#include "graphics/labels.h"

#include "graphics/graphics_state.h"

namespace {

char UpperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Copies `text` into LabelBuffer (cut to its first 255 bytes), turns that
// UTF-8 into the UTF-16 of LabelText (a byte that is no UTF-8 becomes U+FFFD)
// and measures it; returns the UTF-16 length.
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
  const int wide = length == 0 ? 0
                               : MultiByteToWideChar(CP_UTF8, 0, g.LabelBuffer, length, g.LabelText,
                                                     LabelBufferSize);
  box = {0, 0};
  GetTextExtentPoint32W(g.WindowDC, g.LabelText, wide, &box);
  return wide;
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
  TextOutW(g.WindowDC, WindowX(corner.X), WindowY(corner.Y), g.LabelText, length);
}
