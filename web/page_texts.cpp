// The web page's own texts (its bar of buttons and its dialogs), marked here
// for the catalogues beside the program's (scenes/messages.h). The browser
// draws them, not the program: the build writes each catalogue's as a script
// of its own (texts/<catalogue>.js, po/catalogues.py page), which the page
// loads once the program has told it the language chosen.
#include <emscripten.h>

#include <string>

#include "app/settings.h"
#include "scenes/catalogue.h"
#include "scenes/messages.h"

namespace {

// The page's texts, for xgettext; the page asks for them by their English.
[[maybe_unused]] const char *const PageTexts[] = {
    // TRANSLATORS: the web page. What the picture shows, for a screen reader.
    N_("A white point turning on a red circle"),
    // TRANSLATORS: the web page. The name of its bar of buttons, for a screen
    // reader; the buttons follow.
    N_("Player controls"),
    // TRANSLATORS: the web page's buttons, short (a phone's bar holds them):
    // one stage back, pause or play, one stage on, full screen, the list of
    // keys and the settings.
    N_("Back"),
    N_("Pause / play"),
    N_("Next"),
    N_("Full screen"),
    N_("Keys"),
    N_("Settings"),
    // TRANSLATORS: the web page's list of keys: what each key does.
    N_("Next, as a click"),
    N_("Back one step"),
    N_("Start again"),
    N_("One tick, while paused"),
    N_("Slower / faster"),
    N_("Theme: classic / light"),
    N_("Lesson: classic / full, from the start"),
    N_("Blank / unblank"),
    N_("Full screen on / off"),
    N_("Leave full screen"),
    N_("A click or a tap on the picture moves on; on a touch screen a swipe to the right goes "
       "back."),
    // TRANSLATORS: the web page: the button that closes a dialog.
    N_("Close"),
    // TRANSLATORS: the web page's settings: their names and choices. "Classic"
    // is the demonstration as first made; "Full" the lesson with the helix.
    N_("Speed"),
    N_("Theme"),
    N_("Classic, on black"),
    N_("Light, for lit rooms"),
    N_("Lesson"),
    N_("Classic"),
    N_("Full"),
    N_("Another lesson starts from the beginning."),
    N_("Language"),
    // TRANSLATORS: the web page: the language of the browser, whatever it is.
    N_("Automatic"),
    N_("Another language opens the page again."),
    // TRANSLATORS: the web page: a link to the demonstration as it stands,
    // to copy and send.
    N_("Link"),
    N_("Copy link"),
    N_("Opens this stage with these settings."),
    N_("Link copied."),
    N_("Copying was refused: select the link and copy it."),
};

// A catalogue's name as the page's language tag: pt_BR as pt-BR, and the
// Chinese catalogue, which is Simplified Chinese, as zh-Hans.
std::string PageTag(const char *catalogue) {
  std::string tag = *catalogue ? catalogue : "en";
  if (tag == "zh_CN")
    return "zh-Hans";
  for (char &c : tag)
    c = c == '_' ? '-' : c;
  return tag;
}

std::string said; // the last answer, kept until the next question

} // namespace

extern "C" {

// The catalogue chosen ("" for English): the page's texts are texts/<it>.js.
EMSCRIPTEN_KEEPALIVE const char *velqor_page_catalogue() { return CatalogueInUse(); }

// The language chosen, as a tag for <html lang>: en, de, pt-BR, zh-Hans, ...
EMSCRIPTEN_KEEPALIVE const char *velqor_page_language() {
  said = PageTag(CatalogueInUse());
  return said.c_str();
}

// The settings and the stage as a link's query, as the program reads them
// (?speed=0.5&theme=light...): what the settings dialog shows.
EMSCRIPTEN_KEEPALIVE const char *velqor_page_address() {
  said = AddressOfDemonstration();
  return said.c_str();
}

// The languages the program has besides English, one tag a line.
EMSCRIPTEN_KEEPALIVE const char *velqor_page_languages() {
  said.clear();
  for (int l = 0; l < CatalogueLanguageCount; ++l)
    said += (l ? "\n" : "") + PageTag(CatalogueLanguages[l]);
  return said.c_str();
}

} // extern "C"
