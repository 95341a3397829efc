// The entry point in a web browser. Start-up is the desktop's, but a page must
// not block, so instead of RunMessageLoop the web backend dispatches whatever is
// ready each time the browser wakes the page, after main has returned.
#include "app/application.h"
#include "platform/portable/backends/web.h"

int main() {
  if (!PrepareApplication())
    return 1;
  vqp::WebRunMessageLoop();
  return 0;
}
