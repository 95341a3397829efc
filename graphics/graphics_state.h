// The drawing layer's state: the window's kept device context, the 16-colour
// palette with a pen and a brush per colour, the client size, the viewport and
// the world window. One program-wide record, all zero until InitGraphics.
#pragma once

#include <cstdint>

#include "graphics/real48.h"
#include "platform/win32.h"

// Colour numbers: indexes into Palette, Pens and Brushes.
enum ColorNumber : int32_t {
  Black = 0,
  Blue = 1,
  Green = 2,
  Cyan = 3,
  Red = 4,
  Magenta = 5,
  Brown = 6,
  LightGray = 7,
  DarkGray = 8,
  LightBlue = 9,
  LightGreen = 10,
  LightCyan = 11,
  LightRed = 12,
  LightMagenta = 13,
  Yellow = 14,
  White = 15,
};

constexpr int32_t ColorCount = 16;
constexpr int32_t LabelBufferSize = 256; // 255 characters and the terminator

// The colour values (0x00BBGGRR) of the colour numbers 0 to 15.
extern const COLORREF PaletteValues[ColorCount];

struct GraphicsStateRecord {
  int32_t MaxX;
  int32_t MaxY;
  int32_t ViewX1;
  int32_t ViewY1;
  int32_t ViewX2;
  int32_t ViewY2;
  int32_t ViewWidth;
  int32_t ViewHeight;
  Real48 WorldXMin;
  Real48 WorldXMax;
  Real48 WorldYMin;
  Real48 WorldYMax;
  Real48 ScaleX;
  Real48 ScaleY;
  Real48 WorldWidth;
  Real48 WorldHeight;
  int32_t CurrentColor;
  HWND MainWindow;
  HPEN Pens[ColorCount];
  HBRUSH Brushes[ColorCount];
  // The value each colour number's pen and brush carry: the colour itself on
  // black; in another theme the colour XOR its background (theme.h).
  COLORREF Palette[ColorCount];
  char LabelBuffer[LabelBufferSize]; // a label's text, UTF-8
  WCHAR LabelText[LabelBufferSize];  // the same as the W calls take it
  HDC WindowDC;
  // Device pixels per pixel of the picture as designed: 1 in the normal window
  // on a standard screen; the picture's pixel measures (pen width, text height,
  // caption band and line) grow with it.
  double PixelScale;
  // The width of the 16 pens.
  int32_t PenWidth;
  // The program's font at FontHeight, or null while the device context's own
  // font draws the text; DefaultFont is that one, once another has been chosen.
  HFONT Font;
  int32_t FontHeight;
  HGDIOBJ DefaultFont;
  // The face the texts are drawn in: null for the program's own font; a
  // face of its own for a language the program's font does not write.
  const char *TextFace;
  // What each colour number shows: the text colours (Palette's on black).
  COLORREF Shown[ColorCount];
  // What clears the picture and fills the caption band: Brushes[Black] in the
  // designed colours, a brush of the background's colour in another theme.
  HBRUSH BackgroundBrush;
};

extern GraphicsStateRecord GraphicsState;

// A colour number outside 0 to 15 is taken modulo 16 (its low four bits), as a
// 16-colour display adapter would, so it always names one of the 16 colours.
inline int32_t ColorIndex(int32_t color) { return color & (ColorCount - 1); }

// Takes the main window's device context, makes the pens and brushes, blackens
// the client area and sets the defaults. Once, after MainWindow exists. False
// (with the system's error) when the window gives no device context to draw with.
bool InitGraphics();
// Selects the colour's pen and text colour; later labels, lines and bars use it.
void SetColor(int32_t color);
// Paints the whole client area black (the theme's background), takes its
// size into MaxX and MaxY and lays the picture out on it (SetPictureLayout).
void ClearScreen();
// A bar of the background in copy mode, as SetColor(Black) and FillBar give
// it on black: the caption band. Viewport pixels, two opposite corners.
void FillBackgroundBar(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// A pixel measure of the picture as designed, at PixelScale.
int32_t ScaledPixels(int32_t designPixels);
// Replaces `object` with `made`, keeping it selected in the window's device
// context where it was; false (the old one kept) when none was made.
template <class Handle> bool ReplaceObject(Handle &object, Handle made, UINT type) {
  GraphicsStateRecord &g = GraphicsState;
  if (!made)
    return false;
  if (GetCurrentObject(g.WindowDC, type) == object)
    SelectObject(g.WindowDC, made);
  DeleteObject(object);
  object = made;
  return true;
}

// The 16 pens made again at this width, when it is another; the selected one
// stays selected.
void SetPenWidth(int32_t width);
// Text drawn `height` pixels high: with the device context's own font, or
// with the program's font (PictureFontFace, bold) made at that height. The
// font of another height is deleted.
void SetTextHeight(int32_t height, bool deviceFont);
// The texts' font at a height in a face (nullptr: the program's own).
HFONT CreateTextFont(int32_t height, const char *face);

// The texts' face from the next layout on (UseTextFace(nullptr) or
// PictureFontFace: the program's own font).
void UseTextFace(const char *face);

// The program's font: the face name under which CreateFontA finds it, and the
// RCDATA resource that carries it in the Windows executable.
constexpr const char *PictureFontFace = "DejaVu Sans";
constexpr int PictureFontResource = 2;
