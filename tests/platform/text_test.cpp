// Text on the portable layer: measuring, the box TextOutA paints for each
// alignment, opaque and transparent backgrounds, odd bytes and bad arguments,
// and the texts a surface keeps for screen readers.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/portable/layer.h"
#include "raster_canvas.h"
#include "tests/platform/window_fixture.h"

using rastertest::Canvas;
using rastertest::Tools;

namespace {

constexpr uint32_t kUnder = 0x00336699, kInk = 0x0000FFFF, kBack = 0x00000000;

SIZE Extent(HDC dc, const char *text, int length = -1) {
  SIZE s{-1, -1};
  EXPECT_TRUE(GetTextExtentPoint32A(dc, text, length < 0 ? int(std::strlen(text)) : length, &s));
  return s;
}

// The bounding box of the pixels that are no longer kUnder.
vqp::PixelRect Changed(const Canvas &c) {
  vqp::PixelRect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = 0; y < c.surface.height; ++y)
    for (int x = 0; x < c.surface.width; ++x)
      if (c.At(x, y) != kUnder) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  return r;
}

TEST(Text, ExtentIsSixteenHighAndAddsUpOverTheText) {
  Canvas c(10, 10);
  const std::string caption = "POSITIVE FREQUENCY - counter-clockwise rotation";
  const SIZE whole = Extent(c.dc, caption.c_str());
  EXPECT_EQ(whole.cy, 16);
  EXPECT_GT(whole.cx, 300);
  EXPECT_LT(whole.cx, 500);
  EXPECT_EQ(Extent(c.dc, "").cx, 0);
  EXPECT_EQ(Extent(c.dc, "").cy, 16);
  // Only the given length counts, not the terminator.
  EXPECT_EQ(Extent(c.dc, caption.c_str(), 8).cx, Extent(c.dc, "POSITIVE").cx);
  EXPECT_GT(Extent(c.dc, "WW").cx, Extent(c.dc, "W").cx);
  EXPECT_EQ(Extent(c.dc, "ab  ").cx - Extent(c.dc, "ab ").cx,
            Extent(c.dc, "  ").cx - Extent(c.dc, " ").cx);
}

TEST(Text, BadArgumentsFailWithoutTouchingAnything) {
  Canvas c(100, 40, kUnder);
  SIZE s{7, 7};
  EXPECT_FALSE(GetTextExtentPoint32A(c.dc, "abc", -1, &s));
  EXPECT_FALSE(GetTextExtentPoint32A(c.dc, nullptr, 3, &s));
  EXPECT_FALSE(GetTextExtentPoint32A(c.dc, "abc", 3, nullptr));
  EXPECT_EQ(s.cx, 7);
  EXPECT_FALSE(TextOutA(c.dc, 0, 0, "abc", -1));
  EXPECT_FALSE(TextOutA(c.dc, 0, 0, nullptr, 3));
  const std::string longest(vqp::gdi::kMaxTextLength, 'x');
  EXPECT_TRUE(GetTextExtentPoint32A(c.dc, longest.c_str(), int(longest.size()), &s));
  EXPECT_TRUE(TextOutA(c.dc, 0, 0, longest.c_str(), int(longest.size())));
  c.Fill(kUnder);
  const std::string tooLong(longest + "x");
  EXPECT_FALSE(GetTextExtentPoint32A(c.dc, tooLong.c_str(), int(tooLong.size()), &s));
  EXPECT_FALSE(TextOutA(c.dc, 0, 0, tooLong.c_str(), int(tooLong.size())));
  EXPECT_TRUE(TextOutA(c.dc, 10, 10, "abc", 0));
  EXPECT_EQ(c.Count(kUnder), 100 * 40);
}

