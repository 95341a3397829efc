// The command line of velqor-record: what to play, how much of it to keep,
// and where to write it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/start_options.h"

namespace record {

// Bounds of the options' values.
constexpr int kMaxSide = 8192;         // the portable layer's largest client side
constexpr int64_t kMaxTicks = 1000000; // 20000 s of animation
constexpr int64_t kMaxEvery = 32767;   // keeps a frame's delay within GIF's 16 bits
// The longest a frame can stay: GIF's 16-bit delay in hundredths of a second.
constexpr int64_t kMaxFrameMs = 655350;

// The default clicks: one positive and one negative cycle. Each stage 0 turns
// the point once round (72 ticks) before the click; the tilt (100 ticks) and
// the slide (181 ticks) each get one more second (50 ticks) to be seen finished,
// the pulled sine (362 ticks) two seconds (100 ticks). A click at tick T arrives
// just before tick T.
inline const std::vector<int64_t> kDefaultClicks = {73, 223, 454, 916, 989, 1139, 1370};
// Ticks after the last click when --ticks is not given: the longest stage, the
// pull (362 ticks, the click's own tick included), then two seconds still.
constexpr int64_t kTicksAfterLastClick = 461;

// A stage recorded alone (--stage without clicks): its ticks, then the time it
// is held finished, as the default clicks give it. A turn's last picture is
// held for one tick, so that the full turn is seen; the full lesson's view
// turns as long as the tilt and is held as long; both frequencies together
// make one turn.
struct StageTime {
  const char *name; // the stage unit's own name
  int64_t ticks;
  int64_t held;
};
inline constexpr StageTime kStageTimes[] = {{"rotate", 72, 1},  {"tilt", 100, 50},
                                            {"slide", 181, 50}, {"pull", 362, 100},
                                            {"view", 100, 50},  {"both", 72, 1}};
// The ticks of the stage named `name` and its hold; a stage not in the table
// gets the longest one's.
int64_t TicksOfStageAlone(const char *name);
// The default clicks of the full lesson: each stage of both cycles played and
// held as alone, a click after each, up to both frequencies together (which
// the recording then shows for two turns): 73, 223, 454, 916, 1066, 1139,
// 1289, 1520, 1982, 2132.
std::vector<int64_t> FullLessonClicks();

// What --out's extension asks for, or PNG frames with --frames.
enum class Format { Gif, Mp4, WebM, PngFrames };

// The video formats' constant-quality scale: the encoder's own (lower is better
// and larger), with the default that keeps the thin lines clean.
struct QualityScale {
  int best;
  int worst;
  int fallback;
};
constexpr QualityScale kMp4Quality = {0, 51, 20};
constexpr QualityScale kWebMQuality = {0, 63, 30};

struct Options {
  int width = 1002;
  int height = 583;
  std::vector<int64_t> clicks = kDefaultClicks;
  int64_t ticks = kDefaultClicks.back() + kTicksAfterLastClick;
  int64_t every = 2;
  std::string out;    // --out FILE.gif, FILE.mp4 or FILE.webm
  std::string frames; // --frames DIR
  Format format = Format::Gif;
  int quality = -1;     // --quality; -1 until the format's default is known
  bool split = false;   // one clip per stage
  bool present = false; // presentation mode on a monitor of the size
  bool quiet = false;   // no progress
  bool help = false;
  bool version = false;
  // The program's settings, with the same names and values as velqor's
  // options: --speed, --theme, --lesson, --lang, --stage, --negative. The
  // language is English unless asked for, whatever the system's.
  StartOptions program;
  // --stage with no clicks and no --ticks: the recording is that stage and
  // its hold, whose ticks are known once the program has entered it.
  bool stageAlone = false;
};

// The real time of one tick at the options' speed: the timer's period, shared
// by the ticks of one timer message (20 ms as designed).
int TickMs(const Options &o);

struct ParseResult {
  Options options;
  std::string error; // empty when the command line is sound
};

ParseResult ParseOptions(int argc, char **argv);
const char *HelpText();
const char *VersionText();

} // namespace record
