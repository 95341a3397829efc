// Every text the demonstration shows, in English as designed. N_ marks them
// for the catalogues (po/, made by `make pot`); Translated (catalogue.h) gives
// a text in the language chosen. The comments before each are the
// translators' (xgettext keeps those that begin TRANSLATORS).
#pragma once

#define N_(text) text

// TRANSLATORS: the window's title, after "VELQOR: ", and the web page's title.
constexpr const char *TitleText = N_("NEGATIVE FREQUENCY");

// TRANSLATORS: the caption of the first stage while the point turns
// counter-clockwise (a positive frequency). Captions stand in the middle of a
// band 1002 pixels wide, in 16-pixel bold, with the prompt at its right end:
// a caption may be at most 2 x (501 - the prompt's width - 8) pixels wide,
// about 500 pixels (some 58 Latin letters, 30 CJK characters). Keep the
// capitals of the first part, as the English does: they name what is shown.
constexpr const char *PositiveCaption = N_("POSITIVE FREQUENCY - counter-clockwise rotation");
// TRANSLATORS: the same while the point turns clockwise (a negative frequency).
constexpr const char *NegativeCaption = N_("NEGATIVE FREQUENCY - clockwise rotation");
// TRANSLATORS: caption while the plane of rotation (in which the point
// turns) turns about the vertical axis until it is seen edge-on, a line.
constexpr const char *TiltCaption = N_("rotate plane of rotation until seen from the side");
// TRANSLATORS: caption while the edge-on plane slides to the left edge.
constexpr const char *SlideCaption = N_("move the plane of rotation over");
constexpr const char *PullCaption =
    // TRANSLATORS: caption while the plane is pulled to the right and the
    // point's positions are joined into a curve, a sine.
    N_("pull the rotating point at a constant rate - note the sine formed");
// TRANSLATORS: caption (full lesson) while the view turns until the sine is
// seen as the shadow (projection) of a helix (a spiral along the time axis).
constexpr const char *ViewCaption = N_("turn the view - the sine is the shadow of a helix");
// TRANSLATORS: the same in the negative cycle: the helix turns the other way.
constexpr const char *ViewBackCaption = N_("turn the view - the helix now winds the other way");
constexpr const char *TogetherCaption =
    // TRANSLATORS: caption (full lesson) while a positive and a negative
    // frequency turn together and their sum stays on the real axis (a real
    // signal).
    N_("positive and negative frequency together - the sum stays real");

// TRANSLATORS: the prompt at the right end of the caption band, in yellow,
// with a mouse; the trailing blank keeps it off the window's edge. At most
// about 200 pixels (some 24 Latin letters, 12 CJK characters).
constexpr const char *ContinuePrompt = N_("Left click to continue ");
// TRANSLATORS: the same on a touch screen (a phone): a tap moves on.
constexpr const char *TapPrompt = N_("Tap to continue ");
// TRANSLATORS: at the left end of the caption band while the presenter holds
// the picture still; the leading blank keeps it off the window's edge.
constexpr const char *PauseSign = N_(" PAUSED");

// TRANSLATORS: the speed's sign beside the pause sign: a quarter, half and
// twice the designed speed. Keep the numbers; the x reads "times".
constexpr const char *QuarterSpeedSign = N_("1/4x");
constexpr const char *HalfSpeedSign = N_("1/2x");
constexpr const char *DoubleSpeedSign = N_("2x");
// TRANSLATORS: names on the turned view's picture: the imaginary part (the
// sine, on the back wall), the real part (the cosine, on the floor) and time
// (the axis). Write them as signals textbooks in your language do.
constexpr const char *ImaginaryLabel = N_("Im");
constexpr const char *RealLabel = N_("Re");
constexpr const char *TimeLabel = N_("t");
