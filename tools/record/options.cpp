#include "tools/record/options.h"

#include <getopt.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "app/settings.h"

#ifndef VELQOR_VERSION
#error "VELQOR_VERSION (the project's version) must be defined by the build"
#endif

namespace record {
namespace {

const char kVersion[] = "velqor-record " VELQOR_VERSION "\n"
                        "Copyright (c) 2026 The VELQOR authors.\n"
                        "Free software: LICENSE and THIRD-PARTY-NOTICES give the terms of it and\n"
                        "of the libraries it uses.\n";

const char kHelp[] =
    R"(Usage: velqor-record [OPTION]... (--out FILE | --frames DIR)
Plays the VELQOR demonstration without a window, on a virtual clock (one timer
tick = 20 ms of animation at the designed speed), and writes what the window
shows as a looping animated GIF, an MP4 or WebM video, or numbered PNG files.

  --size WxH       client area in pixels, drawn at that size (not scaled);
                   each side 1 to 8192; default 1002x583, the window's own.
                     velqor-record --size 640x372 --out small.gif
  --present        presentation mode, as F11 turns it on, with --size the
                   monitor's: the picture in the largest rectangle of the
                   window's proportion (1002:583) in the middle, black around
                   it, its text, lines and caption band grown with it (a
                   round circle and captions that can be read from afar).
                     velqor-record --present --size 1920x1080 --out talk.mp4
  --clicks T1,...  ticks at which a left click arrives (just before that
                   tick), strictly increasing, each 1 or more; an empty
                   list means no click. Default 73,223,454,916,989,1139,1370:
                   one positive and one negative cycle. Each stage 0 turns
                   the point once round (72 ticks) before the click; the tilt
                   (100 ticks) and the slide (181 ticks) are then seen
                   finished for one second (50 ticks), the pulled sine (362
                   ticks) for two (100 ticks). With --stage, no click. With
                   --lesson full, a click after each stage of both cycles,
                   the view's turn (100 ticks) held for a second: 73,223,
                   454,916,1066,1139,1289,1520,1982,2132, then both
                   frequencies together for two turns (2278 ticks in all).
                     velqor-record --clicks 50,200 --out tilt.gif
  --ticks N        number of ticks to play, 0 to 1000000, not before the last
                   click; default: the last click + 461 (the 362 ticks of the
                   longest stage, then two seconds still), 1831 with the
                   default clicks; with --stage and no click, that stage's
                   ticks and its hold. With fewer ticks the default clicks
                   that would come later are left out.
                     velqor-record --ticks 72 --out one-turn.gif
  --every K        keep every K-th tick as a frame, 1 to 32767; default 2
                   (25 frames a second; 50 with --every 1). Frame 0 is the
                   opening picture, frame i the picture after tick i*K; each
                   frame stays for the real time of K ticks (K x 20 ms at the
                   designed speed; see --speed). At most 655 seconds a frame:
                   K up to 16383 at --speed 0.5, 8191 at 0.25.
                     velqor-record --every 1 --out smooth.gif
  --out FILE       write one file; its kind follows the extension:
                   .gif   a GIF that loops for ever. Each frame stores only
                          the rectangle that changed. Its palette holds the
                          colours that occur; should more than 256 occur
                          (anti-aliased text has many shades), colours are
                          merged into their nearest neighbours, least visible
                          change first, until 256 remain.
                   .mp4   H.264 (High profile, yuv420p, BT.709), its index at
                          the front so that it plays at once (slide programs,
                          browsers).
                   .webm  VP9 in WebM (web pages, learning platforms).
                   Videos need even sides: an odd width or height gets one
                   black column on the right or one black row at the
                   bottom (the light theme's background with --theme
                   light); the picture is never scaled. A video lasts
                   exactly the played ticks x 20 ms (at the designed speed):
                   frame i starts at tick i*K and lasts until the next
                   frame, or until the end, so a picture that falls on the
                   very end is not shown (with --ticks 0, the one picture
                   lasts K ticks).
                     velqor-record --out docs/velqor.gif
                     velqor-record --out velqor.mp4
  --frames DIR     write DIR/frame-00000.png, frame-00001.png, ... (24-bit
                   RGB) into the existing folder DIR; the frame-*.png files
                   of an earlier recording there are replaced or removed.
                     velqor-record --ticks 100 --frames /tmp/velqor
  --quality Q      videos only: the encoder's constant quality, lower is
                   better and larger. MP4: 0 to 51, default 20; WebM: 0 to
                   63, default 30. The defaults keep the thin lines clean.
                     velqor-record --quality 28 --out small.mp4
  --split          one clip per stage instead of one recording: --out
                   NAME.mp4 writes NAME-01-rotate.mp4, NAME-02-tilt.mp4,
                   NAME-03-slide.mp4, NAME-04-pull.mp4, then
                   NAME-05-rotate.mp4 and so on for the next cycle (the
                   same for .gif and .webm); --frames DIR writes into the
                   folders DIR/01-rotate, ... (made as needed). A clip
                   begins with the first frame after the click that starts
                   its stage and ends before the next clip's first frame; a
                   stage that begins and ends between two frames gets no
                   clip.
                     velqor-record --split --out lecture.mp4

The program's settings, with the same names and values as velqor's options:
  --speed S        0.25, 0.5, 1 (as designed) or 2. Every tick is the
                   designed tick; only the time between ticks changes: 80,
                   40, 20 or 10 ms. At 0.5 a recording lasts twice as long
                   and shows the same pictures (the caption line shows the
                   speed's sign, 1/2x, as the window does). At 2 one timer
                   message plays two ticks, as the program runs: a click
                   arrives before the message that plays its tick, and only
                   the picture after an even tick is ever seen, so a frame
                   due after an odd tick is the picture after the next one.
                     velqor-record --speed 0.5 --out slow.gif
  --theme T        classic (colours on black) or light (for lit rooms).
  --lesson L       classic, or full: the helix and a real cosine as both
                   frequencies.
  --lang CODE      the captions' language (de, fr, ja, pt-BR, ...); English
                   unless given: a recording does not follow the system's
                   language, so that the same options give the same bytes
                   everywhere.
  --stage N        start at stage N of the first cycle (0 rotate, 1 tilt, 2
                   slide, 3 pull; in the full lesson 4 the view, and in its
                   negative cycle 5 both frequencies), each stage before it
                   finished. With no clicks the recording is that stage and
                   the time it is held finished: rotate 72+1 ticks, tilt
                   100+50, slide 181+50, pull 362+100, view 100+50, both
                   72+1.
  --negative       the stage of the second cycle instead, the negative
                   (clockwise) one; stage 3 is then the negative pull.
                     velqor-record --stage 3 --negative --speed 0.5 --out pull.gif

  --quiet          no progress on stderr (it is shown only on a terminal).
  -h, --help       show this text and exit.
  --version        show the version and exit.

Exactly one of --out and --frames. Nothing is written until the recording is
complete: a failure or an interruption leaves no file behind. The same options
always give the same bytes on the same machine with the same libraries (the
encoders run with fixed settings and thread counts). Progress (ticks played,
frames written, time taken) goes to stderr when it is a terminal. Exit status:
0 done, 1 failed while recording or writing, 2 bad command line, output folder
or missing encoder.
)";

// A whole number in [low, high], digits only.
bool ParseCount(std::string_view text, int64_t low, int64_t high, int64_t &value) {
  uint64_t v = 0; // unsigned: no sign is taken
  const char *end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data(), end, v);
  if (text.size() > 18 || failure != std::errc{} || stop != end || int64_t(v) < low ||
      int64_t(v) > high)
    return false;
  value = int64_t(v);
  return true;
}

std::string ParseSize(std::string_view text, Options &o) {
  const size_t x = text.find_first_of("xX");
  int64_t w = 0, h = 0;
  const std::string bad = "--size '" + std::string(text) + "': ";
  if (x == std::string_view::npos || !ParseCount(text.substr(0, x), 0, INT64_MAX / 2, w) ||
      !ParseCount(text.substr(x + 1), 0, INT64_MAX / 2, h))
    return bad + "expected WIDTHxHEIGHT in pixels, such as 640x372";
  if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
    return bad + "each side must be 1 to 8192 pixels";
  o.width = static_cast<int>(w);
  o.height = static_cast<int>(h);
  return {};
}

std::string ParseClicks(std::string_view text, Options &o) {
  o.clicks.clear();
  if (text.empty())
    return {};
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    const std::string_view item = text.substr(start, comma - start);
    int64_t tick = 0;
    if (!ParseCount(item, 1, kMaxTicks, tick))
      return "--clicks: '" + std::string(item) + "' is not a tick number (1 to 1000000)";
    if (!o.clicks.empty() && tick <= o.clicks.back())
      return "--clicks: " + std::to_string(tick) + " after " + std::to_string(o.clicks.back()) +
             ": clicks must be strictly increasing";
    o.clicks.push_back(tick);
    if (comma == std::string_view::npos)
      return {};
    start = comma + 1;
  }
}

