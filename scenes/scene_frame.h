// The frame shared by all pictures: world x from -2.1 to 2.1 and y from -1.25
// to 1.25 over the picture (the whole client area in the normal window), the
// full repaint of the running stage, and the point, the edge-on plane and the
// caption band that every stage draws.
#pragma once

#include <vector>

#include "graphics/real48.h"
#include "scenes/messages.h"

// Every caption of the lesson in both directions, for a band that fits them all.
std::vector<const char *> LessonCaptions();

// The pen width, in world units, of the circle of rotation and of the path
// it narrows into.
constexpr double PathPenWidth = 0.005;

// Clears the window and draws the picture on screen as it stands (the
// ShownStage's): stage 0 as the opening picture for the direction of
// AngleStep, a later stage as its caption band with its figures where its
// state has them, so that the stage goes on from there by exclusive-or
// without residue. Nothing but black while the picture is blank; the pause
// sign while it is held.
void PaintScene();
// The white point at world (x, y), in the current mix mode.
void DrawPoint(Real48 x, Real48 y);
// The red vertical plane line at world x, from y -1 to 1, in the current mix mode.
void DrawPlaneEdge(Real48 x);
// The circle of rotation seen at `width` (1: face on), in the current mix mode.
void DrawPath(Real48 width);
// The black band over the picture's top 40 rows (at its pixel scale) with
// `text` and the prompt; clears StageEntered.
void DrawCaptionBand(const char *text);
// Begins a tick of the running stage: on its first (StageEntered), its caption
// band in copy mode, with the figures of the stage before taken off first and
// its own put on after, both by exclusive-or (the band's labels are opaque: in
// a low window figures reaching into them would be cut, and erasing them
// later would leave pieces in the caption). Then the exclusive-or mode.
void BeginStageTick();
// The opening picture of a cycle: the circle, the caption for the direction,
// the prompt and the point at AngleDeg.
void DrawOpeningPicture();
