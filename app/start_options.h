// What a start can be asked for: the settings a presenter can choose, given as
// options of velqor and velqor-record (--speed 0.5) or as the web page's query
// parameters (?speed=0.5), read by one parser. With none given the program
// starts exactly as designed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Ticks a second: 12.5, 25, 50 (as designed) and 100.
enum class Speed : int32_t { Quarter, Half, Normal, Double };
enum class Theme : int32_t { Classic, Light };
enum class Lesson : int32_t { Classic, Full };

struct StartOptions {
  // The client area's size once the window is open, as if the user had sized
  // it; 0 x 0 keeps the window's own (the recorder, the tests, the fuzzers).
  int ClientWidth = 0;
  int ClientHeight = 0;
  Speed TickRate = Speed::Normal;
  Theme Colors = Theme::Classic;
  Lesson Course = Lesson::Classic;
  std::string Language = {}; // a language tag (de, pt-BR, ...); empty: the system's
  // Open at this stage of the first cycle, or of the second (Negative), with
  // each stage before it finished.
  int32_t Stage = 0;
  bool Negative = false;
  bool FullScreen = false; // desktop only; a page needs the user's gesture
  // Started by a web page (its query as the command line): the picture is the
  // page's screen, not a window the user sized.
  bool Page = false;
  // Whether the picture moves from the start: 1 yes, 0 held until asked, -1
  // as the system prefers on a page (its reduced motion), yes elsewhere.
  int32_t Motion = -1;
};

// The setting `name` (speed, theme, lesson, lang, stage, dir, negative,
// fullscreen, motion) set to `value`. An empty string when it was sound, else
// one line that names the setting and what it takes.
std::string ReadSetting(std::string_view name, std::string_view value, StartOptions &options);
// The settings as a query string (?speed=0.5&theme=light), the designed ones
// left out: what a link to the demonstration as it stands carries.
std::string SettingsQuery(const StartOptions &options);
// How a speed is written in options and links: 0.25, 0.5, 1, 2.
const char *SpeedName(Speed speed);

// Why the stage asked for is not one of its lesson's and direction's cycle, or
// nothing.
std::string StageError(const StartOptions &options);

// velqor's command line.
struct CommandLine {
  StartOptions Options;
  bool Help = false;
  bool Version = false;
  std::string Error;                 // one line, empty when the command line is sound
  std::vector<std::string> Warnings; // a page's parameters left out, one line each
};
// --name value or --name=value for each setting, --negative and --fullscreen
// as flags, --help, --version. A first argument that begins with '?' is a web
// page's query (see ParseQuery), the way the page hands its address over: its
// unknown or bad parameters are left out, each said in Warnings, and the page
// opens.
CommandLine ParseCommandLine(int argc, const char *const *argv);
// A query string: each unknown or bad parameter is left out with one line in
// `warnings`; the rest are taken.
StartOptions ParseQuery(std::string_view query, std::vector<std::string> &warnings);

// The usage line and the help of velqor (the options and the keys).
const char *UsageLine();
const char *HelpText();
