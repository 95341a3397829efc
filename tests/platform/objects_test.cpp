// GDI objects and device contexts on the portable layer: defaults of a new
// context, handle checking, deleting selected objects, GetObjectA, the object
// count, and contexts of windows that are resized or destroyed.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/host.h"
#include "raster_canvas.h"
#include "tests/platform/window_fixture.h"

using rastertest::Canvas;

namespace {

DWORD Count() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

// What GetObjectA reads back of a pen (LOGPEN) or a brush (LOGBRUSH).
template <typename Logical> Logical Read(HGDIOBJ object) {
  Logical logical{};
  EXPECT_EQ(GetObjectA(object, sizeof logical, &logical), int(sizeof logical));
  return logical;
}

HWND MakeWindow(int width, int height) {
  return OpenTestWindow("gdi objects", DefWindowProcA, 0, 0, width, height);
}

void ExpectDefaults(HDC dc) {
  const LOGPEN pen = Read<LOGPEN>(GetCurrentObject(dc, OBJ_PEN));
  EXPECT_EQ(pen.lopnStyle, UINT(PS_SOLID));
  EXPECT_LE(pen.lopnWidth.x, 1);
  EXPECT_EQ(pen.lopnColor, RGB(0, 0, 0));
  const LOGBRUSH brush = Read<LOGBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  EXPECT_EQ(brush.lbStyle, UINT(BS_SOLID));
  EXPECT_EQ(brush.lbColor, RGB(255, 255, 255));
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetTextAlign(dc), UINT(TA_TOP | TA_LEFT));
  POINT p{-1, -1};
  EXPECT_TRUE(GetCurrentPositionEx(dc, &p));
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
}

TEST(GdiObjects, NewContextsStartWithTheDefaults) {
  Canvas c(8, 8);
  ExpectDefaults(c.dc);
  HWND hwnd = MakeWindow(200, 100);
  ASSERT_NE(hwnd, nullptr);
  HDC dc = GetDC(hwnd);
  ASSERT_NE(dc, nullptr);
  ExpectDefaults(dc);
  ReleaseDC(hwnd, dc);
  DestroyWindow(hwnd);
}

