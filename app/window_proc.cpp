#include "app/window_proc.h"

#include "animation/animation_state.h"
#include "app/presentation_mode.h"
#include "app/presenter_controls.h"
#include "scenes/scene_frame.h"
#include "scenes/stages.h"

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT:
    PaintScene();
    break;
  case WM_TIMER:
    // A held or blank picture stands still.
    if (!AnimationState.Paused && !AnimationState.Blanked)
      TickStage();
    break;
  case WM_DESTROY:
    PostQuitMessage(0);
    break;
  case WM_LBUTTONDOWN:
    PressClick();
    break;
  case WM_KEYDOWN:
    PressKey(wParam, lParam);
    break;
  case WM_SYSKEYDOWN:
    // Alt+Enter is the program's; the system's default would beep for it.
    if (PressSystemKey(wParam, lParam))
      return 0;
    break;
  case WM_DPICHANGED:
    FollowDpiChange(hwnd, reinterpret_cast<const RECT *>(lParam));
    return 0;
  default:
    break;
  }
  // Every message then gets the default handling; for WM_PAINT that
  // validates the window after PaintScene has drawn it.
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void TickStage() {
  switch (AnimationState.Stage) {
  case RotateStage:
    TickRotate();
    break;
  case TiltStage:
    TickTilt();
    break;
  case SlideStage:
    TickSlide();
    break;
  case PullStage:
    TickPull();
    break;
  case ResetStage:
    ResetCycle();
    break;
  default:
    break;
  }
}

void EnterNextStage() {
  AnimationStateRecord &s = AnimationState;
  if (s.Stage < ResetStage)
    s.Stage = s.Stage + 1;
  s.StageEntered = true;
}

void ResetCycle() {
  AnimationStateRecord &s = AnimationState;
  s.ApparentWidth = 1.0;
  s.PlaneX = 0.0;
  s.TraceLastX = NoTracePoint;
  s.AngleStep = -s.AngleStep;
  s.Stage = RotateStage;
  if (s.Cycle < INT32_MAX)
    s.Cycle = s.Cycle + 1;
  PaintScene();
}
