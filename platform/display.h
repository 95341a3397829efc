// What the program asks of the display beyond the Win32 subset that every
// build has: the density of the monitor a window is on, and a TrueType font
// carried inside the program for CreateFontA.
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
