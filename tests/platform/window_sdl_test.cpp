// The SDL backend on a real X display (run under xvfb-run): failing without a
// display, the native window's size and title, what reaches the screen (only
// the changed part, in the right colours), input, resizing, closing, and
// waiting for the timer without burning the processor.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "platform/host.h"
#include "platform/portable/layer.h"
#include "platform/win32.h"
#include "tests/platform/window_fixture.h"
// Last: Xlib's macros (None, Bool, Status) would clash with the headers above.
#include <SDL_syswm.h>

namespace {

std::vector<MSG> seen;
COLORREF paintColor = RGB(10, 20, 200);

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  seen.push_back(MSG{hwnd, msg, wParam, lParam, 0, {0, 0}});
  if (msg == WM_PAINT) {
    vqp::Surface *s = vqp::WindowSurface(hwnd);
    for (uint32_t &p : s->pixels)
      p = paintColor;
    vqp::MarkDirty(*s, {0, 0, s->width, s->height});
  }
  if (msg == WM_DESTROY)
    PostQuitMessage(0);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND Open(const char *title) { return OpenTestWindow("sdl test", Proc, 10, 10, 1010, 610, title); }

// The native window with this title.
SDL_Window *Native(const char *title) {
  for (Uint32 id = 1; id < 1000; ++id) {
    SDL_Window *w = SDL_GetWindowFromID(id);
    if (w && std::string(SDL_GetWindowTitle(w)) == title)
      return w;
  }
  return nullptr;
}

// What the window shows at (x, y), as a COLORREF.
COLORREF Shown(SDL_Window *w, int x, int y) {
  SDL_Surface *s = SDL_GetWindowSurface(w);
  const Uint8 *row = static_cast<const Uint8 *>(s->pixels) + y * s->pitch;
  Uint32 pixel = 0;
  std::memcpy(&pixel, row + x * s->format->BytesPerPixel, s->format->BytesPerPixel);
  Uint8 r, g, b;
  SDL_GetRGB(pixel, s->format, &r, &g, &b);
  return RGB(r, g, b);
}

// Handles messages until `done` holds or a second of timer ticks has passed.
template <class Done> void PumpUntil(HWND hwnd, Done done) {
  SetTimer(hwnd, 99, 10, nullptr);
  MSG m;
  for (int i = 0; i < 100 && !done() && GetMessageA(&m, nullptr, 0, 0) > 0; ++i)
    DispatchMessageA(&m);
  if (IsWindow(hwnd))
    KillTimer(hwnd, 99);
}

bool Seen(UINT message) {
  return std::any_of(seen.begin(), seen.end(), [&](const MSG &m) { return m.message == message; });
}

bool HaveDisplay() {
  const char *d = std::getenv("DISPLAY");
  return d && *d;
}

// Runs first, before SDL's video has been started by any other test.
TEST(SdlBackend, WithoutADisplayCreationFailsAndSaysWhy) {
  if (SDL_WasInit(SDL_INIT_VIDEO))
    GTEST_SKIP() << "video already started";
  std::string display = HaveDisplay() ? std::getenv("DISPLAY") : "";
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  SetLastError(0);
  HWND hwnd = Open("no display");
  EXPECT_EQ(hwnd, nullptr);
  EXPECT_NE(GetLastError(), 0u);
  EXPECT_STREQ(vqp::LastWindowFailure(), "no display; set DISPLAY or run under xvfb-run");
  EXPECT_FALSE(SDL_WasInit(SDL_INIT_VIDEO));
  // With no window and no timer nothing could ever arrive: the loop ends.
  MSG m{};
  EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), 0);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  if (!display.empty())
    setenv("DISPLAY", display.c_str(), 1);
}

