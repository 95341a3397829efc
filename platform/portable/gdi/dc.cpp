// GDI objects and device contexts: the handle table, the state a device context
// keeps, and the gdi32 (and GDI-like user32) entry points that work on them.
//
// Handles are checked on every call: a handle carries its slot, its kind and
// the slot's generation, so a deleted, released or made-up handle is refused
// with the Win32 failure value instead of touching anything. A freed slot is
// used again only after thousands of others (first in, first out), and its
// generation has 15 bits, so a stale handle would need over a hundred million
// creations to match a live object again.
//
// Counting: GdiObjectCount() (and GetGuiResources(GR_GDIOBJECTS)) counts the
// live pens, brushes and fonts the program created. Device contexts are not
// counted: a common DC from GetDC is borrowed from the system on Windows and does not
// show up in that figure in any dependable way, and the default pen, brush
// and font of a new context are stock objects, not counted either.
//
// Single-threaded, like the message loop that calls it.
#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "../layer.h"
#include "gdi.h"

namespace vqp {
namespace {

enum Kind : uint32_t { kNone = 0, kPen = 1, kBrush = 2, kDc = 3, kFont = 4 };
constexpr uint32_t kKindBits = 3;

// Windows refuses new GDI objects beyond a per-process quota (10,000 by
// default); a leaking program fails the same way here.
constexpr size_t kMaxObjects = 10000;
// A handle is 32 bits: generation (15), slot (14), kind (3).
constexpr uint32_t kIndexBits = 14, kGenBits = 15;
// Freed slots wait in line until this many are waiting, then the oldest is used.
constexpr size_t kReuseAfter = 4096;
static_assert(kMaxObjects + 3 + kReuseAfter < (size_t(1) << kIndexBits),
              "every slot the table can grow to has an index");
static_assert(kGenBits + kIndexBits + kKindBits == 32, "a handle is 32 bits");

struct PenData {
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
};

struct DcData {
  HWND hwnd = nullptr;                   // window of a GetDC context
  Surface *surface = nullptr;            // surface of a CreateSurfaceDC context
  uint32_t pen = 0, brush = 0, font = 0; // selected objects (slot indices)
  int rop2 = R2_COPYPEN;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  UINT textAlign = TA_TOP | TA_LEFT;
  POINT position{0, 0};
  // The clip region: none, or a rectangle in device pixels (perhaps empty).
  bool clipped = false;
  PixelRect clip;
};

struct Slot {
  Kind kind = kNone;
  uint32_t generation = 0;
  bool stock = false;
  int selections = 0; // device contexts that have this object selected
  PenData pen;
  COLORREF brushColor = 0;
  LOGFONTA font{};
  DcData dc;
};

bool Counted(Kind kind) { return kind == kPen || kind == kBrush || kind == kFont; }

struct Table {
  std::vector<Slot> slots;
  std::deque<uint32_t> freeSlots; // oldest first
  size_t live = 0;                // all objects in the table but the stock ones
  DWORD counted = 0;              // what GdiObjectCount reports
  uint32_t stockPen = 0, stockBrush = 0, stockFont = 0;

  Table() {
    stockPen = NewSlot(kPen); // like BLACK_PEN: solid, width 0 (one pixel), black
    slots[stockPen].stock = true;
    slots[stockPen].pen.width = 0;
    stockBrush = NewSlot(kBrush);
    slots[stockBrush].stock = true;
    slots[stockBrush].brushColor = RGB(255, 255, 255);
    stockFont = NewSlot(kFont); // like SYSTEM_FONT: the layer's font, 16 pixels a line
    slots[stockFont].stock = true;
    slots[stockFont].font.lfHeight = 16;
    slots[stockFont].font.lfWeight = FW_BOLD;
    live = 0;
    counted = 0;
  }

