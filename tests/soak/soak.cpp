// The demonstration left running far longer than a lecture, on the headless
// backend: seeded random clicks (bursts of several between two ticks among
// them), a presenter's keys (next, back, start again, pause, blank, slower and
// faster, one tick, the theme, the lesson; held keys repeating, releases of
// keys never pressed, keys the program does not know), full screen on and off
// (F11, F, Alt+Enter, Esc) on monitors of several sizes, changes of the
// screen's density (96 to 192 DPI), resizes from 0 x 0 to 4096 x 4096, paint
// requests and late ticks, all through the real message path (the virtual
// clock at the timer's period of the speed, queued input, PeekMessageA and
// DispatchMessageA). Checked as it runs:
//   - every tick is exactly one animation step; every WM_TIMER plays the
//     ticks of one timer message at the speed (two at 2, one at the others),
//     however late it is, or none while the picture is paused or blank; S
//     plays one while paused and none otherwise;
//   - the first tick after every step on (a click or a next key) changes the
//     animation (never stuck);
//   - between messages the GDI object count is what start-up left, plus the
//     program's font while it draws with one (full screen, a dense screen),
//     plus the light theme's background brush while it has one, and no shape
//     ever holds more than its one temporary pen and brush;
//   - in full screen nothing is ever drawn outside the picture's rectangle;
//   - every tilt, slide and pull that runs to its end shows exactly its
//     caption band and figures as drawn directly, in either theme and either
//     lesson, whatever paints, resizes, keys and clicks came while it ran (no
//     residue), but for the speed's sign at the left end of the caption line;
//   - after warm-up the heap in use and the resident memory stay flat.
// Prints its figures; exits with 1 on the first failed check.
//
// Usage: velqor_soak [--ticks N] [--seed S]
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "animation/animation_state.h"
#include "app/application.h"
#include "app/presentation_mode.h"
#include "app/presenter_controls.h"
#include "app/settings.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/picture_layout.h"
#include "graphics/shapes.h"
#include "platform/host.h"
#include "scenes/scene_frame.h"
#include "scenes/stage_table.h"
#include "tests/support/margins.h"
#include "tests/support/program_checks.h"

// ---- the probes: the object count while a shape holds its temporary objects,
// and each tick of a timer message -----------------------------------------
//
// The link wraps the layer's CreatePen and CreateSolidBrush (-Wl,--wrap), so the
// count is read right after every creation: the only moments it can rise, and
// so its true peak. Between messages it is read after every dispatch. It wraps
// the stages' TickStage too, so that each of the two ticks of one timer
// message at speed 2 is seen on its own.

HPEN RealCreatePen(int style, int width, COLORREF color) __asm__("__real__ZN3vqw9CreatePenEiij");
HBRUSH RealCreateSolidBrush(COLORREF color) __asm__("__real__ZN3vqw16CreateSolidBrushEj");
HPEN ProbedCreatePen(int style, int width, COLORREF color) __asm__("__wrap__ZN3vqw9CreatePenEiij");
HBRUSH ProbedCreateSolidBrush(COLORREF color) __asm__("__wrap__ZN3vqw16CreateSolidBrushEj");
bool RealTickStage() __asm__("__real__Z9TickStagev");
bool ProbedTickStage() __asm__("__wrap__Z9TickStagev");

namespace {

DWORD peakObjects = 0;
long long objectsCreated = 0;

void NoteCreation() {
  ++objectsCreated;
  peakObjects = std::max(peakObjects, GdiObjectCount());
}

} // namespace

HPEN ProbedCreatePen(int style, int width, COLORREF color) {
  HPEN pen = RealCreatePen(style, width, color);
  NoteCreation();
  return pen;
}

HBRUSH ProbedCreateSolidBrush(COLORREF color) {
  HBRUSH brush = RealCreateSolidBrush(color);
  NoteCreation();
  return brush;
}