TEST(GdiObjects, StateSettersReturnThePreviousValueAndRefuseBadOnes) {
  Canvas c(8, 8);
  EXPECT_EQ(SetROP2(c.dc, R2_XORPEN), R2_COPYPEN);
  EXPECT_EQ(SetROP2(c.dc, 0), 0);
  EXPECT_EQ(SetROP2(c.dc, R2_WHITE + 1), 0);
  EXPECT_EQ(GetROP2(c.dc), R2_XORPEN);
  EXPECT_EQ(SetTextColor(c.dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(GetTextColor(c.dc), RGB(1, 2, 3));
  EXPECT_EQ(SetBkColor(c.dc, RGB(4, 5, 6)), RGB(255, 255, 255));
  EXPECT_EQ(GetBkColor(c.dc), RGB(4, 5, 6));
  EXPECT_EQ(SetBkMode(c.dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(c.dc, 7), 0);
  EXPECT_EQ(GetBkMode(c.dc), TRANSPARENT);
  EXPECT_EQ(SetTextAlign(c.dc, TA_LEFT | TA_BOTTOM), UINT(TA_TOP | TA_LEFT));
  EXPECT_EQ(GetTextAlign(c.dc), UINT(TA_LEFT | TA_BOTTOM));
  POINT previous;
  EXPECT_TRUE(MoveToEx(c.dc, -7, 9, nullptr));
  EXPECT_TRUE(MoveToEx(c.dc, 3, 4, &previous));
  EXPECT_EQ(previous.x, -7);
  EXPECT_EQ(previous.y, 9);
}

// Every call refuses a context that is null, made up, released or of the
// wrong kind, with the Win32 failure value, and draws nothing.
TEST(GdiObjects, BadContextsAreRefused) {
  Canvas c(8, 8);
  HDC released = vqp::CreateSurfaceDC(&c.surface);
  ASSERT_EQ(ReleaseDC(nullptr, released), 1);
  EXPECT_EQ(ReleaseDC(nullptr, released), 0);
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  const RECT r{0, 0, 8, 8};
  for (HDC bad : {HDC(nullptr), released, reinterpret_cast<HDC>(uintptr_t(0x12345678)),
                  reinterpret_cast<HDC>(HGDI_ERROR), reinterpret_cast<HDC>(pen)}) {
    EXPECT_EQ(SelectObject(bad, pen), nullptr);
    EXPECT_EQ(GetCurrentObject(bad, OBJ_PEN), nullptr);
    EXPECT_EQ(SetROP2(bad, R2_XORPEN), 0);
    EXPECT_EQ(GetROP2(bad), 0);
    EXPECT_EQ(SetTextColor(bad, 0), CLR_INVALID);
    EXPECT_EQ(GetBkColor(bad), CLR_INVALID);
    EXPECT_EQ(SetTextAlign(bad, 0), UINT(GDI_ERROR));
    EXPECT_EQ(SetBkMode(bad, OPAQUE), 0);
    EXPECT_FALSE(Ellipse(bad, 0, 0, 8, 8));
    EXPECT_FALSE(Rectangle(bad, 0, 0, 8, 8));
    EXPECT_FALSE(MoveToEx(bad, 0, 0, nullptr));
    EXPECT_FALSE(LineTo(bad, 5, 5));
    EXPECT_EQ(FillRect(bad, &r, static_cast<HBRUSH>(GetCurrentObject(c.dc, OBJ_BRUSH))), 0);
    EXPECT_EQ(GetPixel(bad, 0, 0), CLR_INVALID);
    EXPECT_FALSE(TextOutA(bad, 0, 0, "x", 1));
    SIZE size;
    EXPECT_FALSE(GetTextExtentPoint32A(bad, "x", 1, &size));
  }
  EXPECT_EQ(c.Count(0), 64);
  DeleteObject(pen);
}

// Documented Win32 behaviour: an object selected into a context is not
// deleted (FALSE); once deselected it can be. A deleted handle is dead for
// every call.
TEST(GdiObjects, SelectedObjectsAreNotDeletedAndDeletedOnesAreRefused) {
  Canvas c(8, 8);
  const DWORD start = Count();
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(9, 8, 7));
  HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
  HGDIOBJ oldPen = SelectObject(c.dc, pen);
  HGDIOBJ oldBrush = SelectObject(c.dc, brush);
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_EQ(Count(), start + 2);
  EXPECT_EQ(Read<LOGPEN>(GetCurrentObject(c.dc, OBJ_PEN)).lopnWidth.x, 3);
  EXPECT_EQ(SelectObject(c.dc, oldPen), pen);
  EXPECT_EQ(SelectObject(c.dc, oldBrush), brush);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(Count(), start);

  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(SelectObject(c.dc, pen), nullptr);
  EXPECT_EQ(SelectObject(c.dc, brush), nullptr);
  LOGPEN lp;
  EXPECT_EQ(GetObjectA(pen, sizeof lp, &lp), 0);
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), oldPen) << "a refused select changes nothing";
  for (HGDIOBJ junk : {HGDIOBJ(nullptr), HGDIOBJ(HGDI_ERROR), reinterpret_cast<HGDIOBJ>(c.dc),
                       reinterpret_cast<HGDIOBJ>(uintptr_t(0xDEADBEEF))}) {
    EXPECT_EQ(SelectObject(c.dc, junk), nullptr);
    EXPECT_FALSE(DeleteObject(junk));
    EXPECT_EQ(GetObjectA(junk, sizeof lp, &lp), 0);
  }
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), oldPen);
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_BRUSH), oldBrush);
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_DC), nullptr);
}