  uint32_t NewSlot(Kind kind) {
    uint32_t index;
    if (freeSlots.size() >= kReuseAfter) {
      index = freeSlots.front();
      freeSlots.pop_front();
    } else {
      index = uint32_t(slots.size());
      slots.emplace_back();
    }
    Slot &s = slots[index];
    const uint32_t generation = s.generation;
    s = Slot{};
    s.kind = kind;
    s.generation = generation;
    ++live;
    if (Counted(kind))
      ++counted;
    return index;
  }

  void Free(uint32_t index) {
    Slot &s = slots[index];
    if (Counted(s.kind))
      --counted;
    s.kind = kNone;
    s.generation = (s.generation + 1) & ((1u << kGenBits) - 1);
    --live;
    freeSlots.push_back(index);
  }

  void *HandleOf(uint32_t index) const {
    const uintptr_t v = (uintptr_t(slots[index].generation) << (kIndexBits + kKindBits)) |
                        (uintptr_t(index) << kKindBits) | uintptr_t(slots[index].kind);
    return reinterpret_cast<void *>(v);
  }

  // The slot of a live object of this handle, or nullptr.
  Slot *Lookup(const void *handle, uint32_t *indexOut = nullptr) {
    const uintptr_t v = reinterpret_cast<uintptr_t>(handle);
    if (v == 0 || (uint64_t(v) >> 32) != 0)
      return nullptr;
    const uint32_t index = uint32_t(v >> kKindBits) & ((1u << kIndexBits) - 1);
    if (index >= slots.size())
      return nullptr;
    Slot &s = slots[index];
    if (s.kind == kNone || HandleOf(index) != handle)
      return nullptr;
    if (indexOut)
      *indexOut = index;
    return &s;
  }
};

Table &Objects() {
  static Table table;
  return table;
}

// A new pen, brush, font or device context, made by `fill` from a blank
// slot; nullptr (with ERROR_NOT_ENOUGH_MEMORY) beyond the quota.
template <class Handle, class Fill> Handle NewObject(Kind kind, Fill fill) {
  Table &t = Objects();
  if (t.live >= kMaxObjects)
    return Fail<Handle>(ERROR_NOT_ENOUGH_MEMORY, nullptr);
  const uint32_t index = t.NewSlot(kind);
  fill(t.slots[index]);
  return static_cast<Handle>(t.HandleOf(index));
}

// A usable device context and the surface it draws on, or nullptr (with
// ERROR_INVALID_HANDLE) when the handle is bad or its window is gone.
DcData *Dc(HDC hdc, Surface **surface = nullptr) {
  Slot *s = Objects().Lookup(hdc);
  if (s == nullptr || s->kind != kDc)
    return Fail<DcData *>(ERROR_INVALID_HANDLE, nullptr);
  Surface *target = s->dc.hwnd ? WindowSurface(s->dc.hwnd) : s->dc.surface;
  if (target == nullptr)
    return Fail<DcData *>(ERROR_INVALID_HANDLE, nullptr);
  if (surface)
    *surface = target;
  return &s->dc;
}

HDC NewDc(HWND hwnd, Surface *surface) {
  return NewObject<HDC>(kDc, [&](Slot &s) {
    Table &t = Objects();
    s.dc.hwnd = hwnd;
    s.dc.surface = surface;
    s.dc.pen = t.stockPen;
    s.dc.brush = t.stockBrush;
    s.dc.font = t.stockFont;
    t.slots[t.stockPen].selections++;
    t.slots[t.stockBrush].selections++;
    t.slots[t.stockFont].selections++;
  });
}

void FreeDc(uint32_t index) {
  Table &t = Objects();
  DcData &dc = t.slots[index].dc;
  t.slots[dc.pen].selections--;
  t.slots[dc.brush].selections--;
  t.slots[dc.font].selections--;
  t.Free(index);
}

const PenData &SelectedPen(const DcData &dc) { return Objects().slots[dc.pen].pen; }
COLORREF SelectedBrushColor(const DcData &dc) { return Objects().slots[dc.brush].brushColor; }
// The face and height the text module draws a font in.
gdi::FontKey KeyOf(const LOGFONTA &font) {
  return {gdi::FaceOf(font.lfFaceName), int(font.lfHeight)};
}
gdi::FontKey SelectedFont(const DcData &dc) { return KeyOf(Objects().slots[dc.font].font); }

// The characters of the -A calls' bytes, in the ANSI code page (Windows-1252).
std::u32string FromAnsi(const char *text, int length) {
  std::vector<WCHAR> wide(size_t(std::max(length, 1)));
  const int n =
      length > 0 ? vqw::MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), length) : 0;
  return gdi::FromWide(wide.data(), n);
}