class SdlWindow : public ::testing::Test {
protected:
  HWND hwnd = nullptr;
  SDL_Window *native = nullptr;
  void SetUp() override {
    if (!HaveDisplay())
      GTEST_SKIP() << "no DISPLAY; run under xvfb-run";
    seen.clear();
    const char *title = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    hwnd = Open(title);
    ASSERT_NE(hwnd, nullptr) << vqp::LastWindowFailure();
    native = Native(title);
    ASSERT_NE(native, nullptr);
  }
  void TearDown() override { DestroyAndDrain({hwnd}); }
};

TEST_F(SdlWindow, ShowsTheClientSizeAndOnlyWhatChanged) {
  int w = 0, h = 0;
  SDL_GetWindowSize(native, &w, &h);
  EXPECT_EQ(w, 1002);
  EXPECT_EQ(h, 583);
  EXPECT_FALSE(SDL_GetWindowFlags(native) & SDL_WINDOW_SHOWN);
  ShowWindow(hwnd, SW_SHOW);
  EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_SHOWN);
  // The client area where the Win32 frame at (10, 10) would have it.
  RECT outer{}, client{};
  GetWindowRect(hwnd, &outer);
  GetClientRect(hwnd, &client);
  const int border = (outer.right - outer.left - client.right) / 2;
  int x = 0, y = 0;
  SDL_GetWindowPosition(native, &x, &y);
  EXPECT_EQ(x, 10 + border);
  EXPECT_EQ(y, 10 + (outer.bottom - outer.top - client.bottom) - border);
  PumpUntil(hwnd, [] { return Seen(WM_PAINT); });
  MSG m;
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); // presents the paint
  EXPECT_EQ(Shown(native, 5, 5), RGB(10, 20, 200));
  EXPECT_EQ(Shown(native, 1001, 582), RGB(10, 20, 200));

  // Two changes, only one of them marked: only that one is shown.
  vqp::Surface *s = vqp::WindowSurface(hwnd);
  s->pixels[100 * s->width + 100] = RGB(255, 0, 0);
  s->pixels[200 * s->width + 300] = RGB(0, 255, 0);
  vqp::MarkDirty(*s, {300, 200, 301, 201});
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
  EXPECT_EQ(Shown(native, 300, 200), RGB(0, 255, 0));
  EXPECT_EQ(Shown(native, 100, 100), RGB(10, 20, 200));
}

TEST_F(SdlWindow, ClicksResizesAndCloseArriveAsMessages) {
  ShowWindow(hwnd, SW_SHOW);
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = SDL_GetWindowID(native);
  e.button.button = SDL_BUTTON_LEFT;
  e.button.x = 30;
  e.button.y = 40;
  SDL_PushEvent(&e);
  PumpUntil(hwnd, [] { return Seen(WM_LBUTTONDOWN); });
  bool clicked = false;
  for (const MSG &m : seen)
    if (m.message == WM_LBUTTONDOWN) {
      clicked = true;
      EXPECT_EQ(GET_X_LPARAM(m.lParam), 30);
      EXPECT_EQ(GET_Y_LPARAM(m.lParam), 40);
    }
  EXPECT_TRUE(clicked);

  // The user resizes: the window hears of it and is repainted whole.
  seen.clear();
  SDL_SetWindowSize(native, 640, 400);
  RECT r{};
  PumpUntil(hwnd, [&] {
    GetClientRect(hwnd, &r);
    return r.right == 640 && r.bottom == 400 && Seen(WM_PAINT);
  });
  EXPECT_EQ(r.right, 640);
  EXPECT_EQ(r.bottom, 400);
  EXPECT_TRUE(Seen(WM_SIZE));
  MSG m;
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
  EXPECT_EQ(Shown(native, 639, 399), RGB(10, 20, 200));

  // The program resizes: the native window follows.
  SetWindowPos(hwnd, nullptr, 0, 0, 808, 627, SWP_NOMOVE);
  int w = 0, h = 0;
  PumpUntil(hwnd, [&] {
    SDL_GetWindowSize(native, &w, &h);
    return w == 800 && h == 600;
  });
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);

  // The close button.
  seen.clear();
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SDL_GetWindowID(native);
  SDL_PushEvent(&close);
  int loops = 0;
  while (GetMessageA(&m, nullptr, 0, 0) > 0 && ++loops < 100)
    DispatchMessageA(&m);
  EXPECT_TRUE(Seen(WM_CLOSE));
  EXPECT_TRUE(Seen(WM_DESTROY));
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(Native("ClicksResizesAndCloseArriveAsMessages"), nullptr);
}

