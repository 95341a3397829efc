// The raster primitives with arbitrary arguments, on a small window: any 32-bit
// coordinates, pen widths up to 10,000, solid or null pens, any ROP2 value and
// any colours. For each primitive:
//   - in the given mode it changes no pixel outside its box grown by the pen,
//     and leaves no pixel with bits above the 24 of a colour;
//   - it touches each pixel at most once: copying white and inverting, each
//     from black, cover the same pixels;
//   - drawn twice in R2_XORPEN it restores the picture exactly;
//   - no call costs more than the visible area could (processor time).
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/host.h"
#include "platform/win32.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr int Width = 64;
constexpr int Height = 48;
// Far more than any primitive needs for 64 x 48 pixels, even under the
// sanitizers; far less than a loop over an off-screen range would take.
constexpr double MaxCallSeconds = 0.05;

HWND window = nullptr;
HDC dc = nullptr;

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT)
    ValidateRect(hwnd, nullptr);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Open() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Procedure;
  wc.lpszClassName = "raster fuzz";
  FUZZ_CHECK(RegisterClassA(&wc) != 0, "no window class");
  window = CreateWindowExA(0, "raster fuzz", "raster fuzz", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200,
                           nullptr, nullptr, nullptr, nullptr);
  FUZZ_CHECK(window != nullptr, "no window");
  vqp::HeadlessResizeClient(window, Width, Height);
  dc = GetDC(window);
  FUZZ_CHECK(dc != nullptr, "no device context");
}

std::vector<uint32_t> Pixels() {
  int w = 0, h = 0;
  const uint32_t *p = vqp::HeadlessPixels(window, &w, &h);
  FUZZ_CHECK(p != nullptr && w == Width && h == Height, "the window lost its framebuffer");
  return std::vector<uint32_t>(p, p + static_cast<size_t>(w) * h);
}

// Copies `picture` onto the window; the mode is left at R2_COPYPEN.
void Fill(const std::vector<uint32_t> &picture) {
  SetROP2(dc, R2_COPYPEN);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      SetPixel(dc, x, y, picture[static_cast<size_t>(y) * Width + x]);
}

double ProcessorSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

enum Kind { EllipseKind, RectangleKind, LineKind, PolylineKind, KindCount };
const char *const KindNames[] = {"Ellipse", "Rectangle", "LineTo", "polyline"};

struct Primitive {
  Kind kind;
  int32_t c[8]; // two corners, or up to four points
  int points;   // of a polyline
  int style;
  int width;
};

// Draws the primitive with the pen and brush of these colours (the objects
// live for this call, as the program's dots do) and returns its cost.
double Draw(const Primitive &p, COLORREF penColor, COLORREF brushColor) {
  HPEN pen = CreatePen(p.style, p.width, penColor);
  HBRUSH brush = CreateSolidBrush(brushColor);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  const double start = ProcessorSeconds();
  switch (p.kind) {
  case EllipseKind:
    Ellipse(dc, p.c[0], p.c[1], p.c[2], p.c[3]);
    break;
  case RectangleKind:
    Rectangle(dc, p.c[0], p.c[1], p.c[2], p.c[3]);
    break;
  case LineKind:
    MoveToEx(dc, p.c[0], p.c[1], nullptr);
    LineTo(dc, p.c[2], p.c[3]);
    break;
  default:
    MoveToEx(dc, p.c[0], p.c[1], nullptr);
    for (int i = 1; i < p.points; ++i)
      LineTo(dc, p.c[2 * i], p.c[2 * i + 1]);
    break;
  }
  const double cost = ProcessorSeconds() - start;
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
  return cost;
}