// What drawing through the context is clipped to, besides the surface.
PixelRect ClipOf(const DcData &dc) { return dc.clipped ? dc.clip : gdi::kWholeSurface; }

gdi::Paint PaintOf(const DcData &dc) {
  const PenData &pen = SelectedPen(dc);
  gdi::Paint p;
  p.penWidth = pen.width;
  p.penOn = pen.style != PS_NULL;
  p.pen = gdi::MixFor(dc.rop2, pen.color);
  p.brushOn = true;
  p.brush = gdi::MixFor(dc.rop2, SelectedBrushColor(dc));
  return p;
}

} // namespace

// Sets one attribute of a device context and gives its previous value, or
// `failure` for a bad handle: the shape of every Set... call of the DC's state.
template <typename T> T ExchangeAttribute(HDC hdc, T DcData::*field, T value, T failure) {
  DcData *dc = Dc(hdc);
  if (dc == nullptr)
    return failure;
  const T previous = dc->*field;
  dc->*field = value;
  return previous;
}

template <typename T> T ReadAttribute(HDC hdc, T DcData::*field, T failure) {
  const DcData *dc = Dc(hdc);
  return dc ? dc->*field : failure;
}

HDC CreateSurfaceDC(Surface *surface) {
  if (surface == nullptr)
    return Fail<HDC>(ERROR_INVALID_PARAMETER, nullptr);
  return NewDc(nullptr, surface);
}

DWORD GdiObjectCount() { return Objects().counted; }

void ForgetWindowDCs(HWND hwnd) {
  if (hwnd == nullptr)
    return;
  Table &t = Objects();
  for (uint32_t i = 0; i < t.slots.size(); ++i)
    if (t.slots[i].kind == kDc && t.slots[i].dc.hwnd == hwnd)
      FreeDc(i);
}

} // namespace vqp

