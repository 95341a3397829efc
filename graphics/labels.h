// One line of text at a viewport pixel, placed against it by a two-letter code:
// horizontal L, C or R (left edge, centre, right edge at the point), then
// vertical B, C or T (bottom edge, centre, top edge). Letters are read without
// regard to case; any other character, or a missing one, leaves that axis as
// L or B would. Text is drawn opaque on black in the colour of the last
// SetColor, whatever the mix mode.
#pragma once

#include <cstdint>

#include "graphics/mapping.h"

// The bottom-left corner, in viewport pixels, of a text box cx by cy placed
// at (x, y) by `code`.
PixelPoint PlaceLabel(int32_t x, int32_t y, int32_t cx, int32_t cy, const char *code);

// Texts are UTF-8; longer than 255 bytes, they are cut to their first 255.
void DrawLabel(int32_t x, int32_t y, const char *text, const char *code);
// How wide `text` is drawn, in pixels, as DrawLabel would measure it.
int32_t TextWidth(const char *text);
