// Message streams into the program: the input becomes a sequence of timer
// messages (sent, or through the queue after the clock moves by the period of
// the speed), left clicks, keys pressed and released through the queue (full
// screen on and off, slower and faster, one tick, the theme and the lesson
// among them), paint requests, resizes (any size up to 4096 x 4096, mostly
// small), changes of the screen (its density, the monitor's size), starts at
// any stage of either cycle and other messages with arbitrary wParam and
// lParam, sent to the window procedure or posted to the queue. After each one
// the program must still be sound: the objects of start-up and no more (but
// its font while it draws with one, and the light theme's background brush
// while it has one), copy mode, an animation state within its ranges, a
// timer message that played the ticks of its speed (two at 2, one at the
// others, none while held), and in full screen nothing outside the picture's
// rectangle.
//
// The main window can be made once per process; every input starts from the
// start values and settings in a 160 x 100 window with the timer's next tick
// 20 ms away.
#include <algorithm>
#include <iterator>

#include "animation/animation_state.h"
#include "app/presentation_mode.h"
#include "app/presenter_controls.h"
#include "app/settings.h"
#include "graphics/graphics_state.h"
#include "graphics/picture_layout.h"
#include "platform/host.h"
#include "scenes/stage_table.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/margins.h"
#include "tools/driver/program_driver.h"

// Each tick of the demonstration, counted: the link wraps the stages'
// TickStage (-Wl,--wrap), so that the two ticks of one timer message at
// speed 2 are seen apart.
bool RealTickStage() __asm__("__real__Z9TickStagev");
bool CountedTickStage() __asm__("__wrap__Z9TickStagev");

namespace {

long long ticksPlayed = 0;

} // namespace

bool CountedTickStage() {
  ++ticksPlayed;
  return RealTickStage();
}