TEST_F(SdlWindow, WaitsForTheTimerWithoutSpinning) {
  ShowWindow(hwnd, SW_SHOW);
  SetTimer(hwnd, 1, 20, nullptr);
  Uint64 start = SDL_GetTicks64();
  std::clock_t cpu = std::clock();
  int ticks = 0;
  MSG m;
  while (ticks < 15 && GetMessageA(&m, nullptr, 0, 0) > 0) {
    if (m.message == WM_TIMER)
      ++ticks;
    DispatchMessageA(&m);
  }
  double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
  Uint64 wallMs = SDL_GetTicks64() - start;
  EXPECT_GE(wallMs, 15u * 20u);
  EXPECT_LT(wallMs, 15u * 20u * 4u);
  // A loop that polled would use the processor for the whole wait.
  EXPECT_LT(cpuMs, wallMs * 0.5) << "cpu " << cpuMs << " ms over " << wallMs << " ms";
}

// Counts the wake-up messages SDL sends its own window while it waits (X11).
int wakeUps = 0;
Atom wakeUpAtom = None;

int SDLCALL CountWakeUps(void *, SDL_Event *e) {
  if (e->type == SDL_SYSWMEVENT && e->syswm.msg->subsystem == SDL_SYSWM_X11) {
    const XEvent &x = e->syswm.msg->msg.x11.event;
    if (x.type == ClientMessage && x.xclient.message_type == wakeUpAtom)
      ++wakeUps;
  }
  return 1;
}

// Sends the close button's message to an X window from a connection of its own.
void CloseFromOutside(Window window) {
  Display *d = XOpenDisplay(nullptr);
  ASSERT_NE(d, nullptr);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  XSendEvent(d, window, False, NoEventMask, &e);
  XSync(d, False);
  XCloseDisplay(d);
}

// A close that arrives while the loop waits for a timer ends the wait at once.
// And the wait makes no wake-up messages: SDL sends them to the window over a
// second display connection, and one that the X server takes after the window
// is destroyed fails; Xlib reports that when SDL quits, with exit code 1.
TEST_F(SdlWindow, ACloseWhileWaitingEndsTheWaitAndSendsTheWindowNothing) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(native, &info));
  if (info.subsystem != SDL_SYSWM_X11)
    GTEST_SKIP() << "not on X11";
  wakeUpAtom = XInternAtom(info.info.x11.display, "_SDL_WAKEUP", False);
  wakeUps = 0;
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  SDL_AddEventWatch(CountWakeUps, nullptr);

  ShowWindow(hwnd, SW_SHOW);
  PumpUntil(hwnd, [] { return Seen(WM_PAINT); });
  SetTimer(hwnd, 7, 2000, nullptr);
  Uint64 start = SDL_GetTicks64();
  std::thread outside([window = info.info.x11.window] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    CloseFromOutside(window);
  });
  MSG m{};
  bool got = GetMessageA(&m, nullptr, 0, 0) > 0;
  Uint64 waited = SDL_GetTicks64() - start;
  outside.join();
  EXPECT_TRUE(got);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_CLOSE));
  EXPECT_LT(waited, 1000u);
  // Anything sent to the window has arrived by now.
  SDL_Delay(100);
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
  EXPECT_EQ(wakeUps, 0);

  SDL_DelEventWatch(CountWakeUps, nullptr);
  SDL_EventState(SDL_SYSWMEVENT, SDL_DISABLE);
}

} // namespace
