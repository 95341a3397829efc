// What the drawing half costs at the program's client size (1002 x 583): one
// animation tick's worth of exclusive-or drawing, each of its primitives alone,
// a whole-client FillRect, a caption, and shapes with extreme coordinates and
// pen widths (which must cost no more than the visible area).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32.h"

namespace {

constexpr int kWidth = 1002, kHeight = 583;

// A headless window of the program's size, its DC, and the program's kind of
// pens and brushes.
struct Scene {
  HWND hwnd = nullptr;
  HDC dc = nullptr;
  HPEN white2 = nullptr, red2 = nullptr, grey2 = nullptr;
  HBRUSH black = nullptr;

  Scene() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "raster bench";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "raster bench", "bench", WS_OVERLAPPEDWINDOW, 10, 10, 1010, 610,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    dc = GetDC(hwnd);
    white2 = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
    red2 = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
    grey2 = CreatePen(PS_SOLID, 2, RGB(192, 192, 192));
    black = CreateSolidBrush(RGB(0, 0, 0));
    SelectObject(dc, white2);
    SelectObject(dc, black);
    RECT client{0, 0, kWidth, kHeight};
    FillRect(dc, &client, black);
  }
  ~Scene() {
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
    for (HGDIOBJ o : {HGDIOBJ(white2), HGDIOBJ(red2), HGDIOBJ(grey2), HGDIOBJ(black)})
      DeleteObject(o);
  }

  // The program's dot: a temporary pen, the black brush, an Ellipse, the
  // white pen put back and the temporary one deleted.
  void Dot(int x, int y, int r, int w) {
    HPEN pen = CreatePen(PS_SOLID, w, RGB(255, 255, 255));
    SelectObject(dc, pen);
    SelectObject(dc, black);
    Ellipse(dc, x - r, y + r, x + r, y - r);
    SelectObject(dc, white2);
    DeleteObject(pen);
  }
  void Line(HPEN pen, int x0, int y0, int x1, int y1) {
    SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
  }
};

double Min(const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); }

void Configure(benchmark::internal::Benchmark *b) {
  b->Repetitions(10)
      ->ReportAggregatesOnly(true)
      ->ComputeStatistics("min", Min)
      ->Unit(benchmark::kMicrosecond);
}

// One tick of the last stage: erase and redraw the point (radius 7, pen 12),
// erase and redraw the 2 px plane line over the full height, one 2 px trace
// segment of 20 px.
void BM_Tick(benchmark::State &state) {
  Scene s;
  SetROP2(s.dc, R2_XORPEN);
  int x = 100;
  for (auto _ : state) {
    s.Dot(x, 300, 7, 12);
    s.Line(s.red2, x, 0, x, kHeight);
    ++x;
    if (x > 900)
      x = 100;
    s.Line(s.red2, x, 0, x, kHeight);
    s.Dot(x, 300, 7, 12);
    s.Line(s.grey2, x - 20, 310, x, 300);
  }
  SetROP2(s.dc, R2_COPYPEN);
}
BENCHMARK(BM_Tick)->Apply(Configure);

// `draw` over and over in exclusive-or mode, with a pen of this width and
// colour made for the run.
template <typename Draw> void Xor(benchmark::State &state, int width, COLORREF color, Draw draw) {
  Scene s;
  SetROP2(s.dc, R2_XORPEN);
  HPEN pen = CreatePen(PS_SOLID, width, color);
  SelectObject(s.dc, pen);
  for (auto _ : state)
    draw(s.dc);
  SelectObject(s.dc, s.white2);
  DeleteObject(pen);
}

void BM_Ring(benchmark::State &state) {
  Xor(state, 12, RGB(255, 255, 255), [](HDC dc) { Ellipse(dc, 493, 300, 507, 286); });
}
BENCHMARK(BM_Ring)->Apply(Configure);

void BM_DotWithItsObjects(benchmark::State &state) {
  Scene s;
  SetROP2(s.dc, R2_XORPEN);
  for (auto _ : state)
    s.Dot(500, 300, 7, 12);
}
BENCHMARK(BM_DotWithItsObjects)->Apply(Configure);

void BM_VerticalLineFullHeight(benchmark::State &state) {
  Xor(state, 2, RGB(255, 0, 0), [](HDC dc) {
    MoveToEx(dc, 400, 0, nullptr);
    LineTo(dc, 400, kHeight);
  });
}
BENCHMARK(BM_VerticalLineFullHeight)->Apply(Configure);

void BM_Segment20(benchmark::State &state) {
  Xor(state, 2, RGB(192, 192, 192), [](HDC dc) {
    MoveToEx(dc, 400, 310, nullptr);
    LineTo(dc, 420, 300);
  });
}
BENCHMARK(BM_Segment20)->Apply(Configure);

void BM_FillRectClient(benchmark::State &state) {
  Scene s;
  const RECT client{0, 0, kWidth, kHeight};
  for (auto _ : state)
    FillRect(s.dc, &client, s.black);
}
BENCHMARK(BM_FillRectClient)->Apply(Configure);

void BM_Caption(benchmark::State &state) {
  Scene s;
  SetTextAlign(s.dc, TA_LEFT | TA_BOTTOM);
  SetBkColor(s.dc, 0);
  SetTextColor(s.dc, RGB(255, 255, 255));
  const char *caption = "POSITIVE FREQUENCY - counter-clockwise rotation";
  for (auto _ : state) {
    SIZE size;
    GetTextExtentPoint32A(s.dc, caption, int(std::strlen(caption)), &size);
    TextOutA(s.dc, 501 - size.cx / 2, 28, caption, int(std::strlen(caption)));
  }
}
BENCHMARK(BM_Caption)->Apply(Configure);

// Bounded by what is visible: a 10,000 px pen across the whole 32-bit range.
void BM_HugePenLine(benchmark::State &state) {
  Xor(state, 10000, RGB(255, 255, 255), [](HDC dc) {
    MoveToEx(dc, INT32_MIN, INT32_MIN + 5, nullptr);
    LineTo(dc, INT32_MAX, INT32_MAX);
  });
}
BENCHMARK(BM_HugePenLine)->Apply(Configure);

void BM_HugeEllipse(benchmark::State &state) {
  Xor(state, 10000, RGB(255, 255, 255),
      [](HDC dc) { Ellipse(dc, INT32_MIN, -1000000000, 500, 1000000000); });
}
BENCHMARK(BM_HugeEllipse)->Apply(Configure);

} // namespace

BENCHMARK_MAIN();
