// The entry point in a web browser. Start-up is the desktop's, but a page must
// not block, so instead of RunMessageLoop the web backend dispatches whatever is
// ready each time the browser wakes the page, after main has returned.
#include <cstdio>

#include "app/animation_state.h"
#include "app/application.h"
#include "app/window_failure.h"
#include "graphics/graphics_state.h"
#include "platform/portable/backends/web.h"

int main() {
  InitAnimationState();
  InitCommonControls();
  if (!CreateMainWindow()) {
    std::fprintf(stderr, "velqor: cannot open a window: %s\n", WindowFailureReason());
    return 1;
  }
  InitGraphics();
  vqp::WebRunMessageLoop();
  return 0;
}
