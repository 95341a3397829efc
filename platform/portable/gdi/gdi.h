// The drawing half of the portable layer, as seen by the rest of the layer, its
// tests and its benchmarks: device contexts over a framebuffer, the raster
// primitives behind the gdi32 calls, and the built-in font.
#pragma once

#include <climits>
#include <cstdint>
#include <string_view>

#include "../surface.h"
#include "../win32_portable.h"

namespace vqp {

// A device context that draws onto `surface`, which the caller owns and keeps
// alive until it releases the context with ReleaseDC(nullptr, hdc). Used where
// no window is wanted (tests, benchmarks, off-screen pictures); it behaves like
// a context from GetDC in every other respect.
HDC CreateSurfaceDC(Surface *surface);

namespace gdi {

// A ROP2 mode applied to one colour: new = (old & andMask) ^ xorMask.
struct Mix {
  uint32_t andMask = 0;
  uint32_t xorMask = 0;
  // R2_NOP, or a mode that leaves every pixel as it was.
  bool Nop() const { return (andMask & 0x00FFFFFFu) == 0x00FFFFFFu && xorMask == 0; }
};

// The (and, xor) pair of a ROP2 mode (R2_BLACK .. R2_WHITE) for a colour.
// Results stay within 0x00FFFFFF. An unknown mode gives R2_NOP.
Mix MixFor(int rop2, COLORREF color);

// What a primitive draws with: the pen's width (0 is taken as 1) and whether
// pen and brush paint at all (a PS_NULL pen does not).
struct Paint {
  int penWidth = 1;
  bool penOn = true;
  Mix pen;
  bool brushOn = true;
  Mix brush;
};

// A clip rectangle that leaves the whole surface.
inline constexpr PixelRect kWholeSurface{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

// The raster primitives. Each clips to the surface and to `clip` (a device
// context's clip rectangle) before it loops, touches every pixel at most once,
// and grows surface.dirty by what it touched. Boxes are half-open
// [left, right) x [top, bottom), corners in either order; an empty box draws
// nothing, as in GDI.
void RasterEllipse(Surface &s, int left, int top, int right, int bottom, const Paint &paint,
                   const PixelRect &clip = kWholeSurface);
void RasterRectangle(Surface &s, int left, int top, int right, int bottom, const Paint &paint,
                     const PixelRect &clip = kWholeSurface);
// From (x0, y0) to (x1, y1), the last point excluded; see raster.cpp for the
// shape of wide lines.
void RasterLine(Surface &s, int x0, int y0, int x1, int y1, int penWidth, const Mix &mix,
                const PixelRect &clip = kWholeSurface);
// Paints [left, right) x [top, bottom) in one colour (no mix); nothing when
// the box is empty or inverted.
void FillBox(Surface &s, int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t color,
             const PixelRect &clip = kWholeSurface);

// ---- text (text.cpp) ------------------------------------------------------
// The faces built into the layer: 0 the program's own font (every face name
// not known otherwise), then Noto Sans CJK SC, JP and KR, whose bytes the
// backend holds (BackendFontBytes).
constexpr int kFaceCount = 4;
int FaceOf(const char *faceName);
// A face at a height: a LOGFONT height, positive for the height of a line
// (the cell), negative for that of the characters (the em). Glyphs are found
// by code point, rasterized when first drawn, and kept for the few heights
// used last while fonts of those heights exist.
struct FontKey {
  int face;
  int height;
};
constexpr int kMaxFontHeight = 1024;
// Height of a line of text in pixels, and its ascent (top of the box to the
// baseline).
int TextHeight(const FontKey &font);
int TextAscent(const FontKey &font);
// The characters of UTF-16, a lone surrogate standing for itself.
std::u32string FromWide(const WCHAR *text, int length);
// The UTF-8 of characters.
std::string Utf8(std::u32string_view text);
// Width in pixels of a text.
int64_t TextWidth(const FontKey &font, std::u32string_view text);
// The face's glyph for a character; 0, the missing-glyph box, when it has none.
int GlyphIndex(const FontKey &font, char32_t c);
// Lets the glyphs of a face at a height go (no font object has it any more),
// or of a face whose bytes have come.
void ForgetFont(const FontKey &font);
void ForgetFace(int face);
// Draws a text `width` wide (its TextWidth) with the top-left corner of its
// box at (x, y), glyph coverage blended from `background` (opaque) or from the
// pixels beneath (transparent) towards `color`. Paints the box first when
// opaque. Clipped to the box, the surface and `clip`. The surface keeps what
// it says (RecordText, in UTF-8).
void DrawText(Surface &s, const FontKey &font, int64_t x, int64_t y, std::u32string_view text,
              int64_t width, COLORREF color, COLORREF background, bool opaque,
              const PixelRect &clip = kWholeSurface);

// Longest text accepted by TextOutA and GetTextExtentPoint32A.
constexpr int kMaxTextLength = 8192;

} // namespace gdi
} // namespace vqp
