#include "app/presenter_controls.h"

#include <cstdint>

#include "animation/animation_state.h"
#include "app/presentation_mode.h"
#include "app/window_proc.h"
#include "graphics/graphics_state.h"
#include "graphics/shapes.h"
#include "scenes/scene_frame.h"

namespace {

// The pull run to its end from `startX`, as its ticks would leave it.
void FinishPullFrom(Real48 startX) {
  AnimationStateRecord &s = AnimationState;
  s.PullStartX = startX;
  s.PlaneX = startX;
  s.AngleDeg = 0;
  do
    StepPull(s.AngleDeg, s.PlaneX);
  while (s.PlaneX < PullEnd);
  s.TraceLastX = s.PlaneX;
  s.TraceLastY = SafeSin(AngleInRadians());
}

// The picture again as the state now has it.
void Repaint() { PaintScene(); }

} // namespace

PresenterAction ActionOfKey(WPARAM virtualKey) {
  switch (virtualKey) {
  case VK_NEXT:
  case VK_RIGHT:
  case VK_DOWN:
  case VK_SPACE:
  case VK_RETURN:
  case 'N':
    return PresenterAction::Next;
  case VK_PRIOR:
  case VK_LEFT:
  case VK_UP:
  case VK_BACK:
  case 'P':
    return PresenterAction::Back;
  case VK_HOME:
    return PresenterAction::StartAgain;
  case 'K':
  case VK_PAUSE:
    return PresenterAction::Pause;
  case 'B':
  case VK_OEM_PERIOD:
    return PresenterAction::Blank;
  case VK_F11:
  case 'F':
    return PresenterAction::FullScreen;
  case VK_ESCAPE:
    return PresenterAction::LeaveFullScreen;
  default:
    return PresenterAction::None;
  }
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

void DoPresenterAction(PresenterAction action) {
  AnimationStateRecord &s = AnimationState;
  const HWND window = GraphicsState.MainWindow;
  if (action == PresenterAction::None)
    return;
  if (action == PresenterAction::LeaveFullScreen) {
    LeaveFullScreen(window);
    return;
  }
  if (s.Blanked) {
    s.Blanked = false;
    Repaint();
    return;
  }
  switch (action) {
  case PresenterAction::Next:
    if (s.Paused) {
      s.Paused = false;
      Repaint();
    }
    EnterNextStage();
    break;
  case PresenterAction::Back:
    if (StepBack()) {
      s.Paused = false;
      Repaint();
    }
    break;
  case PresenterAction::StartAgain:
    InitAnimationState();
    Repaint();
    break;
  case PresenterAction::Pause:
    s.Paused = !s.Paused;
    Repaint();
    break;
  case PresenterAction::Blank:
    s.Blanked = true;
    Repaint();
    break;
  case PresenterAction::FullScreen:
    ToggleFullScreen(window);
    break;
  case PresenterAction::LeaveFullScreen:
  case PresenterAction::None:
    break;
  }
}

bool StepBack() {
  AnimationStateRecord &s = AnimationState;
  switch (s.Stage) {
  case RotateStage:
    if (s.Cycle <= 0)
      return false;
    s.Cycle = s.Cycle - 1;
    s.AngleStep = -s.AngleStep;
    s.ApparentWidth = TiltEndWidth();
    FinishPullFrom(SlideEndX());
    s.Stage = PullStage;
    break;
  case TiltStage:
    s.ApparentWidth = 1.0;
    s.Stage = RotateStage;
    break;
  case SlideStage:
    s.ApparentWidth = TiltEndWidth();
    s.PlaneX = 0.0;
    s.Stage = TiltStage;
    break;
  case PullStage:
    s.ApparentWidth = TiltEndWidth();
    s.PlaneX = SlideEndX();
    s.TraceLastX = NoTracePoint;
    s.Stage = SlideStage;
    break;
  case ResetStage:
    // The click from the pull is taken back: the pull finished, from where it
    // began (or from the plane, when it never ran).
    FinishPullFrom(s.TraceLastX > NoTracePoint ? s.PullStartX : s.PlaneX);
    s.Stage = PullStage;
    break;
  default:
    return false;
  }
  s.StageEntered = false;
  return true;
}
