// What the fuzz targets found, as plain tests of the layer. The inputs that
// found each fault are replayed as well (regressions/<target>).
#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

int callbacks = 0;
int ticks = 0;

void CALLBACK Callback(HWND, UINT, UINT_PTR, DWORD) { ++callbacks; }

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ticks += message == WM_TIMER;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND Window() {
  static HWND window = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Procedure;
    wc.lpszClassName = "fuzz regressions";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "fuzz regressions", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, nullptr, nullptr);
  }();
  return window;
}

int DispatchAll() {
  int n = 0;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&msg);
    ++n;
  }
  return n;
}

// A WM_TIMER posted with an lParam that is no timer's callback used to be
// called as a function: a crash, or worse, from any message that reaches the
// queue. Only the callback of a live timer of that window and identifier is
// called; other such messages are dropped.
TEST(FuzzFindings, APostedTimerMessageCallsOnlyARegisteredCallback) {
  const HWND window = Window();
  ASSERT_NE(window, nullptr);
  DispatchAll();
  callbacks = ticks = 0;
  const LPARAM bogus[] = {0x1234, -1, reinterpret_cast<LPARAM>(&callbacks)};
  for (LPARAM lParam : bogus)
    ASSERT_TRUE(PostMessageA(window, WM_TIMER, 7, lParam));
  EXPECT_EQ(DispatchAll(), 3);
  EXPECT_EQ(callbacks, 0);
  EXPECT_EQ(ticks, 0);

  // The callback of a real timer, but posted for another identifier or window.
  ASSERT_EQ(SetTimer(window, 7, 10, Callback), 7u);
  const LPARAM real = reinterpret_cast<LPARAM>(&Callback);
  PostMessageA(window, WM_TIMER, 8, real);
  PostMessageA(nullptr, WM_TIMER, 7, real);
  DispatchAll();
  EXPECT_EQ(callbacks, 0);

  // The same callback for its own timer is called, and a WM_TIMER without
  // one still goes to the window procedure.
  PostMessageA(window, WM_TIMER, 7, real);
  PostMessageA(window, WM_TIMER, 7, 0);
  DispatchAll();
  EXPECT_EQ(callbacks, 1);
  EXPECT_EQ(ticks, 1);
  KillTimer(window, 7);
}

} // namespace