namespace {

const AnimationStateRecord &s = AnimationState;
const GraphicsStateRecord &g = GraphicsState;

// The window every input starts in.
constexpr int SmallWidth = 160;
constexpr int SmallHeight = 100;

HWND window = nullptr;
DWORD objectsAtStart = 0;

DWORD Objects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

void CheckSound(const char *after) {
  FUZZ_CHECK(IsWindow(window), "the window is gone after %s", after);
  const DWORD expected = objectsAtStart + (g.Font != nullptr ? 1 : 0) +
                         (g.BackgroundBrush != g.Brushes[Black] ? 1 : 0);
  FUZZ_CHECK(Objects() == expected, "%lu GDI objects instead of %lu after %s",
             static_cast<unsigned long>(Objects()), static_cast<unsigned long>(expected), after);
  FUZZ_CHECK(MarginsBlack(), "something outside the picture in full screen after %s", after);
  FUZZ_CHECK(GetROP2(g.WindowDC) == R2_COPYPEN, "exclusive-or left set after %s", after);
  FUZZ_CHECK(GetCurrentObject(g.WindowDC, OBJ_BRUSH) == static_cast<HGDIOBJ>(g.Brushes[Black]),
             "a brush other than black left selected after %s", after);
  FUZZ_CHECK(s.Stage >= RotateStage && s.Stage <= CycleLength(), "stage %d after %s", s.Stage,
             after);
  FUZZ_CHECK(s.AngleStep == 5 || s.AngleStep == -5, "angle step %d after %s", s.AngleStep, after);
  FUZZ_CHECK(s.AngleDeg % 5 == 0 && s.AngleDeg > -360 && s.AngleDeg < 360, "angle %d after %s",
             s.AngleDeg, after);
  if (Settings.Picture.Blanked) {
    // Nothing but the theme's background (and black margins in full screen).
    int width = 0, height = 0;
    const uint32_t *pixels = vqp::HeadlessPixels(window, &width, &height);
    const size_t count = static_cast<size_t>(width) * height;
    FUZZ_CHECK(std::all_of(pixels, pixels + count,
                           [](uint32_t p) { return p == 0 || p == g.Shown[Black]; }),
               "a blank window shows something after %s", after);
  }
}

// Dispatches what is ready, as the program's loop does; returns the number of
// WM_TIMER among it. A quit message (after WM_DESTROY) is taken and dropped.
int Pump() {
  int timers = 0;
  MSG msg;
  for (int n = 0; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
    FUZZ_CHECK(n < 1000, "the queue never empties");
    if (msg.message == WM_QUIT)
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    timers += msg.message == WM_TIMER;
  }
  return timers;
}

void StartUp() {
  FUZZ_CHECK(StartProgram({SmallWidth, SmallHeight}), "the program could not start");
  window = g.MainWindow;
  objectsAtStart = Objects();
}

// The state of a fresh start, as far as one process allows.
void Reset() {
  vqp::HeadlessAdvanceClock(1000);
  Pump();
  LeaveFullScreen(window);
  vqp::HeadlessSetDpi(96);
  vqp::HeadlessSetMonitor(1920, 1080);
  vqp::HeadlessKeyboardLost(); // no key is held from an input before
  StartFresh(SmallWidth, SmallHeight);
  CheckSound("the reset");
}

// The keys the program acts on.
constexpr UINT PresenterKeys[] = {
    VK_NEXT,     VK_RIGHT,      VK_DOWN, VK_SPACE, VK_RETURN, 'N',          VK_PRIOR,
    VK_LEFT,     VK_UP,         VK_BACK, 'P',      VK_HOME,   'K',          VK_PAUSE,
    'B',         VK_OEM_PERIOD, VK_F11,  'F',      VK_ESCAPE, VK_OEM_MINUS, VK_SUBTRACT,
    VK_OEM_PLUS, VK_ADD,        'S',     'T',      'L'};

// Runs `deliver`, which brings one timer message, and checks that it played
// the ticks of the speed, none while the picture is held.
template <typename Deliver> void ExpectTheTicksOfTheSpeed(Deliver deliver) {
  const bool held = Settings.Picture.Paused || Settings.Picture.Blanked;
  const long long ticks = held ? 0 : TicksPerTimerMessage(Settings.TickRate), before = ticksPlayed;
  deliver();
  FUZZ_CHECK(ticksPlayed - before == ticks, "a timer message played %lld ticks, not %lld",
             ticksPlayed - before, ticks);
}

// Any message but WM_CLOSE, whose default handling destroys the window, and
// WM_DPICHANGED, whose lParam is a pointer on every system; with any wParam
// and lParam, read in that order.
MSG AnyMessage(FuzzInput &in) {
  MSG msg = {};
  msg.message = in.U16();
  if (msg.message == WM_CLOSE || msg.message == WM_DPICHANGED)
    msg.message = WM_NULL;
  msg.wParam = in.U64();
  msg.lParam = static_cast<LPARAM>(in.U64());
  return msg;
}

// The screen changing under the window: its density, or the monitor's size
// (taken up at the next full screen), some of them far from ordinary.
void ChangeScreen(FuzzInput &in) {
  static const UINT dpis[] = {96, 120, 144, 192, 48};
  static const int sizes[][2] = {{1920, 1080}, {1024, 768}, {160, 100},
                                 {3840, 2160}, {1, 1},      {0, 0}};
  const uint8_t what = in.Byte();
  if (what & 1)
    vqp::HeadlessSetDpi(dpis[in.Byte() % std::size(dpis)]);
  else
    vqp::HeadlessSetMonitor(sizes[in.Byte() % std::size(sizes)][0],
                            sizes[in.Byte() % std::size(sizes)][1]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (window == nullptr)
    StartUp();
  Reset();
  FuzzInput in(data, size);
  bool large = false;
  // Any event may repaint the whole client area; past this many pixels the
  // rest of the input is left, so that no input runs for long (an event or
  // two in a 4096 x 4096 window, a thousand in a small one).
  long long budget = 20'000'000;
  while (!in.Empty() && budget > 0) {
    RECT area = {0, 0, 0, 0};
    GetClientRect(window, &area);
    budget -= std::max<long long>(1000, static_cast<long long>(area.right) * area.bottom);
    switch (in.Byte() % 13) {
    case 0:
    case 1:
    case 2: {
      const int stage = s.Stage;
      // A paused or blank picture stands still.
      const bool held = Settings.Picture.Paused || Settings.Picture.Blanked;
      const WPARAM wParam = in.Byte();
      ExpectTheTicksOfTheSpeed([&] { SendMessageA(window, WM_TIMER, wParam, 0); });
      FUZZ_CHECK(stage != CycleLength() || held || s.Stage == RotateStage,
                 "the reset did not happen");
      CheckSound("WM_TIMER");
      break;
    }
    case 3: {
      // Late by up to 30 periods of the speed: still one timer message.
      ExpectTheTicksOfTheSpeed([&] {
        vqp::HeadlessAdvanceClock(TimerPeriodOf(Settings.TickRate) * (1 + in.Byte() % 30));
        const int timers = Pump();
        FUZZ_CHECK(timers == 1, "%d timer messages after the clock moved on", timers);
      });
      CheckSound("a tick from the queue");
      break;
    }
    case 12: {
      // A start at a stage of either cycle of the lesson, as a command line
      // or a page's address asks for one; the caller repaints.
      const uint8_t how = in.Byte();
      const bool negative = how & 1;
      const int32_t stage = (how >> 1) % CycleLengthOf(Settings.Picture.FullLesson, negative);
      StartAgain(stage, negative);
      InvalidateRect(window, nullptr, FALSE);
      Pump();
      FUZZ_CHECK(s.Stage == stage && (s.AngleStep < 0) == negative,
                 "a start at stage %d%s is at stage %d", stage, negative ? " (negative)" : "",
                 s.Stage);
      CheckSound("a start at a stage");
      break;
    }
    case 4:
    case 5:
      SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, static_cast<LPARAM>(in.I32()));
      CheckSound("WM_LBUTTONDOWN");
      break;
    case 6:
      if (in.Byte() & 1) {
        SendMessageA(window, WM_PAINT, 0, 0);
      } else {
        InvalidateRect(window, nullptr, FALSE);
        Pump();
      }
      CheckSound("WM_PAINT");
      break;
    case 7: {
      // Mostly under 256 x 256; once per input anything up to 4096 x 4096;
      // or a change of the screen.
      int width = in.Byte(), height = 0;
      if (width >= 0xF0 && width < 0xF8) {
        ChangeScreen(in);
        Pump();
        CheckSound("a change of the screen");
        break;
      }
      if (width >= 0xF8 && !large) {
        large = true;
        width = in.U16() % 4097;
        height = in.U16() % 4097;
      } else {
        height = in.Byte();
      }
      vqp::HeadlessResizeClient(window, width, height);
      Pump();
      RECT client = {0, 0, 0, 0};
      GetClientRect(window, &client);
      FUZZ_CHECK(client.right == width && client.bottom == height, "%d x %d became %ld x %ld",
                 width, height, static_cast<long>(client.right), static_cast<long>(client.bottom));
      CheckSound("a resize");
      break;
    }
    case 8: {
      const MSG msg = AnyMessage(in);
      SendMessageA(window, msg.message, msg.wParam, msg.lParam);
      CheckSound("a message sent");
      break;
    }
    case 10:
    case 11: {
      // A key through the queue, pressed or released, with or without Alt:
      // mostly the presenter's, any other now and then, so held keys repeat,
      // keys come up that never went down, and keys arrive blank or paused.
      const uint8_t how = in.Byte();
      const UINT key = how & 0x80 ? PresenterKeys[in.Byte() % std::size(PresenterKeys)] : in.Byte();
      if (how & 1)
        vqp::HeadlessKeyUp(window, key, (how & 2) != 0);
      else
        vqp::HeadlessKeyDown(window, key, (how & 2) != 0);
      Pump();
      CheckSound("a key");
      break;
    }
    default: {
      const MSG msg = AnyMessage(in);
      PostMessageA(window, msg.message, msg.wParam, msg.lParam);
      Pump();
      CheckSound("a message posted");
      break;
    }
    }
  }
  // Back to the small window now rather than at the next input: the big
  // framebuffer goes within this input, which keeps libFuzzer from running it
  // again in search of a leak.
  vqp::HeadlessResizeClient(window, SmallWidth, SmallHeight);
  Pump();
  return 0;
}
