#include "app/user_message.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

namespace {

// True once the stream can reach a console or a file: the handle Windows gave
// the program, or else the console of the process that started it.
bool StreamReachesSomeone(bool isError) {
  const HANDLE handle = GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
    return true;
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
    return false; // ERROR_ACCESS_DENIED: attached already, by the other stream
  return std::freopen("CONOUT$", "w", isError ? stderr : stdout) != nullptr;
}

} // namespace

void TellUser(const char *text, bool isError) {
  if (!StreamReachesSomeone(isError)) {
    MessageBoxA(nullptr, text, "VELQOR", MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
    return;
  }
  std::fputs(text, isError ? stderr : stdout);
  std::fflush(isError ? stderr : stdout);
}

#else

void TellUser(const char *text, bool isError) { std::fputs(text, isError ? stderr : stdout); }

#endif
