#include "app/window_failure.h"

#ifdef _WIN32
#include <cstdio>

#include "platform/win32.h"

const char *WindowFailureReason() {
  static char text[256];
  const DWORD error = GetLastError();
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  // The system's text ends in ".\r\n"; the reason is one line without them.
  while (length > 0 &&
         (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == '.'))
    --length;
  if (length == 0)
    std::snprintf(text, sizeof text, "system error %lu", static_cast<unsigned long>(error));
  else
    text[length] = '\0';
  return text;
}
#else
#include "platform/portable/diagnostics.h"

const char *WindowFailureReason() {
  const char *reason = vqp::LastWindowFailure();
  return reason && reason[0] ? reason : "unknown reason";
}
#endif