namespace {

using vqp::HeadlessAdvanceClock;
using vqp::HeadlessClick;
using vqp::HeadlessKeyDown;
using vqp::HeadlessKeyUp;
using vqp::HeadlessResizeClient;

const AnimationStateRecord &s = AnimationState;

// ---- failures ----------------------------------------------------------------

long long tickNumber = 0;

[[noreturn]] void Fail(const char *what, const std::string &detail = "") {
  std::fprintf(stderr, "velqor_soak: FAILED at tick %lld: %s%s%s\n", tickNumber, what,
               detail.empty() ? "" : ": ", detail.c_str());
  std::exit(1);
}

// ---- memory ------------------------------------------------------------------

long long ResidentBytes() {
  FILE *f = std::fopen("/proc/self/statm", "r");
  long long size = 0, resident = 0;
  if (f) {
    if (std::fscanf(f, "%lld %lld", &size, &resident) != 2)
      resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

// AddressSanitizer keeps freed memory in quarantine and has an allocator of
// its own: there, memory figures are printed but not judged.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool JudgeMemory = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool JudgeMemory = false;
#else
constexpr bool JudgeMemory = true;
#endif
#else
constexpr bool JudgeMemory = true;
#endif

// Bytes the program holds from malloc, whatever the allocator keeps for later.
// glibc counts the chunks in its per-thread cache as in use, and that cache
// holds up to some hundreds of kilobytes depending on the last frees: the soak
// runs without it (see CacheOffOrRestart), so that this counts the program's.
long long HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<long long>(m.uordblks + m.hblkhd);
}

// ---- the run -----------------------------------------------------------------

struct Figures {
  long long ticks = 0, lateTicks = 0, clicks = 0, bursts = 0, resizes = 0, paints = 0;
  long long tinyResizes = 0, narrowResizes = 0, hugeResizes = 0;
  long long keys = 0, repeats = 0, strayReleases = 0, otherKeys = 0;
  long long stepsPlayed = 0; // every tick, of a message or of S
  long long speedKeys = 0, stepKeysPaused = 0, stepKeysMoving = 0, themeKeys = 0, lessonKeys = 0;
  long long messagesAtSpeed[4] = {}, lightMessages = 0, fullLessonMessages = 0;
  long long fullScreenKeys = 0, fullScreenTicks = 0, densityChanges = 0, monitorChanges = 0;
  long long messages = 0;
  long long rssStart = 0, rssPeak = 0, rssEnd = 0, heapStart = 0, heapEnd = 0;
  long long trimmedStart = 0, trimmedEnd = 0;
  DWORD objectsStart = 0, objectsEnd = 0;
};

Figures fig;
HWND window = nullptr;
DWORD objectsAtStart = 0;

// The stages whose end pictures are compared with direct drawings: the tilt
// when the plane is edge-on, the slide when it has stopped, the pull when the
// plane has gone. Every repaint draws the stage as it stands, so each is
// compared however it began and whatever came while it ran.
enum Watched { Tilt, Slide, Pull, WatchedCount };
const char *const WatchedNames[WatchedCount] = {"tilt", "slide", "pull"};
long long checkedEnds[WatchedCount] = {};
// Among them: in the light theme, with a speed's sign, in the full lesson.
long long lightEnds = 0, signEnds = 0, fullLessonEnds = 0;

// A click or a next key since the last tick, which moved the demonstration on.
bool steppedSinceTick = false;

double Cut(double v) { return Real48(v); }
int Wrapped(int angle) { return angle == 360 || angle == -360 ? 0 : angle; }

// A tick is one step of the stage it found, never more, never none (but for
// a finished pull, which stands still). `cycleLength` is the length of the
// cycle it found. The stages are told by their names: a lesson's other
// stages are held only to stay where they are.
void CheckOneStep(const AnimationStateRecord &before, int32_t cycleLength) {
  const AnimationStateRecord &after = s;
  char detail[160];
  std::snprintf(detail, sizeof detail, "stage %d -> %d, angle %d -> %d, plane %.6f -> %.6f",
                before.Stage, after.Stage, before.AngleDeg, after.AngleDeg,
                static_cast<double>(before.PlaneX), static_cast<double>(after.PlaneX));
  if (before.Stage == cycleLength) {
    if (after.Stage != RotateStage || after.AngleStep != -before.AngleStep)
      Fail("the tick after the last stage did not start the next cycle", detail);
    return;
  }
  if (before.Stage < RotateStage || before.Stage > cycleLength)
    Fail("a tick found the stage out of range", detail);
  if (after.Stage != before.Stage)
    Fail("a tick left its stage", detail);
  const std::string name = CycleStage(before.Stage).Name;
  if (name == "rotate" || name == "tilt" || name == "slide") {
    if (after.AngleDeg != Wrapped(before.AngleDeg + before.AngleStep))
      Fail("a tick did not turn the point by one step", detail);
  } else if (name == "pull") {
    if (before.PlaneX >= 2.0) {
      if (after.PlaneX != before.PlaneX || after.AngleDeg != before.AngleDeg)
        Fail("a finished pull moved", detail);
    } else if (after.PlaneX != Cut(before.PlaneX + before.PlaneStep)) {
      Fail("a tick did not pull the plane by one step", detail);
    }
  }
}

} // namespace

bool ProbedTickStage() {
  const AnimationStateRecord before = s;
  const int32_t cycleLength = CycleLength();
  const bool began = RealTickStage();
  ++fig.stepsPlayed;
  CheckOneStep(before, cycleLength);
  return began;
}

namespace {

// Whether any of the stages' variables moved (a click's mark of a stage
// entered is not a move).
bool Changed(const AnimationStateRecord &a, const AnimationStateRecord &b) {
  AnimationStateRecord c;
  std::memcpy(&c, &b, sizeof c);
  c.StageEntered = a.StageEntered;
  return std::memcmp(&a, &c, sizeof a) != 0;
}

// What the end of the stage shows, drawn directly: its caption band, the plane
// and the point where they are now, or the finished pull.
Picture DirectPicture(Watched which) {
  switch (which) {
  case Tilt:
    return EdgeOnTilt(s.ApparentWidth, s.AngleDeg);
  case Slide:
    return SlideAt(s.PlaneX, s.AngleDeg);
  default:
    // The designed pull turns forward in both directions, the full lesson's
    // keeps the turn's direction.
    return FinishedPullFrom(s.PullStartX, Settings.Picture.FullLesson ? s.AngleStep : 5);
  }
}

// The left end of the caption band, where the caption line shows the speed's
// sign (which the direct drawings leave out); empty at the designed speed.
RECT SpeedSignBox() {
  const char *sign = Settings.Picture.SpeedSign;
  if (!sign)
    return {0, 0, 0, 0};
  const RECT picture = PictureRect();
  const std::string shown = std::string(" ") + sign;
  return {picture.left, picture.top, picture.left + TextWidth(shown.c_str()),
          picture.top + ScaledPixels(40)};
}

void CheckEndPicture(Watched which) {
  const Picture shown = TakePicture();
  const Picture direct = DirectPicture(which);
  if (shown.Width != direct.Width || shown.Height != direct.Height)
    Fail("the reference picture has another size");
  const RECT sign = SpeedSignBox();
  long differences = 0;
  int firstX = -1, firstY = -1;
  for (int y = 0; y < shown.Height; ++y)
    for (int x = 0; x < shown.Width; ++x)
      if (shown.At(x, y) != direct.At(x, y) &&
          !(x >= sign.left && x < sign.right && y >= sign.top && y < sign.bottom) &&
          differences++ == 0) {
        firstX = x;
        firstY = y;
      }
  if (differences == 0) {
    ++checkedEnds[which];
    lightEnds += Settings.Colors == Theme::Light;
    signEnds += sign.right > sign.left;
    fullLessonEnds += Settings.Picture.FullLesson;
    return;
  }
  char detail[200];
  std::snprintf(detail, sizeof detail,
                "%ld pixels differ in a %d x %d window at the end of a %s (%s theme); the first "
                "at (%d, %d): %06x instead of %06x",
                differences, shown.Width, shown.Height, WatchedNames[which],
                Settings.Colors == Theme::Light ? "light" : "classic", firstX, firstY,
                shown.At(firstX, firstY), direct.At(firstX, firstY));
  Fail("a stage left residue", detail);
}

// Start-up's objects, the program's font while it has one, and the light
// theme's background brush while it has one.
DWORD ObjectsExpected() {
  const GraphicsStateRecord &g = GraphicsState;
  return objectsAtStart + (g.Font != nullptr ? 1 : 0) +
         (g.BackgroundBrush != g.Brushes[Black] ? 1 : 0);
}

// A key of this action pressed (not a held key's repeat).
bool IsKeyOf(const MSG &msg, PresenterAction action) {
  return msg.message == WM_KEYDOWN && !(HIWORD(msg.lParam) & KF_REPEAT) &&
         ActionOfKey(msg.wParam) == action;
}

// Dispatches what is ready, one message at a time, as the program's own loop
// does, checking after each one. Returns the number of WM_TIMER dispatched.
int Pump() {
  int timers = 0;
  int finished = -1; // the watched stage that reached its end
  MSG msg;
  for (int n = 0; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
    if (msg.message == WM_QUIT)
      Fail("the program asked to quit");
    if (n > 1000)
      Fail("the queue never empties");
    const AnimationStateRecord before = s;
    const bool blank = Settings.Picture.Blanked, held = blank || Settings.Picture.Paused;
    const long long stepsBefore = fig.stepsPlayed;
    const int ticksPerMessage = TicksPerTimerMessage(Settings.TickRate);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    ++fig.messages;
    const long long steps = fig.stepsPlayed - stepsBefore;
    const DWORD expected = ObjectsExpected();
    if (GdiObjectCount() != expected)
      Fail("GDI objects between messages",
           std::to_string(GdiObjectCount()) + " instead of " + std::to_string(expected));
    // Ticks draw the most and move least: every fiftieth is looked at.
    if ((msg.message != WM_TIMER || tickNumber % 50 == 0) && !MarginsBlack())
      Fail("something was drawn outside the picture in full screen");
    if (GetROP2(GraphicsState.WindowDC) != R2_COPYPEN)
      Fail("a message left the exclusive-or mode set");
    if (msg.message == WM_TIMER) {
      ++timers;
      if (steps != (held ? 0 : ticksPerMessage))
        Fail("a timer message did not play the ticks of its speed",
             std::to_string(steps) + " instead of " + std::to_string(held ? 0 : ticksPerMessage));
      if (held && std::memcmp(&before, &s, sizeof before) != 0)
        Fail("a tick moved a paused or blank picture");
      // (A pause or a blank after the step holds the picture: that tick stands still.)
      if (steppedSinceTick && !held && !Changed(before, s))
        Fail("the first tick after a step on changed nothing");
      steppedSinceTick = false;
      if (before.Stage == TiltStage && before.ApparentWidth > 0 && s.ApparentWidth <= 0)
        finished = Tilt;
      if (before.Stage == SlideStage && before.PlaneX > -2.0 && s.PlaneX <= -2.0)
        finished = Slide;
      if (before.Stage == PullStage && before.PlaneX < 2.0 && s.PlaneX >= 2.0)
        finished = Pull;
    } else if ((msg.message == WM_LBUTTONDOWN || IsKeyOf(msg, PresenterAction::Next)) && !blank) {
      // A step on unpauses; while blank it only brings the picture back.
      steppedSinceTick = true;
    } else if ((IsKeyOf(msg, PresenterAction::Back) || IsKeyOf(msg, PresenterAction::StartAgain) ||
                IsKeyOf(msg, PresenterAction::Lesson)) &&
               !blank) {
      // Back, start again or a new lesson before the tick undoes the step:
      // back shows a finished stage, which may well stand still.
      steppedSinceTick = false;
    } else if (IsKeyOf(msg, PresenterAction::Step)) {
      // One tick while paused (not while blank: the key brings the picture back).
      const bool plays = !blank && Settings.Picture.Paused;
      ++(plays ? fig.stepKeysPaused : fig.stepKeysMoving);
      if (steps != (plays ? 1 : 0))
        Fail(plays ? "S while paused did not play one tick" : "S played a tick while not paused");
      if (plays && steppedSinceTick && !Changed(before, s))
        Fail("the first tick after a step on changed nothing");
      steppedSinceTick = steppedSinceTick && !plays;
    }
    if (msg.message != WM_TIMER && !IsKeyOf(msg, PresenterAction::Step) && steps != 0)
      Fail("a message other than the timer's and S played a tick");
  }
  if (finished >= 0)
    CheckEndPicture(static_cast<Watched>(finished));
  return timers;
}

// Dispatches what is ready after `what`, which must bring no timer message.
void PumpWithoutTick(const char *what) {
  if (Pump() != 0)
    Fail((std::string(what) + " brought a tick with it").c_str());
}

// A key pressed and released, with Alt or not.
void Press(UINT key, bool alt = false) {
  HeadlessKeyDown(window, key, alt);
  HeadlessKeyUp(window, key, alt);
}

void Resize(int width, int height) {
  HeadlessResizeClient(window, width, height);
  ++fig.resizes;
  fig.tinyResizes += width <= 1 || height <= 1;
  fig.narrowResizes += width < 420;
  fig.hugeResizes += width >= 2048 && height >= 2048;
  PumpWithoutTick("a resize");
  // An empty client area gets no paint (as on Windows), so the picture's size
  // follows only when there is something to paint.
  RECT client = {0, 0, 0, 0};
  GetClientRect(window, &client);
  const bool painted =
      width == 0 || height == 0 || (GraphicsState.MaxX == width && GraphicsState.MaxY == height);
  if (client.right != width || client.bottom != height || !painted)
    Fail("the window did not take its new size",
         std::to_string(width) + " x " + std::to_string(height));
}

// Window sizes as a restless user makes them: mostly ordinary, some narrow
// (where the circle is filled), some degenerate, now and then enormous.
void RandomResize(std::mt19937_64 &random) {
  const int kind = static_cast<int>(random() % 100);
  auto between = [&](int lo, int hi) { return lo + static_cast<int>(random() % (hi - lo + 1)); };
  if (kind < 4)
    Resize(0, 0);
  else if (kind < 8)
    Resize(1, 1);
  else if (kind < 12)
    Resize(between(0, 3), between(0, 600));
  else if (kind < 30)
    Resize(between(2, 419), between(2, 700));
  else if (kind < 88)
    Resize(between(420, 1600), between(200, 1000));
  else if (kind < 97)
    Resize(between(1600, 4096), between(1000, 4096));
  else
    Resize(4096, 4096);
}

// A presenter at the keyboard or with a remote: mostly the keys of the
// program's groups, pressed and released; now and then a key held down (its
// auto-repeats), a release of a key never pressed, or a key the program does
// not know, with or without Alt.
void RandomKeys(std::mt19937_64 &random) {
  // S twice: it acts only while the picture is paused.
  static const UINT presenterKeys[] = {
      VK_NEXT,     VK_RIGHT, VK_DOWN, VK_SPACE,      VK_RETURN,    'N',
      VK_PRIOR,    VK_LEFT,  VK_UP,   VK_BACK,       'P',          VK_HOME,
      'K',         VK_PAUSE, 'B',     VK_OEM_PERIOD, VK_OEM_MINUS, VK_SUBTRACT,
      VK_OEM_PLUS, VK_ADD,   'S',     'S',           'T',          'L'};
  static const UINT otherKeys[] = {'A',      'Z',        '0',       '9',       VK_TAB,
                                   VK_END,   VK_INSERT,  VK_DELETE, VK_F1,     VK_F12,
                                   VK_SHIFT, VK_CONTROL, VK_MENU,   VK_DECIMAL};
  const auto pick = [&](const auto &keys) {
    return keys[random() % (sizeof keys / sizeof keys[0])];
  };
  const auto count = [](UINT key) {
    const PresenterAction action = ActionOfKey(key);
    fig.speedKeys += action == PresenterAction::Slower || action == PresenterAction::Faster;
    fig.themeKeys += action == PresenterAction::Theme;
    fig.lessonKeys += action == PresenterAction::Lesson;
  };
  const auto press = [](UINT key) {
    Press(key);
    ++fig.keys;
  };
  const int kind = static_cast<int>(random() % 100);
  if (kind < 6) {
    // Stepping through a paused picture tick by tick, left paused.
    if (!Settings.Picture.Paused)
      press('K');
    for (int i = 1 + static_cast<int>(random() % 4); i > 0; --i)
      press('S');
  } else if (kind < 80) {
    // Pressed and released, or held down for some auto-repeats first.
    const UINT key = pick(presenterKeys);
    const int repeats = kind < 70 ? 0 : 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < repeats; ++i)
      HeadlessKeyDown(window, key);
    press(key);
    count(key);
    fig.repeats += repeats;
  } else if (kind < 88) {
    HeadlessKeyUp(window, pick(presenterKeys));
    ++fig.strayReleases;
  } else {
    const UINT key = pick(otherKeys);
    Press(key, random() % 3 == 0);
    ++fig.otherKeys;
  }
  PumpWithoutTick("a key");
}

// The presenter going full screen and back (now and then with a held key's
// repeats), or the screen changing under the window: its density, or the
// size of the monitor (which a full-screen window covers when it next goes
// full screen).
void RandomScreen(std::mt19937_64 &random) {
  const int kind = static_cast<int>(random() % 100);
  if (kind < 60) {
    const int which = static_cast<int>(random() % 4);
    const UINT key = which == 0 ? VK_F11 : which == 1 ? 'F' : which == 2 ? VK_RETURN : VK_ESCAPE;
    const bool alt = key == VK_RETURN;
    HeadlessKeyDown(window, key, alt);
    if (random() % 4 == 0)
      HeadlessKeyDown(window, key, alt); // held: its repeat changes nothing
    HeadlessKeyUp(window, key, alt);
    ++fig.fullScreenKeys;
  } else if (kind < 85) {
    static const UINT dpis[] = {96, 120, 144, 192};
    vqp::HeadlessSetDpi(dpis[random() % 4]);
    ++fig.densityChanges;
  } else {
    static const int sizes[][2] = {{1024, 768}, {1920, 1080}, {1280, 800}, {3840, 2160}};
    const int *size = sizes[random() % 4];
    vqp::HeadlessSetMonitor(size[0], size[1]);
    ++fig.monitorChanges;
  }
  PumpWithoutTick("a change of the screen");
}

void Sample() { fig.rssPeak = std::max(fig.rssPeak, ResidentBytes()); }

int Run(long long ticks, uint64_t seed) {
  std::mt19937_64 random(seed);
  const auto started = std::chrono::steady_clock::now();

  // Start-up as StartApplication does it (TestWindow), then the first paint.
  window = TestWindow();
  fig.objectsStart = peakObjects = objectsAtStart = GdiObjectCount();
  Pump();

  // Warm-up ends at the first checkpoint; the extremes come early so that
  // whatever they leave in the allocator is there before it.
  const long long checkpointEvery = std::min<long long>(20000, std::max<long long>(ticks / 5, 1));
  const long long warmUp = checkpointEvery;
  long long nextClick = 50, nextResize = 10, nextPaint = 500, nextKey = 30, nextScreen = 200;
  int earlyExtremes = 0;

  for (tickNumber = 1; tickNumber <= ticks; ++tickNumber) {
    if (tickNumber == nextResize) {
      if (earlyExtremes < 3) {
        const int sides[3] = {4096, 0, 1};
        Resize(sides[earlyExtremes], sides[earlyExtremes]);
        ++earlyExtremes;
        nextResize += 100;
      } else {
        RandomResize(random);
        nextResize += 1 + static_cast<long long>(random() % 5000);
      }
    }
    if (tickNumber == nextPaint) {
      InvalidateRect(window, nullptr, FALSE);
      ++fig.paints;
      PumpWithoutTick("a paint request");
      nextPaint += 1 + static_cast<long long>(random() % 10000);
    }
    if (tickNumber == nextClick) {
      // One click in most cases, otherwise a burst before the next tick.
      const int burst = random() % 6 == 0 ? 2 + static_cast<int>(random() % 6) : 1;
      for (int i = 0; i < burst; ++i)
        HeadlessClick(window, static_cast<int>(random() % 1000), static_cast<int>(random() % 600));
      fig.clicks += burst;
      fig.bursts += burst > 1;
      // Short, medium and long waits, so that many stages run to their end.
      const int wait = static_cast<int>(random() % 20);
      nextClick += wait < 5    ? 1 + static_cast<long long>(random() % 60)
                   : wait < 12 ? 1 + static_cast<long long>(random() % 500)
                               : 400 + static_cast<long long>(random() % 1100);
    }
    if (tickNumber == nextKey) {
      RandomKeys(random);
      nextKey += 1 + static_cast<long long>(random() % 800);
    }
    if (tickNumber == nextScreen) {
      RandomScreen(random);
      nextScreen += 1 + static_cast<long long>(random() % 3000);
    }
    fig.fullScreenTicks += Settings.FullScreen;
    ++fig.messagesAtSpeed[static_cast<int>(Settings.TickRate)];
    fig.lightMessages += Settings.Colors == Theme::Light;
    fig.fullLessonMessages += Settings.Picture.FullLesson;
    // Now and then the tick comes late: the clock jumps by many periods.
    const bool late = random() % 10 == 0;
    const UINT period = TimerPeriodOf(Settings.TickRate);
    HeadlessAdvanceClock(late ? period + 1 + random() % 3000 : period);
    fig.lateTicks += late;
    if (Pump() != 1)
      Fail("the clock moved on by the timer's period but not exactly one timer message came");
    ++fig.ticks;
    if (s.Stage < RotateStage || s.Stage >= CycleLength())
      Fail("a tick left the stage out of range");

    if (tickNumber % 1000 == 0)
      Sample();
    if (tickNumber % checkpointEvery == 0 || tickNumber == ticks) {
      // Memory is compared in one window, the one the program opens with:
      // out of full screen, on a standard screen, in the designed colours, at
      // its own size. (While blank, the first T only brings the picture back.)
      Press(VK_ESCAPE);
      vqp::HeadlessSetDpi(96);
      for (int i = 0; i < 2 && Settings.Colors == Theme::Light; ++i) {
        Press('T');
        PumpWithoutTick("the theme");
      }
      PumpWithoutTick("leaving full screen");
      if (Settings.Colors != Theme::Classic)
        Fail("T did not bring the designed colours back");
      Resize(1002, 583);
      Sample();
      // The allocator keeps some freed memory (after a huge framebuffer, up
      // to tens of megabytes) for later; what it gives back on request shows
      // what the program still holds.
      const long long rss = ResidentBytes(), heap = HeapInUse();
      malloc_trim(0);
      const long long trimmed = ResidentBytes();
      if (tickNumber == warmUp) {
        fig.rssStart = rss;
        fig.heapStart = heap;
        fig.trimmedStart = trimmed;
      }
      fig.rssEnd = rss;
      fig.heapEnd = heap;
      fig.trimmedEnd = trimmed;
    }
  }
  tickNumber = ticks;
  fig.objectsEnd = GdiObjectCount();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  const double mb = 1024.0 * 1024.0;
  std::printf("velqor_soak: seed %llu, %.1f s\n", static_cast<unsigned long long>(seed), seconds);
  std::printf("  timer messages %lld (%lld late, the clock jumping up to 3 s), ticks played %lld, "
              "messages %lld\n",
              fig.ticks, fig.lateTicks, fig.stepsPlayed, fig.messages);
  std::printf("  timer messages at speed 1/4 %lld, 1/2 %lld, 1 %lld, 2 %lld; in the light theme "
              "%lld; in the full lesson %lld\n",
              fig.messagesAtSpeed[0], fig.messagesAtSpeed[1], fig.messagesAtSpeed[2],
              fig.messagesAtSpeed[3], fig.lightMessages, fig.fullLessonMessages);
  std::printf("  clicks %lld (%lld bursts of 2 to 7 before one tick)\n", fig.clicks, fig.bursts);
  std::printf("  resizes %lld (%lld to 0 or 1 pixel, %lld narrower than 420, %lld of 2048 x 2048 "
              "or more), paint requests %lld\n",
              fig.resizes, fig.tinyResizes, fig.narrowResizes, fig.hugeResizes, fig.paints);
  std::printf("  keys %lld (%lld auto-repeats among them), %lld releases of keys not pressed, "
              "%lld other keys\n",
              fig.keys, fig.repeats, fig.strayReleases, fig.otherKeys);
  std::printf("  among them: %lld slower or faster, S %lld while paused and %lld while not, %lld "
              "themes, %lld lessons\n",
              fig.speedKeys, fig.stepKeysPaused, fig.stepKeysMoving, fig.themeKeys, fig.lessonKeys);
  std::printf("  full screen: %lld keys (F11, F, Alt+Enter, Esc), %lld ticks in it; %lld "
              "changes of density, %lld of the monitor's size\n",
              fig.fullScreenKeys, fig.fullScreenTicks, fig.densityChanges, fig.monitorChanges);
  std::printf("  end pictures equal to the direct drawing: %lld tilts, %lld slides, %lld pulls "
              "(%lld in the light theme, %lld at another speed, its sign aside, %lld in the full "
              "lesson)\n",
              checkedEnds[Tilt], checkedEnds[Slide], checkedEnds[Pull], lightEnds, signEnds,
              fullLessonEnds);
  std::printf("  GDI objects: start %lu, peak %lu (read after each of %lld creations), end %lu\n",
              static_cast<unsigned long>(fig.objectsStart), static_cast<unsigned long>(peakObjects),
              objectsCreated, static_cast<unsigned long>(fig.objectsEnd));
  std::printf("  resident memory: start %.1f MB (after %lld ticks of warm-up), peak %.1f MB, end "
              "%.1f MB, growth %+.2f MB\n",
              fig.rssStart / mb, warmUp, fig.rssPeak / mb, fig.rssEnd / mb,
              (fig.rssEnd - fig.rssStart) / mb);
  std::printf("  resident after returning free memory to the system: start %.1f MB, end %.1f "
              "MB, growth %+.2f MB\n",
              fig.trimmedStart / mb, fig.trimmedEnd / mb, (fig.trimmedEnd - fig.trimmedStart) / mb);
  std::printf("  heap in use: start %.3f MB, end %.3f MB, growth %+lld bytes\n", fig.heapStart / mb,
              fig.heapEnd / mb, fig.heapEnd - fig.heapStart);
  if (!JudgeMemory)
    std::printf("  (memory not judged: AddressSanitizer keeps freed memory in quarantine)\n");

  if (peakObjects > objectsAtStart + 1 + 1 + 2)
    Fail("more GDI objects in flight than the font, the light background's brush and one "
         "temporary pen and brush",
         std::to_string(peakObjects) + " with " + std::to_string(objectsAtStart) + " at start");
  if (fig.objectsEnd != objectsAtStart)
    Fail("GDI objects leaked");
  for (int w = 0; w < WatchedCount; ++w)
    if (ticks >= 50000 && checkedEnds[w] == 0)
      Fail("no stage of this kind ran to its end", WatchedNames[w]);
  if (ticks >= 50000 && (lightEnds == 0 || signEnds == 0 || fig.stepKeysPaused == 0 ||
                         fig.messagesAtSpeed[static_cast<int>(Speed::Double)] == 0))
    Fail("the run never ended a stage in the light theme or at another speed, never played S "
         "while paused, or never ran at speed 2");
  // A leak of even a few bytes a tick would show over this many ticks.
  if (JudgeMemory && fig.heapEnd - fig.heapStart > 64 * 1024)
    Fail("the heap grew after warm-up");
  if (JudgeMemory && fig.trimmedEnd - fig.trimmedStart > 4 * 1024 * 1024)
    Fail("resident memory grew after warm-up");
  return 0;
}

} // namespace