// The program makes and deletes a pen for every shape it draws; a handle it
// kept by mistake must never name one of the later pens.
TEST(GdiObjects, ADeletedHandleStaysInvalidThroughAMillionNewObjects) {
  Canvas c(8, 8);
  HPEN kept = CreatePen(PS_SOLID, 1, RGB(1, 2, 3)); // lives throughout, as a selected pen does
  HGDIOBJ old = SelectObject(c.dc, kept);
  HPEN stale = CreatePen(PS_SOLID, 5, RGB(4, 5, 6));
  ASSERT_TRUE(DeleteObject(stale));
  LOGPEN lp;
  for (int i = 0; i < 1000000; ++i) {
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, i & 0xFF));
    ASSERT_NE(pen, nullptr);
    ASSERT_NE(pen, stale) << "the deleted handle came back after " << i << " new pens";
    if (i % 3 == 0) {
      HBRUSH brush = CreateSolidBrush(RGB(i & 0xFF, 0, 0));
      ASSERT_NE(static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(stale));
      DeleteObject(brush);
    }
    ASSERT_TRUE(DeleteObject(pen));
  }
  EXPECT_EQ(GetObjectA(stale, sizeof lp, &lp), 0);
  EXPECT_FALSE(DeleteObject(stale));
  EXPECT_EQ(SelectObject(c.dc, stale), nullptr);
  EXPECT_EQ(SelectObject(c.dc, old), kept);
  EXPECT_TRUE(DeleteObject(kept));
}

TEST(GdiObjects, GetObjectChecksTheBufferSize) {
  HPEN pen = CreatePen(PS_SOLID, -4, 0x00ABCDEF); // a negative width counts as its size
  HBRUSH brush = CreateSolidBrush(0x00123456);
  EXPECT_EQ(GetObjectA(pen, 0, nullptr), int(sizeof(LOGPEN)));
  EXPECT_EQ(GetObjectA(brush, 0, nullptr), int(sizeof(LOGBRUSH)));
  LOGPEN lp{};
  EXPECT_EQ(GetObjectA(pen, sizeof lp - 1, &lp), 0);
  EXPECT_EQ(lp.lopnColor, 0u) << "nothing written on failure";
  EXPECT_EQ(GetObjectA(pen, -1, &lp), 0);
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectA(brush, sizeof lb - 1, &lb), 0);
  EXPECT_EQ(lb.lbColor, 0u);
  struct {
    LOGPEN pen;
    char spare[16];
  } big{};
  EXPECT_EQ(GetObjectA(pen, sizeof big, &big), int(sizeof(LOGPEN)));
  EXPECT_EQ(big.pen.lopnWidth.x, 4);
  EXPECT_EQ(big.pen.lopnColor, 0x00ABCDEFu);
  EXPECT_EQ(Read<LOGBRUSH>(brush).lbColor, 0x00123456u);
  EXPECT_EQ(CreatePen(PS_NULL + 1, 1, 0), nullptr) << "a style the layer cannot draw";
  DeleteObject(pen);
  DeleteObject(brush);
}

