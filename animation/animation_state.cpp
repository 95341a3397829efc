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
  s.Stage = 0;
  s.TraceLastX = NoTracePoint;
  s.TraceLastY = NoTracePoint;
  s.StageEntered = false;
  s.PullStartX = 0.0;
  s.ViewTurn = 0;
  s.Together = false;
}

int32_t AddAngle(int32_t angle, int32_t step) {
  const int32_t sum = angle + step;
  return sum == 360 || sum == -360 ? 0 : sum;
}

void AdvanceAngle(int32_t step) {
  AnimationState.AngleDeg = AddAngle(AnimationState.AngleDeg, step);
}

Real48 Radians(int32_t degrees) { return degrees * DegreeFactor; }

Real48 AngleInRadians() { return Radians(AnimationState.AngleDeg); }
