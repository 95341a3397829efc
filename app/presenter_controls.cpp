#include "app/presenter_controls.h"

#include "animation/animation_state.h"
#include "app/presentation_mode.h"
#include "app/settings.h"
#include "graphics/graphics_state.h"
#include "graphics/theme.h"
#include "scenes/scene_frame.h"
#include "scenes/stage_table.h"

namespace {

// One tick of the running stage, counting a new cycle.
void PlayTick() {
  if (TickStage() && Settings.Cycle < INT32_MAX)
    Settings.Cycle = Settings.Cycle + 1;
}

// Back one stage (scenes/stage_table.h), counting the cycle left behind.
bool GoBack() {
  const BackStep step = StepBack(Settings.Cycle > 0);
  if (step == BackStep::IntoCycleBefore)
    Settings.Cycle = Settings.Cycle - 1;
  return step != BackStep::None;
}

} // namespace

PresenterAction ActionOfKey(WPARAM virtualKey) {
  using enum PresenterAction;
  // Each action's keys (see the header), the rest of a row left 0.
  static constexpr struct {
    PresenterAction action;
    WPARAM keys[6];
  } kKeys[] = {{Next, {VK_NEXT, VK_RIGHT, VK_DOWN, VK_SPACE, VK_RETURN, 'N'}},
               {Back, {VK_PRIOR, VK_LEFT, VK_UP, VK_BACK, 'P'}},
               {StartAgain, {VK_HOME}},
               {Pause, {'K', VK_PAUSE}},
               {Blank, {'B', VK_OEM_PERIOD}},
               {FullScreen, {VK_F11, 'F'}},
               {LeaveFullScreen, {VK_ESCAPE}},
               {Slower, {VK_OEM_MINUS, VK_SUBTRACT}},
               {Faster, {VK_OEM_PLUS, VK_ADD}},
               {Step, {'S'}},
               {Theme, {'T'}},
               {Lesson, {'L'}}};
  for (const auto &entry : kKeys)
    for (const WPARAM key : entry.keys)
      if (key != 0 && key == virtualKey)
        return entry.action;
  return None;
}

bool PressKey(WPARAM virtualKey, LPARAM keyData) {
  const PresenterAction action = ActionOfKey(virtualKey);
  if (action == PresenterAction::None)
    return false;
  if (!(HIWORD(keyData) & KF_REPEAT))
    DoPresenterAction(action);
  return true;
}

bool PressSystemKey(WPARAM virtualKey, LPARAM keyData) {
  if (virtualKey != VK_RETURN || !(HIWORD(keyData) & KF_ALTDOWN))
    return false;
  if (!(HIWORD(keyData) & KF_REPEAT))
    DoPresenterAction(PresenterAction::FullScreen);
  return true;
}

void PressClick() { DoPresenterAction(PresenterAction::Next); }

bool PressAppCommand(short command) {
  if (command != APPCOMMAND_BROWSER_BACKWARD && command != APPCOMMAND_BROWSER_FORWARD)
    return false;
  DoPresenterAction(command == APPCOMMAND_BROWSER_BACKWARD ? PresenterAction::Back
                                                           : PresenterAction::Next);
  return true;
}

void DoPresenterAction(PresenterAction action) {
  PictureSettingsRecord &picture = Settings.Picture;
  const HWND window = GraphicsState.MainWindow;
  if (action == PresenterAction::None)
    return;
  if (action == PresenterAction::LeaveFullScreen) {
    LeaveFullScreen(window);
    return;
  }
  if (picture.Blanked) {
    picture.Blanked = false;
    PaintScene();
    return;
  }
  switch (action) {
  case PresenterAction::Next:
    if (picture.Paused) {
      picture.Paused = false;
      PaintScene();
    }
    EnterNextStage();
    break;
  case PresenterAction::Back:
    if (GoBack()) {
      picture.Paused = false;
      PaintScene();
    }
    break;
  case PresenterAction::StartAgain:
    StartAgain();
    PaintScene();
    break;
  case PresenterAction::Pause:
    picture.Paused = !picture.Paused;
    PaintScene();
    break;
  case PresenterAction::Blank:
    picture.Blanked = true;
    PaintScene();
    break;
  case PresenterAction::FullScreen:
    ToggleFullScreen(window);
    break;
  case PresenterAction::Slower:
  case PresenterAction::Faster:
    ChangeSpeed(window, action == PresenterAction::Slower ? -1 : 1);
    PaintScene();
    break;
  case PresenterAction::Step:
    if (picture.Paused)
      PlayTick();
    break;
  case PresenterAction::Theme:
    Settings.Colors = Settings.Colors == Theme::Classic ? Theme::Light : Theme::Classic;
    UseTheme(Settings.Colors == Theme::Light);
    PaintScene();
    break;
  case PresenterAction::Lesson:
    picture.FullLesson = !picture.FullLesson;
    StartAgain();
    PaintScene();
    break;
  case PresenterAction::LeaveFullScreen:
  case PresenterAction::None:
    break;
  }
}

void StartAgain(int32_t stage, bool negative) {
  StartAtStage(stage, negative);
  Settings.Picture.Paused = false;
  Settings.Cycle = negative ? 1 : 0;
}

void PlayTimerMessage() {
  for (int i = TicksPerTimerMessage(Settings.TickRate); i > 0; --i)
    if (!Settings.Picture.Paused && !Settings.Picture.Blanked)
      PlayTick();
}
