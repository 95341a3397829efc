// Draining the queue without blocking: what the headless backend's pump and the
// browser's wake-ups share.
#include <cstdio>

#include "platform/portable/layer.h"

namespace vqp {

namespace {
constexpr int kMaxDispatched = 100000;
}

int DispatchReadyMessages(const char *who, bool *quit) {
  if (quit)
    *quit = false;
  MSG msg;
  int count = 0;
  while (count < kMaxDispatched && vqw::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      if (quit)
        *quit = true;
      break;
    }
    vqw::TranslateMessage(&msg);
    vqw::DispatchMessageA(&msg);
    ++count;
  }
  if (count == kMaxDispatched)
    std::fprintf(stderr,
                 "portable layer (%s): stopped after %d messages in one go; is a window "
                 "never validated?\n",
                 who, kMaxDispatched);
  PresentChanges();
  return count;
}

} // namespace vqp
