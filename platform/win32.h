// The Win32 names the program is written against: the real <windows.h> on
// Windows, the portable layer's own declarations everywhere else.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#else
#include "portable/win32_portable.h"
#endif
