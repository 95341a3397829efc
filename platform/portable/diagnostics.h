// Why the last CreateWindowExA failed, in words, so that a program can say
// "cannot open a window: <reason>" instead of just an error number.
#pragma once

#ifdef _WIN32
#include <cstdio>

#include "../win32.h"
#else
#include "win32_portable.h"
#endif

namespace vqp {

#ifdef _WIN32
// On Windows the system's error code is all there is.
inline const char *LastWindowFailure() {
  static char text[48];
  std::snprintf(text, sizeof text, "system error %lu", static_cast<unsigned long>(GetLastError()));
  return text;
}
#else
// One line, no trailing newline, for example
// "no display; set DISPLAY or run under xvfb-run". Empty when no window
// creation has failed yet.
const char *LastWindowFailure();
#endif

} // namespace vqp