namespace vqw {

using vqp::DcData;
using vqp::Fail;
using vqp::Objects;

// ---- user32 and kernel32 ---------------------------------------------------

HDC GetDC(HWND hwnd) {
  // There is no screen DC (GetDC(NULL) on Windows): only windows have pixels.
  if (hwnd == nullptr || vqp::WindowSurface(hwnd) == nullptr)
    return Fail<HDC>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
  return vqp::NewDc(hwnd, nullptr);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
  uint32_t index;
  vqp::Slot *s = Objects().Lookup(hdc, &index);
  if (s == nullptr || s->kind != vqp::kDc || s->dc.hwnd != hwnd)
    return 0;
  vqp::FreeDc(index);
  return 1;
}

int FillRect(HDC hdc, const RECT *rect, HBRUSH brush) {
  vqp::Surface *surface;
  const DcData *dc = vqp::Dc(hdc, &surface);
  if (dc == nullptr)
    return 0;
  vqp::Slot *b = Objects().Lookup(brush);
  if (rect == nullptr || b == nullptr || b->kind != vqp::kBrush)
    return Fail(ERROR_INVALID_PARAMETER, 0);
  // Not subject to the mix mode; right and bottom edges excluded.
  vqp::gdi::FillBox(*surface, rect->left, rect->top, rect->right, rect->bottom, b->brushColor,
                    vqp::ClipOf(*dc));
  return 1;
}

HANDLE GetCurrentProcess(void) { return reinterpret_cast<HANDLE>(intptr_t(-1)); }

DWORD GetGuiResources(HANDLE process, DWORD flags) {
  if (process != GetCurrentProcess())
    return Fail<DWORD>(ERROR_INVALID_HANDLE, 0);
  if (flags == GR_GDIOBJECTS)
    return vqp::GdiObjectCount();
  if (flags == GR_USEROBJECTS)
    return 0; // not tracked by this layer
  return Fail<DWORD>(ERROR_INVALID_PARAMETER, 0);
}

// ---- objects -----------------------------------------------------------------

HPEN CreatePen(int style, int width, COLORREF color) {
  // Only the styles the layer draws; others would silently draw wrong.
  if (style != PS_SOLID && style != PS_NULL)
    return Fail<HPEN>(ERROR_INVALID_PARAMETER, nullptr);
  // As in GDI, a negative width counts as its magnitude (0 and 1 both give one
  // pixel); INT_MIN has none and becomes one pixel.
  return vqp::NewObject<HPEN>(vqp::kPen, [&](vqp::Slot &s) {
    s.pen = {style, width == INT32_MIN ? 1 : (width < 0 ? -width : width), color};
  });
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return vqp::NewObject<HBRUSH>(vqp::kBrush, [&](vqp::Slot &s) { s.brushColor = color; });
}

HFONT CreateFontA(int height, int, int, int, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
  return vqp::NewObject<HFONT>(vqp::kFont, [&](vqp::Slot &s) {
    // The heights a text can have on a screen; 0 asks for the default.
    LOGFONTA &f = s.font;
    f.lfHeight =
        height == 0 ? 16 : std::clamp(height, -vqp::gdi::kMaxFontHeight, vqp::gdi::kMaxFontHeight);
    f.lfWeight = weight;
    f.lfItalic = BYTE(italic != 0);
    f.lfUnderline = BYTE(underline != 0);
    f.lfStrikeOut = BYTE(strikeOut != 0);
    f.lfCharSet = BYTE(charSet);
    f.lfOutPrecision = BYTE(outPrecision);
    f.lfClipPrecision = BYTE(clipPrecision);
    f.lfQuality = BYTE(quality);
    f.lfPitchAndFamily = BYTE(pitchAndFamily);
    if (faceName)
      std::strncpy(f.lfFaceName, faceName, LF_FACESIZE - 1);
  });
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  DcData *dc = vqp::Dc(hdc);
  if (dc == nullptr)
    return nullptr;
  vqp::Table &t = Objects();
  uint32_t index;
  vqp::Slot *s = t.Lookup(object, &index);
  if (s == nullptr || (s->kind != vqp::kPen && s->kind != vqp::kBrush && s->kind != vqp::kFont))
    return Fail<HGDIOBJ>(ERROR_INVALID_HANDLE, nullptr);
  uint32_t &slot = s->kind == vqp::kPen ? dc->pen : s->kind == vqp::kBrush ? dc->brush : dc->font;
  const uint32_t previous = slot;
  t.slots[previous].selections--;
  s->selections++;
  slot = index;
  return t.HandleOf(previous);
}

BOOL DeleteObject(HGDIOBJ object) {
  vqp::Table &t = Objects();
  uint32_t index;
  vqp::Slot *s = t.Lookup(object, &index);
  if (s == nullptr || !vqp::Counted(s->kind))
    return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (s->stock)
    return TRUE; // deleting a stock object is allowed and does nothing
  // Documented Win32 behaviour: an object selected into a DC is not deleted.
  if (s->selections > 0)
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  const bool font = s->kind == vqp::kFont;
  const vqp::gdi::FontKey key = vqp::KeyOf(s->font);
  t.Free(index);
  // The glyphs of a face and height no font has any more go with the last one.
  if (font && std::none_of(t.slots.begin(), t.slots.end(), [&](const vqp::Slot &other) {
        if (other.kind != vqp::kFont)
          return false;
        const vqp::gdi::FontKey k = vqp::KeyOf(other.font);
        return k.face == key.face && k.height == key.height;
      }))
    vqp::gdi::ForgetFont(key);
  return TRUE;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  DcData *dc = vqp::Dc(hdc);
  if (dc == nullptr)
    return nullptr;
  if (type != OBJ_PEN && type != OBJ_BRUSH && type != OBJ_FONT)
    return Fail<HGDIOBJ>(ERROR_INVALID_PARAMETER, nullptr);
  return Objects().HandleOf(type == OBJ_PEN ? dc->pen : type == OBJ_BRUSH ? dc->brush : dc->font);
}

int GetObjectA(HANDLE object, int size, LPVOID out) {
  vqp::Slot *s = Objects().Lookup(object);
  if (s == nullptr || !vqp::Counted(s->kind))
    return Fail(ERROR_INVALID_HANDLE, 0);
  // The object's description: its size alone when out is null.
  auto give = [&](const auto &description) {
    const int bytes = int(sizeof description);
    if (out == nullptr)
      return bytes;
    if (size < bytes)
      return Fail(ERROR_INVALID_PARAMETER, 0);
    std::memcpy(out, &description, sizeof description);
    return bytes;
  };
  if (s->kind == vqp::kFont)
    return give(s->font);
  if (s->kind == vqp::kPen)
    return give(LOGPEN{UINT(s->pen.style), POINT{s->pen.width, 0}, s->pen.color});
  return give(LOGBRUSH{BS_SOLID, s->brushColor, 0});
}

// ---- device-context state ---------------------------------------------------

int SetROP2(HDC hdc, int rop2) {
  if (vqp::Dc(hdc) != nullptr && (rop2 < R2_BLACK || rop2 > R2_WHITE))
    return Fail(ERROR_INVALID_PARAMETER, 0);
  return vqp::ExchangeAttribute(hdc, &DcData::rop2, rop2, 0);
}

int GetROP2(HDC hdc) { return vqp::ReadAttribute(hdc, &DcData::rop2, 0); }

UINT SetTextAlign(HDC hdc, UINT align) {
  return vqp::ExchangeAttribute(hdc, &DcData::textAlign, align, UINT(GDI_ERROR));
}

UINT GetTextAlign(HDC hdc) { return vqp::ReadAttribute(hdc, &DcData::textAlign, UINT(GDI_ERROR)); }

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  return vqp::ExchangeAttribute(hdc, &DcData::textColor, color, COLORREF(CLR_INVALID));
}

