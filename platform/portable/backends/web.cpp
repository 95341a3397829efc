// The web backend: the layer compiled to WebAssembly, its one window shown on a
// canvas that fills the page, clear of a phone's notch (the canvas element with
// id "velqor", made if the page has none). The client area has the screen's
// pixels: the CSS size of the page's safe area times devicePixelRatio, and the
// window's DPI is 96 times that ratio; a page resize is a window resize, a
// change of the ratio (zoom, another screen) is WM_DPICHANGED. Full screen is
// the browser's (the Fullscreen API); when the browser leaves it by itself
// (its own Esc, or a refusal), the window is told as a Win32 window whose
// monitor's mode changed (LayerFullScreenEnded). A swipe on a touch screen
// arrives as Windows delivers a flick: the browser's back (a swipe to the
// right) or forward app command. The window title becomes the page title.
//
// The browser wakes the page when the next timer falls due, on presses and
// releases of the left button, on keys pressed and released on the canvas
// (which takes the focus) and on resizes; each time, everything that is
// ready is dispatched and the changed rectangle of the framebuffer is put on
// the canvas. What the window says in text (what TextOutA drew and nothing
// has painted over) goes to the page with it, for screen readers.
//
// The clock: it stands still between the timer's wake-ups, and each of them
// moves it to the due time of the timer it was set for. So every such wake-up
// brings exactly one tick, however early or late the browser runs it, and a
// page that was held up or throttled (a hidden tab) gets one merged tick on its
// next wake-up, never a burst of the missed ones. The wake-ups are aimed at the
// real time of each due time, counted from the start of the loop, so a 20 ms
// timer ticks 50 times a second although the browser runs each one a little
// late; one that comes far later than aimed (a stall) moves the aim on instead
// of catching up.
#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../../host.h"
#include "../backend.h"
#include "../layer.h"

// ---- the page side (web/library_velqor.js) ---------------------------------

extern "C" {
// Finds or makes the canvas, names the page and listens to the browser.
void vq_web_open_canvas(const char *title);
// Wakes the page (vq_web_tick) once, after `ms` milliseconds, instead of any
// wake-up asked for before.
void vq_web_wake_after(double ms);
// No more wake-ups.
void vq_web_stop();
void vq_web_show_canvas(int visible);
// The page and the screen, in the screen's pixels, and the screen's DPI.
int vq_web_page_width();
int vq_web_page_height();
int vq_web_screen_width();
int vq_web_screen_height();
int vq_web_dpi();
// The page's media queries: (pointer: coarse), (prefers-reduced-motion: reduce).
int vq_web_touch_primary();
int vq_web_reduced_motion();
// Asks the browser for full screen (1) or to leave it (0).
void vq_web_full_screen(int on);
// Gives the canvas this size; 1 when it changed, which also cleared it.
int vq_web_fit_canvas(int width, int height);
// Puts the rectangle (left, top, width, height) of the canvas from `rows`: the
// RGBA pixels of whole rows of the canvas, from row `top` on.
void vq_web_put(const void *rows, int left, int top, int width, int height);
// The texts on the canvas, `length` bytes of UTF-8, one a line, and the box
// of each (left, top, right, bottom in the canvas's pixels), four ints a text.
void vq_web_show_texts(const char *lines, int length, const int32_t *boxes);
// The page's address with this query, in place (no new history entry).
void vq_web_show_address(const char *query);
// The page's title.
void vq_web_set_title(const char *title);
// The browser's languages (navigator.languages), most wanted first, one a line;
// the length written into `out` (of `size` bytes).
int vq_web_languages(char *out, int size);
// Loads a face (fonts/<name>.js); vq_web_face_arrived is called with its bytes.
void vq_web_fetch_face(int face, const char *file);
}

