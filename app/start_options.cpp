#include "app/start_options.h"

#include <cstring>
#include <iterator>

#include "scenes/stage_table.h"

namespace {

struct Named {
  std::string_view Name;
  int32_t Value;
};

constexpr Named Speeds[] = {{"0.25", 0}, {"1/4", 0}, {"0.5", 1}, {"1/2", 1}, {"1", 2}, {"2", 3}};
constexpr Named Themes[] = {{"classic", 0}, {"light", 1}};
constexpr Named Lessons[] = {{"classic", 0}, {"full", 1}};
constexpr Named Directions[] = {{"positive", 0}, {"negative", 1}};
constexpr Named Switches[] = {{"0", 0}, {"1", 1}, {"false", 0}, {"true", 1}};
// The options of velqor's command line that take a value, and its flags (the
// page's own parameters, dir and motion, are not among them).
constexpr Named Options[] = {{"speed", 1}, {"theme", 1},    {"lesson", 1},    {"lang", 1},
                             {"stage", 1}, {"negative", 0}, {"fullscreen", 0}};

template <size_t N> bool Lookup(const Named (&table)[N], std::string_view value, int32_t &out) {
  for (const Named &n : table)
    if (n.Name == value) {
      out = n.Value;
      return true;
    }
  return false;
}

// A language tag as BCP 47 writes one: two or three letters, then subtags of
// letters and digits after '-' (or '_', as locales write them).
bool LanguageTag(std::string_view tag) {
  size_t part = 0, length = 0;
  for (size_t i = 0; i <= tag.size(); ++i) {
    const char c = i < tag.size() ? tag[i] : '-';
    if (c == '-' || c == '_') {
      if (length < (part == 0 ? 2 : 1) || length > (part == 0 ? 3 : 8))
        return false;
      ++part;
      length = 0;
    } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               (part > 0 && c >= '0' && c <= '9')) {
      ++length;
    } else {
      return false;
    }
  }
  return tag.size() <= 35;
}

// What the user gave, quoted as given but never more than a line's worth of
// it, and never a control character, which could break the line.
std::string Quoted(std::string_view given) {
  std::string shown(given.substr(0, 40));
  for (char &c : shown)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      c = '?';
  return "'" + shown + (given.size() > 40 ? "...'" : "'");
}

std::string Bad(std::string_view name, std::string_view value, const char *expected) {
  return std::string(name) + " " + Quoted(value) + ": expected " + expected;
}

} // namespace

std::string ReadSetting(std::string_view name, std::string_view value, StartOptions &o) {
  int32_t v = 0;
  if (name == "speed")
    return Lookup(Speeds, value, v) ? (o.TickRate = static_cast<Speed>(v), "")
                                    : Bad(name, value, "0.25, 0.5, 1 or 2");
  if (name == "theme")
    return Lookup(Themes, value, v) ? (o.Colors = static_cast<Theme>(v), "")
                                    : Bad(name, value, "classic or light");
  if (name == "lesson")
    return Lookup(Lessons, value, v) ? (o.Course = static_cast<Lesson>(v), "")
                                     : Bad(name, value, "classic or full");
  if (name == "lang")
    return LanguageTag(value) ? (o.Language = std::string(value), "")
                              : Bad(name, value, "a language code such as de or pt-BR");
  if (name == "stage")
    return value.size() == 1 && value[0] >= '0' && value[0] < '0' + CycleLengthOf(true, true)
               ? (o.Stage = value[0] - '0', "")
               : Bad(name, value, "a stage number, 0 to 3 (5 in the full lesson)");
  if (name == "dir")
    return Lookup(Directions, value, v) ? (o.Negative = v != 0, "")
                                        : Bad(name, value, "positive or negative");
  if (name == "negative" || name == "fullscreen" || name == "motion") {
    if (!Lookup(Switches, value, v))
      return Bad(name, value, "1 or 0");
    if (name == "motion")
      o.Motion = v;
    else
      (name == "negative" ? o.Negative : o.FullScreen) = v != 0;
    return "";
  }
  return "unknown setting " + Quoted(name);
}

const char *SpeedName(Speed speed) {
  static const char *const names[] = {"0.25", "0.5", "1", "2"};
  return names[static_cast<int>(speed)];
}

