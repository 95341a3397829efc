// The option parser that velqor, velqor-record and a web page share, with any
// input: split at NUL and newline bytes into the words of a command line
// (after "velqor"), and taken whole as a page's query. Each parse must agree
// with the documented grammar, modelled here on its own: the same refusals
// (each one a line of text, never empty, without control characters) and
// the same settings taken; and what was taken, as a link's query, must parse
// back to the same settings without a warning.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "app/start_options.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// ---- the grammar, as velqor --help and the page's parameters describe it ----

// Each value a setting takes, and what it means; the switches (negative,
// fullscreen, motion) take 0, 1, false and true.
struct Value {
  std::string_view Setting, Text;
  int32_t Meaning;
};
constexpr Value Grammar[] = {
    {"speed", "0.25", 0},    {"speed", "1/4", 0},    {"speed", "0.5", 1},
    {"speed", "1/2", 1},     {"speed", "1", 2},      {"speed", "2", 3},
    {"theme", "classic", 0}, {"theme", "light", 1},  {"lesson", "classic", 0},
    {"lesson", "full", 1},   {"dir", "positive", 0}, {"dir", "negative", 1},
    {"switch", "0", 0},      {"switch", "1", 1},     {"switch", "false", 0},
    {"switch", "true", 1}};

bool Find(std::string_view setting, std::string_view text, int32_t &meaning) {
  for (const Value &v : Grammar)
    if (v.Setting == setting && v.Text == text) {
      meaning = v.Meaning;
      return true;
    }
  return false;
}

// A language tag: two or three letters, then subtags of one to eight letters
// or digits, each after '-' or '_'; 35 characters at most.
bool IsLanguageTag(std::string_view tag) {
  static const std::regex pattern("[A-Za-z]{2,3}([-_][A-Za-z0-9]{1,8})*");
  return tag.size() <= 35 && std::regex_match(tag.begin(), tag.end(), pattern);
}

// Takes one setting into `o`; false when its value is not one it takes.
bool Take(std::string_view name, std::string_view value, StartOptions &o) {
  int32_t v = 0;
  if (name == "speed" && Find("speed", value, v))
    o.TickRate = static_cast<Speed>(v);
  else if (name == "theme" && Find("theme", value, v))
    o.Colors = static_cast<Theme>(v);
  else if (name == "lesson" && Find("lesson", value, v))
    o.Course = static_cast<Lesson>(v);
  else if (name == "lang" && IsLanguageTag(value))
    o.Language = std::string(value);
  else if (name == "stage" && value.size() == 1 && value[0] >= '0' && value[0] <= '5')
    o.Stage = value[0] - '0';
  else if ((name == "dir" && Find("dir", value, v)) ||
           (name == "negative" && Find("switch", value, v)))
    o.Negative = v != 0;
  else if (name == "fullscreen" && Find("switch", value, v))
    o.FullScreen = v != 0;
  else if (name == "motion" && Find("switch", value, v))
    o.Motion = v;
  else
    return false;
  return true;
}

struct Expected {
  StartOptions Options;
  bool Help = false;
  bool Version = false;
  bool Refused = false; // the command line as a whole
  size_t Warnings = 0;  // a page's parameters left out
};

Expected ExpectQuery(std::string_view query) {
  Expected e;
  if (!query.empty() && query[0] == '?')
    query.remove_prefix(1);
  // The pairs between the ampersands, each name=value or a name alone.
  static const std::regex pairs("[^&]+"), parts("([^=]*)(=([\\s\\S]*))?");
  const std::string text(query);
  for (auto pair = std::sregex_iterator(text.begin(), text.end(), pairs);
       pair != std::sregex_iterator(); ++pair) {
    const std::string whole = pair->str();
    std::smatch nameValue;
    std::regex_match(whole, nameValue, parts);
    const std::string name = nameValue[1], value = nameValue[3];
    // The desktop's flags are not a page's to set.
    if (name == "negative" || name == "fullscreen" || !Take(name, value, e.Options))
      ++e.Warnings;
  }
  return e;
}

