// The message queue on the headless backend: Windows' order (posted, input,
// paint, timer), merged timer ticks, the blocking loop on the virtual clock,
// quitting and closing, and what reaches the screen.
#include <gtest/gtest.h>

#include <vector>

#include "platform/host.h"
#include "platform/portable/backend.h"
#include "platform/portable/layer.h"
#include "platform/win32.h"
#include "tests/platform/window_fixture.h"

namespace {

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Seen &) const = default;
};
std::vector<Seen> seen;
bool validatePaint = true;
int quitOnTick = 0; // post WM_QUIT with this tick count, 0: never
int ticks = 0;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_CREATE && msg != WM_SIZE)
    seen.push_back({msg, wParam, lParam});
  if (msg == WM_TIMER && ++ticks == quitOnTick)
    PostQuitMessage(7);
  if (msg == WM_DESTROY)
    PostQuitMessage(0);
  if (msg == WM_PAINT && !validatePaint)
    return 0;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::vector<UINT> Messages() {
  std::vector<UINT> out;
  for (const Seen &s : seen)
    out.push_back(s.message);
  return out;
}

// Messages dispatched once the virtual clock has moved on by `ms`.
int PumpAfter(uint64_t ms) {
  vqp::HeadlessAdvanceClock(ms);
  return vqp::HeadlessPumpMessages();
}

class MessagesTest : public ::testing::Test {
protected:
  HWND hwnd = nullptr;

  void SetUp() override {
    hwnd = OpenTestWindow("messages test", RecordingProc, 0, 0, 208, 127);
    ASSERT_NE(hwnd, nullptr);
    seen.clear();
    validatePaint = true;
    quitOnTick = 0;
    ticks = 0;
  }

  void TearDown() override { DestroyAndDrain({hwnd}); }
};

TEST_F(MessagesTest, PostedThenInputThenPaintThenTimer) {
  ShowWindow(hwnd, SW_SHOW);
  ASSERT_NE(SetTimer(hwnd, 65535, 20, nullptr), 0u);
  vqp::HeadlessAdvanceClock(20);
  vqp::HeadlessClick(hwnd, 30, 40);
  PostMessageA(hwnd, WM_USER, 1, 0);
  PostMessageA(hwnd, WM_USER, 2, 0);

  EXPECT_EQ(vqp::HeadlessPumpMessages(), 6);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_USER, WM_USER, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_PAINT,
                                           WM_TIMER}));
  EXPECT_EQ(seen[0].wParam, 1u);
  EXPECT_EQ(seen[1].wParam, 2u);
  EXPECT_EQ(GET_X_LPARAM(seen[2].lParam), 30);
  EXPECT_EQ(GET_Y_LPARAM(seen[2].lParam), 40);
  EXPECT_EQ(seen[2].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(seen[5].wParam, 65535u);
}

// Keys come as input, in the order pressed, with Win32's keystroke data: a
// second press without a release is an auto-repeat (bit 30), a release has bits
// 30 and 31, and with Alt held they are system keys (bit 29). A keyboard that
// went elsewhere leaves no key down.
TEST_F(MessagesTest, KeysArriveAsKeystrokesWithTheirData) {
  PostMessageA(hwnd, WM_USER, 0, 0);
  vqp::HeadlessKeyDown(hwnd, VK_NEXT);
  vqp::HeadlessKeyDown(hwnd, VK_NEXT);
  vqp::HeadlessKeyUp(hwnd, VK_NEXT);
  vqp::HeadlessKeyDown(hwnd, VK_RETURN, true);
  vqp::HeadlessKeyUp(hwnd, VK_RETURN, true);
  vqp::HeadlessKeyDown(hwnd, 'B');
  vqp::LayerKeyboardLost();
  vqp::HeadlessKeyDown(hwnd, 'B');
  vqp::HeadlessPumpMessages();
  const std::vector<Seen> expected = {
      {WM_USER, 0, 0},
      {WM_KEYDOWN, VK_NEXT, 0x00000001},
      {WM_KEYDOWN, VK_NEXT, 0x40000001},
      {WM_KEYUP, VK_NEXT, static_cast<LPARAM>(0xC0000001u)},
      {WM_SYSKEYDOWN, VK_RETURN, 0x20000001},
      {WM_SYSKEYUP, VK_RETURN, static_cast<LPARAM>(0xE0000001u)},
      {WM_KEYDOWN, 'B', 0x00000001},
      {WM_KEYDOWN, 'B', 0x00000001},
  };
  EXPECT_EQ(seen, expected);
  MSG key = {hwnd, WM_KEYDOWN, VK_NEXT, 1, 0, {0, 0}};
  EXPECT_TRUE(TranslateMessage(&key));
  key.message = WM_LBUTTONDOWN;
  EXPECT_FALSE(TranslateMessage(&key));
}

