// The stages, described once. Each is a unit (its ticks, caption, picture as
// it stands, start and end) and a cycle is a list of units: a click moves on
// by one, the tick after the last stage starts the next cycle with the
// direction reversed, back returns to the stage before, finished. Nothing
// else looks at the value of Stage.
#pragma once

#include <cstdint>

// The designed stages' places in every cycle; CycleLength() is the reset's.
constexpr int32_t RotateStage = 0;
constexpr int32_t TiltStage = 1;
constexpr int32_t SlideStage = 2;
constexpr int32_t PullStage = 3;

struct StageUnit {
  const char *Name; // ASCII; the recorder names the stage's clip by it
  void (*Tick)();   // one animation step
  const char *(*Caption)();
  // What a repaint draws on the cleared window; nullptr: the caption band,
  // then Figures.
  void (*Picture)();
  // The moving figures from the state alone, by exclusive-or: a repaint draws
  // them, and the next stage's first tick takes them off.
  void (*Figures)();
  bool (*HasDrawn)(); // its first tick has drawn: a variable left its start value
  void (*Undo)();     // its variables as before it began
  void (*Finish)();   // its variables where it stops when left to run, as its ticks leave them
};

// The stages of the running cycle, and one of them (0 <= stage < CycleLength()).
int32_t CycleLength();
// The stages of a cycle of either lesson in either direction.
int32_t CycleLengthOf(bool fullLesson, bool negative);
const StageUnit &CycleStage(int32_t stage);

// The stage whose picture is on the screen: the running one once its first
// tick has drawn, until then the last one before it that has (a click is
// counted at once, its stage draws on the next tick).
int32_t ShownStage();

// One tick of the running stage, or after the last the reset; true when it
// began a new cycle.
bool TickStage();
// A click: on to the next stage, never past the pending reset, so that no
// burst of clicks can stop the cycle.
void EnterNextStage();
// The tick after the last stage: the full circle again with the direction
// reversed, painted anew.
void ResetCycle();

enum class BackStep { None, WithinCycle, IntoCycleBefore };
// Back to the stage before, finished: from a stage to the end of the one
// before, from a pending reset to the end of the last stage as it ran, from a
// stage 0 to the end of the cycle before when there is one (`cycleBefore`).
// The caller repaints.
BackStep StepBack(bool cycleBefore);
// What a presenter reaches by stepping to `stage` of the first cycle (or,
// `negative`, of the second) with each stage before finished: the stage
// entered, its first tick to come.
void StartAtStage(int32_t stage, bool negative);
