// The stages' units: for each, one animation step, called on every timer
// tick of that stage (drawing what moves by exclusive-or, erasing last tick's
// drawing with the same call, and leaving the copy mode set), and what the
// stage table (stage_table.h) says of it: its caption, its figures as they
// stand, whether it has drawn, how to undo and to finish it.
#pragma once

// Stage 0: the point turns on the circle by AngleStep.
void TickRotate();
const char *RotateCaption();
void DrawRotateFigures();

// Stage 1: the circle narrows into the edge-on plane over 100 ticks.
void TickTilt();
void DrawTiltFigures();
bool TiltHasDrawn();
void UndoTilt();
void FinishTilt();

// Stage 2: the edge-on plane slides over to the left edge.
void TickSlide();
void DrawSlideFigures();
bool SlideHasDrawn();
void UndoSlide();
void FinishSlide();

// Stage 3: the plane is pulled right and the point's path traces a sine.
void TickPull();
void DrawPullFigures();
bool PullHasDrawn();
void UndoPull();
void FinishPull();
