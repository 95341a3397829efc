// The normal window's pictures through a whole positive and negative cycle,
// pinned as hashes of every frame: a change anywhere in the drawing (the font,
// the raster, the scenes, a new mode left off) that moves a single pixel of the
// designed demonstration shows here. The hashes were taken from the program as
// it stood before presentation mode, presenter keys and the cut font existed.
//
// And the same pictures in presentation mode on a monitor of that size.
//
// And the same cycles disturbed: a repaint, a resize away and back, or the
// light theme and back, at ticks all through them (and between a click and its stage's first tick)
// must give the very picture of the undisturbed run at that tick and every
// later one, so the stage goes on from the repainted picture without residue.
#include <gtest/gtest.h>

#include <cinttypes>
#include <functional>
#include <string_view>
#include <vector>

#include "animation/animation_state.h"
#include "app/presentation_mode.h"
#include "app/settings.h"
#include "graphics/graphics_state.h"
#include "graphics/picture_layout.h"
#include "platform/host.h"
#include "scenes/stage_table.h"
#include "tests/support/program_checks.h"

namespace {

// The recorder's default clicks: each stage held until it has finished.
constexpr int Clicks[] = {73, 223, 454, 916, 989, 1139, 1370};
constexpr int Ticks = 1831;
constexpr int Segments = 8; // before the first click, and after each

struct PinnedSize {
  int Width;
  int Height;
  uint64_t Hashes[Segments]; // one per stretch between clicks
};

// FNV-1a over 64-bit words, folded into the running hash of a stretch.
uint64_t HashFrame(uint64_t hash, const uint32_t *pixels, size_t count) {
  for (size_t i = 0; i + 1 < count; i += 2) {
    hash ^= uint64_t{pixels[i]} | uint64_t{pixels[i + 1]} << 32;
    hash *= 0x100000001b3ull;
  }
  if (count % 2) {
    hash ^= pixels[count - 1];
    hash *= 0x100000001b3ull;
  }
  return hash;
}

// Plays the whole cycle at the size and gives the hash of each stretch.
std::vector<uint64_t> PlayCycle(int width, int height) {
  StartFresh(width, height);
  std::vector<uint64_t> hashes(Segments, 0xcbf29ce484222325ull);
  int segment = 0;
  int w = 0, h = 0;
  for (int tick = 1; tick <= Ticks; ++tick) {
    if (segment < Segments - 1 && tick == Clicks[segment]) {
      Click();
      ++segment;
    }
    Tick();
    const uint32_t *pixels = vqp::HeadlessPixels(TestWindow(), &w, &h);
    hashes[segment] = HashFrame(hashes[segment], pixels, static_cast<size_t>(w) * h);
  }
  return hashes;
}

const PinnedSize Pinned[] = {
    {1002,
     583,
     {0x9106e9f0707da105ull, 0x9e28388075975936ull, 0x8c38be1456671cb7ull, 0xb8a53b3923bddc86ull,
      0x4c652a380e24132ull, 0xcea75e350491a35eull, 0x52fd2531d889d3c3ull, 0xb8a53b3923bddc86ull}},
    {1001,
     583,
     {0x12a954d71a95a331ull, 0xa8399da76dfef2bcull, 0xaef1affd0d4c998full, 0xdd470a72e48ff310ull,
      0x236a089dcb2ad157ull, 0x378e72b1a247eba0ull, 0xa522164a656d1f77ull, 0xdd470a72e48ff310ull}},
    {640,
     400,
     {0xbd19f3346169d5b9ull, 0x9c64f96b1ad7cf71ull, 0xfbd8b25adde50455ull, 0x3a8b044f1ba891f5ull,
      0x27db9c151bb45db1ull, 0x355cdbca49d5aa61ull, 0xbbfa439cbf7b68bdull, 0x3a8b044f1ba891f5ull}},
    {400,
     300,
     {0x92db6f3c9511da39ull, 0x44315687b7fe57fdull, 0xab6c7c2021d498e2ull, 0xcb9a94cc2d61acbdull,
      0xec82cd2f2c7b9291ull, 0xb2bccecedc85f429ull, 0x82c48d48cc089a26ull, 0xcb9a94cc2d61acbdull}},
};

TEST(PinnedPictures, AWholeCycleDrawsTheDesignedPicturesAtEachSize) {
  for (const PinnedSize &size : Pinned) {
    const std::vector<uint64_t> hashes = PlayCycle(size.Width, size.Height);
    for (int s = 0; s < Segments; ++s) {
      EXPECT_EQ(hashes[s], size.Hashes[s])
          << size.Width << "x" << size.Height << ", the stretch after click " << s << "; now 0x"
          << std::hex << hashes[s];
    }
  }
}

// Presentation mode on a monitor of exactly the designed size: the picture's
// rectangle is the whole client area, its scale 1, and every frame is the
// normal window's, the program's own font drawing what the default one drew.
TEST(PinnedPictures, PresentationModeAtTheDesignedSizeDrawsTheSamePictures) {
  vqp::HeadlessSetMonitor(1002, 583);
  StartFresh(1002, 583);
  KeyAndRepaint(VK_F11);
  ASSERT_TRUE(Settings.FullScreen);
  ASSERT_TRUE(PictureKeepsProportion());
  const std::vector<uint64_t> hashes = PlayCycle(1002, 583);
  EXPECT_NE(GraphicsState.Font, nullptr) << "drawn with the device context's font";
  for (int s = 0; s < Segments; ++s)
    EXPECT_EQ(hashes[s], Pinned[0].Hashes[s]) << "the stretch after click " << s;
  LeaveFullScreen(TestWindow());
  vqp::HeadlessSetMonitor(1920, 1080);
}

// Clicks (a tick may take several: a click counted twice before a tick) and
// the length of a run.
struct Schedule {
  const char *Name;
  std::vector<int> Clicks;
  int Ticks;
};

const Schedule Patient = {"each stage finished", {Clicks, Clicks + Segments - 1}, Ticks};
// Stages cut short, a double click from stage 0 into the slide, a triple one
// into the pull, and both directions.
const Schedule Impatient = {
    "stages cut short", {40, 70, 120, 300, 340, 340, 420, 600, 650, 650, 650, 700, 760}, 800};

// The picture's hash, for comparing two runs of this process: the standard
// library's string hash, which stays fast in unoptimized and sanitized builds.
size_t FrameHash() {
  int w = 0, h = 0;
  const uint32_t *pixels = vqp::HeadlessPixels(TestWindow(), &w, &h);
  return std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char *>(pixels), static_cast<size_t>(w) * h * 4));
}

