// kernel32 and comctl32: the few calls the program makes outside windows and drawing.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "layer.h"

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
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."},
    {ERROR_NO_UNICODE_TRANSLATION,
     "No mapping for the Unicode character exists in the target multi-byte code page."},
};
} // namespace

namespace vqw {

DWORD GetLastError(void) { return lastError; }
void SetLastError(DWORD error) { lastError = error; }

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  // There are no other modules to find.
  return moduleName == nullptr ? programModule : vqp::Fail<HMODULE>(ERROR_MOD_NOT_FOUND, nullptr);
}

DWORD FormatMessageA(DWORD flags, const void *, DWORD messageId, DWORD, LPSTR buffer, DWORD size,
                     void *) {
  if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || buffer == nullptr || size == 0)
    return vqp::Fail<DWORD>(ERROR_INVALID_PARAMETER, 0);
  for (const ErrorText &e : errorTexts) {
    if (e.code != messageId)
      continue;
    // Windows ends a system message with a line break.
    const size_t length = std::strlen(e.text) + 2;
    if (length >= size)
      return vqp::Fail<DWORD>(ERROR_NOT_ENOUGH_MEMORY, 0);
    std::snprintf(buffer, size, "%s\r\n", e.text);
    return static_cast<DWORD>(length);
  }
  return vqp::Fail<DWORD>(ERROR_MR_MID_NOT_FOUND, 0); // no text for that code
}

void InitCommonControls(void) {}

namespace {

// The next character of UTF-8 at `in` (of `left` bytes), and how many bytes
// it took; a malformed or overlong sequence is one byte of U+FFFD.
char32_t NextUtf8(const unsigned char *in, int left, int &used) {
  const unsigned char b = in[0];
  const int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
  used = 1;
  if (length == 1)
    return b;
  if (length == 0 || length > left)
    return 0xFFFD;
  char32_t c = b & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((in[i] & 0xC0) != 0x80)
      return 0xFFFD;
    c = (c << 6) | (in[i] & 0x3F);
  }
  static const char32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
    return 0xFFFD;
  used = length;
  return c;
}

} // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR in, int inLength, LPWSTR out,
                        int outLength) {
  if (in == nullptr || inLength < -1 || outLength < 0 ||
      (codePage != CP_UTF8 && codePage != CP_ACP))
    return vqp::Fail(ERROR_INVALID_PARAMETER, 0);
  const int length = inLength == -1 ? int(std::strlen(in)) + 1 : inLength;
  std::u16string wide;
  const auto *bytes = reinterpret_cast<const unsigned char *>(in);
  for (int i = 0; i < length;) {
    int used = 1;
    char32_t c = bytes[i];
    if (codePage == CP_UTF8) {
      c = NextUtf8(bytes + i, length - i, used);
      if (c == 0xFFFD && (flags & MB_ERR_INVALID_CHARS) &&
          !(used == 3 && bytes[i] == 0xEF && bytes[i + 1] == 0xBF && bytes[i + 2] == 0xBD))
        return vqp::Fail(ERROR_NO_UNICODE_TRANSLATION, 0);
    } else if (c >= 0x80 && c < 0xA0) {
      static const char16_t high[32] = {
          0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
          0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
          0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
      c = high[c - 0x80];
    }
    i += used;
    if (c >= 0x10000) {
      wide += char16_t(0xD800 + ((c - 0x10000) >> 10));
      wide += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      wide += char16_t(c);
    }
  }
  if (out == nullptr || outLength == 0)
    return int(wide.size());
  if (int(wide.size()) > outLength)
    return vqp::Fail(ERROR_INSUFFICIENT_BUFFER, 0);
  std::copy(wide.begin(), wide.end(), out);
  return int(wide.size());
}

} // namespace vqw
