#include "app/presentation_mode.h"

#include "app/settings.h"
#include "graphics/picture_layout.h"

PresentationStateRecord PresentationState;

namespace {

constexpr LONG FrameStyles = WS_CAPTION | WS_THICKFRAME;

// Repainted whether or not the size changed: the layout did.
void RepaintWhole(HWND window) { InvalidateRect(window, nullptr, FALSE); }

// The monitor nearest the window, whole (not its work area).
bool MonitorOf(HWND window, RECT &area) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
    return false;
  area = info.rcMonitor;
  return true;
}

void CoverMonitor(HWND window, const RECT &area) {
  SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left,
               area.bottom - area.top, SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
}

} // namespace

void EnterFullScreen(HWND window) {
  PresentationStateRecord &p = PresentationState;
  RECT area = {0, 0, 0, 0};
  if (Settings.FullScreen || !MonitorOf(window, area))
    return;
  p.SavedPlacement = {};
  p.SavedPlacement.length = sizeof p.SavedPlacement;
  if (!GetWindowPlacement(window, &p.SavedPlacement))
    return;
  p.SavedStyle = GetWindowLongA(window, GWL_STYLE);
  Settings.FullScreen = true;
  KeepPictureProportion(true);
  SetWindowLongA(window, GWL_STYLE, p.SavedStyle & ~FrameStyles);
  CoverMonitor(window, area);
  RepaintWhole(window);
}

void LeaveFullScreen(HWND window) {
  PresentationStateRecord &p = PresentationState;
  if (!Settings.FullScreen)
    return;
  Settings.FullScreen = false;
  KeepPictureProportion(false);
  SetWindowLongA(window, GWL_STYLE, p.SavedStyle);
  SetWindowPlacement(window, &p.SavedPlacement);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
  RepaintWhole(window);
}

void ToggleFullScreen(HWND window) {
  if (Settings.FullScreen)
    LeaveFullScreen(window);
  else
    EnterFullScreen(window);
}

void FollowDpiChange(HWND window, const RECT *suggested) {
  RECT area = {0, 0, 0, 0};
  if (Settings.FullScreen) {
    if (MonitorOf(window, area))
      CoverMonitor(window, area);
  } else if (suggested) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RepaintWhole(window);
}

void FollowDisplayChange(HWND window) {
  if (Settings.FullScreen)
    LeaveFullScreen(window);
}
