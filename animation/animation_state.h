// The variables all stages share, and the angle step every stage takes.
#pragma once

#include <cstdint>

#include "graphics/real48.h"

// Degrees to radians, to eight decimals (the exact pi / 180 is 0.0174532925...).
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
  int32_t Stage;        // the running stage of the cycle (stage_table.h)
  Real48 TraceLastX;    // previous point of the sine trace
  Real48 TraceLastY;
  bool StageEntered; // set by a click; stages 1 and 2 draw their caption band on it
  Real48 PullStartX; // where the plane stood as the pull began: a repaint draws the trace from it
  // The full lesson's stages: the ticks the view has turned (stage 4), and
  // whether both turns have begun together (stage 5, from AngleDeg 0).
  int32_t ViewTurn;
  bool Together;
};

extern AnimationStateRecord AnimationState;

// The start values of a run.
void InitAnimationState();
// `angle` turned by `step` degrees; exactly +360 or -360 becomes 0.
int32_t AddAngle(int32_t angle, int32_t step);
// Adds `step` degrees to AngleDeg, as AddAngle.
void AdvanceAngle(int32_t step);
// `degrees` in radians, and AngleDeg in radians.
Real48 Radians(int32_t degrees);
Real48 AngleInRadians();
