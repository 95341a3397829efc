#include "scenes/catalogue.h"

#include <cstring>
#include <string>

namespace {

const char *inUse = "";

// The tag in lower case up to its first '.' or '@' (a locale's encoding and
// modifier), with '_' as '-': "pt_BR.UTF-8" is "pt-br".
std::string Normal(const char *tag) {
  std::string out;
  for (const char *c = tag ? tag : ""; *c && *c != '.' && *c != '@'; ++c)
    out += *c == '_' ? '-' : (*c >= 'A' && *c <= 'Z') ? static_cast<char>(*c - 'A' + 'a') : *c;
  return out;
}

std::string Primary(const std::string &tag) { return tag.substr(0, tag.find('-')); }

const char *Known(const std::string &name) {
  for (int i = 0; i < CatalogueLanguageCount; ++i)
    if (Normal(CatalogueLanguages[i]) == name)
      return CatalogueLanguages[i];
  return nullptr;
}

} // namespace

const char *CatalogueFor(const char *tag) {
  const std::string t = Normal(tag), language = Primary(t);
  if (const char *exact = Known(t))
    return exact;
  // Chains a reader can follow: European Portuguese to Brazilian, every
  // Chinese to the simplified one we have, a region to its language.
  const char *chain = language == "pt"   ? Known("pt-br")
                      : language == "zh" ? Known("zh-cn")
                                         : nullptr;
  if (chain)
    return chain;
  const char *general = Known(language);
  return general ? general : "";
}

bool NeedsShaping(const char *tag) {
  static const char *const languages[] = {"ar", "he", "iw", "fa", "ur", "ps", "yi", "sd",
                                          "hi", "mr", "ne", "sa", "bn", "pa", "gu", "ta",
                                          "te", "kn", "ml", "si", "th", "lo", "km", "my"};
  const std::string language = Primary(Normal(tag));
  for (const char *l : languages)
    if (language == l)
      return true;
  return false;
}

void UseCatalogue(const char *catalogue) {
  inUse = "";
  for (int i = 0; i < CatalogueLanguageCount; ++i)
    if (catalogue && std::strcmp(CatalogueLanguages[i], catalogue) == 0)
      inUse = CatalogueLanguages[i];
}

const char *CatalogueInUse() { return inUse; }

const char *Translated(const char *english) {
  if (!*inUse || english == nullptr)
    return english;
  for (int i = 0; i < CatalogueEntryCount; ++i) {
    const CatalogueEntry &e = CatalogueEntries[i];
    if (std::strcmp(e.Language, inUse) == 0 && std::strcmp(e.English, english) == 0)
      return e.Text;
  }
  return english;
}

const char *TextFaceOf(const char *catalogue) {
  const std::string c = Normal(catalogue);
  return c == "zh-cn" ? "Noto Sans CJK SC"
         : c == "ja"  ? "Noto Sans CJK JP"
         : c == "ko"  ? "Noto Sans CJK KR"
                      : "DejaVu Sans";
}
