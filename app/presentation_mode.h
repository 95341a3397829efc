// Presentation mode: the window full screen on its monitor, the way a Win32
// program does it. Entering keeps the window's placement and style, takes the
// caption and the frame off and covers the monitor that holds the window;
// leaving puts style and placement back. The picture keeps its designed
// proportion while full screen (picture_layout.h) and is painted anew either way.
#pragma once

#include "platform/win32.h"

// What the window was before full screen (Settings.FullScreen): restored on leaving.
struct PresentationStateRecord {
  LONG SavedStyle;
  WINDOWPLACEMENT SavedPlacement;
};

extern PresentationStateRecord PresentationState;

// Covers the window's monitor; nothing when already full screen or when the
// monitor cannot be had.
void EnterFullScreen(HWND window);
// Back to the window as it was; nothing when not full screen.
void LeaveFullScreen(HWND window);
void ToggleFullScreen(HWND window);
// WM_DPICHANGED: the window takes the system's suggested rectangle (a full
// screen window stays on its monitor), and the picture is painted again at
// the new density.
void FollowDpiChange(HWND window, const RECT *suggested);
// WM_DISPLAYCHANGE: the monitor's mode changed under the window. A full
// screen window is given back as it was: the monitor it covered is another
// now, or the system took it out of full screen (a browser on its own Esc).
void FollowDisplayChange(HWND window);
