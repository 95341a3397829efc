// What one animation tick of each stage costs the program itself, on the
// headless backend (no presenting): the window procedure's handling of
// WM_TIMER, timed tick by tick, over the ticks in which the stage still moves.
// Reports the median and the 99th percentile of single ticks in microseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "animation/animation_state.h"
#include "app/application.h"
#include "app/window_proc.h"
#include "graphics/graphics_state.h"

namespace {

HWND ProgramWindow() {
  static HWND window = [] {
    PrepareApplication();
    return GraphicsState.MainWindow;
  }();
  return window;
}

void Tick() { WindowProc(ProgramWindow(), WM_TIMER, TimerId, 0); }

void RunStage(int stage) {
  for (int i = 0; i < 400 && AnimationState.Stage == stage; ++i) {
    Tick();
    if ((stage == TiltStage && AnimationState.ApparentWidth <= 0) ||
        (stage == SlideStage && AnimationState.PlaneX <= -2))
      break;
  }
}

// The start of `stage` as a user reaches it, with each earlier stage finished.
void EnterStage(int stage) {
  InitAnimationState();
  WindowProc(ProgramWindow(), WM_PAINT, 0, 0);
  for (int s = 0; s < stage; ++s) {
    if (s > 0)
      RunStage(s);
    EnterNextStage();
  }
}

// Ticks in which the stage still moves: a full turn, the narrowing, the slide, the pull.
constexpr int MovingTicks[] = {72, 100, 181, 362};

void BM_Tick(benchmark::State &state) {
  const int stage = static_cast<int>(state.range(0));
  ProgramWindow();
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

// A full repaint of the 1002 x 583 client area (start-up, resize, reset).
void BM_PaintScene(benchmark::State &state) {
  EnterStage(0);
  for (auto _ : state)
    WindowProc(ProgramWindow(), WM_PAINT, 0, 0);
}

BENCHMARK(BM_Tick)
    ->ArgName("stage")
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(7240);
BENCHMARK(BM_PaintScene)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