COLORREF GetTextColor(HDC hdc) {
  return vqp::ReadAttribute(hdc, &DcData::textColor, COLORREF(CLR_INVALID));
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  return vqp::ExchangeAttribute(hdc, &DcData::bkColor, color, COLORREF(CLR_INVALID));
}

COLORREF GetBkColor(HDC hdc) {
  return vqp::ReadAttribute(hdc, &DcData::bkColor, COLORREF(CLR_INVALID));
}

int SetBkMode(HDC hdc, int mode) {
  if (vqp::Dc(hdc) != nullptr && mode != TRANSPARENT && mode != OPAQUE)
    return Fail(ERROR_INVALID_PARAMETER, 0);
  return vqp::ExchangeAttribute(hdc, &DcData::bkMode, mode, 0);
}

int GetBkMode(HDC hdc) { return vqp::ReadAttribute(hdc, &DcData::bkMode, 0); }

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
  DcData *dc = vqp::Dc(hdc);
  if (dc == nullptr)
    return FALSE;
  if (previous)
    *previous = dc->position;
  dc->position = {x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position) {
  DcData *dc = vqp::Dc(hdc);
  if (dc == nullptr || position == nullptr)
    return FALSE;
  *position = dc->position;
  return TRUE;
}

// ---- clipping ------------------------------------------------------------------

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DcData *dc = vqp::Dc(hdc);
  if (dc == nullptr)
    return ERROR;
  dc->clip = vqp::Intersect({left, top, right, bottom}, vqp::ClipOf(*dc));
  dc->clipped = true;
  return dc->clip.Empty() ? NULLREGION : SIMPLEREGION;
}

