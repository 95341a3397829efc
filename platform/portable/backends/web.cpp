// The web backend: the layer compiled to WebAssembly, its one window shown on a
// canvas that fills the page (the canvas element with id "velqor", made if the
// page has none). One CSS pixel is one client pixel; a page resize is a window
// resize. The window title becomes the page title.
//
// The browser wakes the page every 20 ms (setInterval), on presses and releases
// of the left button and on resizes; each time, everything that is ready is
// dispatched and the changed rectangle of the framebuffer is put on the canvas
// (see web.h). The layer's clock is the interval itself: it moves on by 20 ms
// with each wake-up of the interval and stands still in between. So a 20 ms
// timer ticks on every wake-up, however early or late the browser runs it, and
// a page that was held up or throttled (a hidden tab) gets one merged tick on
// its next wake-up, never a burst of the missed ones.
#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../backend.h"
#include "../layer.h"
#include "web.h"

// ---- the page side (web/library_velqor.js) ---------------------------------

extern "C" {
// Finds or makes the canvas, names the page and listens to the browser.
void vq_web_open_canvas(const char *title);
void vq_web_start_interval(double ms);
void vq_web_stop();
void vq_web_set_title(const char *title);
void vq_web_show_canvas(int visible);
int vq_web_page_width();
int vq_web_page_height();
// Gives the canvas this size; 1 when it changed, which also cleared it.
int vq_web_fit_canvas(int width, int height);
// Puts width x height RGBA pixels at (x, y).
void vq_web_put(const void *rgba, int x, int y, int width, int height);
}

namespace vqp {
namespace {

constexpr uint64_t kStepMs = 20; // how often the browser wakes the page
// A window procedure that never validates its window gets WM_PAINT for ever;
// one wake-up stops after this many messages so that the page stays alive.

HWND canvasWindow = nullptr;
bool running = false; // WebRunMessageLoop has been called
bool stopped = false; // WM_QUIT was retrieved
bool pumping = false;
uint64_t clockMs = 0;          // 20 ms for each wake-up of the interval
std::vector<uint32_t> scratch; // the dirty rectangle as RGBA for the canvas
PixelRect pending;             // presented during this wake-up, not yet on the canvas

// Puts rectangle d of the framebuffer on the canvas.
void Show(const Surface &s, PixelRect d) {
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
  const int w = d.right - d.left, h = d.bottom - d.top;
  scratch.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  // COLORREF 0x00BBGGRR is R, G, B, 0 in memory: only the alpha byte is missing.
  uint32_t *out = scratch.data();
  for (int y = d.top; y < d.bottom; ++y) {
    const uint32_t *in = s.pixels.data() + static_cast<size_t>(y) * s.width + d.left;
    for (int x = 0; x < w; ++x)
      *out++ = in[x] | 0xFF000000u;
  }
  vq_web_put(scratch.data(), d.left, d.top, w, h);
}

// Shows what was presented since the last flush.
void Flush() {
  const PixelRect d = pending;
  pending = {};
  if (d.Empty() || canvasWindow == nullptr)
    return;
  if (const Surface *s = WindowSurface(canvasWindow))
    Show(*s, d);
}

void Pump() {
  if (!running || stopped || pumping)
    return;
  pumping = true;
  bool quit = false;
  DispatchReadyMessages("web", &quit);
  if (quit) {
    stopped = true;
    vq_web_stop();
  }
  pumping = false;
  Flush();
}

} // namespace

void WebRunMessageLoop() {
  if (running)
    return;
  running = true;
  vq_web_start_interval(static_cast<double>(kStepMs));
  Pump();
}

bool BackendOpenWindow(HWND hwnd, int, int, const char *title, std::string &reason) {
  if (canvasWindow != nullptr) {
    reason = "the page has one canvas, and another window shows on it";
    return false;
  }
  canvasWindow = hwnd;
  vq_web_open_canvas(title);
  return true;
}

void BackendCloseWindow(HWND hwnd) {
  if (hwnd == canvasWindow)
    canvasWindow = nullptr; // the last picture stays on the page
}

void BackendShowWindow(HWND hwnd, bool visible) {
  if (hwnd != canvasWindow)
    return;
  vq_web_show_canvas(visible ? 1 : 0);
  // A shown window fills the page, whatever size it was created with.
  if (visible)
    LayerClientResized(hwnd, vq_web_page_width(), vq_web_page_height());
}

// The canvas takes the framebuffer's size at the next present.
void BackendResizeWindow(HWND, int, int) {}

void BackendSetTitle(HWND hwnd, const char *title) {
  if (hwnd == canvasWindow)
    vq_web_set_title(title);
}

void BackendPresent(HWND hwnd, const Surface &s) {
  if (hwnd != canvasWindow)
    return;
  // Within a wake-up the canvas gets everything once, at its end.
  Unite(pending, s.dirty);
  if (!pumping)
    Flush();
}

uint64_t BackendNowMs() { return clockMs; }

void BackendWaitForInput(uint64_t deadlineMs) {
  // The browser hands input over between wake-ups; there is nothing to collect.
  if (deadlineMs <= BackendNowMs())
    return;
  // Waiting would freeze the page for ever: nothing can arrive while we wait.
  std::fprintf(stderr, "velqor (web): GetMessageA cannot wait in a browser; run the "
                       "message loop with WebRunMessageLoop\n");
  std::abort();
}

} // namespace vqp

// ---- what the page calls ----------------------------------------------------

extern "C" {

EMSCRIPTEN_KEEPALIVE void vq_web_tick() {
  vqp::clockMs += vqp::kStepMs;
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

EMSCRIPTEN_KEEPALIVE void vq_web_resize(int width, int height) {
  if (vqp::canvasWindow == nullptr)
    return;
  vqp::LayerClientResized(vqp::canvasWindow, width, height);
  vqp::Pump();
}

} // extern "C"