// The kind of file --out names, by its extension (in any case).
bool FormatOfName(const std::string &name, Format &format) {
  const size_t dot = name.rfind('.');
  const size_t slash = name.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return false;
  std::string extension = name.substr(dot + 1);
  for (char &c : extension)
    c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  static const std::pair<const char *, Format> kKinds[] = {
      {"gif", Format::Gif}, {"mp4", Format::Mp4}, {"webm", Format::WebM}};
  for (const auto &[known, kind] : kKinds)
    if (extension == known) {
      format = kind;
      return true;
    }
  return false;
}

// The checks that need every option: which output, and what fits it.
std::string CheckOutput(bool outGiven, bool framesGiven, bool qualityGiven, Options &o) {
  if (outGiven && framesGiven)
    return "give either --out or --frames, not both";
  if (!outGiven && !framesGiven)
    return "say where to write: --out FILE (.gif, .mp4 or .webm) or --frames DIR";
  if (framesGiven)
    o.format = Format::PngFrames;
  else if (!FormatOfName(o.out, o.format))
    return "--out '" + o.out + "': unknown kind of file; the name must end in .gif, .mp4 or .webm";
  const QualityScale *scale = o.format == Format::Mp4    ? &kMp4Quality
                              : o.format == Format::WebM ? &kWebMQuality
                                                         : nullptr;
  if (!scale)
    return qualityGiven ? "--quality applies to videos only (.mp4, .webm)" : "";
  if (!qualityGiven)
    o.quality = scale->fallback;
  else if (o.quality < scale->best || o.quality > scale->worst)
    return "--quality " + std::to_string(o.quality) + ": expected " + std::to_string(scale->best) +
           " to " + std::to_string(scale->worst) + " for " +
           (o.format == Format::Mp4 ? ".mp4" : ".webm");
  return {};
}

