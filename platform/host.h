// What runs the program besides the Win32 names (win32.h): its entry into the
// platform's message loop, why a window could not be opened, and the controls
// of the headless backend. Exactly one backend is linked into a program: the
// sdl or web one into velqor (vq_backend_main), the headless one into the
// tests and tools (vq_backend_test); on Windows the system is the backend.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace vqp {

#ifdef _WIN32
inline bool DispatchFromPlatform() { return false; }
inline const char *LastWindowFailure() { return ""; }
inline void ShowAddress(const char *) {}
#else
// Where the program may not wait in its own message loop (a web page, which
// must hand control back to the browser), hands dispatching to the platform
// and returns true: every message is then dispatched as it comes, until
// WM_QUIT. Elsewhere returns false, and the program runs GetMessageA itself.
bool DispatchFromPlatform();

// Where the program is opened by an address (a web page), makes `query`
// (?name=value&...) its query in place, so that the address reopens the
// program as it stands; elsewhere nothing.
void ShowAddress(const char *query);

// Why the last CreateWindowExA failed, in words, one line without a final
// newline (for example "no display; set DISPLAY or run under xvfb-run"); empty
// when none has failed.
const char *LastWindowFailure();

// ---- the headless backend --------------------------------------------------
// A virtual clock that only moves when told to, and input delivered by calls
// instead of a window system. A message loop that waits (GetMessageA) moves the
// clock to the next timer's due time; one that would wait with no timer left
// ends (the layer posts WM_QUIT, with a note on stderr), since nothing could arrive.

// Moves the virtual clock forward by `ms` milliseconds; every timer that falls
// due gets (at most) one pending WM_TIMER, as on Windows. Nothing is dispatched.
void HeadlessAdvanceClock(uint64_t ms);
uint64_t HeadlessNow();

// Makes every following CreateWindowExA fail with this reason, as when no
// display can be opened; nullptr makes windows open again.
void HeadlessFailWindowOpens(const char *reason);

// Queues a left press and release at client coordinates (x, y), as a user's click.
void HeadlessClick(HWND hwnd, int x, int y);
// As if the user dragged the window's frame to this client size.
void HeadlessResizeClient(HWND hwnd, int clientWidth, int clientHeight);
// As if the user pressed the close button: queues WM_CLOSE for the window.
void HeadlessClose(HWND hwnd);
// Queues a key's press or release (by virtual-key code), as a keyboard would;
// a second press without a release is an auto-repeat. `alt`: Alt is held.
void HeadlessKeyDown(HWND hwnd, UINT virtualKey, bool alt = false);
void HeadlessKeyUp(HWND hwnd, UINT virtualKey, bool alt = false);
// The keyboard went elsewhere: no key is held any more.
void HeadlessKeyboardLost();

// The one virtual monitor, at (0, 0): 1920 x 1080 unless set otherwise. Its
// work area is the whole of it. A full-screen window covers it.
void HeadlessSetMonitor(int width, int height);
// The monitor's DPI (96 unless set otherwise); each window is told of a
// change with WM_DPICHANGED, as Windows tells it.
void HeadlessSetDpi(UINT dpi);
// Whether the window is shown full screen: without a frame over all the monitor.
bool HeadlessIsFullScreen(HWND hwnd);

// Dispatches every message that is ready now, without advancing the clock,
// then presents what they drew. Returns the number dispatched; stops early
// (returning what it dispatched) when WM_QUIT is retrieved, and then *quit is
// set when quit is not nullptr. Gives up after 100000 messages, so that a
// window that is never validated cannot hang a test.
int HeadlessPumpMessages(bool *quit = nullptr);

// The framebuffer (COLORREF pixels, top row first, `width` per row), or
// nullptr for a bad handle. For comparing whole pictures quickly.
const uint32_t *HeadlessPixels(HWND hwnd, int *width, int *height);

// What the window's texts say (UTF-8), in reading order, with the box each
// stands in (client pixels): what TextOutA and TextOutW drew there and nothing
// has painted over since.
struct HeadlessText {
  std::string Text;
  RECT Box;
};
std::vector<HeadlessText> HeadlessTextBoxes(HWND hwnd);

// Number of presents performed so far and the area of the last one, so tests
// can check that only changed parts are shown.
uint64_t HeadlessPresentCount();
long long HeadlessLastPresentArea();
#endif

} // namespace vqp