std::string SettingsQuery(const StartOptions &o) {
  std::string query;
  const auto add = [&](const char *name, std::string_view value) {
    (((query += query.empty() ? '?' : '&') += name) += '=') += value;
  };
  if (o.Stage != 0)
    add("stage", std::to_string(o.Stage));
  if (o.Negative)
    add("dir", "negative");
  if (o.TickRate != Speed::Normal)
    add("speed", SpeedName(o.TickRate));
  if (o.Colors == Theme::Light)
    add("theme", "light");
  if (o.Course == Lesson::Full)
    add("lesson", "full");
  if (!o.Language.empty())
    add("lang", o.Language);
  if (o.Motion >= 0)
    add("motion", std::to_string(o.Motion));
  return query;
}

std::string StageError(const StartOptions &options) {
  const bool full = options.Course == Lesson::Full;
  const int32_t length = CycleLengthOf(full, options.Negative);
  if (options.Stage < length)
    return "";
  return "--stage " + std::to_string(options.Stage) + ": the " + (full ? "full" : "classic") +
         " lesson's " + (options.Negative ? "negative" : "positive") + " cycle has stages 0 to " +
         std::to_string(length - 1);
}

CommandLine ParseCommandLine(int argc, const char *const *argv) {
  CommandLine c;
  if (argc > 1 && argv[1] && argv[1][0] == '?') {
    c.Options = ParseQuery(argv[1], c.Warnings);
    c.Options.Page = true;
    return c;
  }
  for (int i = 1; i < argc && c.Error.empty(); ++i) {
    std::string_view arg = argv[i] ? argv[i] : "";
    if (arg == "--help" || arg == "-h") {
      c.Help = true;
      return c;
    }
    if (arg == "--version") {
      c.Version = true;
      return c;
    }
    if (arg.substr(0, 2) != "--") {
      c.Error = "unexpected argument " + Quoted(arg);
      break;
    }
    std::string_view name = arg.substr(2), value;
    const size_t equals = name.find('=');
    if (equals != std::string_view::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    int32_t takesValue = 0;
    if (!Lookup(Options, name, takesValue)) {
      c.Error = "unknown option " + Quoted(arg);
      break;
    }
    if (equals == std::string_view::npos) {
      if (!takesValue) {
        value = "1";
      } else if (i + 1 < argc && argv[i + 1]) {
        value = argv[++i];
      } else {
        c.Error = "--" + std::string(name) + " needs a value";
        break;
      }
    }
    c.Error = ReadSetting(name, value, c.Options);
    if (!c.Error.empty())
      c.Error.insert(0, "--");
  }
  return c;
}

StartOptions ParseQuery(std::string_view query, std::vector<std::string> &warnings) {
  StartOptions o;
  if (!query.empty() && query[0] == '?')
    query.remove_prefix(1);
  while (!query.empty()) {
    const size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (pair.empty())
      continue;
    const size_t equals = pair.find('=');
    const std::string_view name = pair.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1);
    if (name == "fullscreen" || name == "negative") {
      warnings.push_back("parameter '" + std::string(name) + "' is for the desktop; left out");
      continue;
    }
    StartOptions tried = o;
    const std::string error = ReadSetting(name, value, tried);
    if (error.empty())
      o = tried;
    else
      warnings.push_back("parameter " + error + "; left out");
  }
  return o;
}

const char *UsageLine() {
  return "usage: velqor [--speed 0.25|0.5|1|2] [--theme classic|light] [--lesson classic|full] "
         "[--lang CODE] [--stage N [--negative]] [--fullscreen] [--help] [--version]";
}

const char *HelpText() {
  return R"(VELQOR: a teaching animation of negative frequency. A white point turns on a
red circle, counter-clockwise for a positive frequency, clockwise for a
negative one; each click moves the demonstration on by one stage.

Options (with none, the demonstration as designed):
  --speed S          ticks a second: 0.25, 0.5, 1 (50 a second) or 2
  --theme T          classic (colours on black) or light (for lit rooms)
  --lesson L         classic, or full: the helix and a real cosine as both
                     frequencies
  --lang CODE        the captions' language (de, fr, ja, pt-BR, ...); the
                     system's by default
  --stage N          open at stage N (0 to 3; 5 in the full lesson), each
                     stage before it finished
  --negative         ... in the negative (clockwise) cycle
  --fullscreen       open full screen
  --help, --version

Keys:
  PageDown Right Down Space Enter N   next (as a left click)
  PageUp Left Up Backspace P          back one step
  Home                                start again
  K Pause                             pause / resume
  S                                   one tick, while paused
  - +                                 slower / faster
  T                                   theme: classic / light
  L                                   lesson: classic / full (starts again)
  B .                                 blank / unblank
  F11 F Alt+Enter                     full screen on / off; Esc leaves
)";
}