// The most ticks a frame can stay at the speed, as its delay must fit in a GIF.
int64_t MostEvery(const Options &o) { return std::min(kMaxEvery, kMaxFrameMs / TickMs(o)); }

// Whether getopt refused `given` as a flag with a value (--split=1): it then
// reports the flag's code in `code`, as it does an unknown short option.
bool FlagGivenAValue(const option *options, std::string_view given, int code) {
  const size_t equals = given.find('=');
  if (code == 0 || given.substr(0, 2) != "--" || equals == std::string_view::npos)
    return false;
  const std::string_view name = given.substr(2, equals - 2);
  for (const option *o = options; o->name; ++o)
    if (o->has_arg == no_argument && o->val == code && std::string_view(o->name).starts_with(name))
      return true;
  return false;
}

// The value given with a program setting: a flag (--negative) is set when
// given without one.
constexpr int kSetting = 0x100;

} // namespace

int TickMs(const Options &o) {
  return static_cast<int>(TimerPeriodOf(o.program.TickRate)) /
         TicksPerTimerMessage(o.program.TickRate);
}

int64_t TicksOfStageAlone(const char *name) {
  for (const StageTime &stage : kStageTimes)
    if (std::strcmp(stage.name, name) == 0)
      return stage.ticks + stage.held;
  const auto longest = std::max_element(
      std::begin(kStageTimes), std::end(kStageTimes),
      [](const StageTime &a, const StageTime &b) { return a.ticks + a.held < b.ticks + b.held; });
  return longest->ticks + longest->held;
}

std::vector<int64_t> FullLessonClicks() {
  // Both cycles of the full lesson up to both frequencies together, the last
  // stage of the negative one.
  static const char *const stages[] = {"rotate", "tilt", "slide", "pull", "view",
                                       "rotate", "tilt", "slide", "pull", "view"};
  std::vector<int64_t> clicks;
  int64_t tick = 0;
  for (const char *stage : stages)
    clicks.push_back(tick += TicksOfStageAlone(stage));
  return clicks;
}

const char *HelpText() { return kHelp; }

const char *VersionText() { return kVersion; }

