#include "app/window_proc.h"

#include "app/language.h"
#include "app/presentation_mode.h"
#include "app/presenter_controls.h"
#include "app/settings.h"
#include "scenes/scene_frame.h"

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT:
    PaintScene();
    break;
  case WM_TIMER:
    PlayTimerMessage();
    break;
  case WM_DESTROY:
    PostQuitMessage(0);
    break;
  case WM_LBUTTONDOWN:
    PressClick();
    break;
  case WM_KEYDOWN:
    PressKey(wParam, lParam);
    break;
  case WM_SYSKEYDOWN:
    // Alt+Enter is the program's; the system's default would beep for it.
    if (PressSystemKey(wParam, lParam))
      return 0;
    break;
  case WM_APPCOMMAND:
    if (PressAppCommand(GET_APPCOMMAND_LPARAM(lParam))) {
      FollowAddress();
      return TRUE;
    }
    break;
  case WM_DPICHANGED:
    FollowDpiChange(hwnd, reinterpret_cast<const RECT *>(lParam));
    return 0;
  case WM_DISPLAYCHANGE:
    FollowDisplayChange(hwnd);
    break;
  case WM_FONTCHANGE:
    // A face the texts wait for has come (or could not be had): they are
    // drawn again with it (or in English).
    KeepLanguageDrawable(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
    break;
  default:
    break;
  }
  if (message == WM_TIMER || message == WM_LBUTTONDOWN || message == WM_KEYDOWN ||
      message == WM_SYSKEYDOWN || message == WM_APPCOMMAND)
    FollowAddress();
  // Every message then gets the default handling; for WM_PAINT that
  // validates the window after PaintScene has drawn it.
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
