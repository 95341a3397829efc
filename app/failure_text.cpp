#include "app/failure_text.h"

#include <cstdio>

#include "platform/host.h"

const char *ErrorText(DWORD error) {
  static char text[256];
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

const char *WindowFailureReason() {
  const DWORD error = GetLastError();
  const char *reason = vqp::LastWindowFailure();
  return reason && reason[0] ? reason : ErrorText(error);
}