// Where the box lands for each alignment: the whole box, and nothing else, is
// painted in the background colour or blended towards the text colour.
TEST(Text, OpaqueBoxLandsWhereTheAlignmentSays) {
  Canvas c(400, 100, kUnder);
  SetTextColor(c.dc, kInk);
  SetBkColor(c.dc, kBack);
  const char *text = "Left click to continue ";
  const SIZE ext = Extent(c.dc, text);
  const int asc = vqp::gdi::TextAscent({0, 16});
  struct Case {
    UINT align;
    int left, top; // expected box corner for the point (200, 50)
  };
  for (const Case &k : {Case{TA_LEFT | TA_TOP, 200, 50}, Case{TA_LEFT | TA_BOTTOM, 200, 34},
                        Case{TA_RIGHT | TA_TOP, 200 - ext.cx, 50},
                        Case{TA_CENTER | TA_BOTTOM, 200 - ext.cx / 2, 34},
                        Case{TA_RIGHT | TA_BASELINE, 200 - ext.cx, 50 - asc}}) {
    c.Fill(kUnder);
    SetTextAlign(c.dc, k.align);
    ASSERT_TRUE(TextOutA(c.dc, 200, 50, text, int(std::strlen(text))));
    const vqp::PixelRect box = Changed(c);
    EXPECT_EQ(box.left, k.left) << k.align;
    EXPECT_EQ(box.top, k.top) << k.align;
    EXPECT_EQ(box.right - box.left, ext.cx) << k.align;
    EXPECT_EQ(box.bottom - box.top, 16) << k.align;
    int ink = 0, back = 0;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x) {
        const uint32_t p = c.At(x, y);
        ASSERT_NE(p, kUnder) << "opaque box has a hole at " << x << "," << y;
        ASSERT_EQ(p & 0x00FF0000, 0u) << "not between black and yellow";
        ASSERT_EQ(p & 0xFF, (p >> 8) & 0xFF);
        ink += p == kInk;
        back += p == kBack;
      }
    EXPECT_GT(ink, 100) << "bold strokes are solid ink";
    EXPECT_GT(back, ext.cx * 8);
    EXPECT_TRUE(c.surface.dirty.left <= box.left && c.surface.dirty.right >= box.right);
  }
}

// The program's caption: a 16-high box whose bottom-left corner is the point
// given, rows 12 to 27 for the point (350, 28); drawn plainly in exclusive-or
// mode too.
TEST(Text, IgnoresTheMixModeAndPaintsTheProgramsCaptionBox) {
  Canvas copied(1002, 583, kUnder), xorred(1002, 583, kUnder);
  for (Canvas *c : {&copied, &xorred}) {
    SetTextAlign(c->dc, TA_LEFT | TA_BOTTOM);
    SetBkColor(c->dc, 0);
    SetTextColor(c->dc, RGB(255, 255, 255));
  }
  SetROP2(xorred.dc, R2_XORPEN);
  const char *caption = "NEGATIVE FREQUENCY - clockwise rotation";
  TextOutA(copied.dc, 350, 28, caption, int(std::strlen(caption)));
  TextOutA(xorred.dc, 350, 28, caption, int(std::strlen(caption)));
  EXPECT_EQ(copied.Pixels(), xorred.Pixels());
  const vqp::PixelRect box = Changed(copied);
  EXPECT_EQ(box.top, 12);
  EXPECT_EQ(box.bottom, 28);
  EXPECT_EQ(box.left, 350);
}

TEST(Text, TransparentModeLeavesTheBackgroundBetweenGlyphs) {
  Canvas c(200, 40, kUnder);
  SetBkMode(c.dc, TRANSPARENT);
  SetTextColor(c.dc, kInk);
  TextOutA(c.dc, 10, 10, "I I", 3);
  const vqp::PixelRect box = Changed(c);
  EXPECT_GT(c.Count(kInk), 10);
  EXPECT_EQ(c.At(box.left + (box.right - box.left) / 2, 18), kUnder) << "the gap stays";
  EXPECT_EQ(c.Count(kBack), 0);
}

