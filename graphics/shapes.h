// The shapes the scenes draw with, straight onto the kept device context under
// whatever mix mode the caller has set. A dot or ellipse with a pixel pen width
// of 0 is filled with its colour; any other gets an outline w pixels wide and an
// interior painted with the black brush (which leaves pixels as they are in
// exclusive-or mode). Dots and ellipses leave the white pen and the black brush
// selected; lines draw with the selected pen; bars fill in CurrentColor.
#pragma once

#include <cstdint>

#include "graphics/real48.h"

// World position; radius and pen width both scaled by ScaleX, so dots stay round.
void DrawDot(Real48 x, Real48 y, Real48 radius, Real48 penWidth, int32_t color);
// Viewport pixels.
void ScreenCircle(int32_t sx, int32_t sy, int32_t r, int32_t w, int32_t color);
// World position; rx by ScaleX, ry by ScaleY, pen width by ScaleX.
void DrawEllipse(Real48 x, Real48 y, Real48 rx, Real48 ry, Real48 penWidth, int32_t color);
// Viewport pixels: centre, half-axes, pen width.
void ScreenEllipse(int32_t sx, int32_t sy, int32_t rx, int32_t ry, int32_t w, int32_t color);
// World coordinates; leaves the current position at the end.
void DrawLine(Real48 x1, Real48 y1, Real48 x2, Real48 y2);
// Viewport pixels, two opposite corners.
void FillBar(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Sine and cosine of an angle in radians; 0 when its magnitude is 2^63 or more.
Real48 SafeSin(Real48 angle);
Real48 SafeCos(Real48 angle);