int SelectClipRgn(HDC hdc, HRGN region) {
  DcData *dc = vqp::Dc(hdc);
  if (dc == nullptr)
    return ERROR;
  // The layer has no regions: only taking the clip away is possible.
  if (region != nullptr)
    return Fail(ERROR_INVALID_HANDLE, ERROR);
  dc->clipped = false;
  return SIMPLEREGION;
}

int GetClipBox(HDC hdc, LPRECT rect) {
  vqp::Surface *surface;
  const DcData *dc = vqp::Dc(hdc, &surface);
  if (dc == nullptr)
    return ERROR;
  if (rect == nullptr)
    return Fail(ERROR_INVALID_PARAMETER, ERROR);
  const vqp::PixelRect box =
      vqp::Intersect(vqp::ClipOf(*dc), {0, 0, surface->width, surface->height});
  *rect = {box.left, box.top, box.right, box.bottom};
  return box.Empty() ? NULLREGION : SIMPLEREGION;
}

// ---- drawing -------------------------------------------------------------------

namespace {
// Ellipse and Rectangle: a box drawn with the context's pen and brush.
template <class Raster>
BOOL Shape(HDC hdc, int left, int top, int right, int bottom, Raster raster) {
  vqp::Surface *surface;
  const DcData *dc = vqp::Dc(hdc, &surface);
  if (dc == nullptr)
    return FALSE;
  raster(*surface, left, top, right, bottom, vqp::PaintOf(*dc), vqp::ClipOf(*dc));
  return TRUE;
}
} // namespace

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return Shape(hdc, left, top, right, bottom, vqp::gdi::RasterEllipse);
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  return Shape(hdc, left, top, right, bottom, vqp::gdi::RasterRectangle);
}

BOOL LineTo(HDC hdc, int x, int y) {
  vqp::Surface *surface;
  DcData *dc = vqp::Dc(hdc, &surface);
  if (dc == nullptr)
    return FALSE;
  const vqp::PenData &pen = vqp::SelectedPen(*dc);
  if (pen.style != PS_NULL)
    vqp::gdi::RasterLine(*surface, dc->position.x, dc->position.y, x, y, pen.width,
                         vqp::gdi::MixFor(dc->rop2, pen.color), vqp::ClipOf(*dc));
  dc->position = {x, y};
  return TRUE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  vqp::Surface *surface;
  if (vqp::Dc(hdc, &surface) == nullptr)
    return CLR_INVALID;
  if (x < 0 || y < 0 || x >= surface->width || y >= surface->height)
    return CLR_INVALID;
  return surface->pixels[size_t(y) * size_t(surface->width) + size_t(x)];
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  vqp::Surface *surface;
  const DcData *dc = vqp::Dc(hdc, &surface);
  if (dc == nullptr)
    return CLR_INVALID;
  const vqp::PixelRect clip = vqp::ClipOf(*dc);
  if (x < 0 || y < 0 || x >= surface->width || y >= surface->height || x < clip.left ||
      y < clip.top || x >= clip.right || y >= clip.bottom)
    return CLR_INVALID;
  // As in GDI, the pixel is mixed with the colour by the ROP2 mode; the
  // result is the colour that was used.
  const vqp::gdi::Mix mix = vqp::gdi::MixFor(dc->rop2, color);
  uint32_t &pixel = surface->pixels[size_t(y) * size_t(surface->width) + size_t(x)];
  pixel = (pixel & mix.andMask) ^ mix.xorMask;
  vqp::MarkDirty(*surface, vqp::PixelRect{x, y, x + 1, y + 1});
  return color & 0x00FFFFFFu;
}

// ---- text ------------------------------------------------------------------------

