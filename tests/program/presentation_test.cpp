// Presentation mode: the keys that turn full screen on and off, the window
// given back as it was, and the picture in full screen: its rectangle of the
// designed proportion in the middle of the monitor, black margins, the ring
// as round as in the default window, the text and the pens grown with it.
// On the portable layer also at several monitor sizes through whole cycles,
// and at another screen density.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "animation/animation_state.h"
#include "app/presentation_mode.h"
#include "app/settings.h"
#include "graphics/graphics_state.h"
#include "graphics/mapping.h"
#include "graphics/picture_layout.h"
#include "scenes/scene_frame.h"
#include "scenes/stage_table.h"
#include "tests/support/margins.h"
#include "tests/support/program_checks.h"

#ifndef _WIN32
#include "platform/host.h"
#endif

namespace {

const AnimationStateRecord &s = AnimationState;
const GraphicsStateRecord &g = GraphicsState;
constexpr int Width = 600;
constexpr int Height = 400;
constexpr COLORREF BlueValue = 0x00FF0000;

class Presentation : public testing::Test {
protected:
  void SetUp() override {
    StartFresh(Width, Height);
    GetWindowRect(TestWindow(), &normalRect);
    normalStyle = GetWindowLongA(TestWindow(), GWL_STYLE);
  }
  void TearDown() override {
    LeaveFullScreen(TestWindow());
#ifndef _WIN32
    vqp::HeadlessSetDpi(96);
    vqp::HeadlessSetMonitor(1920, 1080);
#endif
  }

