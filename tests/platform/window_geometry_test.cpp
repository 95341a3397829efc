// Windows on the headless backend: classes, creation, sizes, the update region,
// resizing (by the program and by the user) and what a bad handle gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/portable/layer.h"
#include "platform/win32.h"
#include "tests/platform/window_fixture.h"

namespace {

std::vector<LPARAM> sizes; // lParam of every WM_SIZE
int paints = 0;
int creates = 0;
std::vector<BOOL> destroyAgain; // DestroyWindow's result when called again from WM_DESTROY
struct DpiChange {
  WPARAM dpi;
  RECT suggested;
};
std::vector<DpiChange> dpiChanges;

LRESULT CALLBACK GeometryProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE)
    sizes.push_back(lParam);
  if (msg == WM_CREATE) {
    ++creates;
    auto *cs = reinterpret_cast<const CREATESTRUCTA *>(lParam);
    if (cs->lpCreateParams == reinterpret_cast<LPVOID>(1))
      return -1; // asked to refuse
  }
  if (msg == WM_PAINT)
    ++paints;
  if (msg == WM_DPICHANGED)
    dpiChanges.push_back({wParam, *reinterpret_cast<const RECT *>(lParam)});
  if (msg == WM_DESTROY) {
    destroyAgain.push_back(DestroyWindow(hwnd));
    destroyAgain.push_back(IsWindow(hwnd));
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Registers a class once per name; the layer's class table lives as long as the process.
void Register(const char *name, UINT style) {
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = GeometryProc;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

HWND Make(const char *cls, int w, int h) {
  Register("redraw", CS_HREDRAW | CS_VREDRAW);
  Register("plain", 0);
  return CreateWindowExA(0, cls, "VELQOR: NEGATIVE FREQUENCY", WS_OVERLAPPEDWINDOW, 10, 10, w, h,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The update rectangle, read the Win32 way (and validated by it).
RECT TakeUpdate(HWND hwnd) {
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  EndPaint(hwnd, &ps);
  return ps.rcPaint;
}

bool Equal(const RECT &a, const RECT &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

#define EXPECT_RECT(r, l, t, rr, b) EXPECT_TRUE(Equal((r), RECT{l, t, rr, b})) << #r

RECT Client(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return r;
}

RECT Outer(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

class WindowTest : public ::testing::Test {
protected:
  std::vector<HWND> made;
  HWND Track(HWND h) {
    made.push_back(h);
    return h;
  }
  void SetUp() override {
    sizes.clear();
    paints = 0;
    creates = 0;
    destroyAgain.clear();
    dpiChanges.clear();
  }
  void TearDown() override {
    vqp::HeadlessFailWindowOpens(nullptr);
    DestroyAndDrain(made);
  }
};

TEST_F(WindowTest, ClassesAreUniqueByNameWithoutCase) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = GeometryProc;
  wc.lpszClassName = "Once Only";
  ATOM atom = RegisterClassA(&wc);
  EXPECT_NE(atom, 0);
  wc.lpszClassName = "ONCE ONLY";
  SetLastError(0);
  EXPECT_EQ(RegisterClassA(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  EXPECT_EQ(RegisterClassA(nullptr), 0);
  wc.lpszClassName = "no procedure";
  wc.lpfnWndProc = nullptr;
  EXPECT_EQ(RegisterClassA(&wc), 0);

  // A window can name its class by atom or in any case.
  HWND byAtom = Track(CreateWindowExA(0, MAKEINTRESOURCEA(atom), "a", 0, 0, 0, 50, 50, nullptr,
                                      nullptr, nullptr, nullptr));
  HWND byName = Track(
      CreateWindowExA(0, "once ONLY", "b", 0, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
  ASSERT_NE(byAtom, nullptr);
  ASSERT_NE(byName, nullptr);
  EXPECT_NE(byAtom, byName);
  char name[32];
  EXPECT_EQ(GetClassNameA(byName, name, sizeof name), 9);
  EXPECT_STREQ(name, "Once Only");
}

TEST_F(WindowTest, OuterSizeGivesClientSizeAndRectsAsCreated) {
  HWND hwnd = Track(Make("redraw", 1010, 610));
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(creates, 1);
  RECT r;
  ASSERT_TRUE(GetClientRect(hwnd, &r));
  EXPECT_RECT(r, 0, 0, 1002, 583);
  ASSERT_TRUE(GetWindowRect(hwnd, &r));
  EXPECT_RECT(r, 10, 10, 1020, 620);
  int w = 0, h = 0;
  ASSERT_NE(vqp::HeadlessPixels(hwnd, &w, &h), nullptr);
  EXPECT_EQ(w, 1002);
  EXPECT_EQ(h, 583);

  char text[64];
  EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 26);
  EXPECT_STREQ(text, "VELQOR: NEGATIVE FREQUENCY");
  EXPECT_EQ(GetWindowTextA(hwnd, text, 7), 6); // cut, and still terminated
  EXPECT_STREQ(text, "VELQOR");
  EXPECT_EQ(GetClassNameA(hwnd, text, sizeof text), 6);
  EXPECT_STREQ(text, "redraw");

  // Too small for its frame: an empty client area, never negative.
  HWND tiny = Track(Make("redraw", 5, 5));
  ASSERT_NE(tiny, nullptr);
  EXPECT_RECT(Client(tiny), 0, 0, 0, 0);
  ShowWindow(tiny, SW_SHOW);
  EXPECT_EQ(vqp::HeadlessPumpMessages(), 0); // nothing to paint
}

TEST_F(WindowTest, CreationFailuresSayWhy) {
  SetLastError(0);
  EXPECT_EQ(Make("never registered", 100, 100), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  EXPECT_NE(std::string(vqp::LastWindowFailure()).find("never registered"), std::string::npos);

  vqp::HeadlessFailWindowOpens("no display; set DISPLAY or run under xvfb-run");
  SetLastError(0);
  EXPECT_EQ(Make("redraw", 1010, 610), nullptr);
  EXPECT_NE(GetLastError(), 0u);
  EXPECT_STREQ(vqp::LastWindowFailure(), "no display; set DISPLAY or run under xvfb-run");
  EXPECT_EQ(creates, 0);
  vqp::HeadlessFailWindowOpens(nullptr);

  // A window procedure that refuses WM_CREATE gets no window.
  HWND refused = CreateWindowExA(0, "plain", "r", 0, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                 reinterpret_cast<LPVOID>(1));
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(creates, 1);
}

TEST_F(WindowTest, ShowingAndInvalidatingBuildOneBoundingUpdateRect) {
  HWND hwnd = Track(Make("plain", 208, 127)); // client 200 x 100
  EXPECT_RECT(TakeUpdate(hwnd), 0, 0, 0, 0);
  EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW)); // was hidden
  EXPECT_TRUE(ShowWindow(hwnd, SW_SHOW));  // was visible
  EXPECT_RECT(TakeUpdate(hwnd), 0, 0, 200, 100);

  RECT a{10, 10, 20, 20}, b{50, 5, 60, 15};
  InvalidateRect(hwnd, &a, FALSE);
  InvalidateRect(hwnd, &b, FALSE);
  EXPECT_RECT(TakeUpdate(hwnd), 10, 5, 60, 20);

  // Clipped to the client area, whatever the coordinates.
  RECT huge{-2147483647 - 1, -5, 2147483647, 2147483647};
  InvalidateRect(hwnd, &huge, TRUE);
  EXPECT_RECT(TakeUpdate(hwnd), 0, 0, 200, 100);
  RECT outside{300, 300, 400, 400}, inverted{50, 50, 10, 10};
  InvalidateRect(hwnd, &outside, FALSE);
  InvalidateRect(hwnd, &inverted, FALSE);
  EXPECT_RECT(TakeUpdate(hwnd), 0, 0, 0, 0);

  // Validating a whole band shrinks the rectangle; a hole in it cannot.
  InvalidateRect(hwnd, nullptr, FALSE);
  RECT top{0, 0, 200, 30}, hole{50, 50, 60, 60};
  ValidateRect(hwnd, &top);
  ValidateRect(hwnd, &hole);
  EXPECT_RECT(TakeUpdate(hwnd), 0, 30, 200, 100);
}

TEST_F(WindowTest, ResizeByProgramKeepsPictureAndRepaintsByClassStyle) {
  HWND redraw = Track(Make("redraw", 208, 127));
  HWND plain = Track(Make("plain", 208, 127));
  for (HWND h : {redraw, plain})
    ShowWindow(h, SW_SHOW);
  vqp::HeadlessPumpMessages();
  for (HWND h : {redraw, plain}) {
    vqp::Surface *s = vqp::WindowSurface(h);
    s->pixels[0] = 0x0000FF;              // top-left
    s->pixels[99 * 200 + 199] = 0x00FF00; // bottom-right
    EXPECT_TRUE(SetWindowPos(h, nullptr, 0, 0, 308, 227, SWP_NOMOVE | SWP_NOZORDER)); // 300 x 200
  }
  EXPECT_RECT(Client(redraw), 0, 0, 300, 200);
  EXPECT_RECT(Outer(redraw), 10, 10, 318, 237);
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(LOWORD(sizes[0]), 300);
  EXPECT_EQ(HIWORD(sizes[0]), 200);

  int w, h;
  const uint32_t *px = vqp::HeadlessPixels(plain, &w, &h);
  ASSERT_EQ(w, 300);
  EXPECT_EQ(px[0], 0x0000FFu);
  EXPECT_EQ(px[99 * 300 + 199], 0x00FF00u);
  EXPECT_EQ(px[150 * 300 + 250], 0u); // new area is black
  EXPECT_EQ(px[50 * 300 + 250], 0u);

  EXPECT_RECT(TakeUpdate(redraw), 0, 0, 300, 200);
  // Without the redraw styles only the uncovered strips need painting.
  EXPECT_RECT(TakeUpdate(plain), 0, 0, 300, 200);           // L-shaped: its bounding box
  SetWindowPos(plain, nullptr, 0, 0, 308, 327, SWP_NOMOVE); // taller only
  EXPECT_RECT(TakeUpdate(plain), 0, 200, 300, 300);
  SetWindowPos(plain, nullptr, 0, 0, 208, 127, SWP_NOMOVE); // smaller: nothing to paint
  EXPECT_RECT(TakeUpdate(plain), 0, 0, 0, 0);
  SetWindowPos(redraw, nullptr, 0, 0, 308, 127, SWP_NOMOVE); // narrower, CS_HREDRAW
  EXPECT_RECT(TakeUpdate(redraw), 0, 0, 300, 100);

  // Moving alone is not a resize.
  size_t before = sizes.size();
  SetWindowPos(redraw, nullptr, 40, 50, 0, 0, SWP_NOSIZE);
  EXPECT_RECT(Outer(redraw), 40, 50, 348, 177);
  EXPECT_EQ(sizes.size(), before);
  EXPECT_RECT(TakeUpdate(redraw), 0, 0, 0, 0);
}

TEST_F(WindowTest, ResizeByUserRepaintsAndShowsTheWholeNewPicture) {
  HWND hwnd = Track(Make("redraw", 1010, 610));
  ShowWindow(hwnd, SW_SHOW);
  vqp::HeadlessPumpMessages();
  paints = 0;
  vqp::HeadlessResizeClient(hwnd, 640, 480);
  EXPECT_RECT(Client(hwnd), 0, 0, 640, 480);
  RECT r = Outer(hwnd);
  EXPECT_EQ(r.right - r.left, 648);
  EXPECT_EQ(r.bottom - r.top, 507);
  uint64_t presents = vqp::HeadlessPresentCount();
  EXPECT_EQ(vqp::HeadlessPumpMessages(), 1);
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(vqp::HeadlessPresentCount(), presents + 1);
  EXPECT_EQ(vqp::HeadlessLastPresentArea(), 640 * 480);

  // Minimised to nothing and back; absurd sizes are clamped, not allocated.
  vqp::HeadlessResizeClient(hwnd, 0, 0);
  EXPECT_EQ(vqp::HeadlessPumpMessages(), 0);
  vqp::HeadlessResizeClient(hwnd, -5, 4096);
  EXPECT_RECT(Client(hwnd), 0, 0, 0, 4096);
  SetWindowPos(hwnd, nullptr, 2147483647, 2147483647, 2147483647, 127, 0);
  EXPECT_RECT(Client(hwnd), 0, 0, 8192, 100);
  r = Outer(hwnd);
  EXPECT_GE(r.right, r.left); // no overflow
  EXPECT_GE(r.bottom, r.top);
  SetWindowPos(hwnd, nullptr, 0, 0, 1010, 610, 0);
  EXPECT_RECT(Client(hwnd), 0, 0, 1002, 583);
}

TEST_F(WindowTest, BadHandlesGetTheFailureValue) {
  HWND dead = Make("plain", 100, 100);
  ASSERT_TRUE(DestroyWindow(dead));
  HWND bogus = reinterpret_cast<HWND>(static_cast<uintptr_t>(0xDEADBEE0));
  for (HWND h : {static_cast<HWND>(nullptr), dead, bogus}) {
    SCOPED_TRACE(reinterpret_cast<uintptr_t>(h));
    RECT r{1, 2, 3, 4};
    char text[8] = "x";
    PAINTSTRUCT ps;
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(GetClientRect(h, &r));
    EXPECT_FALSE(GetWindowRect(h, &r));
    EXPECT_RECT(r, 1, 2, 3, 4);
    EXPECT_EQ(GetWindowTextA(h, text, sizeof text), 0);
    EXPECT_EQ(GetClassNameA(h, text, sizeof text), 0);
    EXPECT_FALSE(ShowWindow(h, SW_SHOW));
    EXPECT_FALSE(UpdateWindow(h));
    EXPECT_FALSE(ValidateRect(h, nullptr));
    EXPECT_FALSE(SetWindowPos(h, nullptr, 0, 0, 10, 10, 0));
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_EQ(BeginPaint(h, &ps), nullptr);
    EXPECT_FALSE(EndPaint(h, &ps));
    EXPECT_EQ(vqp::WindowSurface(h), nullptr);
    EXPECT_EQ(vqp::HeadlessPixels(h, nullptr, nullptr), nullptr);
    vqp::HeadlessClick(h, 1, 1);
    vqp::HeadlessResizeClient(h, 10, 10);
    vqp::HeadlessClose(h);
    if (h != nullptr) {
      EXPECT_FALSE(InvalidateRect(h, nullptr, FALSE));
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    }
  }
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)); // no input was queued for them

  HWND live = Track(Make("plain", 100, 100));
  EXPECT_FALSE(GetClientRect(live, nullptr));
  EXPECT_EQ(GetWindowTextA(live, nullptr, 10), 0);
  char one[1];
  EXPECT_EQ(GetWindowTextA(live, one, 1), 0);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(BeginPaint(live, nullptr), nullptr);
  EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
  EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
  EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
}

TEST_F(WindowTest, DestroyingFromInsideItsOwnMessagesIsSafe) {
  HWND hwnd = Track(Make("plain", 100, 100));
  // WM_CLOSE through the default handling destroys during a send.
  EXPECT_EQ(SendMessageA(hwnd, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(IsWindow(hwnd));
  // During WM_DESTROY the window still exists, and destroying it again is harmless.
  EXPECT_EQ(destroyAgain, (std::vector<BOOL>{TRUE, TRUE}));
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

// Full screen the Win32 way: the caption and frame taken off, the monitor
// covered; and the window put back from its placement.
TEST_F(WindowTest, WithoutFrameOverItsWholeMonitorAWindowIsFullScreenUntilPutBack) {
  vqp::HeadlessSetMonitor(800, 600);
  HWND h = Track(Make("redraw", 410, 327));
  ASSERT_TRUE(h);
  const LONG style = GetWindowLongA(h, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_VISIBLE), WS_CAPTION | WS_THICKFRAME);
  ShowWindow(h, SW_SHOW);
  EXPECT_EQ(GetWindowLongA(h, GWL_STYLE), style | WS_VISIBLE);

  WINDOWPLACEMENT placement{};
  EXPECT_FALSE(GetWindowPlacement(h, &placement)) << "its length unset";
  placement.length = sizeof placement;
  ASSERT_TRUE(GetWindowPlacement(h, &placement));
  EXPECT_EQ(placement.showCmd, UINT(SW_SHOWNORMAL));
  EXPECT_RECT(placement.rcNormalPosition, 10, 10, 420, 337);

  MONITORINFO info{};
  const HMONITOR monitor = MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST);
  EXPECT_FALSE(GetMonitorInfoA(monitor, &info)) << "its size unset";
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoA(monitor, &info));
  EXPECT_RECT(info.rcMonitor, 0, 0, 800, 600);
  EXPECT_EQ(info.dwFlags, DWORD(MONITORINFOF_PRIMARY));
  EXPECT_EQ(MonitorFromWindow(nullptr, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY), monitor);

  // The style alone changes nothing until the frame is changed.
  EXPECT_EQ(SetWindowLongA(h, GWL_STYLE, style & ~(WS_CAPTION | WS_THICKFRAME)),
            style | WS_VISIBLE);
  EXPECT_RECT(Client(h), 0, 0, 402, 300);
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
  EXPECT_RECT(Client(h), 0, 0, 410, 327);
  EXPECT_FALSE(vqp::HeadlessIsFullScreen(h)) << "not over the whole monitor";

  SetWindowPos(h, HWND_TOP, 0, 0, 800, 600, SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
  EXPECT_RECT(Client(h), 0, 0, 800, 600);
  EXPECT_TRUE(vqp::HeadlessIsFullScreen(h));
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back(), MAKELPARAM(800, 600));

  SetWindowLongA(h, GWL_STYLE, style);
  ASSERT_TRUE(SetWindowPlacement(h, &placement));
  EXPECT_FALSE(vqp::HeadlessIsFullScreen(h));
  EXPECT_RECT(Outer(h), 10, 10, 420, 337);
  EXPECT_RECT(Client(h), 0, 0, 402, 300);
  placement.length = 0;
  EXPECT_FALSE(SetWindowPlacement(h, &placement));
  vqp::HeadlessSetMonitor(1920, 1080);
}

TEST_F(WindowTest, ADensityChangeIsSentWithTheRectangleThatKeepsTheSizeOnTheGlass) {
  HWND h = Track(Make("redraw", 410, 327));
  ASSERT_TRUE(h);
  EXPECT_EQ(GetDpiForWindow(h), 96u);
  EXPECT_EQ(GetDpiForWindow(nullptr), 0u);
  vqp::HeadlessSetDpi(120);
  EXPECT_EQ(GetDpiForWindow(h), 120u);
  ASSERT_EQ(dpiChanges.size(), 1u);
  EXPECT_EQ(dpiChanges[0].dpi, MAKEWPARAM(120, 120));
  // The client area 402 x 300 at 5/4, the frame as it is.
  EXPECT_RECT(dpiChanges[0].suggested, 10, 10, 10 + 503 + 8, 10 + 375 + 27);
  vqp::HeadlessSetDpi(120); // no change, no message
  EXPECT_EQ(dpiChanges.size(), 1u);
  vqp::HeadlessSetDpi(96);
  EXPECT_EQ(dpiChanges.size(), 2u);
}

} // namespace