TEST_F(MessagesTest, TimerWaitsWhilePaintIsPending) {
  ShowWindow(hwnd, SW_SHOW);
  SetTimer(hwnd, 1, 20, nullptr);
  vqp::HeadlessAdvanceClock(100);
  validatePaint = false; // the paint stays pending, so the tick never comes
  MSG m;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageA(&m);
  }
  validatePaint = true;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  DispatchMessageA(&m); // this paint validates
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_TIMER));
}

TEST_F(MessagesTest, LateTicksMergeAndAreNotMadeUpAndTheTimerKeepsItsBeat) {
  SetTimer(hwnd, 9, 20, nullptr); // beats at 20, 40, 60, ... ms from now
  EXPECT_EQ(PumpAfter(19), 0);

  EXPECT_EQ(PumpAfter(10 * 20), 1); // at 219, ten beats late: still one tick
  EXPECT_EQ(vqp::HeadlessPumpMessages(), 0);

  // The next tick comes on the beat (220), not a period after the late one,
  // and the missed beats are not made up.
  EXPECT_EQ(PumpAfter(1), 1);
  EXPECT_EQ(PumpAfter(19), 0);
  EXPECT_EQ(PumpAfter(1), 1);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_TIMER, WM_TIMER, WM_TIMER}));

  // A loop that wakes a little late for every beat (0 to 7 ms, as a busy
  // system does) still gets a tick on every beat: lateness does not add up.
  uint64_t beat = vqp::HeadlessNow();
  uint64_t lateness = 0;
  for (int i = 0; i < 100; ++i) {
    uint64_t next = beat + 20 + (i * 5) % 8;
    vqp::HeadlessAdvanceClock(next - (beat + lateness));
    beat += 20;
    lateness = next - beat;
    ASSERT_EQ(vqp::HeadlessPumpMessages(), 1) << "beat " << i << ", " << lateness << " ms late";
  }

  // Two timers that are both late give one tick each.
  SetTimer(hwnd, 10, 30, nullptr);
  seen.clear();
  EXPECT_EQ(PumpAfter(1000), 2);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[0].wParam, seen[1].wParam);

  EXPECT_TRUE(KillTimer(hwnd, 9));
  EXPECT_FALSE(KillTimer(hwnd, 9));
  seen.clear();
  EXPECT_EQ(PumpAfter(1000), 1);
  EXPECT_EQ(seen[0].wParam, 10u);
}

TEST_F(MessagesTest, GetMessageRunsOnTheVirtualClockUntilQuit) {
  ShowWindow(hwnd, SW_SHOW);
  SetTimer(hwnd, 65535, 20, nullptr);
  quitOnTick = 5;
  uint64_t start = vqp::HeadlessNow();
  MSG m;
  int loops = 0;
  BOOL r;
  while ((r = GetMessageA(&m, nullptr, 0, 0)) > 0 && loops < 100) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    ++loops;
  }
  EXPECT_EQ(r, 0);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 7u);
  EXPECT_EQ(loops, 6); // one paint, five ticks
  EXPECT_EQ(vqp::HeadlessNow() - start, 100u);
  EXPECT_EQ(Messages().front(), static_cast<UINT>(WM_PAINT));
}

