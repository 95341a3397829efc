// The language of the demonstration's texts: the one asked for (--lang,
// ?lang=) or else the user's (the system's UI languages: the locale on Linux,
// the user's UI language on Windows, the browser's languages on a page), each
// followed along its chain to a catalogue, English where none has one.
#pragma once

#include <string>

#include "platform/win32.h"

// Chooses the catalogue and the face its texts are drawn in, and titles the
// window in it ("VELQOR: " and the translated title). A language whose script
// the program cannot draw (right to left, or shaped) gives English, with a
// notice of one line on stderr.
void ChooseLanguage(HWND window, const std::string &asked);

// After the fonts changed: where the face of the chosen language's texts
// could not be had (a page offline that never kept it), the texts go back to
// English, with a notice of one line, rather than stand as empty boxes.
void KeepLanguageDrawable(HWND window);
