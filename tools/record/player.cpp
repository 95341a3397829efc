#include "tools/record/player.h"

#include "animation/animation_state.h"
#include "app/application.h"
#include "app/presentation_mode.h"
#include "graphics/graphics_state.h"
#include "platform/portable/headless.h"
#include "platform/win32.h"

namespace record {
namespace {

// Dispatches what is ready: input first, then paint requests, then the tick.
bool Pump(std::string &error) {
  bool quit = false;
  vqp::HeadlessPumpMessages(&quit);
  if (quit)
    error = "the program ended its message loop";
  return !quit;
}

} // namespace

int StageCounter::Update(int32_t stage) {
  if (stage >= ResetStage) {
    if (!resetting_) {
      ++cycle_;
      stage_ = RotateStage;
    }
    resetting_ = true;
  } else {
    // Back to an earlier stage without the reset being seen: a new cycle too.
    if (!resetting_ && stage < stage_)
      ++cycle_;
    resetting_ = false;
    stage_ = stage;
  }
  return Current();
}

bool Play(const Options &o, const FrameHandler &onFrame, const TickHandler &onTick,
          std::string &error) {
  // The program's own start-up, as StartApplication runs it, without its loop;
  // in presentation mode full screen on a monitor of the size.
  vqp::HeadlessSetMonitor(o.width, o.height);
  if (!PrepareApplication({o.width, o.height})) {
    error = "the program could not start (said above)";
    return false;
  }
  const HWND window = GraphicsState.MainWindow;
  if (o.present)
    EnterFullScreen(window);
  if (!Pump(error))
    return false;

  StageCounter stages;
  FrameAt frame{0, 0, stages.Update(AnimationState.Stage)};
  if (!onFrame(frame, vqp::HeadlessPixels(window, nullptr, nullptr), error))
    return false;
  auto click = o.clicks.begin();
  for (int64_t tick = 1; tick <= o.ticks; ++tick) {
    for (; click != o.clicks.end() && *click == tick; ++click)
      vqp::HeadlessClick(window, o.width / 2, o.height / 2);
    vqp::HeadlessAdvanceClock(TimerPeriodMs); // the timer falls due once
    if (!Pump(error))
      return false;
    const int stage = stages.Update(AnimationState.Stage);
    if (tick % o.every == 0) {
      frame = {frame.index + 1, tick, stage};
      if (!onFrame(frame, vqp::HeadlessPixels(window, nullptr, nullptr), error))
        return false;
    }
    if (!onTick(tick)) {
      error = "interrupted; nothing written";
      return false;
    }
  }
  return true;
}

} // namespace record
