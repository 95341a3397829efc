#include "tools/driver/program_driver.h"

#include <cstdio>
#include <cstdlib>

#include "animation/animation_state.h"
#include "app/settings.h"
#include "graphics/graphics_state.h"
#include "graphics/theme.h"
#include "platform/host.h"

void (*WhenProgramStarts)() = nullptr;

bool StartProgram(const StartOptions &options) {
  static const bool started = [&] {
    const bool prepared = PrepareApplication(options);
    if (prepared && WhenProgramStarts)
      WhenProgramStarts();
    return prepared;
  }();
  return started;
}

HWND ProgramWindow() {
  if (!StartProgram()) {
    std::fprintf(stderr, "program driver: the program could not start\n");
    std::abort();
  }
  return GraphicsState.MainWindow;
}

void StartFresh(int clientWidth, int clientHeight) {
  const HWND window = ProgramWindow();
  const HDC dc = GraphicsState.WindowDC;
  InitAnimationState();
  const bool fullScreen = Settings.FullScreen, light = Settings.Colors == Theme::Light;
  InitSettings();
  Settings.FullScreen = fullScreen;
  SetTimer(window, TimerId, TimerPeriodOf(Settings.TickRate), nullptr);
  if (light)
    UseTheme(false);
  SetROP2(dc, R2_COPYPEN);
  SelectObject(dc, GraphicsState.Pens[White]);
  SelectObject(dc, GraphicsState.Brushes[Black]);
  SetClientSize(clientWidth, clientHeight);
  Paint();
}

void SetClientSize(int clientWidth, int clientHeight) {
  const HWND window = ProgramWindow();
  SetClientSize(window, clientWidth, clientHeight);
  UpdateWindow(window);
}

void Paint() {
  const HWND window = ProgramWindow();
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

void Tick(int count) {
  for (int i = 0; i < count; ++i)
    SendMessageA(ProgramWindow(), WM_TIMER, TimerId, 0);
}

void Click() { SendMessageA(ProgramWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100)); }

// lParam of WM_KEYDOWN: repeat count 1; bit 30 set when the key was already
// down; with WM_SYSKEYDOWN bit 29 says Alt is held.
constexpr LPARAM Repeated = LPARAM{1} << 30;
constexpr LPARAM AltHeld = LPARAM{1} << 29;

void Key(WPARAM virtualKey) { SendMessageA(ProgramWindow(), WM_KEYDOWN, virtualKey, 1); }
void KeyRepeat(WPARAM virtualKey) {
  SendMessageA(ProgramWindow(), WM_KEYDOWN, virtualKey, 1 | Repeated);
}
void AltKey(WPARAM virtualKey) {
  SendMessageA(ProgramWindow(), WM_SYSKEYDOWN, virtualKey, 1 | AltHeld);
}
void AltKeyRepeat(WPARAM virtualKey) {
  SendMessageA(ProgramWindow(), WM_SYSKEYDOWN, virtualKey, 1 | AltHeld | Repeated);
}

#ifndef _WIN32
void QueueClick() {
  RECT client = {0, 0, 0, 0};
  GetClientRect(ProgramWindow(), &client);
  vqp::HeadlessClick(ProgramWindow(), client.right / 2, client.bottom / 2);
}

bool DispatchReady() {
  bool quit = false;
  vqp::HeadlessPumpMessages(&quit);
  return !quit;
}

const uint32_t *FramePixels(int *width, int *height) {
  return vqp::HeadlessPixels(ProgramWindow(), width, height);
}
#endif
