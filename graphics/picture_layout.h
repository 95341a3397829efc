// Where the picture lies in the client area and the size of its pixel measures.
//
// In the normal window the picture fills the client area, and its pixel
// measures (pen width, text height, caption band and line) are the designed
// ones times the screen's density (DPI / 96): 1 on a standard screen, where
// every pixel is as designed. In presentation mode the picture keeps the
// proportion of the designed client area: the largest such rectangle, centred,
// black margins around it, nothing ever drawn in them, and every pixel measure
// grows with the rectangle's height.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// The client area as designed: the normal window's size on a standard screen.
constexpr int32_t DesignWidth = 1002;
constexpr int32_t DesignHeight = 583;
// Pixel measures of the picture as designed: the pens' width and the text's height.
constexpr int32_t DesignPenWidth = 2;
constexpr int32_t DesignTextHeight = 16;

// Window pixels; right and bottom excluded.
struct PictureRect {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
};

// Device pixels per designed pixel on the monitor the window is on: its DPI
// / 96, held within what screens have (Windows goes up to 500 %), so that no
// reported figure can make the picture absurd.
double WindowDensity(HWND window);

// The largest rectangle of proportion DesignWidth : DesignHeight centred in a
// client area of width x height (sides rounded to whole pixels).
PictureRect FittedPicture(int32_t width, int32_t height);

// Whether the picture keeps the designed proportion (presentation mode) or
// fills the client area (the normal window); taken up at the next ClearScreen.
void KeepPictureProportion(bool keep);
bool PictureKeepsProportion();
// A web page's picture: it always keeps its proportion, its text is never
// under 15 pixels at 96 DPI (a CSS pixel each), and the margin above it is
// free for a caption band of more than one line (RoomAbovePicture).
void LayOutAsPage(bool page);
bool PictureIsPage();
// Window rows above the picture that a page's caption band may take.
int32_t RoomAbovePicture();

// Lays the picture out on the client area measured by ClearScreen (MaxX by
// MaxY): the viewport on the picture's rectangle (the scales follow), the
// device context clipped to it in presentation mode, PixelScale, and the
// pens and the font at their scaled width and height.
void SetPictureLayout();
