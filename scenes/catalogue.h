// The texts the demonstration shows (messages.h) in the language chosen. The
// catalogues (po/*.po) are compiled into a table at build time; English, the
// designed texts, needs none.
#pragma once

struct CatalogueEntry {
  const char *Language; // the catalogue's name: de, pt_BR, zh_CN, ...
  const char *English;
  const char *Text; // UTF-8
};

extern const CatalogueEntry CatalogueEntries[];
extern const int CatalogueEntryCount;
extern const char *const CatalogueLanguages[];
extern const int CatalogueLanguageCount;

// The catalogue for a language tag (de, de-AT, pt_PT.UTF-8, zh-Hans, ...):
// the tag's own, else along its chain (pt-PT to pt-BR, any Chinese to
// Simplified Chinese, de-AT to de); "" for English, for C and POSIX, and for
// a language without a catalogue.
const char *CatalogueFor(const char *tag);
// Whether a tag names a script the program cannot draw: one written right to
// left or one whose letters are shaped together (Arabic, Hebrew, Persian,
// Devanagari, Thai, ...).
bool NeedsShaping(const char *tag);

// The catalogue the texts come from from now on ("" or unknown: English).
void UseCatalogue(const char *catalogue);
const char *CatalogueInUse();
// `english` in the catalogue in use; the English where it has none.
const char *Translated(const char *english);
// The face the catalogue's texts are drawn in: the program's own font for
// Latin, Greek and Cyrillic, the language's Noto Sans CJK for Chinese,
// Japanese and Korean.
const char *TextFaceOf(const char *catalogue);
