// kernel32 and comctl32: the few calls the program makes outside windows and drawing.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "win32_portable.h"

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
// The value Windows gives the main module of a 32-bit program; any non-null
// constant would do, the program only passes it back to us.
const HINSTANCE programModule = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00400000));
// The system's text of each error the layer sets, as Windows words it.
struct ErrorText {
  DWORD code;
  const char *text;
};
constexpr ErrorText errorTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
    {ERROR_NOT_SUPPORTED, "The request is not supported."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found."},
    {ERROR_NO_MORE_USER_HANDLES, "The current process has used all of its system allowance of "
                                 "handles for Window Manager objects."},
    {ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle."},
    {ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class."},
    {ERROR_CLASS_ALREADY_EXISTS, "Class already exists."},
};
} // namespace

namespace vqw {

DWORD GetLastError(void) { return lastError; }
void SetLastError(DWORD error) { lastError = error; }

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  if (moduleName == nullptr)
    return programModule;
  // There are no other modules to find.
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

DWORD FormatMessageA(DWORD flags, const void *, DWORD messageId, DWORD, LPSTR buffer, DWORD size,
                     void *) {
  if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || buffer == nullptr || size == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  for (const ErrorText &e : errorTexts) {
    if (e.code != messageId)
      continue;
    // Windows ends a system message with a line break.
    const size_t length = std::strlen(e.text) + 2;
    if (length >= size) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    std::snprintf(buffer, size, "%s\r\n", e.text);
    return static_cast<DWORD>(length);
  }
  SetLastError(ERROR_MR_MID_NOT_FOUND); // no text for that code
  return 0;
}

[[noreturn]] void ExitProcess(UINT exitCode) {
  std::fflush(nullptr);
  std::exit(static_cast<int>(exitCode));
}

void InitCommonControls(void) {}

} // namespace vqw