// A repaint, a resize away and back, or the light theme and back, in turn.
void Disturb(int count, int width, int height) {
  if (count % 3 == 0) {
    Paint();
  } else if (count % 3 == 1) {
    SetClientSize(width / 2 + 31, height + 57);
    SetClientSize(width, height);
  } else {
    Key('T');
    Key('T');
  }
}

// Plays the schedule and records the hash of each tick's picture (0: the
// start) when `hashes` is empty; otherwise plays it disturbed every `every`
// ticks and between each click and its tick, and returns the first tick whose
// picture differs from the recorded one, or -1.
int Play(const Schedule &run, int width, int height, int every, std::vector<size_t> &hashes) {
  StartFresh(width, height);
  const bool record = hashes.empty();
  if (record)
    hashes.push_back(FrameHash());
  int disturbances = 0;
  size_t click = 0;
  for (int tick = 1; tick <= run.Ticks; ++tick) {
    bool clicked = false;
    for (; click < run.Clicks.size() && run.Clicks[click] == tick; ++click) {
      Click();
      clicked = true;
    }
    if (clicked && !record) {
      Disturb(disturbances++, width, height); // the click is counted, its stage not yet drawn
      if (FrameHash() != hashes[tick - 1])
        return tick - 1;
    }
    Tick();
    if (record) {
      hashes.push_back(FrameHash());
      continue;
    }
    if (FrameHash() != hashes[tick])
      return tick;
    if (tick % every == 0) {
      Disturb(disturbances++, width, height);
      if (FrameHash() != hashes[tick])
        return tick;
    }
  }
  return -1;
}

TEST(RepaintAsItStands, APaintAResizeOrAThemeAndBackAnywhereLeavesTheUndisturbedPictures) {
  for (const Schedule *run : {&Patient, &Impatient}) {
    for (const auto &size : {std::pair{1002, 583}, std::pair{1001, 583}, std::pair{600, 300}}) {
      std::vector<size_t> hashes;
      Play(*run, size.first, size.second, 0, hashes);
      EXPECT_EQ(Play(*run, size.first, size.second, 7, hashes), -1)
          << run->Name << ", " << size.first << "x" << size.second
          << ": the first tick whose picture differs";
    }
  }
}

} // namespace
