#include "app/application.h"

#include <cstdio>

#include "animation/animation_state.h"
#include "app/window_failure.h"
#include "app/window_proc.h"
#include "graphics/graphics_state.h"

int StartApplication() {
  if (!PrepareApplication())
    return 1;
  RunMessageLoop();
  return 0;
}

bool PrepareApplication() {
  InitAnimationState();
  InitCommonControls();
  if (!CreateMainWindow()) {
    // Without a window no quit message would ever come: say why and stop.
    std::fprintf(stderr, "velqor: cannot open a window: %s\n", WindowFailureReason());
    return false;
  }
  InitGraphics();
  return true;
}

bool CreateMainWindow() {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));     // IDI_APPLICATION
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BACKGROUND + 1));
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = WindowTitle;
  if (RegisterClassA(&windowClass) == 0)
    ExitProcess(0);

  HWND window = CreateWindowExA(0, WindowTitle, WindowTitle, WS_OVERLAPPEDWINDOW, 10, 10, 1010, 610,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  GraphicsState.MainWindow = window;
  if (!window)
    return false;
  ShowWindow(window, SW_SHOW);
  SetTimer(window, TimerId, TimerPeriodMs, nullptr);
  return true;
}

void RunMessageLoop() {
  MSG message;
  // GetMessageA gives 0 for WM_QUIT and -1 for an error; both end the loop.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