// Waiting with no timer while no input can arrive would never end: the loop is
// ended with WM_QUIT (exit code 0) and a note. A caller that keeps waiting is
// told once, until something happens again.
TEST_F(MessagesTest, GetMessageWithNothingLeftToWaitForEndsTheLoop) {
  auto wait = [](MSG &m) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), 0);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(m.wParam, 0u);
    return testing::internal::GetCapturedStderr();
  };
  MSG m;
  PostQuitMessage(3); // a quit of the program's own comes first, without a note
  testing::internal::CaptureStderr();
  EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), 0);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

  EXPECT_EQ(wait(m), "portable layer: the message loop waits with no timer and no input that "
                     "could arrive; ending it with WM_QUIT\n");
  EXPECT_EQ(wait(m), "");
  EXPECT_EQ(wait(m), "");
  PostMessageA(hwnd, WM_USER, 0, 0);
  ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), 1);
  EXPECT_NE(wait(m), "");
}

TEST_F(MessagesTest, CloseDestroysAndEndsTheLoop) {
  ShowWindow(hwnd, SW_SHOW);
  SetTimer(hwnd, 65535, 20, nullptr);
  vqp::HeadlessPumpMessages();
  PostMessageA(hwnd, WM_USER, 0, 0);
  vqp::HeadlessClose(hwnd);
  seen.clear();

  MSG m;
  int loops = 0;
  while (GetMessageA(&m, nullptr, 0, 0) > 0 && loops < 100) {
    DispatchMessageA(&m);
    ++loops;
  }
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_USER, WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(m.wParam, 0u);

  // Its timer and queued messages went with it.
  vqp::HeadlessAdvanceClock(1000);
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, DestroyDropsPostedMessagesAndTimers) {
  SetTimer(hwnd, 3, 20, nullptr);
  PostMessageA(hwnd, WM_USER, 0, 0);
  EXPECT_TRUE(DestroyWindow(hwnd));
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_DESTROY}));
  vqp::HeadlessAdvanceClock(100);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT)); // posted by WM_DESTROY
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(DestroyWindow(hwnd));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(MessagesTest, FiltersAndNoRemove) {
  HWND other =
      CreateWindowExA(0, "messages test", "o", 0, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  PostMessageA(other, WM_USER + 1, 0, 0);
  PostMessageA(hwnd, WM_USER + 2, 0, 0);
  PostMessageA(nullptr, WM_USER + 3, 0, 0); // thread message

  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, hwnd, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 2));
  ASSERT_TRUE(PeekMessageA(&m, hwnd, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 2));
  EXPECT_FALSE(PeekMessageA(&m, hwnd, 0, 0, PM_REMOVE));

  ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
  EXPECT_EQ(m.hwnd, nullptr);
  ASSERT_EQ(GetMessageA(&m, nullptr, 0, 0), 1);
  EXPECT_EQ(m.hwnd, other);
  EXPECT_EQ(DispatchMessageA(&m), 0);
  DestroyWindow(other);
}

