// Text: the one font built into the layer (DejaVu Sans Bold), rasterized with
// stb_truetype so that measuring and drawing agree on every machine.
//
// The font is scaled so that a line is 16 pixels high, like the Windows default
// font. Glyphs stand on whole pixels and advance by whole pixels (kerning
// included), so a text's width is the sum of its advances and the same text is
// always drawn alike. Bytes are read as Windows-1252, the ANSI code page of the
// -A calls; a byte the font has no glyph for (or a control byte) shows the
// font's missing-glyph box.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "gdi.h"
#include "stb_truetype_impl.h"

namespace vqp::gdi {

// The font file, embedded at build time (font.cmake).
extern const unsigned char kFontData[];
extern const size_t kFontSize;

namespace {

constexpr int kLineHeight = 16;

// Unicode of the bytes 0x80..0x9F in Windows-1252; 0 where the code page has
// no character.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

struct Glyph {
  int index = 0;                             // glyph in the font
  int advance = 0;                           // unscaled
  int x0 = 0, y0 = 0, width = 0, height = 0; // bitmap placement from the pen on the baseline
  std::vector<uint8_t> coverage;
};

class Font {
public:
  Font() {
    const int offset = stbtt_GetFontOffsetForIndex(kFontData, 0);
    ok_ = offset >= 0 && stbtt_InitFont(&info_, kFontData, offset) != 0;
    if (!ok_)
      return;
    scale_ = stbtt_ScaleForPixelHeight(&info_, float(kLineHeight));
    int ascent, descent, gap;
    stbtt_GetFontVMetrics(&info_, &ascent, &descent, &gap);
    ascent_ = std::clamp(int(std::lround(ascent * scale_)), 0, kLineHeight);
    for (int byte = 0; byte < 256; ++byte)
      Load(byte);
  }

  bool Ok() const { return ok_; }
  int Ascent() const { return ascent_; }
  const Glyph &Of(char c) const { return glyphs_[uint8_t(c)]; }

  // Whole-pixel advance from glyph a to the next glyph b (b < 0: none).
  int Advance(const Glyph &a, const Glyph *b) const {
    int units = a.advance;
    if (b)
      units += stbtt_GetGlyphKernAdvance(&info_, a.index, b->index);
    return int(std::lround(units * scale_));
  }

private:
  void Load(int byte) {
    Glyph &g = glyphs_[byte];
    int codepoint = byte;
    if (byte < 0x20 || byte == 0x7F)
      codepoint = 0;
    else if (byte >= 0x80 && byte < 0xA0)
      codepoint = kCp1252High[byte - 0x80];
    g.index = codepoint ? stbtt_FindGlyphIndex(&info_, codepoint) : 0;
    int advance, bearing;
    stbtt_GetGlyphHMetrics(&info_, g.index, &advance, &bearing);
    g.advance = advance;
    int x0, y0, x1, y1;
    stbtt_GetGlyphBitmapBox(&info_, g.index, scale_, scale_, &x0, &y0, &x1, &y1);
    g.x0 = x0;
    g.y0 = y0;
    g.width = std::max(0, x1 - x0);
    g.height = std::max(0, y1 - y0);
    g.coverage.assign(size_t(g.width) * size_t(g.height), 0);
    if (!g.coverage.empty())
      stbtt_MakeGlyphBitmap(&info_, g.coverage.data(), g.width, g.height, g.width, scale_, scale_,
                            g.index);
  }

  stbtt_fontinfo info_{};
  bool ok_ = false;
  float scale_ = 0;
  int ascent_ = kLineHeight;
  Glyph glyphs_[256];
};

const Font &TheFont() {
  static const Font font;
  return font;
}

uint32_t Blend(uint32_t under, uint32_t over, unsigned alpha) {
  if (alpha == 0)
    return under;
  if (alpha == 255)
    return over;
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const unsigned u = (under >> shift) & 0xFF, o = (over >> shift) & 0xFF;
    out |= uint32_t((u * (255 - alpha) + o * alpha + 127) / 255) << shift;
  }
  return out;
}

} // namespace

int TextHeight() { return kLineHeight; }
int TextAscent() { return TheFont().Ascent(); }

int64_t TextWidth(const char *text, int length) {
  const Font &font = TheFont();
  if (!font.Ok() || text == nullptr)
    return 0;
  int64_t width = 0;
  for (int i = 0; i < length; ++i)
    width += font.Advance(font.Of(text[i]), i + 1 < length ? &font.Of(text[i + 1]) : nullptr);
  return std::max<int64_t>(width, 0);
}

void DrawText(Surface &s, int64_t x, int64_t y, const char *text, int length, COLORREF color,
              COLORREF background, bool opaque) {
  const Font &font = TheFont();
  if (text == nullptr || length <= 0 || !font.Ok())
    return;
  const int64_t width = TextWidth(text, length);
  // The text's box, clipped to the surface; nothing is drawn outside it.
  const int64_t bx0 = std::max<int64_t>(x, 0), by0 = std::max<int64_t>(y, 0);
  const int64_t bx1 = std::min<int64_t>(x + width, s.width);
  const int64_t by1 = std::min<int64_t>(y + kLineHeight, s.height);
  if (bx0 >= bx1 || by0 >= by1)
    return;
  if (opaque)
    FillBox(s, bx0, by0, bx1, by1, background);
  const uint32_t ink = color & 0x00FFFFFFu;
  const int64_t baseline = y + font.Ascent();
  int64_t pen = x;
  for (int i = 0; i < length && pen < bx1; ++i) {
    const Glyph &g = font.Of(text[i]);
    const int advance = font.Advance(g, i + 1 < length ? &font.Of(text[i + 1]) : nullptr);
    const int64_t gx = pen + g.x0, gy = baseline + g.y0;
    const int64_t cx0 = std::max(gx, bx0), cx1 = std::min(gx + g.width, bx1);
    const int64_t cy0 = std::max(gy, by0), cy1 = std::min(gy + g.height, by1);
    for (int64_t py = cy0; py < cy1; ++py) {
      const uint8_t *row = g.coverage.data() + size_t(py - gy) * size_t(g.width);
      uint32_t *dst = s.pixels.data() + size_t(py) * size_t(s.width);
      for (int64_t px = cx0; px < cx1; ++px)
        dst[px] = Blend(dst[px], ink, row[px - gx]);
    }
    pen += advance;
  }
  MarkDirty(s, PixelRect{int(bx0), int(by0), int(bx1), int(by1)});
}

} // namespace vqp::gdi
