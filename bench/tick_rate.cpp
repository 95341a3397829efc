// How many ticks a 20 ms timer brings in a stretch of real time on the SDL
// backend, with an exclusive-or ellipse drawn and shown on every tick as the
// animation does. A timed tool, not a test: run it under a display, e.g.
//   xvfb-run -a build/bench/tick_rate [seconds]
// and compare the count with seconds * 50.
#include <chrono>
#include <cstdio>

#include "platform/win32.h"

namespace {

constexpr UINT kPeriodMs = 20;
int ticks = 0;
int x = 0;

void DrawMark(HWND hwnd) {
  HDC dc = GetDC(hwnd);
  SetROP2(dc, R2_XORPEN);
  Ellipse(dc, x, 100, x + 40, 140);
  ReleaseDC(hwnd, dc);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    ++ticks;
    DrawMark(hwnd); // take the last one off, move on, draw it again
    x = (x + 3) % 900;
    DrawMark(hwnd);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

int main(int argc, char **argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = "tick rate";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, "tick rate", "tick rate", WS_OVERLAPPEDWINDOW, 10, 10, 1010, 610,
                              nullptr, nullptr, nullptr, nullptr);
  if (hwnd == nullptr) {
    std::fprintf(stderr, "tick_rate: cannot open a window\n");
    return 1;
  }
  ShowWindow(hwnd, SW_SHOW);
  SetTimer(hwnd, 1, kPeriodMs, nullptr);

  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const auto end = start + std::chrono::duration<double>(seconds);
  MSG m;
  while (Clock::now() < end && GetMessageA(&m, nullptr, 0, 0) > 0)
    DispatchMessageA(&m);
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("%d ticks in %.2f s (%.0f expected at %u ms), %.2f ms a tick\n", ticks, elapsed,
              elapsed * 1000.0 / kPeriodMs, kPeriodMs, elapsed * 1000.0 / ticks);
  DestroyWindow(hwnd);
  return 0;
}