namespace vqp {
namespace {

// A wake-up later than this behind its aim counts as a stall.
constexpr double kMaxLateMs = 10.0;

HWND canvasWindow = nullptr;
int windowDpi = 0;    // the DPI the window was last told of
bool running = false; // DispatchFromPlatform has been called
bool stopped = false; // WM_QUIT was retrieved
bool pumping = false;
bool fillPage = false;   // the window was shown: it takes the page's size
uint64_t clockMs = 0;    // moved on by the timer's wake-ups
double realAtZero = 0;   // the real time (ms) aimed at for clock 0
PixelRect pending;       // presented during this wake-up, not yet on the canvas
uint64_t textsShown = 0; // the textsVersion of the surface the page last got

// Sets the alpha byte of each pixel in rectangle d to `alpha` (0xFF000000 or
// 0), two pixels a step as a 64-bit word: the first picture is put before the
// browser has optimised this loop.
void SetAlpha(Surface &s, const PixelRect &d, uint32_t alpha) {
  const uint64_t two = uint64_t{alpha} << 32 | alpha;
  for (int y = d.top; y < d.bottom; ++y) {
    uint32_t *p = s.pixels.data() + static_cast<size_t>(y) * s.width + d.left;
    uint32_t *const end = p + (d.right - d.left);
    for (; end - p >= 2; p += 2) {
      uint64_t pixels;
      std::memcpy(&pixels, p, sizeof pixels);
      pixels = (pixels & 0x00FFFFFF00FFFFFFu) | two;
      std::memcpy(p, &pixels, sizeof pixels);
    }
    if (p != end)
      *p = (*p & 0x00FFFFFFu) | alpha;
  }
}

// Puts rectangle d of the framebuffer on the canvas. A COLORREF (0x00BBGGRR)
// is R, G, B, 0 in memory, and the canvas takes alpha 0 for transparent: the
// rectangle is made opaque in place for the put and given back as it was,
// quicker than a copy into memory the page has not touched yet.
void Show(Surface &s, PixelRect d) {
  if (s.width <= 0 || s.height <= 0)
    return;
  if (vq_web_fit_canvas(s.width, s.height))
    d = {0, 0, s.width, s.height}; // a resized canvas holds nothing
  if (d.left < 0)
    d.left = 0;
  if (d.top < 0)
    d.top = 0;
  if (d.right > s.width)
    d.right = s.width;
  if (d.bottom > s.height)
    d.bottom = s.height;
  if (d.Empty())
    return;
  SetAlpha(s, d, 0xFF000000u);
  vq_web_put(s.pixels.data() + static_cast<size_t>(d.top) * s.width, d.left, d.top,
             d.right - d.left, d.bottom - d.top);
  SetAlpha(s, d, 0);
}

// Tells the page the texts on the window when they changed: in reading order,
// one a line, ASCII control bytes as spaces (UTF-8's own bytes are all above
// them), each with its box, where the page's checks find it.
void ShowTexts(const Surface &s) {
  if (s.textsVersion == textsShown)
    return;
  textsShown = s.textsVersion;
  std::string lines;
  std::vector<int32_t> boxes;
  for (const SurfaceText *t : TextsInReadingOrder(s)) {
    for (const char c : t->bytes)
      lines += uint8_t(c) < 0x20 || c == 0x7F ? ' ' : c;
    lines += '\n';
    boxes.insert(boxes.end(), {t->box.left, t->box.top, t->box.right, t->box.bottom});
  }
  vq_web_show_texts(lines.data(), int(lines.size()), boxes.data());
}

// Shows what was presented since the last flush.
void Flush() {
  const PixelRect d = pending;
  pending = {};
  if (canvasWindow == nullptr)
    return;
  if (Surface *s = WindowSurface(canvasWindow)) {
    if (!d.Empty())
      Show(*s, d);
    ShowTexts(*s);
  }
}

// Asks the browser to wake the page when the next timer falls due.
void AimNextWakeUp() {
  const uint64_t due = NextTimerDue();
  if (stopped || due == UINT64_MAX)
    return;
  const double wait = realAtZero + static_cast<double>(due) - emscripten_get_now();
  vq_web_wake_after(wait > 0 ? wait : 0);
}

void Pump() {
  if (!running || stopped || pumping)
    return;
  pumping = true;
  if (fillPage && canvasWindow != nullptr) {
    // A shown window fills the page, whatever size it was created with.
    fillPage = false;
    LayerClientResized(canvasWindow, vq_web_page_width(), vq_web_page_height());
  }
  bool quit = false;
  DispatchReadyMessages("web", &quit);
  if (quit) {
    stopped = true;
    vq_web_stop();
  }
  pumping = false;
  Flush();
  AimNextWakeUp();
}

} // namespace

void ShowAddress(const char *query) { vq_web_show_address(query ? query : ""); }

bool DispatchFromPlatform() {
  if (!running) {
    running = true;
    realAtZero = emscripten_get_now() - static_cast<double>(clockMs);
    Pump();
  }
  return true;
}

bool BackendOpenWindow(HWND hwnd, int, int, const char *title, std::string &reason) {
  if (canvasWindow != nullptr) {
    reason = "the page has one canvas, and another window shows on it";
    return false;
  }
  canvasWindow = hwnd;
  vq_web_open_canvas(title);
  windowDpi = vq_web_dpi();
  return true;
}

void BackendCloseWindow(HWND hwnd) {
  if (hwnd == canvasWindow)
    canvasWindow = nullptr; // the last picture stays on the page
}

void BackendShowWindow(HWND hwnd, bool visible, int, int) {
  if (hwnd != canvasWindow)
    return;
  vq_web_show_canvas(visible ? 1 : 0);
  // The page's size is taken before the next messages are dispatched.
  if (visible)
    fillPage = true;
}

// The canvas takes the framebuffer's size at the next present.
void BackendResizeWindow(HWND, int, int) {}

// The page's size follows, with the browser's resize.
void BackendSetFullScreen(HWND hwnd, bool fullScreen, const RECT &) {
  if (hwnd == canvasWindow)
    vq_web_full_screen(fullScreen ? 1 : 0);
}

int BackendMonitorOf(HWND) { return 0; }

bool BackendMonitorArea(int monitor, RECT &area, RECT &work) {
  if (monitor != 0)
    return false;
  area = work = RECT{0, 0, vq_web_screen_width(), vq_web_screen_height()};
  return true;
}

UINT BackendDpi(HWND) { return static_cast<UINT>(vq_web_dpi()); }

void BackendSetTitle(HWND hwnd, const char *title) {
  if (hwnd == canvasWindow)
    vq_web_set_title(title);
}

std::vector<std::string> BackendUserLanguages() {
  char list[512];
  const int length = vq_web_languages(list, int(sizeof list));
  std::vector<std::string> tags;
  std::string tag;
  for (int i = 0; i < length; ++i) {
    if (list[i] != '\n') {
      tag += list[i];
    } else if (!tag.empty()) {
      tags.push_back(tag);
      tag.clear();
    }
  }
  if (!tag.empty())
    tags.push_back(tag);
  return tags;
}

// The CJK faces, fetched each from its own small file when first asked for,
// so that a page in another language never loads them.
struct FetchedFace {
  bool asked = false;
  std::vector<unsigned char> bytes;
};
FetchedFace fetchedFaces[4];

bool BackendFontBytes(int face, const unsigned char **data, size_t *size) {
  static const char *const files[4] = {nullptr, "NotoSansCJK-Bold-sc", "NotoSansCJK-Bold-jp",
                                       "NotoSansCJK-Bold-kr"};
  if (face < 1 || face > 3)
    return false;
  FetchedFace &f = fetchedFaces[face];
  if (!f.bytes.empty()) {
    *data = f.bytes.data();
    *size = f.bytes.size();
    return true;
  }
  if (!f.asked) {
    f.asked = true;
    vq_web_fetch_face(face, files[face]);
  }
  return false;
}

bool BackendTouchIsPrimary() { return vq_web_touch_primary() != 0; }
bool BackendReducesMotion() { return vq_web_reduced_motion() != 0; }

void BackendPresent(HWND hwnd, const Surface &s) {
  if (hwnd != canvasWindow)
    return;
  // Within a wake-up the canvas gets everything once, at its end.
  Unite(pending, s.dirty);
  if (!pumping)
    Flush();
}

uint64_t BackendNowMs() { return clockMs; }

// The page can always be clicked; but see BackendWaitForInput.
bool BackendInputCanArrive() { return true; }

void BackendWaitForInput(uint64_t deadlineMs) {
  // The browser hands input over between wake-ups; there is nothing to collect.
  if (deadlineMs <= BackendNowMs())
    return;
  // Waiting would freeze the page for ever: nothing can arrive while we wait.
  std::fprintf(stderr, "portable layer (web): GetMessageA cannot wait in a browser; hand the "
                       "message loop to the page with DispatchFromPlatform\n");
  std::abort();
}

} // namespace vqp

