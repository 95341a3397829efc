#include "app/application.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "animation/animation_state.h"
#include "app/failure_text.h"
#include "app/language.h"
#include "app/presentation_mode.h"
#include "app/presenter_controls.h"
#include "app/settings.h"
#include "app/user_message.h"
#include "app/window_proc.h"
#include "graphics/graphics_state.h"
#include "graphics/picture_layout.h"
#include "graphics/theme.h"
#include "platform/host.h"
#include "scenes/stage_table.h"

namespace {

// One line on stderr: what could not be done and why. Always false.
bool SayFailure(const char *what, const char *reason) {
  TellUser(("velqor: " + std::string(what) + ": " + reason + "\n").c_str(), true);
  return false;
}

} // namespace

bool SetClientSize(HWND window, int width, int height) {
  RECT outer = {0, 0, 0, 0};
  RECT client = {0, 0, 0, 0};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const int frameWidth = (outer.right - outer.left) - client.right;
  const int frameHeight = (outer.bottom - outer.top) - client.bottom;
  SetWindowPos(window, nullptr, 0, 0, width + frameWidth, height + frameHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(window, &client);
  return client.right == width && client.bottom == height;
}

int StartApplication(int argc, const char *const *argv) {
  const CommandLine command = ParseCommandLine(argc, argv);
  if (command.Help || command.Version) {
    TellUser(command.Help ? HelpText() : "velqor " VELQOR_VERSION "\n", false);
    return 0;
  }
  const std::string error = command.Error.empty() ? StageError(command.Options) : command.Error;
  if (!error.empty() && !command.Options.Page) {
    TellUser(("velqor: " + error + "\n" + UsageLine() + "\n").c_str(), true);
    return 2;
  }
  // A page opens whatever its address says: what it cannot take is left out,
  // each said on a line of its own.
  for (const std::string &warning : command.Warnings)
    std::fprintf(stderr, "velqor: %s\n", warning.c_str());
  if (!error.empty())
    std::fprintf(stderr, "velqor: %s; left out\n", error.c_str());
  if (!PrepareApplication(command.Options))
    return 1;
  // A browser page is not blocked: there the page dispatches from now on.
  if (!vqp::DispatchFromPlatform())
    RunMessageLoop();
  return 0;
}

bool PrepareApplication(const StartOptions &options) {
  InitAnimationState();
  InitSettings(options);
  InitCommonControls();
  if (!CreateMainWindow(options.Page))
    return false;
  if ((options.ClientWidth > 0 || options.ClientHeight > 0) &&
      !SetClientSize(GraphicsState.MainWindow, options.ClientWidth, options.ClientHeight)) {
    char what[96];
    std::snprintf(what, sizeof what, "cannot size the window to %dx%d", options.ClientWidth,
                  options.ClientHeight);
    return SayFailure(what, "the system kept another size");
  }
  if (!InitGraphics())
    return SayFailure("cannot draw in the window", ErrorText(GetLastError()));
  if (options.Colors == Theme::Light)
    UseTheme(true);
  ChooseLanguage(GraphicsState.MainWindow, options.Language);
  LayOutAsPage(options.Page);
  if (StageError(options).empty())
    StartAgain(options.Stage, options.Negative);
  // Where touch is the primary input the prompt asks for a tap. A page whose
  // reader asked for less motion opens held on its first picture (unless its
  // address says motion=1): the motion is the lesson, but not forced on anyone.
  Settings.Picture.TapPrompt =
      GetSystemMetrics(SM_MOUSEPRESENT) == 0 && (GetSystemMetrics(SM_DIGITIZER) & NID_READY) != 0;
  BOOL animations = TRUE;
  if (options.Page && options.Motion < 0)
    SystemParametersInfoA(SPI_GETCLIENTAREAANIMATION, 0, &animations, 0);
  Settings.Picture.Paused = options.Motion == 0 || !animations;
  if (options.FullScreen)
    EnterFullScreen(GraphicsState.MainWindow);
  return true;
}

bool CreateMainWindow(bool page) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BACKGROUND + 1));
  windowClass.lpszClassName = WindowTitle;
  if (RegisterClassA(&windowClass) == 0)
    return SayFailure("cannot register the window class", ErrorText(GetLastError()));

  HWND window = CreateWindowExA(0, WindowTitle, WindowTitle, WS_OVERLAPPEDWINDOW, 10, 10, 1010, 610,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  GraphicsState.MainWindow = window;
  // Without a window no quit message would ever come.
  if (!window)
    return SayFailure("cannot open a window", WindowFailureReason());
  // On a dense screen the window keeps its size on the glass: its client area
  // has the density's pixels for each designed one, rounded as Windows
  // scales sizes by DPI (halves away from zero).
  const double density = WindowDensity(window);
  if (density != 1.0 && !page)
    SetClientSize(window, static_cast<int>(std::lround(DesignWidth * density)),
                  static_cast<int>(std::lround(DesignHeight * density)));
  ShowWindow(window, SW_SHOW);
  // Without its timer the demonstration would stand still.
  if (SetTimer(window, TimerId, TimerPeriodOf(Settings.TickRate), nullptr) == 0)
    return SayFailure("cannot start the animation timer", ErrorText(GetLastError()));
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