  // Whether the window has this outer rectangle, its style has or lacks the
  // caption and frame as `framed` says, and its client area is width x height.
  static bool WindowIs(const RECT &outer, bool framed, LONG width, LONG height) {
    RECT window = {0, 0, 0, 0}, client = {0, 0, 0, 0};
    GetWindowRect(TestWindow(), &window);
    GetClientRect(TestWindow(), &client);
    const LONG frame = GetWindowLongA(TestWindow(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME);
    return std::memcmp(&window, &outer, sizeof window) == 0 && (frame != 0) == framed &&
           client.right == width && client.bottom == height;
  }

  // Full screen as the system sees it: no caption or frame, the client area
  // all of the monitor.
  static bool CoversTheMonitor() {
    const RECT m = MonitorArea();
    return WindowIs(m, false, m.right - m.left, m.bottom - m.top);
  }

  // The window as it was before full screen: place, frame and client size.
  bool BackAsItWas() const {
    return WindowIs(normalRect, true, Width, Height) &&
           GetWindowLongA(TestWindow(), GWL_STYLE) == normalStyle;
  }

  RECT normalRect = {0, 0, 0, 0};
  LONG normalStyle = 0;
};

// The largest rectangle of proportion 1002:583 centred in width x height.
RECT Fitted(int width, int height) {
  const double scale = std::min(width / 1002.0, height / 583.0);
  const int w = static_cast<int>(std::lround(1002 * scale));
  const int h = static_cast<int>(std::lround(583 * scale));
  return {(width - w) / 2, (height - h) / 2, (width - w) / 2 + w, (height - h) / 2 + h};
}

// Pixels of `color` in the client area outside `inside`.
long CountOutside(const Picture &p, COLORREF color, const RECT &inside) {
  return CountColor(p, color, 0, 0, p.Width, inside.top) +
         CountColor(p, color, 0, inside.bottom, p.Width, p.Height) +
         CountColor(p, color, 0, inside.top, inside.left, inside.bottom) +
         CountColor(p, color, inside.right, inside.top, p.Width, inside.bottom);
}

// The opening circle's width over its height, from its outermost red pixels
// on the row and the column through its centre.
double RingProportion(const Picture &p) {
  const POINT centre = WindowPixelOf(0.0, 0.0);
  int left = p.Width, right = -1, top = p.Height, bottom = -1;
  for (int x = 0; x < p.Width; ++x)
    if (p.At(x, centre.y) == RedValue) {
      left = std::min(left, x);
      right = std::max(right, x);
    }
  for (int y = 0; y < p.Height; ++y)
    if (p.At(centre.x, y) == RedValue) {
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  return bottom > top ? static_cast<double>(right - left) / (bottom - top) : 0.0;
}

// The rows of the caption's text box and of its ink. The box is painted in
// the background colour, which is made blue for the look; the ink is what is
// not black on the usual black, near the middle of the caption.
struct CaptionRows {
  int Box = 0;
  int Ink = 0;
};
CaptionRows MeasureCaption() {
  SetBkColor(g.WindowDC, BlueValue);
  Paint();
  const Picture boxes = TakePicture();
  SetBkColor(g.WindowDC, 0);
  Paint();
  const Picture ink = TakePicture();
  const RECT r = PictureRect();
  const int centre = (r.left + r.right) / 2;
  const int half = static_cast<int>(150 * g.PixelScale);
  const int band = r.top + ScaledPixels(40);
  CaptionRows rows;
  for (int y = r.top; y < band; ++y) {
    rows.Box += CountColor(boxes, BlueValue, centre - half, y, centre + half, y + 1) > 0;
    rows.Ink += CountColor(ink, BlackValue, centre - half, y, centre + half, y + 1) < 2 * half;
  }
  return rows;
}

// The caption's letters reach from well up its box to well down it, as they
// do at the designed size: they were drawn at the box's height.
bool GlyphsFillTheirBox(const CaptionRows &rows) {
  return rows.Ink >= 0.75 * rows.Box && rows.Ink <= rows.Box;
}

int PenWidth() { return ReadPen(g.Pens[Red]).Width; }

TEST_F(Presentation, F11FAndAltEnterTurnFullScreenOnAndOffARepeatDoesNothing) {
  const auto press = [](int how, bool repeat) {
    const WPARAM key = how == 0 ? VK_F11 : 'F';
    if (how == 2) {
      repeat ? AltKeyRepeat(VK_RETURN) : AltKey(VK_RETURN);
    } else {
      repeat ? KeyRepeat(key) : Key(key);
    }
    UpdateWindow(TestWindow());
  };
  for (int how : {0, 1, 2}) {
    press(how, false);
    EXPECT_TRUE(Settings.FullScreen) << how;
    EXPECT_TRUE(CoversTheMonitor()) << how;
    press(how, true);
    EXPECT_TRUE(CoversTheMonitor()) << how << ": a held key left full screen";
    press(how, false);
    EXPECT_FALSE(Settings.FullScreen) << how;
    EXPECT_TRUE(BackAsItWas()) << how;
  }
  // Enter without Alt, and other keys with Alt, are not the program's.
  SendMessageA(TestWindow(), WM_SYSKEYDOWN, VK_RETURN, 1);
  AltKey('X');
  EXPECT_TRUE(BackAsItWas());
}

TEST_F(Presentation, EscLeavesFullScreenAndDoesNothingElse) {
  ClickAndTick({30});
  const AnimationStateRecord before = AnimationState;
  Key(VK_F11);
  KeyAndRepaint(VK_ESCAPE);
  EXPECT_FALSE(Settings.FullScreen);
  EXPECT_TRUE(BackAsItWas());
  const Picture left = TakePicture();
  Key(VK_ESCAPE); // outside full screen: nothing at all
  EXPECT_TRUE(BackAsItWas());
  EXPECT_EQ(std::memcmp(&before, &AnimationState, sizeof before), 0);
  EXPECT_EQ(DiffersFromShown(left), 0);
}

// The first key on a blank picture only brings it back, F11 too; but Esc
// leaves full screen at once and the picture stays blank.
TEST_F(Presentation, OnABlankPictureF11OnlyUnblanksAndEscStillLeaves) {
  Key('B');
  Key(VK_F11);
  EXPECT_FALSE(Settings.Picture.Blanked);
  EXPECT_FALSE(Settings.FullScreen);
  Key(VK_F11);
  Key('B');
  KeyAndRepaint(VK_ESCAPE);
  EXPECT_TRUE(Settings.Picture.Blanked);
  EXPECT_TRUE(BackAsItWas());
  EXPECT_TRUE(AllBlack(Width, Height));
}

// Full screen in the middle of the slide and back: the slide goes on as if the
// window had never left.
TEST_F(Presentation, LeavingGivesBackThePictureOfAnUndisturbedRun) {
  ClickAndTick({100, 40});
  KeyAndRepaint(VK_F11);
  Tick(30);
  KeyAndRepaint(VK_F11);
  Tick(10);
  const Picture returned = TakePicture();
  StartFresh(Width, Height);
  ClickAndTick({100, 80});
  EXPECT_EQ(DiffersFromShown(returned), 0);
}

TEST_F(Presentation, ThePictureKeepsItsProportionInTheMiddleWithBlackMargins) {
  StartFresh(1002, 583);
  const double designed = RingProportion(TakePicture());
  KeyAndRepaint(VK_F11);
  const RECT monitor = MonitorArea();
  const RECT expected = Fitted(monitor.right - monitor.left, monitor.bottom - monitor.top);
  const RECT picture = PictureRect();
  EXPECT_EQ(std::memcmp(&picture, &expected, sizeof picture), 0)
      << picture.left << "," << picture.top << " " << picture.right << "," << picture.bottom;
  const Picture p = TakePicture();
  const long margins =
      static_cast<long>(p.Width) * p.Height -
      static_cast<long>(picture.right - picture.left) * (picture.bottom - picture.top);
  EXPECT_EQ(CountOutside(p, BlackValue, picture), margins);
  EXPECT_NEAR(RingProportion(p), designed, 0.01 * designed);

  const double scale = (picture.bottom - picture.top) / 583.0;
  const CaptionRows caption = MeasureCaption();
  EXPECT_NEAR(caption.Box, 16 * scale, 1.0);
  EXPECT_TRUE(GlyphsFillTheirBox(caption)) << caption.Ink << " of " << caption.Box;
  EXPECT_EQ(PenWidth(), std::max(1L, std::lround(2 * scale)));
}

// While full screen the program holds its font besides the pens and brushes
// of start-up; leaving gives it back and the pens their width.
TEST_F(Presentation, FullScreenHoldsOneFontMoreUntilItIsLeft) {
  KeyAndRepaint(VK_F11);
  if (StateAfterInit().GdiObjects != 0) { // counted here (not on Wine)
    EXPECT_EQ(GdiObjectCount(), StateAfterInit().GdiObjects + 1);
  }
  EXPECT_NE(g.Font, nullptr);
  KeyAndRepaint(VK_F11);
  EXPECT_EQ(g.Font, nullptr);
  EXPECT_EQ(PenWidth(), 2);
  ExpectNoObjectLeaked("after full screen");
}

#ifndef _WIN32
// Light grey in every column the trace crosses, each column's run touching
// the next one's: a sine drawn without a break. The trace's first segment
// begins one step in from where the plane started; the point at its end
// (drawn over it by exclusive-or) is left out.
bool TraceUnbroken(const Picture &p, double fromX, double toX) {
  const int point = RoundToPixel(g.ScaleX * 0.03) + g.PenWidth;
  const int first = WindowPixelOf(fromX + s.PlaneStep, 0).x + 1;
  const int last = WindowPixelOf(toX, 0).x - point;
  int previousTop = -1, previousBottom = -1;
  for (int x = first; x <= last; ++x) {
    int top = -1, bottom = -1;
    for (int y = 0; y < p.Height; ++y)
      if (p.At(x, y) == LightGrayValue) {
        top = top < 0 ? y : top;
        bottom = y;
      }
    if (top < 0 || (previousTop >= 0 && (top > previousBottom + 1 || bottom < previousTop - 1))) {
      std::printf("[   NOTE   ] the trace breaks at column %d (%d to %d)\n", x, first, last);
      return false;
    }
    previousTop = top;
    previousBottom = bottom;
  }
  return true;
}

// Black all round the picture's rectangle, read straight off the framebuffer.
bool MarginsBlack(const RECT &picture) {
  int w = 0, h = 0;
  const uint32_t *pixels = vqp::HeadlessPixels(TestWindow(), &w, &h);
  return BlackOutside(pixels, w, h, picture.left, picture.top, picture.right, picture.bottom);
}

// At each monitor size, through a whole positive and negative cycle: nothing
// ever outside the picture's rectangle, each pulled sine whole.
TEST_F(Presentation, AtEachMonitorSizeAWholeCycleStaysInItsRectangle) {
  StartFresh(1002, 583);
  const double designed = RingProportion(TakePicture());
  for (const auto &size : {std::pair{1024, 768}, std::pair{1920, 1080}, std::pair{3840, 2160}}) {
    vqp::HeadlessSetMonitor(size.first, size.second);
    StartFresh(1002, 583);
    KeyAndRepaint(VK_F11);
    const RECT picture = PictureRect();
    const RECT expected = Fitted(size.first, size.second);
    ASSERT_EQ(std::memcmp(&picture, &expected, sizeof picture), 0) << size.first;
    const double scale = (picture.bottom - picture.top) / 583.0;
    EXPECT_NEAR(RingProportion(TakePicture()), designed, 0.01 * designed) << size.first;
    const CaptionRows caption = MeasureCaption();
    EXPECT_NEAR(caption.Box, 16 * scale, 1.0) << size.first;
    EXPECT_TRUE(GlyphsFillTheirBox(caption)) << size.first << ": " << caption.Ink;

    const int clicks[] = {73, 223, 454, 916, 989, 1139, 1370};
    const int *click = clicks;
    int sines = 0;
    for (int tick = 1; tick <= 1831; ++tick) {
      if (click != std::end(clicks) && *click == tick) {
        Click();
        ++click;
      }
      const double startX = s.PullStartX;
      const bool pulling = s.Stage == PullStage && s.PlaneX < 2.0;
      Tick();
      ASSERT_TRUE(MarginsBlack(picture)) << size.first << "x" << size.second << ", tick " << tick;
      if (pulling && s.PlaneX >= 2.0) {
        EXPECT_TRUE(TraceUnbroken(TakePicture(), startX, s.PlaneX))
            << size.first << ", tick " << tick;
        ++sines;
      }
    }
    EXPECT_EQ(sines, 2) << size.first;
    Key(VK_ESCAPE);
  }
}

// On a monitor of 144 DPI the normal window keeps its size on the glass and
// draws every pixel measure 1.5 times; back at 96 DPI it is as designed.
TEST_F(Presentation, AtAnotherDensityTheNormalWindowGrowsWithIt) {
  StartFresh(1002, 583);
  const Picture designed = TakePicture();
  const double ring = RingProportion(designed);
  vqp::HeadlessSetDpi(144);
  UpdateWindow(TestWindow());
  RECT client = {0, 0, 0, 0};
  GetClientRect(TestWindow(), &client);
  EXPECT_EQ(client.right, 1503);
  EXPECT_EQ(client.bottom, 875);
  EXPECT_EQ(g.PixelScale, 1.5);
  EXPECT_EQ(PenWidth(), 3);
  const CaptionRows caption = MeasureCaption();
  EXPECT_EQ(caption.Box, 24);
  EXPECT_TRUE(GlyphsFillTheirBox(caption)) << caption.Ink << " of " << caption.Box;
  EXPECT_NEAR(RingProportion(TakePicture()), ring, 0.01 * ring);

  vqp::HeadlessSetDpi(96);
  UpdateWindow(TestWindow());
  EXPECT_EQ(DiffersFromShown(designed), 0);
  ExpectNoObjectLeaked("back at 96 DPI");
}
#endif

} // namespace
