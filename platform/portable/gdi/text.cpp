// Text: the faces built into the layer, rasterized with stb_truetype so that
// measuring and drawing agree on every machine. Face 0 is the program's own
// font (DejaVu Sans Bold, cut at build time to the characters the program
// draws), which every face name not known otherwise gives; the others are the
// Noto Sans CJK faces, whose bytes the backend holds (built in, or fetched
// when first asked for: until then such a face measures and draws nothing).
//
// A font is a face at a height (CreateFontA); the default font is 16 pixels a
// line, like the Windows default font. Glyphs are found by code point, stand
// on whole pixels and advance by whole pixels (kerning included), so a text's
// width is the sum of its advances and the same text is always drawn alike. A
// character the face lacks shows its missing-glyph box.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "../backend.h"
#include "gdi.h"
#include "stb_truetype_impl.h"

namespace vqp::gdi {

// The program's font, embedded at build time (font.cmake).
extern const unsigned char kFontData[];

namespace {

// Heights whose glyphs are kept at once: the ones used last, so that a
// program that goes through many sizes holds only a few sets of glyphs.
constexpr size_t kSizesKept = 4;

constexpr const char *kFaceNames[kFaceCount] = {"DejaVu Sans", "Noto Sans CJK SC",
                                                "Noto Sans CJK JP", "Noto Sans CJK KR"};

struct Glyph {
  int index = 0;                             // glyph in the font
  int advance = 0;                           // unscaled
  int x0 = 0, y0 = 0, width = 0, height = 0; // bitmap placement from the pen on the baseline
  bool rasterized = false;
  std::vector<uint8_t> coverage; // width x height, once rasterized
};

// A face's file, read once its bytes are there.
struct FaceFile {
  stbtt_fontinfo info{};
  bool ok = false;
  int ascent = 0, descent = 0; // font units

  explicit FaceFile(const unsigned char *data) {
    const int offset = data ? stbtt_GetFontOffsetForIndex(data, 0) : -1;
    ok = offset >= 0 && stbtt_InitFont(&info, data, offset) != 0;
    if (ok) {
      int gap;
      stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    }
  }
};

// The faces read so far; one not yet there is asked of the backend again.
const FaceFile *FaceFileOf(int face) {
  static std::unique_ptr<FaceFile> files[kFaceCount];
  if (face < 0 || face >= kFaceCount)
    face = 0;
  if (!files[face]) {
    const unsigned char *data = face == 0 ? kFontData : nullptr;
    size_t size = 0;
    if (face != 0 && !BackendFontBytes(face, &data, &size))
      return nullptr;
    files[face] = std::make_unique<FaceFile>(data);
  }
  return files[face]->ok ? files[face].get() : nullptr;
}

// A face at one height: a LOGFONT height, positive for the cell (a line,
// ascent and descent), negative for the characters (the em). Glyphs are
// looked up when first used and rasterized when first drawn, so that
// start-up pays only for the first picture's texts.
class Font {
public:
  Font(int face, int height) : face_(face), height_(height), file_(FaceFileOf(face)) {
    if (!file_)
      return;
    scale_ = height > 0 ? stbtt_ScaleForPixelHeight(&file_->info, float(height))
                        : stbtt_ScaleForMappingEmToPixels(&file_->info, float(-height));
    lineHeight_ = height > 0
                      ? height
                      : std::max(1, int(std::lround((file_->ascent - file_->descent) * scale_)));
    ascent_ = std::clamp(int(std::lround(file_->ascent * scale_)), 0, lineHeight_);
  }

  int Face() const { return face_; }
  int Height() const { return height_; }
  bool Ok() const { return file_ != nullptr; }
  int LineHeight() const { return file_ ? lineHeight_ : std::max(height_, 1); }
  int Ascent() const { return ascent_; }

  Glyph &Of(char32_t c) {
    auto it = glyphs_.find(c);
    if (it == glyphs_.end()) {
      Glyph g;
      Load(g, stbtt_FindGlyphIndex(&file_->info, int(c)));
      it = glyphs_.emplace(c, std::move(g)).first;
    }
    return it->second;
  }

  const uint8_t *Coverage(Glyph &g) {
    if (!g.rasterized) {
      g.rasterized = true;
      g.coverage.assign(size_t(g.width) * size_t(g.height), 0);
      if (!g.coverage.empty())
        stbtt_MakeGlyphBitmap(&file_->info, g.coverage.data(), g.width, g.height, g.width, scale_,
                              scale_, g.index);
    }
    return g.coverage.data();
  }

