// What each stage has on the screen, drawn from its state alone: the moving
// figures that its ticks erase and draw again by exclusive-or. A repaint draws
// them over the caption band; a stage's first tick takes off the figures of
// the stage before it with them.
#pragma once

#include <cstdint>

// The stage whose picture is on the screen: the running stage once its first
// tick has drawn it, until then the last one before it that has drawn (a click
// is counted at once, but its stage draws on the next tick).
int32_t ShownStage();

// The path at ApparentWidth (the edge-on line once it is 0 or less) and the
// point on it. At the width of 1 these are the opening picture's circle and point.
void DrawTiltFigures();
// The plane at PlaneX and the point on it.
void DrawSlideFigures();
// The trace so far, recomputed from PullStartX tick by tick as the pull drew
// it, the plane while it is in the picture, and the point.
void DrawPullFigures();