// The program's start-up makes 16 pens and 16 brushes and takes one window
// DC: the count goes up by exactly 32. Any sequence of creating, selecting
// and deleting, valid or not, comes back to where it started.
TEST(GdiObjects, CountReturnsToItsStartAfterAnySequence) {
  HWND hwnd = MakeWindow(300, 200);
  const DWORD start = Count();
  HDC dc = GetDC(hwnd);
  std::vector<HPEN> pens;
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 16; ++i)
    pens.push_back(CreatePen(PS_SOLID, 2, RGB(i, 0, 0)));
  for (int i = 0; i < 16; ++i)
    brushes.push_back(CreateSolidBrush(RGB(0, i, 0)));
  SelectObject(dc, pens[15]);
  SelectObject(dc, brushes[0]);
  EXPECT_EQ(Count(), start + 32);

  std::mt19937 rng(5);
  std::vector<HGDIOBJ> live, dead;
  for (int step = 0; step < 2000; ++step) {
    switch (rng() % 5) {
    case 0:
      live.push_back(CreatePen(PS_SOLID, int(rng() % 20), rng()));
      break;
    case 1:
      live.push_back(CreateSolidBrush(rng()));
      break;
    case 2:
      if (!live.empty())
        SelectObject(dc, live[rng() % live.size()]);
      break;
    case 3:
      if (!live.empty()) {
        const size_t i = rng() % live.size();
        if (DeleteObject(live[i])) {
          dead.push_back(live[i]);
          live.erase(live.begin() + long(i));
        }
      }
      break;
    default:
      if (!dead.empty()) {
        EXPECT_EQ(SelectObject(dc, dead[rng() % dead.size()]), nullptr);
        EXPECT_FALSE(DeleteObject(dead[rng() % dead.size()]));
      }
    }
    ASSERT_EQ(Count(), start + 32 + live.size());
  }
  SelectObject(dc, pens[15]);
  SelectObject(dc, brushes[0]);
  for (HGDIOBJ o : live)
    EXPECT_TRUE(DeleteObject(o));
  EXPECT_EQ(Count(), start + 32);
  ReleaseDC(hwnd, dc);
  DestroyWindow(hwnd);
  for (HPEN p : pens)
    EXPECT_TRUE(DeleteObject(p));
  for (HBRUSH b : brushes)
    EXPECT_TRUE(DeleteObject(b));
  EXPECT_EQ(Count(), start);
  EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), 0u);
}

// Like Windows, a process gets at most 10,000 GDI objects; beyond that
// creation fails cleanly and nothing is counted.
TEST(GdiObjects, CreationFailsCleanlyAtTheQuota) {
  const DWORD start = Count();
  std::vector<HGDIOBJ> made;
  for (int i = 0; i < 10001; ++i) {
    HGDIOBJ o = CreateSolidBrush(RGB(0, 0, 0));
    if (o == nullptr)
      break;
    made.push_back(o);
  }
  EXPECT_LT(made.size(), 10001u);
  EXPECT_EQ(CreatePen(PS_SOLID, 1, 0), nullptr);
  EXPECT_EQ(Count(), start + made.size());
  for (HGDIOBJ o : made)
    DeleteObject(o);
  EXPECT_EQ(Count(), start);
}

TEST(GdiWindowDC, DrawsOnTheWindowAndFollowsItsSize) {
  EXPECT_EQ(GetDC(nullptr), nullptr);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(uintptr_t(0x4242))), nullptr);
  HWND hwnd = MakeWindow(300, 200);
  HDC dc = GetDC(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(SetPixel(dc, 5, 6, RGB(10, 20, 30)), RGB(10, 20, 30));
  int w = 0, h = 0;
  const uint32_t *pixels = vqp::HeadlessPixels(hwnd, &w, &h);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels[6 * w + 5], RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(dc, client.right, 0), CLR_INVALID);

  vqp::HeadlessResizeClient(hwnd, client.right + 50, client.bottom + 40);
  vqp::HeadlessPumpMessages();
  EXPECT_EQ(SetPixel(dc, client.right + 10, client.bottom + 10, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(dc, client.right + 10, client.bottom + 10), RGB(1, 2, 3));

  EXPECT_EQ(ReleaseDC(nullptr, dc), 0) << "not the window it came from";
  EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  DestroyWindow(hwnd);
}

// A context outlives its window only as a dead handle; what it had selected
// is free to be deleted.
TEST(GdiWindowDC, DestroyingTheWindowInvalidatesItsContexts) {
  HWND hwnd = MakeWindow(300, 200);
  HDC dc = GetDC(hwnd), second = GetDC(hwnd);
  EXPECT_NE(dc, second);
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
  SelectObject(dc, pen);
  EXPECT_FALSE(DeleteObject(pen));
  DestroyWindow(hwnd);
  EXPECT_FALSE(Ellipse(dc, 0, 0, 10, 10));
  EXPECT_EQ(SelectObject(second, pen), nullptr);
  EXPECT_EQ(GetROP2(dc), 0);
  EXPECT_EQ(ReleaseDC(hwnd, dc), 0);
  EXPECT_TRUE(DeleteObject(pen));
}

} // namespace