// ---- what the page calls ----------------------------------------------------

extern "C" {

EMSCRIPTEN_KEEPALIVE void vq_web_tick() {
  const uint64_t due = vqp::NextTimerDue();
  if (due != UINT64_MAX && due > vqp::clockMs) {
    vqp::clockMs = due;
    const double late = emscripten_get_now() - (vqp::realAtZero + static_cast<double>(due));
    if (late > vqp::kMaxLateMs)
      vqp::realAtZero += late; // go on from now; the missed beats are not made up
  }
  vqp::Pump();
}

EMSCRIPTEN_KEEPALIVE void vq_web_pointer(int down, int x, int y) {
  if (vqp::canvasWindow == nullptr)
    return;
  if (down)
    vqp::LayerMouseDown(vqp::canvasWindow, x, y);
  else
    vqp::LayerMouseUp(vqp::canvasWindow, x, y);
  vqp::Pump();
}

EMSCRIPTEN_KEEPALIVE void vq_web_key(int down, int virtualKey, int alt) {
  if (vqp::canvasWindow == nullptr)
    return;
  if (down)
    vqp::LayerKeyDown(vqp::canvasWindow, static_cast<UINT>(virtualKey), alt != 0);
  else
    vqp::LayerKeyUp(vqp::canvasWindow, static_cast<UINT>(virtualKey), alt != 0);
  vqp::Pump();
}

EMSCRIPTEN_KEEPALIVE void vq_web_keyboard_lost() { vqp::LayerKeyboardLost(); }

EMSCRIPTEN_KEEPALIVE void vq_web_resize(int width, int height, int dpi) {
  if (vqp::canvasWindow == nullptr)
    return;
  // The program takes the rectangle Windows suggests at the new density, then
  // the page's exact size.
  if (dpi != vqp::windowDpi && dpi > 0) {
    const UINT oldDpi = static_cast<UINT>(vqp::windowDpi);
    vqp::windowDpi = dpi;
    vqp::LayerDpiChanged(vqp::canvasWindow, oldDpi, static_cast<UINT>(dpi));
  }
  vqp::LayerClientResized(vqp::canvasWindow, width, height);
  vqp::Pump();
}

// The browser is out of full screen without the program's asking; the page
// is now width x height.
EMSCRIPTEN_KEEPALIVE void vq_web_full_screen_ended(int width, int height) {
  if (vqp::canvasWindow == nullptr)
    return;
  vqp::LayerFullScreenEnded(vqp::canvasWindow, width, height);
  vqp::Pump();
}

// A face's file has come: `size` bytes at `bytes` (copied: the page frees them);
// none when it could not be loaded (offline, before it was ever kept), and
// the face stays missing, as a font that is not installed.
EMSCRIPTEN_KEEPALIVE void vq_web_face_arrived(int face, const unsigned char *bytes, int size) {
  if (face < 1 || face > 3)
    return;
  if (size > 0)
    vqp::fetchedFaces[face].bytes.assign(bytes, bytes + size);
  vqp::LayerFontsChanged();
  vqp::Pump();
}

// A swipe across the canvas: to the right (1) or to the left (0).
EMSCRIPTEN_KEEPALIVE void vq_web_swipe(int toTheRight) {
  if (vqp::canvasWindow == nullptr)
    return;
  vqp::LayerAppCommand(vqp::canvasWindow,
                       toTheRight ? APPCOMMAND_BROWSER_BACKWARD : APPCOMMAND_BROWSER_FORWARD);
  vqp::Pump();
}

} // extern "C"
