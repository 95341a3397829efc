// What the program asks of the display beyond the Win32 subset that every
// build has: the density of the monitor a window is on, a TrueType font
// carried inside the program for CreateFontA, and pens whose lines end flat.
#pragma once

#include "platform/win32.h"

// Dots per inch of the monitor the window is on, 96 on a standard screen. On
// Windows the call exists from Windows 10 1607 on (and in Wine); where it does
// not, the program runs as on a standard screen.
inline UINT WindowDpi(HWND window) {
#ifdef _WIN32
  using GetDpiForWindowCall = UINT(WINAPI *)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowCall>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  const UINT dpi = getDpi ? getDpi(window) : 0;
#else
  const UINT dpi = GetDpiForWindow(window);
#endif
  return dpi == 0 ? 96 : dpi;
}

// Makes the TrueType font held in the program's RCDATA resource `id` known to
// CreateFontA, for this process only. The portable layer has its one font
// built in, which CreateFontA gives under any face name: nothing to do there.
inline bool LoadResourceFont([[maybe_unused]] int id) {
#ifdef _WIN32
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10)); // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  void *data = loaded ? LockResource(loaded) : nullptr;
  DWORD fonts = 0;
  return data != nullptr &&
         AddFontMemResourceEx(data, SizeofResource(nullptr, found), nullptr, &fonts) != nullptr &&
         fonts > 0;
#else
  return true;
#endif
}

// A solid pen `width` pixels wide in `color`, for lines drawn one after
// another by exclusive-or that must meet end to end. A real GDI gives a pen
// wider than a pixel round ends, which overlap where two segments meet; drawn
// twice there, the overlap cancels and the trace of the pull falls into
// dashes. Flat ends stop at the segment's end points. A one-pixel pen is a
// cosmetic line, which leaves out its last point and so meets the next
// without overlap. The portable layer draws every line without ends.
inline HPEN CreateLinePen(int width, COLORREF color) {
#ifdef _WIN32
  if (width > 1) {
    const LOGBRUSH brush = {BS_SOLID, color, 0};
    return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                        static_cast<DWORD>(width), &brush, 0, nullptr);
  }
#endif
  return CreatePen(PS_SOLID, width, color);
}
