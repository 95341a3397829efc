// Shared state of the window and message half of the portable layer
// (window.cpp, messages.cpp). Not for use outside platform/portable.
#pragma once

#include <string>
#include <vector>

#include "surface.h"
#include "win32_portable.h"

namespace vqp {

// Outer size minus client size of a top-level window with a caption or a
// sizing border: the frame and caption. A window with neither has no frame.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 27;
// Largest client side we allocate a framebuffer for; larger requests are clamped
// (as Windows clamps a window to its maximum tracking size).
constexpr int kMaxClientSide = 8192;

struct Window {
  HWND handle = nullptr;
  std::string title;
  std::string className;
  UINT classStyle = 0;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0;           // outer top-left, screen coordinates
  int outerW = 0, outerH = 0; // outer size
  bool visible = false;
  bool fullScreen = false; // without a frame and covering its monitor (the backend knows)
  bool destroying = false; // DestroyWindow is under way (WM_DESTROY sent or being sent)
  Surface surface;         // client area, surface.width x surface.height
  PixelRect update;        // invalid part of the client area; empty when valid
  bool eraseRequested = false;
};

// The live window behind hwnd, or nullptr. Never keep the pointer across a call
// into a window procedure: the window may be destroyed there.
Window *LookupWindow(HWND hwnd);
// Handles of all live windows, oldest first.
std::vector<HWND> LiveWindows();

// messages.cpp: queues a message from the user's input (after posted messages).
void QueueInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// messages.cpp: drops the window's queued messages and timers.
void ForgetWindowMessages(HWND hwnd);

} // namespace vqp