TEST_F(MessagesTest, BadArgumentsFailTheWin32Way) {
  MSG m;
  HWND bogus = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234));
  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
  EXPECT_EQ(GetMessageA(&m, bogus, 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PeekMessageA(&m, bogus, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PostMessageA(bogus, WM_USER, 0, 0));
  EXPECT_EQ(SendMessageA(bogus, WM_USER, 0, 0), 0);
  EXPECT_EQ(SendMessageA(nullptr, WM_USER, 0, 0), 0);
  EXPECT_EQ(SetTimer(bogus, 1, 20, nullptr), 0u);
  EXPECT_FALSE(KillTimer(bogus, 1));
  EXPECT_EQ(DispatchMessageA(nullptr), 0);
  MSG stale{bogus, WM_USER, 0, 0, 0, {0, 0}};
  EXPECT_EQ(DispatchMessageA(&stale), 0);
  EXPECT_EQ(DefWindowProcA(bogus, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(seen.empty());
}

int callbackTicks = 0;
void CALLBACK CountTick(HWND, UINT msg, UINT_PTR, DWORD) {
  if (msg == WM_TIMER)
    ++callbackTicks;
}

TEST_F(MessagesTest, ThreadTimersAndCallbacks) {
  UINT_PTR a = SetTimer(nullptr, 0, 20, CountTick);
  UINT_PTR b = SetTimer(nullptr, 0, 20, CountTick);
  ASSERT_NE(a, 0u);
  EXPECT_NE(a, b);
  callbackTicks = 0;
  EXPECT_EQ(PumpAfter(20), 2);
  EXPECT_EQ(callbackTicks, 2);
  EXPECT_TRUE(seen.empty()); // the window procedure saw none of them
  EXPECT_TRUE(KillTimer(nullptr, a));
  EXPECT_TRUE(KillTimer(nullptr, b));

  // A window timer with a callback goes to the callback, not the procedure.
  SetTimer(hwnd, 4, 5, CountTick); // raised to Windows' 10 ms minimum
  callbackTicks = 0;
  EXPECT_EQ(PumpAfter(9), 0);
  EXPECT_EQ(PumpAfter(1), 1);
  EXPECT_EQ(callbackTicks, 1);
  EXPECT_TRUE(seen.empty());
}

TEST_F(MessagesTest, OnlyTheChangedPartIsPresentedOncePerMessage) {
  ShowWindow(hwnd, SW_SHOW);
  uint64_t before = vqp::HeadlessPresentCount();
  vqp::HeadlessPumpMessages();
  // Showing sends the whole client area once: 200 x 100.
  EXPECT_EQ(vqp::HeadlessPresentCount(), before + 1);
  EXPECT_EQ(vqp::HeadlessLastPresentArea(), 200 * 100);

  vqp::Surface *s = vqp::WindowSurface(hwnd);
  ASSERT_NE(s, nullptr);
  s->pixels[5 * s->width + 7] = 0xFFFFFF;
  vqp::MarkDirty(*s, {7, 5, 8, 6});
  vqp::MarkDirty(*s, {10, 10, 14, 12});
  vqp::HeadlessPumpMessages();
  EXPECT_EQ(vqp::HeadlessPresentCount(), before + 2);
  EXPECT_EQ(vqp::HeadlessLastPresentArea(), 7 * 7);
  EXPECT_TRUE(s->dirty.Empty());

  vqp::HeadlessPumpMessages(); // nothing changed: nothing shown
  EXPECT_EQ(vqp::HeadlessPresentCount(), before + 2);

  // A hidden window is not shown; its changes wait until it is.
  ShowWindow(hwnd, SW_HIDE);
  vqp::MarkDirty(*s, {0, 0, 2, 2});
  vqp::HeadlessPumpMessages();
  EXPECT_EQ(vqp::HeadlessPresentCount(), before + 2);
}

TEST_F(MessagesTest, PaintsOnlyVisibleInvalidWindowsAndUpdateWindowPaintsNow) {
  // A hidden window is not painted, however invalid.
  InvalidateRect(hwnd, nullptr, TRUE);
  EXPECT_TRUE(UpdateWindow(hwnd));
  EXPECT_EQ(vqp::HeadlessPumpMessages(), 0);
  EXPECT_TRUE(seen.empty());

  ShowWindow(hwnd, SW_SHOW);
  EXPECT_TRUE(UpdateWindow(hwnd));
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_PAINT}));
  EXPECT_TRUE(UpdateWindow(hwnd)); // now valid: no paint
  EXPECT_EQ(seen.size(), 1u);
  RECT r{1, 1, 5, 5};
  InvalidateRect(hwnd, &r, FALSE);
  UpdateWindow(hwnd);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_FALSE(UpdateWindow(nullptr));
}

} // namespace