// A character the font lacks shows one and the same visible missing-glyph
// box: control bytes and the code page's five unassigned bytes through
// TextOutA, and a sign no catalogue uses through TextOutW; letters of the
// code page the font keeps (e acute, for the languages that write it) have
// glyphs of their own.
TEST(Text, CharactersTheFontLacksShowTheMissingGlyphBox) {
  // One character in ink on kUnder: through TextOutW, or TextOutA when `wide` is null.
  auto draw = [](Canvas &c, const char16_t *wide, char narrow = 0) {
    c.Fill(kUnder);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, kInk);
    EXPECT_TRUE(wide ? TextOutW(c.dc, 2, 2, wide, 1) : TextOutA(c.dc, 2, 2, &narrow, 1));
  };
  Canvas box(24, 20), other(24, 20);
  draw(box, u"\x01");
  EXPECT_LT(box.Count(kUnder), 24 * 20 - 20) << "the box is drawn";
  const char boxBetween[] = {'a', '\x01', 'b'};
  for (const int byte : {0x00, 0x02, 0x1F, 0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    draw(other, nullptr, char(byte));
    ASSERT_EQ(other.Pixels(), box.Pixels()) << "byte " << byte;
    const char between[] = {'a', char(byte), 'b'};
    ASSERT_EQ(Extent(other.dc, between, 3).cx, Extent(box.dc, boxBetween, 3).cx) << "byte " << byte;
  }
  draw(other, u"\u2603");
  EXPECT_EQ(other.Pixels(), box.Pixels()) << "a snowman";
  for (const char16_t *letter : {u"e", u"E", u"?", u"~", u"\u00e9"}) {
    draw(other, letter);
    EXPECT_NE(other.Pixels(), box.Pixels()) << int(letter[0]) << " has a glyph of its own";
  }
  // The -A calls read Windows-1252: its e acute is the same letter.
  draw(box, nullptr, char(0xE9));
  draw(other, u"\u00e9");
  EXPECT_EQ(other.Pixels(), box.Pixels()) << "e acute through TextOutA";
}

// Text partly or wholly off the surface is clipped.
TEST(Text, AnyBytesAndAnyPositionAreSafe) {
  Canvas c(120, 40, kUnder);
  std::string all;
  for (int b = 1; b < 256; ++b)
    all += char(b);
  EXPECT_GT(Extent(c.dc, all.c_str()).cx, 255 * 3);
  const char zero[] = {'a', '\0', 'b'};
  EXPECT_GT(Extent(c.dc, zero, 3).cx, Extent(c.dc, "ab").cx);
  for (const POINT p : {POINT{-50, -5}, POINT{100, 30}, POINT{INT_MIN, INT_MIN}, POINT{INT_MAX, 0},
                        POINT{INT_MAX, INT_MAX}, POINT{-1000000, 10}}) {
    EXPECT_TRUE(TextOutA(c.dc, p.x, p.y, all.c_str(), int(all.size())));
  }
  SetTextAlign(c.dc, TA_RIGHT | TA_BOTTOM);
  EXPECT_TRUE(TextOutA(c.dc, INT_MIN, INT_MIN, all.c_str(), int(all.size())));
  EXPECT_LT(c.Count(kUnder), 120 * 40) << "the visible parts were drawn";
}

TEST(Text, UpdateCurrentPositionMovesPastTheText) {
  Canvas c(300, 40);
  SetTextAlign(c.dc, TA_UPDATECP);
  MoveToEx(c.dc, 20, 5, nullptr);
  TextOutA(c.dc, 999, 999, "abc", 3); // the position is used, not the arguments
  POINT p;
  GetCurrentPositionEx(c.dc, &p);
  EXPECT_EQ(p.x, 20 + Extent(c.dc, "abc").cx);
  EXPECT_EQ(p.y, 5);
  EXPECT_NE(c.At(20, 10), kUnder);
}

// The texts standing on a surface, as "text@left,top" in drawing order.
std::vector<std::string> Standing(const vqp::Surface &s) {
  std::vector<std::string> out;
  for (const vqp::SurfaceText &t : s.texts)
    out.push_back(t.bytes + "@" + std::to_string(t.box.left) + "," + std::to_string(t.box.top));
  return out;
}

using Texts = std::vector<std::string>;

