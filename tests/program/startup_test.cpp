// Start-up: the window as it opens, and how the process ends.
#include <gtest/gtest.h>

#include <cstdlib>

#include "animation/animation_state.h"
#include "app/application.h"
#include "app/window_proc.h"
#include "graphics/graphics_state.h"
#include "tests/support/program_checks.h"

#ifndef _WIN32
#include "platform/host.h"
#endif

namespace {

TEST(Startup, TheWindowOpensAt10By10With1010By610AndItsTitle) {
  const RECT r = InitialWindowRect();
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right - r.left, 1010);
  EXPECT_EQ(r.bottom - r.top, 610);
  char text[64] = {};
  GetWindowTextA(TestWindow(), text, sizeof text);
  EXPECT_STREQ(text, "VELQOR: NEGATIVE FREQUENCY");
  GetClassNameA(TestWindow(), text, sizeof text);
  EXPECT_STREQ(text, "VELQOR: NEGATIVE FREQUENCY");
}

#ifndef _WIN32
// These run the program in a process of its own (the window class can be
// registered only once per process), re-executed so that no window exists yet.
class StartupDeathTest : public testing::Test {
protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(StartupDeathTest, NoWindowSaysWhyAndExitsWith1) {
  EXPECT_EXIT(
      {
        vqp::HeadlessFailWindowOpens("no display; set DISPLAY or run under xvfb-run");
        std::exit(StartApplication());
      },
      testing::ExitedWithCode(1),
      "^velqor: cannot open a window: no display; set DISPLAY or run under xvfb-run\n$");
}

// A start-up that cannot have its class, its device context or its timer says
// which and why in one line and ends with code 1: a program that could not run
// must not report success.
TEST_F(StartupDeathTest, AClassThatCannotBeRegisteredSaysSoAndExitsWith1) {
  EXPECT_EXIT(
      {
        WNDCLASSA taken = {};
        taken.lpfnWndProc = DefWindowProcA;
        taken.lpszClassName = "VELQOR: NEGATIVE FREQUENCY";
        RegisterClassA(&taken);
        std::exit(StartApplication());
      },
      testing::ExitedWithCode(1),
      "^velqor: cannot register the window class: Class already exists\n$");
}

TEST_F(StartupDeathTest, NoDeviceContextSaysSoAndExitsWith1) {
  EXPECT_EXIT(
      {
        // Every GDI object the process may have is taken, so GetDC has none to give.
        while (CreateSolidBrush(0) != nullptr) {
        }
        std::exit(StartApplication());
      },
      testing::ExitedWithCode(1), "^velqor: cannot draw in the window: Not enough memory[^\n]*\n$");
}

TEST_F(StartupDeathTest, NoTimerSaysSoAndExitsWith1) {
  EXPECT_EXIT(
      {
        // Every timer the process may have is taken.
        while (SetTimer(nullptr, 0, 1000, nullptr) != 0) {
        }
        std::exit(StartApplication());
      },
      testing::ExitedWithCode(1),
      "^velqor: cannot start the animation timer: The current process has used all[^\n]*\n$");
}

// On a monitor of 144 DPI the window opens with 1.5 pixels for each designed
// one, so that it has its designed size on the glass.
TEST_F(StartupDeathTest, OnADenseMonitorTheWindowOpensAtItsSizeTimesTheDensity) {
  EXPECT_EXIT(
      {
        vqp::HeadlessSetDpi(144);
        if (!PrepareApplication())
          std::exit(4);
        RECT client{};
        GetClientRect(GraphicsState.MainWindow, &client);
        std::exit(client.right == 1503 && client.bottom == 875 ? 0 : 5);
      },
      testing::ExitedWithCode(0), "");
}

// The whole program through its own message loop: the first paint comes
// before the first tick, clicks arrive as the system delivers them, and
// closing the window ends the loop.
TEST_F(StartupDeathTest, ClosingTheWindowEndsTheLoopWithCode0) {
  EXPECT_EXIT(
      {
        if (!PrepareApplication())
          std::exit(4);
        HWND window = GraphicsState.MainWindow;
        vqp::HeadlessAdvanceClock(TimerPeriodMs);
        vqp::HeadlessPumpMessages();
        if (AnimationState.AngleDeg != 10 || GraphicsState.MaxX == 0)
          std::exit(5); // the first paint, then exactly one tick
        vqp::HeadlessClick(window, 50, 50);
        vqp::HeadlessAdvanceClock(TimerPeriodMs);
        vqp::HeadlessPumpMessages();
        if (AnimationState.Stage != 1 || AnimationState.StageEntered)
          std::exit(6);
        vqp::HeadlessClose(window);
        RunMessageLoop();
        std::exit(IsWindow(window) ? 7 : 0);
      },
      testing::ExitedWithCode(0), "");
}
#endif

} // namespace
