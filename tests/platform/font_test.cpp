// The built-in fonts against the fonts they are cut from (VQ_FONT_SOURCE,
// DejaVu Sans Bold; VQ_CJK_SOURCE, Noto Sans CJK Bold): every character a
// catalogue shows, the missing-glyph box and every kerning pair between them
// come out of stb_truetype exactly as from the whole font, so the cut changes
// no pixel of any text.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/portable/backends/desktop_shared.h"
#include "platform/portable/gdi/stb_truetype_impl.h"

namespace vqp::gdi {
extern const unsigned char kFontData[];
}

namespace {

constexpr float kLineHeight = 16;

struct Drawn {
  int advance = 0, bearing = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::vector<unsigned char> coverage;
  bool operator==(const Drawn &) const = default;
};

class Face {
public:
  explicit Face(const unsigned char *data, int number = 0) {
    const int offset = stbtt_GetFontOffsetForIndex(data, number);
    ok_ = offset >= 0 && stbtt_InitFont(&info_, data, offset) != 0;
    scale_ = stbtt_ScaleForPixelHeight(&info_, kLineHeight);
  }
  bool Ok() const { return ok_; }
  // The glyph of a character, or the missing-glyph box for -1.
  int Glyph(int codepoint) const {
    return codepoint < 0 ? 0 : stbtt_FindGlyphIndex(&info_, codepoint);
  }
  Drawn Draw(int codepoint) const {
    Drawn d;
    const int glyph = Glyph(codepoint);
    stbtt_GetGlyphHMetrics(&info_, glyph, &d.advance, &d.bearing);
    stbtt_GetGlyphBitmapBox(&info_, glyph, scale_, scale_, &d.x0, &d.y0, &d.x1, &d.y1);
    if (d.x1 > d.x0 && d.y1 > d.y0) {
      d.coverage.resize(size_t(d.x1 - d.x0) * size_t(d.y1 - d.y0));
      stbtt_MakeGlyphBitmap(&info_, d.coverage.data(), d.x1 - d.x0, d.y1 - d.y0, d.x1 - d.x0,
                            scale_, scale_, glyph);
    }
    return d;
  }
  int Kern(int first, int second) const {
    return stbtt_GetGlyphKernAdvance(&info_, Glyph(first), Glyph(second));
  }
  std::vector<int> LineMetrics() const {
    int ascent, descent, gap;
    stbtt_GetFontVMetrics(&info_, &ascent, &descent, &gap);
    return {ascent, descent, gap};
  }

private:
  stbtt_fontinfo info_{};
  bool ok_ = false;
  float scale_ = 0;
};

std::vector<unsigned char> ReadAll(const char *path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// The code points of a UTF-8 file's text.
std::vector<int> CodePointsOf(const char *path) {
  const std::vector<unsigned char> utf8 = ReadAll(path);
  std::vector<int> points;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char b = utf8[i];
    const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    int c = length == 1 ? b : b & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k)
      c = (c << 6) | (utf8[i + k] & 0x3F);
    if (c != '\n')
      points.push_back(c);
    i += length;
  }
  return points;
}

// Every character (but the missing-glyph box, -1) has a glyph in the cut, and
// each one and every pair of them is drawn and kerned by the cut exactly as
// by the whole font. Returns the number of pairs with a kern.
int ExpectDrawnAsTheWhole(const Face &cut, const Face &source, const std::vector<int> &characters) {
  int kernedPairs = 0;
  for (const int first : characters) {
    if (first >= 0) {
      EXPECT_NE(cut.Glyph(first), 0) << "no glyph for U+" << std::hex << first;
    }
    EXPECT_TRUE(cut.Draw(first) == source.Draw(first)) << "U+" << std::hex << first;
    for (const int second : characters) {
      const int kern = cut.Kern(first, second);
      EXPECT_EQ(kern, source.Kern(first, second)) << "pair " << first << ", " << second;
      kernedPairs += kern != 0;
    }
  }
  return kernedPairs;
}

// The cut keeps printable ASCII and the characters of the Latin, Greek and
// Cyrillic catalogues, each drawn as the whole font draws it, and nothing else.
TEST(BuiltInFont, DrawsItsCharactersExactlyAsTheWholeFont) {
  const std::vector<unsigned char> whole = ReadAll(VQ_FONT_SOURCE);
  ASSERT_FALSE(whole.empty()) << VQ_FONT_SOURCE;
  const Face source(whole.data()), cut(vqp::gdi::kFontData);
  ASSERT_TRUE(source.Ok());
  ASSERT_TRUE(cut.Ok());
  EXPECT_EQ(cut.LineMetrics(), source.LineMetrics());

  std::vector<int> characters{-1};
  for (int c = 0x20; c <= 0x7E; ++c)
    characters.push_back(c);
  for (const int c : CodePointsOf(VQ_FONT_TEXT))
    if (c > 0x7E)
      characters.push_back(c);
  EXPECT_GT(characters.size(), 96u + 100) << "letters of the other languages kept";
  // Such as "AV", "Te", "y.": the cut keeps the kerning stb_truetype reads.
  EXPECT_GT(ExpectDrawnAsTheWhole(cut, source, characters), 100);
  EXPECT_EQ(cut.Glyph(0x2603), 0) << "a snowman, which no catalogue has, is not kept";
}

// Each CJK face, cut to its catalogue's characters, has a glyph for every one
// of them, drawn and spaced as the language's face of the whole collection
// draws it, and keeps no character its catalogue lacks.
TEST(BuiltInFont, EachCjkFaceDrawsItsCatalogueExactlyAsTheWholeFace) {
  const std::vector<unsigned char> whole = ReadAll(VQ_CJK_SOURCE);
  ASSERT_FALSE(whole.empty()) << VQ_CJK_SOURCE;
  struct Row {
    const char *language, *text;
    int number;  // the face in the collection
    int missing; // a character no catalogue of the language shows
  };
  // The built-in faces come in the order SC, JP, KR (desktop_shared.h).
  const Row rows[] = {{"zh_CN", VQ_CJK_TEXT_DIR "/zh_CN.txt", 2, 0x9F98},
                      {"ja", VQ_CJK_TEXT_DIR "/ja.txt", 0, 0x9F98},
                      {"ko", VQ_CJK_TEXT_DIR "/ko.txt", 1, 0xD7A3}};
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Row &row = rows[i];
    SCOPED_TRACE(row.language);
    const Face source(whole.data(), row.number), cut(vqp::gdi::kCjkFonts[i].data);
    ASSERT_TRUE(source.Ok());
    ASSERT_TRUE(cut.Ok());
    const std::vector<int> characters = CodePointsOf(row.text);
    EXPECT_GT(characters.size(), 40u) << "the catalogue's characters";
    EXPECT_GT(
        std::count_if(characters.begin(), characters.end(), [](int c) { return c >= 0x2E80; }), 20)
        << "ideographs, kana or hangul among them";
    ExpectDrawnAsTheWhole(cut, source, characters);
    EXPECT_NE(source.Glyph(row.missing), 0);
    EXPECT_EQ(cut.Glyph(row.missing), 0) << "U+" << std::hex << row.missing << " is not kept";
  }
}

} // namespace
