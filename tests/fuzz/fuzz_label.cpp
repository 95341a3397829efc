// DrawLabel with arbitrary text (any bytes, any length; as a C string it ends
// at its first NUL), arbitrary alignment codes (none to three characters),
// positions and colour numbers, in the program's window. Each label must:
//   - leave LabelBuffer holding the text's first 255 characters, terminated;
//   - paint exactly the box of the text's measured size (as UTF-8, a byte
//     that is no UTF-8 standing for U+FFFD) placed by the code
//     (left edge, centre or right edge at x for L, C, R; bottom edge, centre
//     or top edge at y for B, C, T, letters in either case; anything else, or
//     no letter, as L and B), clipped to the window, and nothing else.
// The text and the code are allocated to their exact size, so reading past
// their terminators is caught.
#include <cstdlib>
#include <cstring>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "platform/host.h"
#include "tests/fuzz/fuzz_input.h"
#include "tools/driver/program_driver.h"

namespace {

const GraphicsStateRecord &g = GraphicsState;

constexpr int Width = 200;
constexpr int Height = 120;
// No label pixel has this colour: the box is black and the letters are shades
// from black to one of the 16 colours, none of which has this one's hue.
constexpr COLORREF Backdrop = RGB(1, 2, 3);

HWND window = nullptr;
HBRUSH backdrop = nullptr;
DWORD objectsAtStart = 0;

DWORD Objects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

void StartUp() {
  FUZZ_CHECK(StartProgram({Width, Height}), "the program could not start");
  window = g.MainWindow;
  vqp::HeadlessPumpMessages(); // the paint sets the viewport to the client area
  FUZZ_CHECK(g.MaxX == Width && g.MaxY == Height, "the window is %d x %d", g.MaxX, g.MaxY);
  backdrop = CreateSolidBrush(Backdrop);
  objectsAtStart = Objects();
}

// Mostly near the window, now and then anywhere.
int32_t Coordinate(FuzzInput &in) {
  const uint8_t how = in.Byte();
  return how < 0xC0 ? static_cast<int32_t>(how) * 2 - 60 : in.I32();
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (window == nullptr)
    StartUp();
  FuzzInput in(data, size);
  const int32_t x = Coordinate(in);
  const int32_t y = Coordinate(in);
  const int32_t color = in.I32();
  char *code = in.CString(in.Byte() % 4);
  char *text = in.RestAsCString();

  const RECT client = {0, 0, Width, Height};
  FillRect(g.WindowDC, &client, backdrop);
  SetColor(color);
  DrawLabel(x, y, text, code);

  const size_t length = std::strlen(text);
  const size_t kept = length < 255 ? length : 255;
  FUZZ_CHECK(std::memcmp(g.LabelBuffer, text, kept) == 0 && g.LabelBuffer[kept] == '\0',
             "LabelBuffer does not hold the first %zu of %zu characters", kept, length);
  FUZZ_CHECK(Objects() == objectsAtStart, "%lu GDI objects instead of %lu",
             static_cast<unsigned long>(Objects()), static_cast<unsigned long>(objectsAtStart));

  // Where the box must be, in window pixels (y down).
  SIZE box = {0, 0};
  WCHAR wide[256];
  const int wideLength =
      kept == 0 ? 0 : MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(kept), wide, 256);
  FUZZ_CHECK(GetTextExtentPoint32W(g.WindowDC, wide, wideLength, &box),
             "the text cannot be measured");
  const char horizontal = code[0] ? Upper(code[0]) : '\0';
  const char vertical = code[0] && code[1] ? Upper(code[1]) : '\0';
  int64_t left = x, bottom = y;
  left -= horizontal == 'C' ? box.cx / 2 : horizontal == 'R' ? box.cx : 0;
  bottom -= vertical == 'C' ? box.cy / 2 : vertical == 'T' ? box.cy : 0;
  const int64_t boxLeft = g.ViewX1 + left;
  const int64_t boxBottom = g.MaxY - (g.ViewY1 + bottom); // one past the last row
  const int64_t boxRight = boxLeft + box.cx, boxTop = boxBottom - box.cy;

  int width = 0, height = 0;
  const uint32_t *pixels = vqp::HeadlessPixels(window, &width, &height);
  FUZZ_CHECK(pixels && width == Width && height == Height, "the window lost its framebuffer");
  for (int py = 0; py < Height; ++py)
    for (int px = 0; px < Width; ++px) {
      const bool inBox = px >= boxLeft && px < boxRight && py >= boxTop && py < boxBottom;
      const bool painted = pixels[static_cast<size_t>(py) * Width + px] != Backdrop;
      FUZZ_CHECK(inBox == painted,
                 "pixel (%d, %d) %s; the box of %ld x %ld is at (%lld, %lld), code \"%s\"", px, py,
                 painted ? "painted outside the box" : "of the box not painted",
                 static_cast<long>(box.cx), static_cast<long>(box.cy),
                 static_cast<long long>(boxLeft), static_cast<long long>(boxTop), code);
    }
  std::free(text);
  std::free(code);
  return 0;
}