// What a screen reader is told stands on the window: each text from TextOutA,
// once, until one opaque box covers all of it; exclusive-or and partial
// covers leave it; the version moves on with every change and only then.
TEST(SurfaceTexts, StayUntilAnOpaqueBoxCoversThemWhole) {
  Canvas c(400, 100);
  TextOutA(c.dc, 10, 10, "one", 3);
  TextOutA(c.dc, 10, 50, "two", 3);
  EXPECT_EQ(Standing(c.surface), (Texts{"one@10,10", "two@10,50"}));
  const SIZE one = Extent(c.dc, "one");
  EXPECT_EQ(c.surface.texts[0].box.right - c.surface.texts[0].box.left, one.cx);
  EXPECT_EQ(c.surface.texts[0].box.bottom - c.surface.texts[0].box.top, one.cy);

  // Drawn again in its place, opaque or not, it is still one text.
  TextOutA(c.dc, 10, 10, "one", 3);
  SetBkMode(c.dc, TRANSPARENT);
  TextOutA(c.dc, 10, 10, "one", 3);
  EXPECT_EQ(Standing(c.surface), (Texts{"two@10,50", "one@10,10"}));
  // A transparent text over another hides nothing; an opaque one covering it does.
  TextOutA(c.dc, 5, 50, "longer", 6);
  EXPECT_EQ(c.surface.texts.size(), 3u);
  SetBkMode(c.dc, OPAQUE);
  TextOutA(c.dc, 5, 50, "longer", 6);
  EXPECT_EQ(Standing(c.surface), (Texts{"one@10,10", "longer@5,50"}));

  const uint64_t version = c.surface.textsVersion;
  HBRUSH black = CreateSolidBrush(0);
  const RECT half{0, 0, 10 + one.cx / 2, 100};
  FillRect(c.dc, &half, black);
  {
    Tools tools(c.dc, 1, RGB(255, 0, 0), RGB(0, 0, 255));
    SetROP2(c.dc, R2_XORPEN);
    Rectangle(c.dc, 0, 0, 400, 100);
    SetROP2(c.dc, R2_COPYPEN);
    LineTo(c.dc, 399, 99);
  }
  EXPECT_EQ(c.surface.texts.size(), 2u) << "half covered, or painted over in exclusive-or";
  EXPECT_EQ(c.surface.textsVersion, version);

  const RECT top{0, 0, 400, 40};
  FillRect(c.dc, &top, black);
  EXPECT_EQ(Standing(c.surface), (Texts{"longer@5,50"}));
  EXPECT_GT(c.surface.textsVersion, version);
  {
    Tools tools(c.dc, 2, 0, 0);
    Rectangle(c.dc, 0, 40, 400, 100); // a rectangle's inside, in copy mode
  }
  EXPECT_TRUE(c.surface.texts.empty());
  DeleteObject(black);
}

// Only what lies on the surface counts, and only so many texts are kept.
TEST(SurfaceTexts, KeepTheVisiblePartAndTheNewestTexts) {
  Canvas c(100, 40);
  TextOutA(c.dc, 0, 0, "", 0);
  TextOutA(c.dc, 200, 0, "off", 3);
  TextOutA(c.dc, 0, -16, "above", 5);
  EXPECT_TRUE(c.surface.texts.empty());
  TextOutA(c.dc, 90, 30, "cut", 3);
  ASSERT_EQ(c.surface.texts.size(), 1u);
  const vqp::PixelRect cut = c.surface.texts[0].box;
  EXPECT_TRUE(cut.left == 90 && cut.top == 30 && cut.right == 100 && cut.bottom == 40);

  SetBkMode(c.dc, TRANSPARENT);
  for (int n = 0; n < int(vqp::kMaxSurfaceTexts) + 6; ++n)
    TextOutA(c.dc, n % 50, n / 50, "t", 1);
  EXPECT_EQ(c.surface.texts.size(), vqp::kMaxSurfaceTexts);
  EXPECT_EQ(Standing(c.surface).front(), "t@6,0") << "the oldest went first";
}

// A window made smaller keeps the texts that still fit whole.
TEST(SurfaceTexts, AResizeDropsTheTextsItCutsInto) {
  HWND hwnd = OpenTestWindow("surface texts", DefWindowProcA, 0, 0, 400, 300);
  ASSERT_NE(hwnd, nullptr);
  HDC dc = GetDC(hwnd);
  TextOutA(dc, 10, 10, "stays", 5);
  TextOutA(dc, 10, 100, "goes", 4);
  ReleaseDC(hwnd, dc);
  vqp::HeadlessResizeClient(hwnd, 200, 60);
  EXPECT_EQ(Standing(*vqp::WindowSurface(hwnd)), (Texts{"stays@10,10"}));
  DestroyWindow(hwnd);
}

HFONT Font(int height) {
  return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                     "any face at all");
}