Expected ExpectCommandLine(const std::vector<std::string> &words) {
  if (!words.empty() && !words[0].empty() && words[0][0] == '?') {
    Expected e = ExpectQuery(words[0]);
    e.Options.Page = true;
    return e;
  }
  // Each word an option, --name or --name=value; a value apart is the next word.
  static const std::regex option("--([^=]*)(=([\\s\\S]*))?");
  Expected e;
  for (size_t i = 0; i < words.size() && !e.Refused; ++i) {
    const std::string &word = words[i];
    if (word == "--help" || word == "-h" || word == "--version") {
      (word == "--version" ? e.Version : e.Help) = true;
      return e;
    }
    std::smatch parts;
    if (!std::regex_match(word, parts, option)) {
      e.Refused = true;
      break;
    }
    const std::string name = parts[1];
    const bool flag = name == "negative" || name == "fullscreen";
    const bool valued =
        name == "speed" || name == "theme" || name == "lesson" || name == "lang" || name == "stage";
    // A flag alone is on.
    std::string value = parts[2].matched ? parts[3].str() : std::string(flag ? 1 : 0, '1');
    if (!parts[2].matched && valued) {
      if (i + 1 == words.size()) {
        e.Refused = true;
        break;
      }
      value = words[++i];
    }
    e.Refused = !(flag || valued) || !Take(name, value, e.Options);
  }
  return e;
}

// ---- the checks -------------------------------------------------------------

// A refusal or a warning: one line of text, never empty.
void CheckLine(const std::string &said, const char *what) {
  FUZZ_CHECK(!said.empty(), "an empty %s", what);
  for (size_t i = 0; i < said.size(); ++i)
    FUZZ_CHECK(static_cast<unsigned char>(said[i]) >= 0x20 && said[i] != 0x7F,
               "a control character (%d) in the %s: %s", said[i], what, said.c_str());
}

// A page's parameters left out: as many warnings as the grammar says, each a
// line of text.
void CheckWarnings(const std::vector<std::string> &warnings, size_t expected, const char *what) {
  FUZZ_CHECK(warnings.size() == expected, "%zu warnings for the %s, not %zu", warnings.size(), what,
             expected);
  for (const std::string &w : warnings)
    CheckLine(w, "warning");
}

// The settings as the parser took them and as the grammar says, alike; and
// as a link's query, read back the same without a warning.
void CheckTaken(const StartOptions &taken, const StartOptions &expected, const char *how) {
  const std::string query = SettingsQuery(taken);
  FUZZ_CHECK(query == SettingsQuery(expected), "%s took %s, not %s", how, query.c_str(),
             SettingsQuery(expected).c_str());
  FUZZ_CHECK(taken.FullScreen == expected.FullScreen && taken.Page == expected.Page,
             "%s: full screen %d (not %d), page %d (not %d)", how, taken.FullScreen,
             expected.FullScreen, taken.Page, expected.Page);
  std::vector<std::string> warnings;
  const StartOptions back = ParseQuery(query, warnings);
  FUZZ_CHECK(warnings.empty(), "the link %s is refused: %s", query.c_str(),
             warnings.empty() ? "" : warnings[0].c_str());
  FUZZ_CHECK(SettingsQuery(back) == query, "the link %s reads back as %s", query.c_str(),
             SettingsQuery(back).c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The words (a separator at the very end closes the last one), each given
  // to the parser in an allocation of exactly its size.
  const char *text = reinterpret_cast<const char *>(data);
  std::vector<std::string> words;
  size_t start = 0;
  for (size_t i = 0; i < size && words.size() < 64; ++i)
    if (text[i] == '\0' || text[i] == '\n') {
      words.emplace_back(text + start, i - start);
      start = i + 1;
    }
  if (start < size && words.size() < 64)
    words.emplace_back(text + start, size - start);
  std::vector<char *> argv = {const_cast<char *>("velqor")};
  for (const std::string &w : words) {
    char *copy = static_cast<char *>(std::malloc(w.size() + 1));
    std::memcpy(copy, w.c_str(), w.size() + 1);
    argv.push_back(copy);
  }

  const CommandLine parsed = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
  const Expected expected = ExpectCommandLine(words);
  FUZZ_CHECK(parsed.Error.empty() != expected.Refused, "the command line was %s: %s",
             expected.Refused ? "taken" : "refused", parsed.Error.c_str());
  if (!parsed.Error.empty())
    CheckLine(parsed.Error, "refusal");
  CheckWarnings(parsed.Warnings, expected.Warnings, "page");
  FUZZ_CHECK(parsed.Help == expected.Help && parsed.Version == expected.Version,
             "help %d (not %d), version %d (not %d)", parsed.Help, expected.Help, parsed.Version,
             expected.Version);
  if (!expected.Refused)
    CheckTaken(parsed.Options, expected.Options, "the command line");
  for (size_t i = 1; i < argv.size(); ++i)
    std::free(argv[i]);

  std::vector<std::string> warnings;
  const std::string_view query(text, size);
  const StartOptions page = ParseQuery(query, warnings);
  const Expected pageExpected = ExpectQuery(query);
  CheckWarnings(warnings, pageExpected.Warnings, "query");
  CheckTaken(page, pageExpected.Options, "the query");
  return 0;
}
