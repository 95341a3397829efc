// The stages' units: for each, one animation step, called on every timer
// tick of that stage (drawing what moves by exclusive-or, erasing last tick's
// drawing with the same call, and leaving the copy mode set), and what the
// stage table (stage_table.h) says of it: its caption, its figures as they
// stand, whether it has drawn, how to undo and to finish it.
#pragma once

#include <cstdint>
#include <functional>

#include "graphics/real48.h"

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
// The pull's ticks again, from where it began to where the plane stands:
// each tick's number, the plane's x and the point's angle in degrees after it.
void ReplayPull(const std::function<void(int32_t tick, Real48 x, int32_t degrees)> &visit);

// Stage 4 of the full lesson: the view turns until the sine shows as the
// shadow of the helix the point drew in space, with its other shadow, the cosine.
void TickView();
void DrawViewFigures();
bool ViewHasDrawn();
void UndoView();
void FinishView();

// Stage 5 of the full lesson: both turns at once, each on a circle of half
// the radius, and their sum, a real cosine.
void TickTogether();
void DrawTogetherPicture();
void DrawTogetherFigures();
bool TogetherHasDrawn();
void UndoTogether();
