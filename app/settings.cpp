#include "app/settings.h"

#include "animation/animation_state.h"
#include "app/application.h"
#include "platform/host.h"
#include "scenes/messages.h"
#include "scenes/scene_frame.h"
#include "scenes/stage_table.h"

SettingsRecord Settings;

namespace {

// The sign of each speed in the caption line; none at the designed one.
const char *const SpeedSigns[] = {QuarterSpeedSign, HalfSpeedSign, nullptr, DoubleSpeedSign};

} // namespace

void InitSettings(const StartOptions &options) {
  Settings = SettingsRecord{};
  Settings.TickRate = options.TickRate;
  Settings.Colors = options.Colors;
  Settings.Language = options.Language;
  Settings.Motion = options.Motion;
  Settings.Picture.SpeedSign = SpeedSigns[static_cast<int>(options.TickRate)];
  Settings.Picture.FullLesson = options.Course == Lesson::Full;
  ShowPictureSettings(Settings.Picture);
}

UINT TimerPeriodOf(Speed speed) {
  return speed == Speed::Quarter ? 4 * TimerPeriodMs
         : speed == Speed::Half  ? 2 * TimerPeriodMs
                                 : TimerPeriodMs;
}

int TicksPerTimerMessage(Speed speed) { return speed == Speed::Double ? 2 : 1; }

void ChangeSpeed(HWND window, int steps) {
  const int speed = static_cast<int>(Settings.TickRate) + steps;
  if (speed < static_cast<int>(Speed::Quarter) || speed > static_cast<int>(Speed::Double))
    return;
  Settings.TickRate = static_cast<Speed>(speed);
  Settings.Picture.SpeedSign = SpeedSigns[speed];
  SetTimer(window, TimerId, TimerPeriodOf(Settings.TickRate), nullptr);
}

std::string AddressOfDemonstration() {
  StartOptions shown;
  shown.TickRate = Settings.TickRate;
  shown.Colors = Settings.Colors;
  shown.Course = Settings.Picture.FullLesson ? Lesson::Full : Lesson::Classic;
  shown.Language = Settings.Language;
  shown.Stage = AnimationState.Stage < CycleLength() ? AnimationState.Stage : 0;
  shown.Negative = (AnimationState.AngleStep < 0) != (AnimationState.Stage == CycleLength());
  shown.Motion = Settings.Motion;
  return SettingsQuery(shown);
}

void FollowAddress() {
  static std::string shown;
  std::string now = AddressOfDemonstration();
  if (now != shown) {
    shown = std::move(now);
    vqp::ShowAddress(shown.c_str());
  }
}