ParseResult ParseOptions(int argc, char **argv) {
  static const option kLong[] = {
      {"size", required_argument, nullptr, 's'},
      {"clicks", required_argument, nullptr, 'c'},
      {"ticks", required_argument, nullptr, 't'},
      {"every", required_argument, nullptr, 'e'},
      {"out", required_argument, nullptr, 'o'},
      {"frames", required_argument, nullptr, 'f'},
      {"quality", required_argument, nullptr, 'Q'},
      {"split", no_argument, nullptr, 'S'},
      {"quiet", no_argument, nullptr, 'U'},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'v'},
      {"present", no_argument, nullptr, 'P'},
      {"speed", required_argument, nullptr, kSetting},
      {"theme", required_argument, nullptr, kSetting},
      {"lesson", required_argument, nullptr, kSetting},
      {"lang", required_argument, nullptr, kSetting},
      {"stage", required_argument, nullptr, kSetting},
      {"negative", optional_argument, nullptr, kSetting},
      {nullptr, 0, nullptr, 0},
  };
  ParseResult r;
  Options &o = r.options;
  bool ticksGiven = false, clicksGiven = false, stageGiven = false;
  o.program.Language = "en"; // not the system's: the options alone decide the bytes
  bool outGiven = false, framesGiven = false, qualityGiven = false;
  opterr = 0; // our own messages, one line each
  optind = 0; // start afresh (GNU getopt), so parsing can be repeated
  int c = 0, index = 0;
  while (r.error.empty() && (c = getopt_long(argc, argv, ":h", kLong, &index)) != -1) {
    const std::string_view arg = optarg ? optarg : "";
    switch (c) {
    case kSetting:
      r.error = ReadSetting(kLong[index].name, optarg ? arg : "1", o.program);
      if (!r.error.empty())
        r.error.insert(0, "--");
      stageGiven = stageGiven || std::strcmp(kLong[index].name, "stage") == 0;
      break;
    case 's':
      r.error = ParseSize(arg, o);
      break;
    case 'c':
      r.error = ParseClicks(arg, o);
      clicksGiven = true;
      break;
    case 't':
      if (!ParseCount(arg, 0, kMaxTicks, o.ticks))
        r.error = "--ticks '" + std::string(arg) + "': expected a number of ticks, 0 to 1000000";
      ticksGiven = true;
      break;
    case 'e':
      if (!ParseCount(arg, 1, kMaxEvery, o.every))
        r.error = "--every '" + std::string(arg) + "': expected a whole number from 1 to 32767";
      break;
    case 'o':
      o.out = arg;
      outGiven = true;
      if (o.out.empty())
        r.error = "--out: the file name is empty";
      break;
    case 'f':
      o.frames = arg;
      framesGiven = true;
      if (o.frames.empty())
        r.error = "--frames: the folder name is empty";
      break;
    case 'Q': {
      int64_t quality = 0;
      // The range depends on the format, checked once --out is known.
      if (!ParseCount(arg, 0, 1000, quality))
        r.error = "--quality '" + std::string(arg) + "': expected a whole number such as 20";
      o.quality = static_cast<int>(quality);
      qualityGiven = true;
      break;
    }
    case 'S':
      o.split = true;
      break;
    case 'U':
      o.quiet = true;
      break;
    case 'P':
      o.present = true;
      break;
    case 'h':
      o.help = true;
      return r;
    case 'v':
      o.version = true;
      return r;
    case ':':
      r.error = std::string(argv[optind - 1]) + " needs a value";
      break;
    default: // '?'
      if (FlagGivenAValue(kLong, argv[optind - 1], optopt))
        r.error = std::string(argv[optind - 1]).substr(0, std::strcspn(argv[optind - 1], "=")) +
                  " takes no value";
      else
        r.error = optopt ? "unknown option '-" + std::string(1, static_cast<char>(optopt)) + "'"
                         : "unknown option '" + std::string(argv[optind - 1]) + "'";
      break;
    }
  }
  if (!r.error.empty())
    return r;
  if (optind < argc) {
    r.error = "unexpected argument '" + std::string(argv[optind]) + "'";
    return r;
  }
  r.error = CheckOutput(outGiven, framesGiven, qualityGiven, o);
  if (r.error.empty())
    r.error = StageError(o.program);
  if (r.error.empty() && o.every > MostEvery(o))
    r.error = "--every " + std::to_string(o.every) + ": at most " + std::to_string(MostEvery(o)) +
              " at --speed " + SpeedName(o.program.TickRate) +
              " (a frame stays at most 655 seconds)";
  if (!r.error.empty())
    return r;
  // A start at a stage plays on from there: no click unless asked for.
  if (stageGiven && !clicksGiven)
    o.clicks.clear();
  const bool fullLessonClicks = !stageGiven && !clicksGiven && o.program.Course == Lesson::Full;
  if (fullLessonClicks)
    o.clicks = FullLessonClicks();
  o.stageAlone = stageGiven && !ticksGiven && o.clicks.empty();
  if (o.stageAlone)
    o.ticks = 0; // until the program has entered the stage
  else if (!ticksGiven)
    o.ticks = std::min(
        kMaxTicks, (o.clicks.empty() ? 0 : o.clicks.back()) +
                       (fullLessonClicks ? 2 * TicksOfStageAlone("both") : kTicksAfterLastClick));
  else if (!clicksGiven)
    std::erase_if(o.clicks, [&](int64_t tick) { return tick > o.ticks; }); // a shorter recording
  else if (!o.clicks.empty() && o.clicks.back() > o.ticks)
    r.error = "--clicks: tick " + std::to_string(o.clicks.back()) + " comes after the last tick (" +
              std::to_string(o.ticks) + ")";
  return r;
}

} // namespace record
