// Text: the one font built into the layer (DejaVu Sans Bold, cut to printable
// ASCII at build time by font.cmake), rasterized with stb_truetype so that
// measuring and drawing agree on every machine.
//
// A font is that face at a height (CreateFontA); the default font is 16
// pixels a line, like the Windows default font. Glyphs stand on whole pixels and advance by whole
// pixels (kerning included), so a text's width is the sum of its advances and the same text is
// always drawn alike. Bytes are read as Windows-1252, the ANSI code page of the
// -A calls; the font holds its printable ASCII characters, so any other byte
// (a control byte, or a letter or sign above 0x7F) shows the font's
// missing-glyph box.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "gdi.h"
#include "stb_truetype_impl.h"

namespace vqp::gdi {

// The font file, embedded at build time (font.cmake).
extern const unsigned char kFontData[];

namespace {

// The glyphs kept: one for each printable ASCII byte, then the box.
constexpr int kFirstPrintable = 0x20, kLastPrintable = 0x7E;
constexpr int kBoxSlot = kLastPrintable - kFirstPrintable + 1;

// Heights whose glyphs are kept at once: the ones used last, so that a
// program that goes through many sizes holds only a few sets of glyphs.
constexpr size_t kSizesKept = 4;

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

// The font file, read once.
struct FontFile {
  stbtt_fontinfo info{};
  bool ok = false;
  int ascent = 0, descent = 0; // font units

  FontFile() {
    const int offset = stbtt_GetFontOffsetForIndex(kFontData, 0);
    ok = offset >= 0 && stbtt_InitFont(&info, kFontData, offset) != 0;
    if (ok) {
      int gap;
      stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    }
  }
};

const FontFile &File() {
  static const FontFile file;
  return file;
}

// The font at one height: a LOGFONT height, positive for the cell (a line,
// ascent and descent), negative for the characters (the em).
class Font {
public:
  explicit Font(int height) : height_(height) {
    const FontFile &file = File();
    if (!file.ok)
      return;
    scale_ = height > 0 ? stbtt_ScaleForPixelHeight(&file.info, float(height))
                        : stbtt_ScaleForMappingEmToPixels(&file.info, float(-height));
    lineHeight_ =
        height > 0 ? height : std::max(1, int(std::lround((file.ascent - file.descent) * scale_)));
    ascent_ = std::clamp(int(std::lround(file.ascent * scale_)), 0, lineHeight_);
    for (int slot = 0; slot < kBoxSlot; ++slot)
      Load(glyphs_[slot], stbtt_FindGlyphIndex(&file.info, kFirstPrintable + slot));
    Load(glyphs_[kBoxSlot], 0);
  }

  int Height() const { return height_; }
  bool Ok() const { return File().ok; }
  int LineHeight() const { return lineHeight_; }
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
        stbtt_MakeGlyphBitmap(&File().info, g.coverage.data(), g.width, g.height, g.width, scale_,
                              scale_, g.index);
    }
    return g.coverage.data();
  }

  // Whole-pixel advance from glyph a to the next glyph b (null: none).
  int Advance(const Glyph &a, const Glyph *b) const {
    int units = a.advance;
    if (b)
      units += stbtt_GetGlyphKernAdvance(&File().info, a.index, b->index);
    return int(std::lround(units * scale_));
  }

private:
  void Load(Glyph &g, int index) {
    const stbtt_fontinfo &info = File().info;
    g.index = index;
    int advance, bearing;
    stbtt_GetGlyphHMetrics(&info, g.index, &advance, &bearing);
    g.advance = advance;
    int x0, y0, x1, y1;
    stbtt_GetGlyphBitmapBox(&info, g.index, scale_, scale_, &x0, &y0, &x1, &y1);
    g.x0 = x0;
    g.y0 = y0;
    g.width = std::max(0, x1 - x0);
    g.height = std::max(0, y1 - y0);
  }

  int height_;
  float scale_ = 0;
  int lineHeight_ = 0;
  int ascent_ = 0;
  Glyph glyphs_[kBoxSlot + 1];
};

// The fonts kept, the one used last first.
std::vector<std::unique_ptr<Font>> &Kept() {
  static std::vector<std::unique_ptr<Font>> kept;
  return kept;
}

// The font at a height, made on first use; the ones used last are kept.
Font &FontAt(int height) {
  std::vector<std::unique_ptr<Font>> &kept = Kept();
  auto it = std::find_if(kept.begin(), kept.end(),
                         [&](const std::unique_ptr<Font> &f) { return f->Height() == height; });
  if (it == kept.end()) {
    if (kept.size() >= kSizesKept)
      kept.pop_back();
    kept.insert(kept.begin(), std::make_unique<Font>(height));
  } else if (it != kept.begin()) {
    std::rotate(kept.begin(), it, it + 1);
  }
  return *kept.front();
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

void ForgetFontHeight(int font) {
  std::erase_if(Kept(), [&](const std::unique_ptr<Font> &f) { return f->Height() == font; });
}

int TextHeight(int font) { return FontAt(font).LineHeight(); }
int TextAscent(int font) { return FontAt(font).Ascent(); }

int64_t TextWidth(int height, const char *text, int length) {
  const Font &font = FontAt(height);
  if (!font.Ok() || text == nullptr)
    return 0;
  int64_t width = 0;
  for (int i = 0; i < length; ++i)
    width += font.Advance(font.Of(text[i]), i + 1 < length ? &font.Of(text[i + 1]) : nullptr);
  return std::max<int64_t>(width, 0);
}

void DrawText(Surface &s, int height, int64_t x, int64_t y, const char *text, int length,
              COLORREF color, COLORREF background, bool opaque, const PixelRect &clip) {
  Font &font = FontAt(height);
  if (text == nullptr || length <= 0 || !font.Ok())
    return;
  const int64_t width = TextWidth(height, text, length);
  // The text's box, clipped to the surface and the clip; nothing is drawn outside it.
  const int64_t bx0 = std::max<int64_t>({x, 0, clip.left});
  const int64_t by0 = std::max<int64_t>({y, 0, clip.top});
  const int64_t bx1 = std::min<int64_t>({x + width, s.width, clip.right});
  const int64_t by1 = std::min<int64_t>({y + font.LineHeight(), s.height, clip.bottom});
  if (bx0 >= bx1 || by0 >= by1)
    return;
  const PixelRect box{int(bx0), int(by0), int(bx1), int(by1)};
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
  MarkDirty(s, box);
  RecordText(s, box, text, length);
}

} // namespace vqp::gdi
