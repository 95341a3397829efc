// The message loop of the web backend. A browser page must never block, so a
// program compiled to WebAssembly does not call GetMessageA in a loop: it sets
// itself up as usual and then hands the loop to the page with WebRunMessageLoop.
#pragma once

namespace vqp {

// Dispatches every message that is ready now and presents what they drew, and
// from then on does the same each time the browser wakes the page: when the
// next timer falls due (the layer's clock moves to that due time), on a press
// or release of the left button on the canvas, and when the page is resized.
// Returns at once. Dispatching stops for good when WM_QUIT is retrieved.
void WebRunMessageLoop();

} // namespace vqp
