// Controls of the headless backend, for tests and the recorder: a virtual clock
// that only moves when told to, and input delivered by calls instead of a
// window system. Nothing here is needed, or available, on Windows.
//
// A message loop that waits (GetMessageA) moves the clock to the next timer's
// due time. One that would wait with no timer left ends: the layer posts
// WM_QUIT (exit code 0), with a note on stderr, since nothing could arrive.
#pragma once

#include <cstdint>

#include "win32_portable.h"

namespace vqp {

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
// A press and a release.
void HeadlessKey(HWND hwnd, UINT virtualKey, bool alt = false);

// The one virtual monitor, at (0, 0): 1920 x 1080 unless set otherwise. Its
// work area is the whole of it. A full-screen window covers it.
void HeadlessSetMonitor(int width, int height);
// The monitor's DPI (96 unless set otherwise). Each window is told of a
// change with WM_DPICHANGED, suggesting the outer rectangle that keeps its
// top-left corner and gives its client area the same size on the glass.
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

// Number of presents performed so far and the area of the last one, so tests
// can check that only changed parts are shown.
uint64_t HeadlessPresentCount();
long long HeadlessLastPresentArea();

} // namespace vqp
