// What the program takes from user32 and gdi32 beyond drawing shapes, pinned
// where the portable layer and a real GDI (Wine's) must agree: SetPixel mixes
// its colour into the pixel by the mix mode, as lines and shapes do; and the
// order in which a thread's queue gives out a posted message, the quit
// message, input, a paint and a timer tick that are all waiting at once.
#include <gtest/gtest.h>

#include <vector>

#include "app/application.h"
#include "graphics/graphics_state.h"
#include "tests/support/program_checks.h"

#ifndef _WIN32
#include "platform/host.h"
#endif

namespace {

TEST(SystemBehaviour, SetPixelMixesByTheMixMode) {
  StartFresh(400, 420);
  const HDC dc = GraphicsState.WindowDC;
  const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
  const struct {
    int mode;
    COLORREF result;
  } cases[] = {{R2_COPYPEN, red},
               {R2_XORPEN, RGB(255, 0, 255)},
               {R2_NOT, RGB(255, 255, 0)},
               {R2_MERGEPEN, RGB(255, 0, 255)},
               {R2_BLACK, RGB(0, 0, 0)}};
  for (const auto &c : cases) {
    SetROP2(dc, R2_COPYPEN);
    SetPixel(dc, 20, 300, blue);
    ASSERT_EQ(GetPixel(dc, 20, 300), blue);
    SetROP2(dc, c.mode);
    EXPECT_EQ(SetPixel(dc, 20, 300, red), red) << "mode " << c.mode;
    EXPECT_EQ(GetPixel(dc, 20, 300), c.result) << "mode " << c.mode;
  }
  SetROP2(dc, R2_COPYPEN);
}

// A click at client (x, y) as the user's input, in the thread's queue on return.
void QueueClick(HWND window, int x, int y) {
#ifdef _WIN32
  POINT at{x, y};
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof(INPUT));
  // The system hands input over on its own time: wait until both have come.
  MSG m;
  for (int i = 0; i < 200 && !PeekMessageA(&m, window, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE);
       ++i)
    Sleep(10);
#else
  vqp::HeadlessClick(window, x, y);
#endif
}

// Lets more than a timer period pass.
void LetTheTimerFallDue() {
#ifdef _WIN32
  Sleep(3 * TimerPeriodMs);
#else
  vqp::HeadlessAdvanceClock(TimerPeriodMs);
#endif
}

TEST(SystemBehaviour, TheQueueGivesPostedThenQuitThenInputThenPaintThenTimer) {
  StartFresh(400, 420);
  const HWND window = TestWindow();
  // Nothing else waiting: no paint, and the timer just ticked.
  MSG m;
  for (int i = 0; i < 100 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i)
    DispatchMessageA(&m);

  QueueClick(window, 200, 200);
  PostMessageA(window, WM_USER, 0, 0);
  PostQuitMessage(5);
  InvalidateRect(window, nullptr, FALSE);
  LetTheTimerFallDue();

  // Taken out one by one without being handled; a paint is taken by
  // validating the window.
  std::vector<UINT> order;
  for (int i = 0; i < 20 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (m.message == WM_PAINT)
      ValidateRect(window, nullptr);
    if (m.message == WM_QUIT) {
      EXPECT_EQ(m.wParam, 5u);
    }
    if (m.message != WM_MOUSEMOVE) // the cursor put over the window on Windows
      order.push_back(m.message);
    if (m.message == WM_TIMER)
      break;
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_QUIT, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_PAINT,
                                      WM_TIMER}));
  StartFresh();
}

} // namespace