// Rows of a canvas with any pixel that is not `under`.
int InkRows(const Canvas &c, uint32_t under) {
  int rows = 0;
  for (int y = 0; y < c.surface.height; ++y) {
    bool ink = false;
    for (int x = 0; x < c.surface.width && !ink; ++x)
      ink = c.At(x, y) != under;
    rows += ink;
  }
  return rows;
}

TEST(Text, AFontOfAnyHeightMeasuresAndDrawsAtThatHeight) {
  const char *caption = "POSITIVE FREQUENCY - counter-clockwise rotation";
  const int length = int(std::strlen(caption));
  Canvas usual(1200, 80, kBack), sixteen(1200, 80, kBack), forty(1200, 80, kBack);
  const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const HFONT font16 = Font(16), font40 = Font(40);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects + 2);
  const HGDIOBJ stock = SelectObject(sixteen.dc, font16);
  ASSERT_NE(stock, nullptr);
  SelectObject(forty.dc, font40);
  EXPECT_EQ(GetCurrentObject(forty.dc, OBJ_FONT), static_cast<HGDIOBJ>(font40));
  for (Canvas *c : {&usual, &sixteen, &forty}) {
    SetTextColor(c->dc, kInk);
    SetBkColor(c->dc, kBack);
    TextOutA(c->dc, 2, 2, caption, length);
  }
  // At 16 pixels it is the default font, pixel for pixel.
  EXPECT_EQ(usual.Pixels(), sixteen.Pixels());
  const SIZE small = Extent(usual.dc, caption), large = Extent(forty.dc, caption);
  EXPECT_EQ(large.cy, 40);
  EXPECT_NEAR(large.cx, small.cx * 40.0 / 16.0, 0.03 * large.cx);
  const int ink = InkRows(forty, kBack);
  EXPECT_GE(ink, 30);
  EXPECT_LE(ink, 40);
  EXPECT_NEAR(ink, InkRows(usual, kBack) * 40.0 / 16.0, 4.0);

  // A negative height is the characters' own (the em): the line is taller.
  const HFONT em40 = Font(-40), zero = Font(0);
  SelectObject(usual.dc, em40);
  EXPECT_GT(Extent(usual.dc, caption).cy, 40);
  SelectObject(usual.dc, zero);
  EXPECT_EQ(Extent(usual.dc, caption).cy, 16);
  LOGFONTA logical{};
  ASSERT_EQ(GetObjectA(font40, sizeof logical, &logical), int(sizeof logical));
  EXPECT_EQ(logical.lfHeight, 40);
  EXPECT_EQ(logical.lfWeight, FW_BOLD);
  EXPECT_STREQ(logical.lfFaceName, "any face at all");

  // A selected font is kept; once another is selected it goes.
  EXPECT_FALSE(DeleteObject(font40));
  SelectObject(forty.dc, stock);
  SelectObject(sixteen.dc, stock);
  SelectObject(usual.dc, stock);
  for (HFONT f : {font16, font40, em40, zero})
    EXPECT_TRUE(DeleteObject(f));
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects);
}

// Text is clipped to the font's own box at any height, and heights beyond a
// screen's are held within it.
TEST(Text, HugeAndManyHeightsStayBounded) {
  Canvas c(300, 200, kUnder);
  for (int height : {1, 3, 100, 5000, INT_MAX, -INT_MAX, INT_MIN}) {
    const HFONT f = Font(height);
    ASSERT_NE(f, nullptr) << height;
    SelectObject(c.dc, f);
    SIZE s{};
    EXPECT_TRUE(GetTextExtentPoint32A(c.dc, "Wg", 2, &s));
    EXPECT_GE(s.cy, 1) << height;
    EXPECT_LE(s.cy, 2 * vqp::gdi::kMaxFontHeight) << height;
    EXPECT_TRUE(TextOutA(c.dc, 5, 5, "Wg", 2));
    SelectObject(c.dc, GetCurrentObject(c.dc, OBJ_FONT)); // keeps it selected
    DeleteObject(SelectObject(c.dc, Font(16)));
  }
  DeleteObject(GetCurrentObject(c.dc, OBJ_FONT)); // the last one is selected: kept
}

} // namespace
