// The caption band at the top of the picture: the stage's caption, the
// prompt and the presenter's signs (pause, speed). In a window it is the
// designed line, the caption in the middle and the prompt at the right end,
// 40 rows high at the picture's scale. On a web page, whose text is never
// under 15 CSS pixels, a caption that does not fit beside the prompt wraps
// into lines of its own above the prompt's, and the band, one height for
// every caption of the lesson, goes into the margin above the picture where
// the page has room for it, over the picture's top where it has not.
#pragma once

#include <cstdint>

// Viewport rows: the band spans [Top - Height, Top) upward from its bottom.
struct BandLayout {
  int32_t Top;
  int32_t Height;
  int32_t Pitch;        // from one line to the next
  int32_t CaptionLines; // 0: the caption and the prompt side by side
};

BandLayout CurrentBand();
// The band's background, in copy mode.
void FillBand(const BandLayout &band);
// The caption (the prompt and the signs with it) on the band, opaque.
void DrawBandLabels(const BandLayout &band, const char *caption);
