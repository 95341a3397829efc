// The 48-bit reals, the world-to-pixel mapping and the placement of labels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "animation/animation_state.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/mapping.h"
#include "graphics/shapes.h"
#include "tests/support/program_checks.h"

namespace {

uint64_t Bits(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST(Real48, KeepsTheUpper48BitsCutTowardZero) {
  EXPECT_EQ(static_cast<double>(Real48(0.01)), 0.009999999999990905);
  EXPECT_EQ(static_cast<double>(Real48(0.01111)), 0.011109999999916909);
  EXPECT_EQ(static_cast<double>(Real48(-0.01)), -0.009999999999990905);
  for (double value : {0.01, -2.1, 1.25, 0.005, 0.03, 1e-300, 123456.789}) {
    const double held = Real48(value);
    EXPECT_EQ(Bits(held) & 0xFFFF, 0u) << value;
    EXPECT_LE(std::fabs(held), std::fabs(value)) << value;
    EXPECT_LT(std::fabs(value - held), std::ldexp(std::fabs(value), -36)) << value;
    EXPECT_EQ(static_cast<double>(Real48(held)), held) << value;
  }
  // Values with 36 fraction bits or fewer are held exactly.
  EXPECT_EQ(static_cast<double>(Real48(1.0 + std::ldexp(1.0, -36))), 1.0 + std::ldexp(1.0, -36));
  EXPECT_EQ(static_cast<double>(Real48(1.0 + std::ldexp(1.0, -37))), 1.0);
}

TEST(Real48, StartValuesAreHeldIn48Bits) {
  InitAnimationState();
  EXPECT_EQ(static_cast<double>(AnimationState.WidthStep), 0.009999999999990905);
  EXPECT_EQ(static_cast<double>(AnimationState.PlaneStep), 0.011109999999916909);
  EXPECT_EQ(AnimationState.AngleStep, 5);
  EXPECT_EQ(AnimationState.AngleDeg, 5);
  EXPECT_EQ(AnimationState.Stage, 0);
  EXPECT_EQ(static_cast<double>(AnimationState.TraceLastX), -100.0);
  EXPECT_FALSE(AnimationState.StageEntered);
}

TEST(Mapping, WorkedExampleAt840By500) {
  StartFresh(840, 500);
  const GraphicsStateRecord &g = GraphicsState;
  ASSERT_EQ(g.MaxX, 840);
  ASSERT_EQ(g.MaxY, 500);
  char scale[32];
  std::snprintf(scale, sizeof scale, "%.10f", static_cast<double>(g.ScaleX));
  EXPECT_STREQ(scale, "200.0000000019");
  EXPECT_EQ(static_cast<double>(g.ScaleY), 200.0);

  struct Case {
    double x, y;
    int vx, vy, wx, wy;
  } cases[] = {{0, 0, 420, 250, 420, 250},
               {1, 0, 620, 250, 620, 250},
               {0, 1, 420, 450, 420, 50},
               {-2.1, -1.25, 0, 0, 0, 500},
               {2.1, 1.25, 840, 500, 840, 0}};
  for (const Case &c : cases) {
    const PixelPoint v = WorldToScreen(c.x, c.y);
    EXPECT_EQ(v.X, c.vx) << c.x << "," << c.y;
    EXPECT_EQ(v.Y, c.vy) << c.x << "," << c.y;
    EXPECT_EQ(WindowX(v.X), c.wx);
    EXPECT_EQ(WindowY(v.Y), c.wy);
  }

  // A new viewport changes the scales only with the next world window.
  SetViewport(0, 0, 400, 300);
  EXPECT_EQ(static_cast<double>(g.ScaleY), 200.0);
  SetWorldWindow(-2.1, -1.25, 2.1, 1.25);
  EXPECT_NEAR(g.ScaleX, 400 / 4.2, 1e-6);
  EXPECT_EQ(static_cast<double>(g.ScaleY), 120.0);

  // A shifted viewport shifts every pixel; the flip stays about MaxY.
  SetViewport(10, 20, 410, 320);
  EXPECT_EQ(WindowX(5), 15);
  EXPECT_EQ(WindowY(5), 500 - 25);
}

TEST(Mapping, RoundsHalvesToEven) {
  StartFresh(400, 300);
  SetViewport(0, 0, 8, 8);
  SetWorldWindow(0, 0, 16, 16); // half a pixel per world unit
  const PixelPoint p = WorldToScreen(5, 7);
  EXPECT_EQ(p.X, 2);
  EXPECT_EQ(p.Y, 4);
  SetWorldWindow(0, 0, -16, -16); // mirrored: negative scales
  const PixelPoint m = WorldToScreen(5, 3);
  EXPECT_EQ(m.X, -2);
  EXPECT_EQ(m.Y, -2);
  EXPECT_EQ(RoundToPixel(2.5), 2);
  EXPECT_EQ(RoundToPixel(3.5), 4);
  EXPECT_EQ(RoundToPixel(-2.5), -2);
  EXPECT_EQ(RoundToPixel(2.5000001), 3);
}

TEST(Mapping, PixelsFarOutsideAreHeldWithoutOverflow) {
  StartFresh(400, 300);
  const PixelPoint distant = WorldToScreen(1e300, -1e300);
  EXPECT_EQ(distant.X, 1 << 30);
  EXPECT_EQ(distant.Y, -(1 << 30));
  EXPECT_EQ(RoundToPixel(std::nan("")), 0);
  // Shapes that far out are handed on harmlessly and draw nothing visible.
  const Picture before = TakePicture();
  DrawDot(1e300, -1e300, 0.03, 0.05, White);
  DrawLine(-1e300, 1e300, -1e300, -1e300);
  EXPECT_EQ(DiffersFromShown(before), 0);

  SetViewport(0, 0, 400, 300);
  SetWorldWindow(1, 0, 1, 1); // zero width: an infinite scale
  EXPECT_EQ(WorldToScreen(2, 0).X, 1 << 30);
  EXPECT_EQ(WorldToScreen(1, 0).X, 0); // 0 x infinity
}

TEST(Shapes, SafeSinAndCosGiveZeroFrom2To63) {
  EXPECT_EQ(static_cast<double>(SafeSin(0.0)), 0.0);
  EXPECT_EQ(static_cast<double>(SafeCos(0.0)), 1.0);
  EXPECT_EQ(static_cast<double>(SafeSin(1e19)), 0.0);
  EXPECT_EQ(static_cast<double>(SafeCos(-1e19)), 0.0);
  EXPECT_EQ(static_cast<double>(SafeSin(9223372036854775808.0)), 0.0);
  EXPECT_EQ(static_cast<double>(SafeCos(9223372036854775808.0)), 0.0);
  // Below the limit it is the run-time library's sine (kept out of reach of
  // constant folding, which may be exact where the library is not: MinGW's
  // sine of 4e18 is off in the third digit).
  volatile double large = 4e18;
  EXPECT_EQ(static_cast<double>(SafeSin(large)), Real48::Cut(std::sin(Real48::Cut(large))));
  // The result is stored like every real: 48 bits.
  const double s = SafeSin(5 * DegreeFactor);
  EXPECT_EQ(Bits(s) & 0xFFFF, 0u);
  EXPECT_NEAR(s, std::sin(5 * DegreeFactor), 1e-10);
}

TEST(Labels, TheNineCodesPlaceA300By16Box) {
  // The nine codes; then codes whose case does not matter and of which only
  // the first two characters count; then unknown letters, which leave the
  // axis as L or B would.
  struct Case {
    const char *code;
    int x, y;
  } cases[] = {{"LB", 500, 563},   {"LC", 500, 555}, {"LT", 500, 547}, {"CB", 350, 563},
               {"CC", 350, 555},   {"CT", 350, 547}, {"RB", 200, 563}, {"RC", 200, 555},
               {"RT", 200, 547},   {"rc", 200, 555}, {"Rc", 200, 555}, {"cCx", 350, 555},
               {"XY", 500, 563},   {"C", 350, 563},  {"", 500, 563},   {nullptr, 500, 563},
               {"\xe3t", 500, 547}};
  for (const Case &c : cases) {
    const PixelPoint p = PlaceLabel(500, 563, 300, 16, c.code);
    EXPECT_EQ(p.X, c.x) << (c.code ? c.code : "null");
    EXPECT_EQ(p.Y, c.y) << (c.code ? c.code : "null");
  }
  EXPECT_EQ(PlaceLabel(500, 563, 301, 17, "CC").X, 350); // half width rounded down
  EXPECT_EQ(PlaceLabel(500, 563, 301, 17, "CC").Y, 555);
}

TEST(Labels, WorkedExampleReachesTheWindowAt350By28) {
  StartFresh(1002, 583);
  ASSERT_EQ(GraphicsState.MaxY, 583);
  const PixelPoint corner = PlaceLabel(500, 563, 300, 16, "CC");
  EXPECT_EQ(WindowX(corner.X), 350);
  EXPECT_EQ(WindowY(corner.Y), 28); // bottom of the box: rows 12 to 27
}

} // namespace
