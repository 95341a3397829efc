// What the desktop and headless backends share: the CJK faces built into the
// program (the web backend fetches the one a page asks for instead), and the
// user's languages from the locale.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

namespace vqp {
namespace gdi {
struct EmbeddedFace {
  const unsigned char *data;
  size_t size;
};
// Noto Sans CJK SC, JP and KR, cut at build time (font.cmake).
extern const EmbeddedFace kCjkFonts[];
} // namespace gdi

inline bool BuiltInFaceBytes(int face, const unsigned char **data, size_t *size) {
  if (face < 1 || face > 3)
    return false;
  *data = gdi::kCjkFonts[face - 1].data;
  *size = gdi::kCjkFonts[face - 1].size;
  return true;
}

// The locale's messages category, as setlocale takes it from the environment
// (LC_ALL, then LC_MESSAGES, then LANG), as a language tag: de_DE.UTF-8@euro
// is de-DE. The C and POSIX locales name no language.
inline std::vector<std::string> LocaleLanguages() {
  for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char *value = std::getenv(variable);
    if (value == nullptr || *value == '\0')
      continue;
    std::string tag(value);
    tag = tag.substr(0, tag.find_first_of(".@"));
    for (char &c : tag)
      c = c == '_' ? '-' : c;
    if (tag == "C" || tag == "POSIX" || tag.empty())
      return {};
    return {tag};
  }
  return {};
}

} // namespace vqp
