// The SDL2 backend (being written): for now it opens no window.
#include "../backend.h"

namespace vqp {
bool BackendOpenWindow(HWND, int, int, const char *, std::string &reason) {
  reason = "the SDL backend is not finished yet";
  return false;
}
void BackendCloseWindow(HWND) {}
void BackendShowWindow(HWND, bool) {}
void BackendResizeWindow(HWND, int, int) {}
void BackendSetTitle(HWND, const char *) {}
void BackendPresent(HWND, const Surface &) {}
uint64_t BackendNowMs() { return 0; }
void BackendWaitForInput(uint64_t) {}
} // namespace vqp
