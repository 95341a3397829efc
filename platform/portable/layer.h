// What the two halves of the portable layer offer each other, the window and
// message half (window.cpp, messages.cpp) and the drawing half (gdi/*.cpp),
// and what the backends use of them.
#pragma once

#include <cstdint>

#include "surface.h"
#include "win32_portable.h"

namespace vqp {

// Sets the thread's last error and gives `value`: how a call of the layer fails.
template <typename T> T Fail(DWORD error, T value) {
  vqw::SetLastError(error);
  return value;
}

// The framebuffer of a live window, or nullptr for a bad or destroyed handle.
// The pointer stays valid until the window is resized or destroyed, so the
// drawing half looks it up again for every call.
Surface *WindowSurface(HWND hwnd);

// Number of live pens and brushes of the process (device contexts are not counted).
DWORD GdiObjectCount();

// Called by the window half when a window is destroyed, so device contexts
// obtained for it with GetDC become invalid.
void ForgetWindowDCs(HWND hwnd);

// Shows what changed in each visible window since the last present (the
// message functions do so before each look into the queue; a backend that
// dispatches by itself does so after it).
void PresentChanges();

// When the next timer falls due on the backend's clock; UINT64_MAX if none.
uint64_t NextTimerDue();

// Dispatches every message that is ready now, without waiting, then presents
// what the last one drew. Gives up after a bound (saying so on stderr under
// `who`), so a window that is never validated cannot hang its caller. Returns
// the number dispatched; sets *quit when WM_QUIT was retrieved.
int DispatchReadyMessages(const char *who, bool *quit);

} // namespace vqp
