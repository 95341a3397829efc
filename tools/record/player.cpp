#include "tools/record/player.h"

#include "animation/animation_state.h"
#include "app/application.h"
#include "app/presentation_mode.h"
#include "platform/host.h"
#include "scenes/stage_table.h"
#include "tools/driver/program_driver.h"

namespace record {
namespace {

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

bool Play(const Options &o, const FrameHandler &onFrame, const TickHandler &onTick,
          std::string &error) {
  // The program's own start-up, as StartApplication runs it, without its loop;
  // in presentation mode full screen on a monitor of the size.
  vqp::HeadlessSetMonitor(o.width, o.height);
  if (!StartProgram({o.width, o.height})) {
    error = "the program could not start (said above)";
    return false;
  }
  const char *const ended = "the program ended its message loop";
  if (o.present)
    EnterFullScreen(ProgramWindow());
  if (!DispatchReady()) {
    error = ended;
    return false;
  }

  StageCounter stages;
  const auto stageNow = [&] { return stages.Update(AnimationState.Stage, CycleLength()); };
  FrameAt frame{0, 0, stageNow(), ShownName(AnimationState.Stage)};
  if (!onFrame(frame, FramePixels(), error))
    return false;
  auto click = o.clicks.begin();
  for (int64_t tick = 1; tick <= o.ticks; ++tick) {
    for (; click != o.clicks.end() && *click == tick; ++click)
      QueueClick();
    if (!TickThroughQueue()) { // the timer falls due once
      error = ended;
      return false;
    }
    const int stage = stageNow();
    if (tick % o.every == 0) {
      frame = {frame.index + 1, tick, stage, ShownName(AnimationState.Stage)};
      if (!onFrame(frame, FramePixels(), error))
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
