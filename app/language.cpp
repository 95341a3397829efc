#include "app/language.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/application.h"
#include "graphics/display.h"
#include "graphics/graphics_state.h"
#include "scenes/catalogue.h"
#include "scenes/messages.h"

namespace {

// The user's languages, most wanted first, as the system gives them.
std::vector<std::string> UserLanguages() {
  ULONG count = 0, size = 0;
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
    return {};
  std::vector<WCHAR> list(size);
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, list.data(), &size))
    return {};
  std::vector<std::string> tags;
  std::string tag;
  for (WCHAR c : list) {
    if (c != 0) {
      tag += c < 0x80 ? static_cast<char>(c) : '?';
    } else if (!tag.empty()) {
      tags.push_back(tag);
      tag.clear();
    }
  }
  return tags;
}

bool English(const std::string &tag) {
  return tag.size() >= 2 && (tag[0] == 'e' || tag[0] == 'E') && (tag[1] == 'n' || tag[1] == 'N') &&
         (tag.size() == 2 || tag[2] == '-' || tag[2] == '_');
}

// UTF-8 as UTF-16, ended by a 0 (just the 0 for a text that is not UTF-8).
std::vector<WCHAR> Wide(const char *text) {
  std::vector<WCHAR> wide(std::strlen(text) + 1);
  wide.resize(std::max(
      1, MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

// The Windows resource of each face the program carries beside its own font.
int ResourceOfFace(const char *face) {
  const std::string f = face;
  return f == "Noto Sans CJK SC"   ? 3
         : f == "Noto Sans CJK JP" ? 4
         : f == "Noto Sans CJK KR" ? 5
                                   : 0;
}

// Whether `face` lacks a letter of `text` (UTF-8), as the system's fonts
// answer: a face that is not there has none.
bool LacksLetters(HWND window, const char *face, const char *text) {
  const std::vector<WCHAR> wide = Wide(text);
  const int length = static_cast<int>(wide.size()) - 1;
  if (length <= 0)
    return false; // nothing to tell by
  const HFONT font = CreateTextFont(16, face);
  const HDC dc = GetDC(window);
  bool lacks = false;
  if (font && dc) {
    const HGDIOBJ previous = SelectObject(dc, font);
    std::vector<WORD> glyphs(static_cast<size_t>(length));
    lacks = GetGlyphIndicesW(dc, wide.data(), length, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
                static_cast<DWORD>(length) &&
            std::find(glyphs.begin(), glyphs.end(), WORD(0xFFFF)) != glyphs.end();
    SelectObject(dc, previous);
  }
  if (dc)
    ReleaseDC(window, dc);
  if (font)
    DeleteObject(font);
  return lacks;
}

} // namespace

void KeepLanguageDrawable(HWND window) {
  const char *catalogue = CatalogueInUse();
  if (!*catalogue || !LacksLetters(window, TextFaceOf(catalogue), Translated(TitleText)))
    return;
  std::fprintf(stderr, "velqor: the font for %s could not be had; the texts are in English\n",
               catalogue);
  ChooseLanguage(window, "en");
}

void ChooseLanguage(HWND window, const std::string &asked) {
  const char *catalogue = "";
  for (const std::string &tag : asked.empty() ? UserLanguages() : std::vector<std::string>{asked}) {
    if (NeedsShaping(tag.c_str())) {
      std::fprintf(stderr,
                   "velqor: %s is written in a script the program cannot draw; the texts are "
                   "in English\n",
                   tag.c_str());
      break;
    }
    if (English(tag))
      break;
    catalogue = CatalogueFor(tag.c_str());
    if (*catalogue)
      break;
  }
  UseCatalogue(catalogue);
  const char *face = TextFaceOf(catalogue);
  if (const int resource = ResourceOfFace(face))
    LoadResourceFont(resource);
  UseTextFace(face);
  // The designed title in English (set again only where another stood).
  char now[256] = {};
  GetWindowTextA(window, now, sizeof now);
  if (!*catalogue && std::strcmp(now, WindowTitle) == 0)
    return;
  const std::string title =
      *catalogue ? std::string("VELQOR: ") + Translated(TitleText) : std::string(WindowTitle);
  // Straight to the default procedure in UTF-16: SetWindowTextW would pass the
  // title through this ANSI window's procedure, in the system's code page,
  // which has no letters for most languages.
  const std::vector<WCHAR> wide = Wide(title.c_str());
  if (wide.size() > 1)
    DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.data()));
}
