// What the layer's tests that make windows share: their class, registered once
// per process, and their end: the windows destroyed and the queue emptied, so
// that nothing of one test reaches the next.
#pragma once

#include <vector>

#include "platform/win32.h"

// A class repainted whole on every resize, as the program's is.
inline bool RegisterTestClass(const char *name, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// An overlapped window of the class `name` (registered on first use) at (x, y),
// its outer size width x height; `name` is its title too, unless one is given.
inline HWND OpenTestWindow(const char *name, WNDPROC proc, int x, int y, int width, int height,
                           const char *title = nullptr) {
  if (!RegisterTestClass(name, proc))
    return nullptr;
  return CreateWindowExA(0, name, title ? title : name, WS_OVERLAPPEDWINDOW, x, y, width, height,
                         nullptr, nullptr, nullptr, nullptr);
}

inline void DestroyAndDrain(const std::vector<HWND> &windows) {
  for (HWND h : windows)
    if (IsWindow(h))
      DestroyWindow(h);
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
}
