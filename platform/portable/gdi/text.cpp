// Text: the one font built into the layer (DejaVu Sans Bold, cut to printable
// ASCII at build time by font.cmake), rasterized with stb_truetype so that
// measuring and drawing agree on every machine.
//
// The font is scaled so that a line is 16 pixels high, like the Windows default
// font. Glyphs stand on whole pixels and advance by whole pixels (kerning
// included), so a text's width is the sum of its advances and the same text is
// always drawn alike. Bytes are read as Windows-1252, the ANSI code page of the
// -A calls; the font holds its printable ASCII characters, so any other byte
// (a control byte, or a letter or sign above 0x7F) shows the font's
// missing-glyph box.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "gdi.h"
#include "stb_truetype_impl.h"

namespace vqp::gdi {

// The font file, embedded at build time (font.cmake).
extern const unsigned char kFontData[];

namespace {

constexpr int kLineHeight = 16;

// The glyphs kept: one for each printable ASCII byte, then the box.
constexpr int kFirstPrintable = 0x20, kLastPrintable = 0x7E;
constexpr int kBoxSlot = kLastPrintable - kFirstPrintable + 1;

int SlotOf(char c) {
  const int byte = uint8_t(c);
  return byte >= kFirstPrintable && byte <= kLastPrintable ? byte - kFirstPrintable : kBoxSlot;
}

struct Glyph {
  int index = 0;                             // glyph in the font
  int advance = 0;                           // unscaled
  int x0 = 0, y0 = 0, width = 0, height = 0; // bitmap placement from the pen on the baseline
  bool rasterized = false;
  std::vector<uint8_t> coverage; // width x height, once rasterized
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
    for (int slot = 0; slot < kBoxSlot; ++slot)
      Load(glyphs_[slot], stbtt_FindGlyphIndex(&info_, kFirstPrintable + slot));
    Load(glyphs_[kBoxSlot], 0);
  }

  bool Ok() const { return ok_; }
  int Ascent() const { return ascent_; }
  const Glyph &Of(char c) const { return glyphs_[SlotOf(c)]; }

  // The glyph's coverage, rasterized when it is first drawn, so that start-up
  // pays only for the glyphs of the first picture's texts.
  const uint8_t *Coverage(char c) {
    Glyph &g = glyphs_[SlotOf(c)];
    if (!g.rasterized) {
      g.rasterized = true;
      g.coverage.assign(size_t(g.width) * size_t(g.height), 0);
      if (!g.coverage.empty())
        stbtt_MakeGlyphBitmap(&info_, g.coverage.data(), g.width, g.height, g.width, scale_, scale_,
                              g.index);
    }
    return g.coverage.data();
  }

  // Whole-pixel advance from glyph a to the next glyph b (null: none).
  int Advance(const Glyph &a, const Glyph *b) const {
    int units = a.advance;
    if (b)
      units += stbtt_GetGlyphKernAdvance(&info_, a.index, b->index);
    return int(std::lround(units * scale_));
  }

private:
  void Load(Glyph &g, int index) {
    g.index = index;
    int advance, bearing;
    stbtt_GetGlyphHMetrics(&info_, g.index, &advance, &bearing);
    g.advance = advance;
    int x0, y0, x1, y1;
    stbtt_GetGlyphBitmapBox(&info_, g.index, scale_, scale_, &x0, &y0, &x1, &y1);
    g.x0 = x0;
    g.y0 = y0;
    g.width = std::max(0, x1 - x0);
    g.height = std::max(0, y1 - y0);
  }

  stbtt_fontinfo info_{};
  bool ok_ = false;
  float scale_ = 0;
  int ascent_ = kLineHeight;
  Glyph glyphs_[kBoxSlot + 1];
};

Font &TheFont() {
  static Font font;
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
  Font &font = TheFont();
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
    if (cx0 < cx1 && cy0 < cy1) {
      const uint8_t *coverage = font.Coverage(text[i]);
      for (int64_t py = cy0; py < cy1; ++py) {
        const uint8_t *row = coverage + size_t(py - gy) * size_t(g.width);
        uint32_t *dst = s.pixels.data() + size_t(py) * size_t(s.width);
        for (int64_t px = cx0; px < cx1; ++px)
          dst[px] = Blend(dst[px], ink, row[px - gx]);
      }
    }
    pen += advance;
  }
  MarkDirty(s, PixelRect{int(bx0), int(by0), int(bx1), int(by1)});
}

} // namespace vqp::gdi
