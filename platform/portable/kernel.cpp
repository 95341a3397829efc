// kernel32 and comctl32: the few calls the program makes outside windows and drawing.
#include <cstdio>
#include <cstdlib>

#include "win32_portable.h"

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
// The value Windows gives the main module of a 32-bit program; any non-null
// constant would do, the program only passes it back to us.
const HINSTANCE programModule = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00400000));
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

[[noreturn]] void ExitProcess(UINT exitCode) {
  std::fflush(nullptr);
  std::exit(static_cast<int>(exitCode));
}

void InitCommonControls(void) {}

} // namespace vqw
