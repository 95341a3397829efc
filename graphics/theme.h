// The colours a picture is drawn in: the designed colours on black (classic),
// or the light theme, for lit rooms and white slides. Each colour number
// shows its theme's colour, drawn by exclusive-or too: a pen's value is the
// wanted colour XOR the background, so a figure over the background shows in
// its colour and drawing it again restores the background.
#pragma once

#include "graphics/graphics_state.h"

// What each colour number shows in the light theme; Black is its background.
extern const COLORREF LightColors[ColorCount];

// Takes the theme: the palette, pens and brushes made again for it (one
// object at a time, so no more than one extra ever exists), the text's
// background, and the background brush that clears the picture. Nothing is
// drawn; the caller repaints.
void UseTheme(bool light);
