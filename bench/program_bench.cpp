// What one animation tick of each stage costs the program itself, on the
// headless backend (no presenting): the window procedure's handling of
// WM_TIMER, timed tick by tick, over the ticks in which the stage still moves,
// in the normal window and in presentation mode on 1920 x 1080 and 3840 x 2160
// monitors. Reports the median and the 99th percentile of single ticks in
// microseconds. And what a whole repaint and a switch to full screen and back
// cost there.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "animation/animation_state.h"
#include "app/presentation_mode.h"
#include "app/settings.h"
#include "platform/host.h"
#include "scenes/stage_table.h"
#include "tools/driver/program_driver.h"

namespace {

// The screens: the normal window (1002 x 583), and full screen on a 1920 x
// 1080 and a 3840 x 2160 monitor.
constexpr int Monitors[][2] = {{1002, 583}, {1920, 1080}, {3840, 2160}};

void UseScreen(int screen) {
  const HWND window = ProgramWindow();
  LeaveFullScreen(window);
  vqp::HeadlessSetMonitor(Monitors[screen][0], Monitors[screen][1]);
  if (screen > 0)
    EnterFullScreen(window);
  Paint();
}

const char *ScreenName(int screen) {
  return screen == 0 ? "window 1002x583" : screen == 1 ? "full 1920x1080" : "full 3840x2160";
}

// The start of `stage` as a user reaches it, with each earlier stage finished:
// the designed stages in the designed lesson, the full lesson's turn of the
// view (4) in its positive cycle and both together (5) in its negative one.
void EnterStage(int stage) {
  Settings.Picture.FullLesson = stage >= 4;
  StartAtStage(stage, stage == 5);
  Paint();
}

// Ticks in which the stage still moves: a full turn, the narrowing, the slide,
// the pull, the view's turn, a full turn of both together.
constexpr int MovingTicks[] = {72, 100, 181, 362, 100, 72};

void BM_Tick(benchmark::State &state) {
  const int stage = static_cast<int>(state.range(0));
  UseScreen(static_cast<int>(state.range(1)));
  state.SetLabel(ScreenName(static_cast<int>(state.range(1))));
  std::vector<double> ticks;
  int left = 0;
  for (auto _ : state) {
    if (left == 0) {
      EnterStage(stage);
      left = MovingTicks[stage];
    }
    const auto start = std::chrono::steady_clock::now();
    Tick();
    const auto end = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(end - start).count();
    state.SetIterationTime(seconds);
    ticks.push_back(seconds);
    --left;
  }
  std::sort(ticks.begin(), ticks.end());
  state.counters["median_us"] = ticks[ticks.size() / 2] * 1e6;
  state.counters["p99_us"] = ticks[ticks.size() * 99 / 100] * 1e6;
}

// A full repaint of the client area (start-up, resize, reset).
void BM_PaintScene(benchmark::State &state) {
  UseScreen(static_cast<int>(state.range(0)));
  state.SetLabel(ScreenName(static_cast<int>(state.range(0))));
  EnterStage(0);
  for (auto _ : state)
    Paint();
}

// F11 and the repaint that follows it, into full screen and back, as the
// program does them (the layer's part of the switch included, not the screen's).
void BM_FullScreenSwitch(benchmark::State &state) {
  UseScreen(0);
  vqp::HeadlessSetMonitor(Monitors[state.range(0)][0], Monitors[state.range(0)][1]);
  state.SetLabel(ScreenName(static_cast<int>(state.range(0))));
  const HWND window = ProgramWindow();
  for (auto _ : state) {
    Key(VK_F11);
    Paint();
  }
  LeaveFullScreen(window);
}

BENCHMARK(BM_Tick)
    ->ArgNames({"stage", "screen"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1, 2}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(7240);
BENCHMARK(BM_PaintScene)->ArgName("screen")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullScreenSwitch)->ArgName("screen")->DenseRange(1, 2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
