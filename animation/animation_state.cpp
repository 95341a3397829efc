#include "animation/animation_state.h"

AnimationStateRecord AnimationState;

void InitAnimationState() {
  AnimationStateRecord &s = AnimationState;
  s.AngleStep = 5;
  s.AngleDeg = s.AngleStep;
  s.WidthStep = 0.01;
  s.ApparentWidth = 1.0;
  s.PlaneX = 0.0;
  s.PlaneStep = 0.01111;
  s.Stage = RotateStage;
  s.TraceLastX = NoTracePoint;
  s.TraceLastY = NoTracePoint;
  s.StageEntered = false;
}

void AdvanceAngle(int32_t step) {
  int32_t angle = AnimationState.AngleDeg + step;
  if (angle == 360 || angle == -360)
    angle = 0;
  AnimationState.AngleDeg = angle;
}

Real48 AngleInRadians() { return AnimationState.AngleDeg * DegreeFactor; }
