// The variables all stages share, the angle step every stage takes, and where
// each stage ends when it is left to run.
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
// The slide stops once the plane has passed x = -2, just inside the left edge.
constexpr double SlideEnd = -2.0;
// The pull ends once the plane has reached x = 2, just inside the right edge.
constexpr double PullEnd = 2.0;
// A TraceLastX at or left of this marks a pull that has not started yet.
constexpr double PullNotStarted = -2.0;

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
  // What the presenter's controls add:
  Real48 PullStartX; // where the plane stood as the pull began: the trace is drawn again from it
  int32_t Cycle; // cycles begun since the start (0 in the first); back from a stage 0 returns to
                 // the one before
  bool Paused;   // the picture holds still: ticks change nothing
  bool Blanked;  // the window is black: ticks change nothing
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

// Where each stage ends when it is left to run: ApparentWidth once the plane
// is edge-on, and PlaneX once the slide has reached the left edge.
Real48 TiltEndWidth();
Real48 SlideEndX();
// One tick of the pull: the point turns forward by the size of AngleStep
// (both directions trace the same rising sine) and the plane moves right.
void StepPull(int32_t &angleDeg, Real48 &planeX);
