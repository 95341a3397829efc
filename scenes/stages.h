// One animation step of each stage, called on every timer tick of that stage.
// Each draws what moves by exclusive-or, erasing last tick's drawing with the
// same call, and leaves the copy mode set.
#pragma once

// Stage 0: the point turns on the circle by AngleStep.
void TickRotate();
// Stage 1: the circle narrows into the edge-on plane over 100 ticks.
void TickTilt();
// Stage 2: the edge-on plane slides over to the left edge.
void TickSlide();
// Stage 3: the plane is pulled right and the point's path traces a sine.
void TickPull();
