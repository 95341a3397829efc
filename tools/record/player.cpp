#include "tools/record/player.h"

#include <algorithm>

#include "animation/animation_state.h"
#include "app/application.h"
#include "app/presentation_mode.h"
#include "app/settings.h"
#include "platform/host.h"
#include "scenes/stage_table.h"
#include "tools/driver/program_driver.h"

namespace record {
namespace {

const char *const kEnded = "the program ended its message loop";

const char *ShownName(int32_t stage) {
  return CycleStage(stage < CycleLength() ? stage : RotateStage).Name;
}

} // namespace

int StageCounter::Update(int32_t stage, int32_t cycleLength) {
  if (stage >= cycleLength) {
    if (!resetting_) {
      cycleStart_ += cycleLength;
      stage_ = RotateStage;
    }
    resetting_ = true;
  } else {
    // Back to an earlier stage without the reset being seen: a new cycle too.
    if (!resetting_ && stage < stage_)
      cycleStart_ += cycleLength_;
    resetting_ = false;
    stage_ = stage;
  }
  cycleLength_ = cycleLength;
  return Current();
}

bool StartPlaying(Options &o, std::string &error) {
  // The program's own start-up, as StartApplication runs it, without its loop;
  // in presentation mode full screen on a monitor of the size.
  vqp::HeadlessSetMonitor(o.width, o.height);
  StartOptions start = o.program;
  start.ClientWidth = o.width;
  start.ClientHeight = o.height;
  if (!StartProgram(start))
    return (error = "the program could not start (said above)", false);
  if (o.present)
    EnterFullScreen(ProgramWindow());
  if (!DispatchReady())
    return (error = kEnded, false);
  if (o.stageAlone)
    o.ticks = std::min(kMaxTicks, TicksOfStageAlone(ShownName(AnimationState.Stage)));
  return true;
}

bool Play(const Options &o, const FrameHandler &onFrame, const TickHandler &onTick,
          std::string &error) {
  // As the program runs at the speed: its timer's period passes, and the
  // message that comes then plays one tick, or two.
  const UINT period = TimerPeriodOf(o.program.TickRate);
  const int64_t perMessage = TicksPerTimerMessage(o.program.TickRate);
  // The tick of the frame after the one at `tick`: the next multiple of
  // every, where a message ends.
  const auto nextFrame = [&](int64_t tick) {
    const int64_t due = (tick / o.every + 1) * o.every;
    return (due + perMessage - 1) / perMessage * perMessage;
  };
  StageCounter stages(AnimationState.Stage);
  const auto stageNow = [&] { return stages.Update(AnimationState.Stage, CycleLength()); };
  FrameAt frame{0, 0, nextFrame(0), stageNow(), ShownName(AnimationState.Stage)};
  if (!onFrame(frame, FramePixels(), error))
    return false;
  auto click = o.clicks.begin();
  for (int64_t tick = perMessage; tick <= o.ticks; tick += perMessage) {
    // A click arrives before the message that plays its tick.
    for (; click != o.clicks.end() && *click <= tick; ++click)
      QueueClick();
    vqp::HeadlessAdvanceClock(period); // the timer falls due once
    if (!DispatchReady())
      return (error = kEnded, false);
    const int stage = stageNow();
    if (tick == frame.next) {
      frame = {frame.index + 1, tick, nextFrame(tick), stage, ShownName(AnimationState.Stage)};
      if (!onFrame(frame, FramePixels(), error))
        return false;
    }
    if (!onTick(tick))
      return (error = "interrupted; nothing written", false);
  }
  return true;
}

} // namespace record