  // Whole-pixel advance from glyph a to the next glyph b (null: none).
  int Advance(const Glyph &a, const Glyph *b) const {
    int units = a.advance;
    if (b)
      units += stbtt_GetGlyphKernAdvance(&file_->info, a.index, b->index);
    return int(std::lround(units * scale_));
  }

private:
  void Load(Glyph &g, int index) {
    g.index = index;
    int advance, bearing;
    stbtt_GetGlyphHMetrics(&file_->info, g.index, &advance, &bearing);
    g.advance = advance;
    int x0, y0, x1, y1;
    stbtt_GetGlyphBitmapBox(&file_->info, g.index, scale_, scale_, &x0, &y0, &x1, &y1);
    g.x0 = x0;
    g.y0 = y0;
    g.width = std::max(0, x1 - x0);
    g.height = std::max(0, y1 - y0);
  }

  int face_;
  int height_;
  const FaceFile *file_;
  float scale_ = 0;
  int lineHeight_ = 0;
  int ascent_ = 0;
  std::map<char32_t, Glyph> glyphs_;
};

// The fonts kept, the one used last first.
std::vector<std::unique_ptr<Font>> &Kept() {
  static std::vector<std::unique_ptr<Font>> kept;
  return kept;
}

// The font of a face at a height, made on first use; the ones used last are kept.
Font &FontAt(const FontKey &key) {
  std::vector<std::unique_ptr<Font>> &kept = Kept();
  auto it = std::find_if(kept.begin(), kept.end(), [&](const std::unique_ptr<Font> &f) {
    return f->Face() == key.face && f->Height() == key.height;
  });
  if (it == kept.end()) {
    if (kept.size() >= kSizesKept)
      kept.pop_back();
    kept.insert(kept.begin(), std::make_unique<Font>(key.face, key.height));
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

std::u32string FromWide(const WCHAR *text, int length) {
  std::u32string out;
  out.reserve(size_t(length));
  for (int i = 0; i < length; ++i) {
    const char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < length && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      out += 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

int FaceOf(const char *name) {
  for (int face = 1; face < kFaceCount; ++face)
    if (name && std::strcmp(name, kFaceNames[face]) == 0)
      return face;
  return 0;
}

void ForgetFont(const FontKey &key) {
  std::erase_if(Kept(), [&](const std::unique_ptr<Font> &f) {
    return f->Face() == key.face && f->Height() == key.height;
  });
}

void ForgetFace(int face) {
  std::erase_if(Kept(), [&](const std::unique_ptr<Font> &f) { return f->Face() == face; });
}

int TextHeight(const FontKey &key) { return FontAt(key).LineHeight(); }
int TextAscent(const FontKey &key) { return FontAt(key).Ascent(); }

int GlyphIndex(const FontKey &key, char32_t c) {
  Font &font = FontAt(key);
  return font.Ok() ? font.Of(c).index : 0;
}

int64_t TextWidth(const FontKey &key, std::u32string_view text) {
  Font &font = FontAt(key);
  if (!font.Ok())
    return 0;
  int64_t width = 0;
  for (size_t i = 0; i < text.size(); ++i)
    width += font.Advance(font.Of(text[i]), i + 1 < text.size() ? &font.Of(text[i + 1]) : nullptr);
  return std::max<int64_t>(width, 0);
}

void DrawText(Surface &s, const FontKey &key, int64_t x, int64_t y, std::u32string_view text,
              int64_t width, COLORREF color, COLORREF background, bool opaque,
              const PixelRect &clip) {
  Font &font = FontAt(key);
  if (text.empty() || !font.Ok())
    return;
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
  for (size_t i = 0; i < text.size() && pen < bx1; ++i) {
    Glyph &g = font.Of(text[i]);
    const int advance = font.Advance(g, i + 1 < text.size() ? &font.Of(text[i + 1]) : nullptr);
    const int64_t gx = pen + g.x0, gy = baseline + g.y0;
    const int64_t cx0 = std::max(gx, bx0), cx1 = std::min(gx + g.width, bx1);
    const int64_t cy0 = std::max(gy, by0), cy1 = std::min(gy + g.height, by1);
    if (cx0 < cx1 && cy0 < cy1) {
      const uint8_t *coverage = font.Coverage(g);
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
  const std::string said = Utf8(text);
  RecordText(s, box, said.data(), int(said.size()));
}

} // namespace vqp::gdi