namespace {

bool BadText(const void *text, int length) {
  return length < 0 || length > vqp::gdi::kMaxTextLength || (text == nullptr && length > 0);
}

// The A and W calls differ only in how their text becomes characters.
std::u32string Characters(const char *text, int length) { return vqp::FromAnsi(text, length); }
std::u32string Characters(const WCHAR *text, int length) {
  return vqp::gdi::FromWide(text, length);
}

template <class Char> BOOL Extent(HDC hdc, const Char *chars, int length, LPSIZE size) {
  if (vqp::Dc(hdc) == nullptr)
    return FALSE;
  if (size == nullptr || BadText(chars, length))
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  const vqp::gdi::FontKey font = vqp::SelectedFont(*vqp::Dc(hdc));
  size->cx = LONG(vqp::gdi::TextWidth(font, Characters(chars, length)));
  size->cy = vqp::gdi::TextHeight(font);
  return TRUE;
}

template <class Char> BOOL Out(HDC hdc, int x, int y, const Char *chars, int length) {
  vqp::Surface *surface;
  DcData *dc = vqp::Dc(hdc, &surface);
  if (dc == nullptr)
    return FALSE;
  if (BadText(chars, length))
    return Fail(ERROR_INVALID_PARAMETER, FALSE);
  const std::u32string text = Characters(chars, length);
  const vqp::gdi::FontKey font = vqp::SelectedFont(*dc);
  const int64_t width = vqp::gdi::TextWidth(font, text);
  const UINT align = dc->textAlign;
  int64_t left = (align & TA_UPDATECP) ? dc->position.x : x;
  int64_t top = (align & TA_UPDATECP) ? dc->position.y : y;
  if ((align & TA_CENTER) == TA_CENTER)
    left -= width / 2;
  else if ((align & TA_CENTER) == TA_RIGHT)
    left -= width;
  if ((align & TA_BASELINE) == TA_BASELINE)
    top -= vqp::gdi::TextAscent(font);
  else if ((align & TA_BASELINE) == TA_BOTTOM)
    top -= vqp::gdi::TextHeight(font);
  vqp::gdi::DrawText(*surface, font, left, top, text, width, dc->textColor, dc->bkColor,
                     dc->bkMode == OPAQUE, vqp::ClipOf(*dc));
  if (align & TA_UPDATECP) {
    // The current position moves past the text in the direction of writing.
    const int64_t next = (align & TA_CENTER) == TA_RIGHT    ? int64_t(dc->position.x) - width
                         : (align & TA_CENTER) == TA_CENTER ? int64_t(dc->position.x)
                                                            : int64_t(dc->position.x) + width;
    dc->position.x = LONG(std::clamp<int64_t>(next, INT32_MIN, INT32_MAX));
  }
  return TRUE;
}

} // namespace

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size) {
  return Extent(hdc, text, length, size);
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int length, LPSIZE size) {
  return Extent(hdc, text, length, size);
}

DWORD GetGlyphIndicesW(HDC hdc, LPCWSTR text, int length, LPWORD indices, DWORD flags) {
  if (vqp::Dc(hdc) == nullptr)
    return GDI_ERROR;
  if (indices == nullptr || BadText(text, length))
    return Fail(ERROR_INVALID_PARAMETER, DWORD(GDI_ERROR));
  const vqp::gdi::FontKey font = vqp::SelectedFont(*vqp::Dc(hdc));
  // One index for each UTF-16 unit, as Windows gives.
  for (int i = 0; i < length; ++i) {
    const int glyph = vqp::gdi::GlyphIndex(font, text[i]);
    indices[i] = glyph == 0 && (flags & GGI_MARK_NONEXISTING_GLYPHS) ? 0xFFFF : WORD(glyph);
  }
  return DWORD(length);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
  return Out(hdc, x, y, text, length);
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int length) {
  return Out(hdc, x, y, text, length);
}

} // namespace vqw
