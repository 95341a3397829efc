// Why the last CreateWindowExA failed, in words, so that a program can say
// "cannot open a window: <reason>" instead of just an error number.
#pragma once

namespace vqp {

// One line, no trailing newline, for example
// "no display; set DISPLAY or run under xvfb-run". Empty when no window
// creation has failed yet.
const char *LastWindowFailure();

} // namespace vqp
