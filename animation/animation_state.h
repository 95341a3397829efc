// The variables all stages share, and the angle step every stage takes.
#pragma once

#include <cstdint>

#include "graphics/real48.h"

// Values of Stage. A click moves on by one; the tick in ResetStage starts the
// next cycle with the direction reversed.
constexpr int32_t RotateStage = 0;
constexpr int32_t TiltStage = 1;
constexpr int32_t SlideStage = 2;
constexpr int32_t PullStage = 3;
constexpr int32_t ResetStage = 4;

// Degrees to radians, to eight decimals, as the demonstration has always used.
constexpr double DegreeFactor = 0.01745329;

// TraceLastX at or below this: the sine trace has no previous point yet.
constexpr double NoTracePoint = -100.0;

struct AnimationStateRecord {
  int32_t AngleStep;    // degrees per tick; its sign is the sign of the frequency
  int32_t AngleDeg;     // angle of the point, a multiple of 5 within (-360, 360)
  Real48 WidthStep;     // narrowing of the path per tick in stage 1
  Real48 ApparentWidth; // horizontal half-axis of the path as the plane turns
  Real48 PlaneX;        // world x of the edge-on plane in stages 2 and 3
  Real48 PlaneStep;     // movement of the plane per tick in stages 2 and 3
  int32_t Stage;
  Real48 TraceLastX; // previous point of the sine trace
  Real48 TraceLastY;
  bool StageEntered; // set by a click; stages 1 and 2 draw their caption band on it
};

extern AnimationStateRecord AnimationState;

// The start values of a run.
void InitAnimationState();
// Adds `step` degrees; exactly +360 or -360 becomes 0.
void AdvanceAngle(int32_t step);
// AngleDeg in radians.
Real48 AngleInRadians();
