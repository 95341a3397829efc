// The headless backend: no window system, a virtual clock that only moves when
// told to (or when the program would otherwise wait), and input delivered by
// calls. Everything is deterministic: nothing here looks at the wall clock.
//
// Waiting: a message loop that waits for a timer moves the virtual clock
// straight to the timer's due time. Input comes only from calls made between
// waits, so none can arrive while the loop waits.
#include <set>
#include <string>

#include "../../host.h"
#include "../backend.h"
#include "../layer.h"
#include "../user_internal.h"
#include "desktop_shared.h"

namespace vqp {
namespace {

uint64_t now = 0;
uint64_t presentCount = 0;
long long lastPresentArea = 0;
bool failOpens = false;
std::string failReason;
int monitorWidth = 1920, monitorHeight = 1080;
UINT dpi = USER_DEFAULT_SCREEN_DPI;
std::set<HWND> fullScreenWindows;

} // namespace

bool BackendOpenWindow(HWND, int, int, const char *, std::string &reason) {
  if (failOpens) {
    reason = failReason;
    return false;
  }
  return true;
}

void BackendCloseWindow(HWND hwnd) { fullScreenWindows.erase(hwnd); }
void BackendSetTitle(HWND, const char *) {}
void BackendShowWindow(HWND, bool, int, int) {}
void BackendResizeWindow(HWND, int, int) {}

void BackendSetFullScreen(HWND hwnd, bool fullScreen, const RECT &) {
  if (fullScreen)
    fullScreenWindows.insert(hwnd);
  else
    fullScreenWindows.erase(hwnd);
}

int BackendMonitorOf(HWND) { return 0; }

bool BackendMonitorArea(int monitor, RECT &area, RECT &work) {
  if (monitor != 0)
    return false;
  area = work = RECT{0, 0, monitorWidth, monitorHeight};
  return true;
}

UINT BackendDpi(HWND) { return dpi; }

// A mouse, and motion as the user leaves it.
bool BackendTouchIsPrimary() { return false; }
bool BackendReducesMotion() { return false; }

void BackendPresent(HWND, const Surface &surface) {
  ++presentCount;
  const PixelRect &d = surface.dirty;
  lastPresentArea = static_cast<long long>(d.right - d.left) * (d.bottom - d.top);
}

uint64_t BackendNowMs() { return now; }

bool BackendInputCanArrive() { return false; }

bool DispatchFromPlatform() { return false; }

bool BackendFontBytes(int face, const unsigned char **data, size_t *size) {
  return BuiltInFaceBytes(face, data, size);
}

std::vector<std::string> BackendUserLanguages() { return LocaleLanguages(); }

void ShowAddress(const char *) {}

void BackendWaitForInput(uint64_t deadlineMs) {
  if (deadlineMs != UINT64_MAX && deadlineMs > now)
    now = deadlineMs;
}

void HeadlessAdvanceClock(uint64_t ms) { now += ms; }
uint64_t HeadlessNow() { return now; }

void HeadlessClick(HWND hwnd, int x, int y) {
  LayerMouseDown(hwnd, x, y);
  LayerMouseUp(hwnd, x, y);
}

void HeadlessResizeClient(HWND hwnd, int clientWidth, int clientHeight) {
  LayerClientResized(hwnd, clientWidth, clientHeight);
}

void HeadlessClose(HWND hwnd) { LayerCloseRequested(hwnd); }

void HeadlessKeyDown(HWND hwnd, UINT virtualKey, bool alt) { LayerKeyDown(hwnd, virtualKey, alt); }
void HeadlessKeyUp(HWND hwnd, UINT virtualKey, bool alt) { LayerKeyUp(hwnd, virtualKey, alt); }

void HeadlessKeyboardLost() { LayerKeyboardLost(); }

bool HeadlessIsFullScreen(HWND hwnd) { return fullScreenWindows.count(hwnd) != 0; }

void HeadlessSetMonitor(int width, int height) {
  monitorWidth = width;
  monitorHeight = height;
}

void HeadlessSetDpi(UINT newDpi) {
  const UINT oldDpi = dpi;
  if (newDpi == 0 || newDpi == oldDpi)
    return;
  dpi = newDpi;
  for (HWND hwnd : LiveWindows())
    LayerDpiChanged(hwnd, oldDpi, newDpi);
}

int HeadlessPumpMessages(bool *quit) { return DispatchReadyMessages("headless", quit); }

const uint32_t *HeadlessPixels(HWND hwnd, int *width, int *height) {
  Surface *s = WindowSurface(hwnd);
  if (s == nullptr)
    return nullptr;
  if (width)
    *width = s->width;
  if (height)
    *height = s->height;
  return s->pixels.data();
}

std::vector<HeadlessText> HeadlessTextBoxes(HWND hwnd) {
  std::vector<HeadlessText> texts;
  if (const Surface *s = WindowSurface(hwnd))
    for (const SurfaceText *t : TextsInReadingOrder(*s))
      texts.push_back({t->bytes, {t->box.left, t->box.top, t->box.right, t->box.bottom}});
  return texts;
}

uint64_t HeadlessPresentCount() { return presentCount; }
long long HeadlessLastPresentArea() { return lastPresentArea; }

void HeadlessFailWindowOpens(const char *reason) {
  failOpens = reason != nullptr;
  failReason = reason ? reason : "";
}

} // namespace vqp
