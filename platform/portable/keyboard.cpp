// Keyboard input as user32 delivers it: WM_KEYDOWN and WM_KEYUP, or
// WM_SYSKEYDOWN and WM_SYSKEYUP while Alt is held (and for F10 and Alt
// itself), with the virtual-key code in wParam and the keystroke's data in
// lParam: repeat count 1, no scan code (the layer sees no keyboard hardware),
// bit 29 when Alt is held, bit 30 when the key was already down (a held key's
// auto-repeat) and bit 31 on release. The layer keeps which keys are down, so
// every backend gets auto-repeats marked alike.
#include <bitset>

#include "backend.h"
#include "user_internal.h"

namespace vqp {
namespace {

std::bitset<256> keysDown;

LPARAM KeyData(bool alt, bool wasDown, bool release) {
  DWORD data = 1;
  if (alt)
    data |= DWORD{1} << 29;
  if (wasDown)
    data |= DWORD{1} << 30;
  if (release)
    data |= DWORD{1} << 31;
  return static_cast<LPARAM>(data);
}

bool SystemKey(UINT virtualKey, bool alt) {
  return alt || virtualKey == VK_F10 || virtualKey == VK_MENU;
}

} // namespace

void LayerKeyDown(HWND hwnd, UINT virtualKey, bool alt) {
  if (LookupWindow(hwnd) == nullptr || virtualKey == 0 || virtualKey > 0xFE)
    return;
  const bool wasDown = keysDown[virtualKey];
  keysDown[virtualKey] = true;
  QueueInput(hwnd, SystemKey(virtualKey, alt) ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey,
             KeyData(alt, wasDown, false));
}

void LayerKeyUp(HWND hwnd, UINT virtualKey, bool alt) {
  if (LookupWindow(hwnd) == nullptr || virtualKey == 0 || virtualKey > 0xFE)
    return;
  keysDown[virtualKey] = false;
  // A key released is always one that was down, as far as the message says.
  QueueInput(hwnd, SystemKey(virtualKey, alt) ? WM_SYSKEYUP : WM_KEYUP, virtualKey,
             KeyData(alt, true, true));
}

void LayerKeyboardLost() { keysDown.reset(); }

} // namespace vqp