// The pixels a primitive may reach: its points' box grown by the pen width
// and one pixel, as 64-bit numbers.
struct Reach {
  int64_t left, top, right, bottom;
  bool Holds(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

Reach ReachOf(const Primitive &p) {
  const int count = p.kind == PolylineKind ? p.points : 2;
  Reach r = {INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
  for (int i = 0; i < count; ++i) {
    r.left = std::min<int64_t>(r.left, p.c[2 * i]);
    r.right = std::max<int64_t>(r.right, p.c[2 * i]);
    r.top = std::min<int64_t>(r.top, p.c[2 * i + 1]);
    r.bottom = std::max<int64_t>(r.bottom, p.c[2 * i + 1]);
  }
  const int64_t grow = std::max(p.width, 1) + 1;
  return {r.left - grow, r.top - grow, r.right + grow, r.bottom + grow};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (window == nullptr)
    Open();
  FuzzInput in(data, size);
  Primitive p = {};
  p.kind = static_cast<Kind>(in.Byte() % KindCount);
  p.points = 2 + in.Byte() % 3;
  p.style = in.Byte() % 4 == 0 ? PS_NULL : PS_SOLID;
  p.width = in.U16() % 10001;
  const int rop2 = in.I32();
  const COLORREF penColor = in.U32();
  const COLORREF brushColor = in.U32();
  const uint32_t seed = in.U32();
  for (int32_t &v : p.c) {
    // Small coordinates most of the time, so that shapes land on the window.
    const uint8_t how = in.Byte();
    v = how < 0xC0 ? static_cast<int32_t>(how % 96) - 16 : in.I32();
  }
  const char *name = KindNames[p.kind];

  // A picture of all sorts of colours, from the input's seed.
  std::vector<uint32_t> background(static_cast<size_t>(Width) * Height);
  uint32_t state = seed | 1;
  for (uint32_t &pixel : background) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    pixel = state & 0x00FFFFFF;
  }

  // In the mode asked for: nothing beyond its reach, nothing but colours.
  Fill(background);
  SetROP2(dc, R2_COPYPEN);
  SetROP2(dc, rop2); // refused, and copy mode kept, when out of range
  double cost = Draw(p, penColor, brushColor);
  FUZZ_CHECK(cost < MaxCallSeconds, "%s took %.3f s", name, cost);
  const Reach reach = ReachOf(p);
  const std::vector<uint32_t> drawn = Pixels();
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const uint32_t v = drawn[static_cast<size_t>(y) * Width + x];
      FUZZ_CHECK((v & 0xFF000000u) == 0, "%s left %08x at (%d, %d)", name, v, x, y);
      FUZZ_CHECK(v == background[static_cast<size_t>(y) * Width + x] || reach.Holds(x, y),
                 "%s changed (%d, %d), out of its reach", name, x, y);
    }

  // Each pixel at most once: copying white and inverting, both over black,
  // reach the same pixels unless some pixel is inverted twice. (The segments
  // of a polyline are primitives of their own and may share pixels.)
  if (p.kind != PolylineKind) {
    const std::vector<uint32_t> black(background.size(), 0);
    Fill(black);
    SetROP2(dc, R2_COPYPEN);
    Draw(p, 0x00FFFFFF, 0x00FFFFFF);
    const std::vector<uint32_t> copied = Pixels();
    Fill(black);
    SetROP2(dc, R2_NOT);
    Draw(p, 0, 0);
    const std::vector<uint32_t> inverted = Pixels();
    for (size_t i = 0; i < copied.size(); ++i)
      FUZZ_CHECK(copied[i] == inverted[i], "%s inverted (%d, %d) %s", name,
                 static_cast<int>(i % Width), static_cast<int>(i / Width),
                 copied[i] ? "an even number of times" : "without covering it");
  }

  // Twice in exclusive-or: the picture as it was.
  Fill(background);
  SetROP2(dc, R2_XORPEN);
  cost = Draw(p, penColor, brushColor);
  cost = std::max(cost, Draw(p, penColor, brushColor));
  FUZZ_CHECK(cost < MaxCallSeconds, "%s took %.3f s", name, cost);
  const std::vector<uint32_t> restored = Pixels();
  for (size_t i = 0; i < restored.size(); ++i)
    FUZZ_CHECK(restored[i] == background[i], "%s twice in R2_XORPEN changed (%d, %d)", name,
               static_cast<int>(i % Width), static_cast<int>(i / Width));
  SetROP2(dc, R2_COPYPEN);
  return 0;
}