// The per-thread cache is turned off by a tunable read at start-up: the soak
// starts itself again with it set, once. False when that failed.
constexpr const char *CacheOff = "glibc.malloc.tcache_count=0";
bool CacheOffOrRestart(char **argv) {
  const char *tunables = std::getenv("GLIBC_TUNABLES");
  if (!JudgeMemory || (tunables && std::strstr(tunables, CacheOff)))
    return true;
  const std::string all = tunables && *tunables ? std::string(tunables) + ":" + CacheOff : CacheOff;
  setenv("GLIBC_TUNABLES", all.c_str(), 1);
  execv("/proc/self/exe", argv);
  std::fprintf(stderr, "velqor_soak: cannot start again with %s: %s\n", CacheOff,
               std::strerror(errno));
  return false;
}

int main(int argc, char **argv) {
  if (!CacheOffOrRestart(argv))
    return 1;
  long long ticks = 200000;
  uint64_t seed = 20240611;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--ticks") == 0 && i + 1 < argc) {
      ticks = std::atoll(argv[++i]);
    } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else {
      std::fprintf(stderr, "usage: velqor_soak [--ticks N] [--seed S]\n");
      return 2;
    }
  }
  if (ticks < 1) {
    std::fprintf(stderr, "velqor_soak: --ticks wants a positive number\n");
    return 2;
  }
  return Run(ticks, seed);
}
