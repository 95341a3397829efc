// The software raster behind Ellipse, Rectangle, LineTo and FillRect.
//
// Every primitive works out its coverage row by row as spans of pixels, each
// span tagged with the colour source (pen or brush) that paints it. Outline and
// interior are disjoint by construction, so every pixel is changed at most once
// per primitive and drawing a primitive twice in R2_XORPEN restores the picture.
// Only rows and columns inside the surface and the clip rectangle are visited;
// geometry is worked out in 64-bit integers, so any 32-bit coordinates and pen
// widths are safe.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "gdi.h"

namespace vqp::gdi {

namespace {

using i64 = int64_t;
using u64 = uint64_t;

constexpr uint32_t kRgb = 0x00FFFFFFu;

// The part of the surface that `clip` leaves, inclusive: columns x0..x1 and
// rows y0..y1 (empty when x1 < x0 or y1 < y0).
struct Bounds {
  i64 x0, y0, x1, y1;
};
Bounds BoundsOf(const Surface &s, const PixelRect &clip) {
  return {std::max<i64>(clip.left, 0), std::max<i64>(clip.top, 0),
          std::min<i64>(clip.right, s.width) - 1, std::min<i64>(clip.bottom, s.height) - 1};
}

// Cuts columns x0..x1 and rows y0..y1 (inclusive) to b; false when nothing is left.
bool ClipTo(const Bounds &b, i64 &x0, i64 &y0, i64 &x1, i64 &y1) {
  x0 = std::max(x0, b.x0);
  x1 = std::min(x1, b.x1);
  y0 = std::max(y0, b.y0);
  y1 = std::min(y1, b.y1);
  return x0 <= x1 && y0 <= y1;
}

// What a mix does to a run of pixels, as a type, so that a primitive's loops
// choose it once rather than on every span: paint over, flip bits (XOR), the
// general and-then-xor, or nothing.
struct PaintPixels {
  uint32_t x;
  void operator()(uint32_t *p, uint32_t *end) const { FillPixels(p, end, x); }
};
struct FlipPixels {
  uint32_t x;
  void operator()(uint32_t *p, uint32_t *end) const {
    for (; p != end; ++p)
      *p ^= x;
  }
};
struct MaskPixels {
  uint32_t a, x;
  void operator()(uint32_t *p, uint32_t *end) const {
    for (; p != end; ++p)
      *p = (*p & a) ^ x;
  }
};
struct KeepPixels {
  void operator()(uint32_t *, uint32_t *) const {}
};

// Calls f with the pixel operation of m.
template <class F> void WithPixels(const Mix &m, F &&f) {
  const uint32_t a = m.andMask, x = m.xorMask;
  if (m.Nop())
    f(KeepPixels{});
  else if (a == 0)
    f(PaintPixels{x});
  else if ((a & kRgb) == kRgb)
    f(FlipPixels{x});
  else
    f(MaskPixels{a, x});
}

// Applies spans to the surface, within the clip rectangle. The area touched
// is given by each primitive once (Mark), not span by span: an outline is
// thousands of short spans.
class SpanWriter {
public:
  SpanWriter(Surface &s, const PixelRect &clip)
      : s_(s), bounds_(BoundsOf(s, clip)), pixels_(s.pixels.data()), stride_(size_t(s.width)) {}
  ~SpanWriter() {
    if (left_ <= right_)
      MarkDirty(s_, PixelRect{int(left_), int(top_), int(right_) + 1, int(bottom_) + 1});
  }
  SpanWriter(const SpanWriter &) = delete;
  SpanWriter &operator=(const SpanWriter &) = delete;

  // Pixels x0..x1 (inclusive) of row y; y must be a visible row (see
  // VisibleRows). Outlines are thousands of short spans a primitive, so this
  // is Box without its loop over rows. The caller marks what it drew.
  template <class Op> void Span(i64 y, i64 x0, i64 x1, const Op &op) {
    if constexpr (!std::is_same_v<Op, KeepPixels>)
      SpanWithin(y, std::max(x0, bounds_.x0), std::min(x1, bounds_.x1), op);
  }
  // The same for a mix, chosen here: one copy of the four loops serves all
  // callers.
  [[gnu::noinline]] void Span(i64 y, i64 x0, i64 x1, const Mix &m) {
    WithPixels(m, [&](const auto &op) { Span(y, x0, x1, op); });
  }
  // Span for columns known to lie within the clip (or x1 < x0: none).
  template <class Op> void SpanWithin(i64 y, i64 x0, i64 x1, const Op &op) {
    if constexpr (!std::is_same_v<Op, KeepPixels>) {
      if (x0 > x1)
        return;
      uint32_t *p = pixels_ + size_t(y) * stride_ + size_t(x0);
      op(p, p + (x1 - x0 + 1));
    }
  }
  // Whether columns x0..x1 all lie within the clip.
  bool ColumnsWithin(i64 x0, i64 x1) const { return x0 >= bounds_.x0 && x1 <= bounds_.x1; }

  // Columns x0..x1 of rows y0..y1 (inclusive) may have changed: the part
  // within the clip is marked for the screen.
  void Mark(i64 x0, i64 y0, i64 x1, i64 y1) {
    if (!ClipTo(bounds_, x0, y0, x1, y1))
      return;
    left_ = std::min(left_, x0);
    right_ = std::max(right_, x1);
    top_ = std::min(top_, y0);
    bottom_ = std::max(bottom_, y1);
  }

  // Pixels x0..x1 of rows y0..y1 (all inclusive), clipped.
  void Box(i64 x0, i64 y0, i64 x1, i64 y1, const Mix &m) {
    if (!ClipTo(bounds_, x0, y0, x1, y1) || m.Nop())
      return;
    const size_t count = size_t(x1 - x0 + 1);
    uint32_t *row = pixels_ + size_t(y0) * stride_ + size_t(x0);
    WithPixels(m, [&](const auto &op) {
      for (i64 y = y0; y <= y1; ++y, row += stride_)
        op(row, row + count);
    });
    Mark(x0, y0, x1, y1);
  }

  // Asks the processor for pixels x0 and x1 of row y ahead of their use (when
  // that row is visible). An outline changes a few pixels on each of many rows,
  // far apart in memory; fetched one by one, a 4K screen's rows wait on memory
  // longer than they take to draw.
  void Prefetch(i64 y, i64 x0, i64 x1) const {
    if (y < bounds_.y0 || y > bounds_.y1)
      return;
    PrefetchWithin(y, std::clamp(x0, bounds_.x0, bounds_.x1),
                   std::clamp(x1, bounds_.x0, bounds_.x1));
  }
  // Prefetch for a visible row and columns within the clip.
  void PrefetchWithin(i64 y, i64 x0, i64 x1) const {
    uint32_t *row = pixels_ + size_t(y) * stride_;
    __builtin_prefetch(row + x0, 1);
    __builtin_prefetch(row + x1, 1);
  }

  // Rows of the clip that [top, bottom] (inclusive) reaches.
  bool VisibleRows(i64 top, i64 bottom, i64 &y0, i64 &y1) const {
    y0 = std::max(top, bounds_.y0);
    y1 = std::min(bottom, bounds_.y1);
    return y0 <= y1 && bounds_.x0 <= bounds_.x1;
  }

private:
  Surface &s_;
  const Bounds bounds_;
  uint32_t *const pixels_;
  const size_t stride_;
  i64 left_ = INT64_MAX, top_ = INT64_MAX, right_ = -1, bottom_ = -1;
};

// Whether a mix paints over what was there, whatever it was.
bool Hides(const Mix &m) { return (m.andMask & kRgb) == 0; }

// Pixels x0..x1 of rows y0..y1 (inclusive) were painted over where the clip
// lets them: the texts they cover go (see surface.h).
void Hide(Surface &s, const PixelRect &clip, i64 x0, i64 y0, i64 x1, i64 y1) {
  if (!s.texts.empty() && ClipTo(BoundsOf(s, clip), x0, y0, x1, y1))
    CoverTexts(s, PixelRect{int(x0), int(y0), int(x1) + 1, int(y1) + 1});
}
// A filled ellipse on the pixel grid, given by the pixels it spans: exactly
// columns L..R and rows T..B (inclusive). It is built from one quarter with
// whole-pixel half-axes a and b; when a side has an even number of pixels the
// quarters stand one pixel apart (xl/xr, yt/yb) and the middle row or column is
// straight. So the shape is symmetric and reaches its box on all four sides.
class DigitalEllipse {
public:
  DigitalEllipse(i64 L, i64 R, i64 T, i64 B) : T_(T), B_(B) {
    empty_ = R < L || B < T;
    if (empty_)
      return;
    a_ = (R - L) / 2;
    b_ = (B - T) / 2;
    xl_ = L + a_;
    xr_ = R - a_;
    yt_ = T + b_;
    yb_ = B - b_;
    if (a_ < kExact && b_ < kExact)
      TabulateHalfWidths();
  }
  DigitalEllipse(const DigitalEllipse &) = delete;
  DigitalEllipse &operator=(const DigitalEllipse &) = delete;
  bool Empty() const { return empty_; }
  i64 Top() const { return T_; }
  i64 Bottom() const { return B_; }

  // The span of row y, or false when the row is outside the ellipse.
  bool Row(i64 y, i64 &x0, i64 &x1) const {
    if (empty_ || y < T_ || y > B_)
      return false;
    RowWithin(y, x0, x1);
    return true;
  }
  // The columns of the widest of rows y0..y1, which lie within Top()..Bottom()
  // of a non-empty ellipse: what any of those rows can reach.
  void WidestRowWithin(i64 y0, i64 y1, i64 &x0, i64 &x1) const {
    RowWithin(std::clamp(std::clamp(y0, yt_, yb_), y0, y1), x0, x1);
  }
  // Row for a y known to be within Top()..Bottom() of a non-empty ellipse.
  [[gnu::always_inline]] void RowWithin(i64 y, i64 &x0, i64 &x1) const {
    const i64 j = y < yt_ ? yt_ - y : (y > yb_ ? y - yb_ : 0);
    const i64 h = table_ ? i64(table_[j]) : HalfWidth(j);
    x0 = xl_ - h;
    x1 = xr_ + h;
  }

private:
  // Half-axes below this are worked out in exact integers.
  static constexpr i64 kExact = i64(1) << 14;

  // HalfWidth for every j from 0 to b at once, in exact integers: the widths
  // only narrow as j grows, so each row starts from the one before and steps
  // in, and the test's terms move by sums alone. A large ellipse is drawn row
  // by row many times a second (the tilt's path on a 4K screen has over a
  // thousand rows), where a square root a row would cost more than the pixels.
  void TabulateHalfWidths() {
    halves_.resize(size_t(b_) + 1);
    // Row j keeps x while 4x^2 sb^2 + 4j^2 sa^2 <= sa^2 sb^2 (HalfWidth's test
    // multiplied out); below 2^62 for half-axes under kExact.
    const u64 sb = u64(2 * b_ + 1), sa = u64(2 * a_ + 1);
    const u64 limit = sa * sa * sb * sb, xUnit = 4 * sb * sb, jUnit = 4 * sa * sa;
    i64 x = a_;
    u64 xTerm = xUnit * u64(x) * u64(x), jTerm = 0;
    halves_[0] = int32_t(a_);
    for (i64 j = 1; j <= b_; ++j) {
      jTerm += jUnit * u64(2 * j - 1);
      while (x > 0 && xTerm + jTerm > limit) {
        xTerm -= xUnit * u64(2 * x - 1);
        --x;
      }
      halves_[size_t(j)] = int32_t(x);
    }
    table_ = halves_.data();
  }

  // The largest x with (x / (a + 1/2))^2 + (j / (b + 1/2))^2 <= 1, for 0 <= j <= b:
  // the pixel centres inside an ellipse half a pixel larger than the half-axes,
  // which keeps both the widest row (x = a) and the top row (j = b) present.
  [[gnu::noinline]] i64 HalfWidth(i64 j) const {
    if (j == 0)
      return a_;
    const double s = 2.0 * double(b_) + 1.0;
    const double d = (s - 2.0 * double(j)) * (s + 2.0 * double(j));
    i64 x = i64(std::floor((2.0 * double(a_) + 1.0) * std::sqrt(d) / (2.0 * s)));
    x = std::clamp<i64>(x, 0, a_);
    if (a_ < kExact && b_ < kExact) {
      // Small enough for exact integers: settle the last unit that the
      // floating-point estimate may have got wrong.
      const u64 sb = u64(2 * b_ + 1), sa = u64(2 * a_ + 1);
      const u64 rhs = sa * sa * (sb * sb - 4 * u64(j) * u64(j));
      auto fits = [&](i64 v) { return 4 * u64(v) * u64(v) * sb * sb <= rhs; };
      while (x < a_ && fits(x + 1))
        ++x;
      while (x > 0 && !fits(x))
        --x;
    }
    return x;
  }

  bool empty_ = true;
  i64 T_ = 0, B_ = -1;
  i64 a_ = 0, b_ = 0, xl_ = 0, xr_ = 0, yt_ = 0, yb_ = 0;
  std::vector<int32_t> halves_;    // HalfWidth(j) for j = 0..b, when exact
  const int32_t *table_ = nullptr; // halves_'s rows once made
};

// Paints row y: the pen on [o0, o1] except the interior [i0, i1] (if any),
// which takes the brush.
void OutlineRow(SpanWriter &out, i64 y, i64 o0, i64 o1, bool inside, i64 i0, i64 i1,
                const Paint &paint) {
  if (!inside) {
    if (paint.penOn)
      out.Span(y, o0, o1, paint.pen);
    return;
  }
  if (paint.penOn) {
    out.Span(y, o0, i0 - 1, paint.pen);
    out.Span(y, i1 + 1, o1, paint.pen);
  }
  if (paint.brushOn)
    out.Span(y, i0, i1, paint.brush);
}

// Rows y0..y1 (visible) of a wide pen's ring between outer and inner, the pen
// painting the ring and the brush (if on) the inside. The pen comes as a pixel
// operation, and Within says the ring lies inside the clip's columns, so that
// the loop, run for over a thousand rows a tick on a 4K screen, holds few
// choices of its own.
template <bool Within, class Pen>
void RingRows(SpanWriter &out, const DigitalEllipse &outer, const DigitalEllipse &inner, i64 y0,
              i64 y1, const Pen &pen, const Paint &paint) {
  const bool brush = paint.brushOn && !paint.brush.Nop();
  auto Put = [&](i64 y, i64 x0, i64 x1, const auto &op) {
    if constexpr (Within)
      out.SpanWithin(y, x0, x1, op);
    else
      out.Span(y, x0, x1, op);
  };
  // The rows the inner ellipse spans, and the rows above and below it.
  i64 r0 = y1 + 1, r1 = y1;
  if (!inner.Empty()) {
    r0 = std::clamp(inner.Top(), y0, y1 + 1);
    r1 = std::clamp(inner.Bottom(), r0 - 1, y1);
  }
  // Pixels a few rows on, asked for ahead (see SpanWriter::Prefetch).
  const i64 ahead = 16;
  auto Ahead = [&](i64 y) {
    if (y + ahead <= y1) {
      i64 a0, a1;
      outer.RowWithin(y + ahead, a0, a1);
      if constexpr (Within)
        out.PrefetchWithin(y + ahead, a0, a1);
      else
        out.Prefetch(y + ahead, a0, a1);
    }
  };
  for (i64 y = y0; y < r0; ++y) {
    i64 o0, o1;
    outer.RowWithin(y, o0, o1);
    Ahead(y);
    Put(y, o0, o1, pen);
  }
  for (i64 y = r0; y <= r1; ++y) {
    i64 o0, o1, i0, i1;
    outer.RowWithin(y, o0, o1);
    Ahead(y);
    inner.RowWithin(y, i0, i1);
    Put(y, o0, i0 - 1, pen);
    Put(y, i1 + 1, o1, pen);
    if (brush)
      out.Span(y, i0, i1, paint.brush);
  }
  for (i64 y = std::max(r1 + 1, y0); y <= y1; ++y) {
    i64 o0, o1;
    outer.RowWithin(y, o0, o1);
    Ahead(y);
    Put(y, o0, o1, pen);
  }
}

// Whether pen or brush changes any pixel.
bool Paints(const Paint &paint) {
  return (paint.penOn && !paint.pen.Nop()) || (paint.brushOn && !paint.brush.Nop());
}

// The parts of a pen of width w outside and inside the outline: GDI's wide pens
// are centred on the outline, the odd pixel going inside.
struct PenBand {
  i64 outside; // pixels beyond the outline
  i64 inside;  // the outline pixel itself and those within
};
PenBand BandFor(int penWidth) {
  const i64 w = std::max(penWidth, 1);
  return {w / 2, w - w / 2};
}

// Box corners in either order; false for an empty box, where GDI draws
// nothing whatever the pen.
bool NormalizeBox(int &left, int &top, int &right, int &bottom) {
  if (right < left)
    std::swap(left, right);
  if (bottom < top)
    std::swap(top, bottom);
  return left != right && top != bottom;
}

} // namespace

Mix MixFor(int rop2, COLORREF color) {
  const uint32_t p = color & kRgb, np = ~color & kRgb, all = kRgb;
  switch (rop2) {
  case R2_BLACK:
    return {0, 0};
  case R2_NOTMERGEPEN: // ~(D | P)
    return {np, np};
  case R2_MASKNOTPEN: // D & ~P
    return {np, 0};
  case R2_NOTCOPYPEN: // ~P
    return {0, np};
  case R2_MASKPENNOT: // P & ~D
    return {p, p};
  case R2_NOT: // ~D
    return {all, all};
  case R2_XORPEN: // D ^ P
    return {all, p};
  case R2_NOTMASKPEN: // ~(D & P)
    return {p, all};
  case R2_MASKPEN: // D & P
    return {p, 0};
  case R2_NOTXORPEN: // ~(D ^ P)
    return {all, np};
  case R2_MERGENOTPEN: // D | ~P
    return {p, np};
  case R2_COPYPEN: // P
    return {0, p};
  case R2_MERGEPENNOT: // P | ~D
    return {np, all};
  case R2_MERGEPEN: // D | P
    return {np, p};
  case R2_WHITE:
    return {0, all};
  case R2_NOP:
  default:
    return {all, 0};
  }
}

void FillBox(Surface &s, i64 left, i64 top, i64 right, i64 bottom, uint32_t color,
             const PixelRect &clip) {
  SpanWriter out(s, clip);
  out.Box(left, top, right - 1, bottom - 1, Mix{0, color & kRgb});
  Hide(s, clip, left, top, right - 1, bottom - 1);
}

void RasterRectangle(Surface &s, int left, int top, int right, int bottom, const Paint &paint,
                     const PixelRect &clip) {
  if (!NormalizeBox(left, top, right, bottom))
    return;
  if (!paint.penOn) {
    // Without a pen GDI fills the box less its right and bottom edges.
    if (paint.brushOn) {
      SpanWriter(s, clip).Box(left, top, i64(right) - 2, i64(bottom) - 2, paint.brush);
      if (Hides(paint.brush))
        Hide(s, clip, left, top, i64(right) - 2, i64(bottom) - 2);
    }
    return;
  }
  const PenBand band = BandFor(paint.penWidth);
  // Outline box and interior box, inclusive.
  const i64 oL = i64(left) - band.outside, oR = i64(right) - 1 + band.outside;
  const i64 oT = i64(top) - band.outside, oB = i64(bottom) - 1 + band.outside;
  const i64 iL = i64(left) + band.inside, iR = i64(right) - 1 - band.inside;
  const i64 iT = i64(top) + band.inside, iB = i64(bottom) - 1 - band.inside;
  SpanWriter out(s, clip);
  i64 y0, y1;
  if (!out.VisibleRows(oT, oB, y0, y1))
    return;
  const bool interior = iL <= iR && iT <= iB;
  for (i64 y = y0; y <= y1; ++y)
    OutlineRow(out, y, oL, oR, interior && y >= iT && y <= iB, iL, iR, paint);
  if (Paints(paint))
    out.Mark(oL, y0, oR, y1);
  // Pen and brush share the mix mode: the box is painted over when they paint
  // over, unless a hollow brush leaves its inside.
  if (Hides(paint.pen) && (paint.brushOn || !interior))
    Hide(s, clip, oL, oT, oR, oB);
}

void RasterEllipse(Surface &s, int left, int top, int right, int bottom, const Paint &paint,
                   const PixelRect &clip) {
  if (!NormalizeBox(left, top, right, bottom))
    return;
  SpanWriter out(s, clip);
  i64 y0, y1;
  if (!paint.penOn) {
    // Without a pen GDI fills the ellipse of the box less its right and
    // bottom edges.
    const DigitalEllipse fill(left, i64(right) - 2, top, i64(bottom) - 2);
    if (!paint.brushOn || fill.Empty() || !out.VisibleRows(fill.Top(), fill.Bottom(), y0, y1))
      return;
    for (i64 y = y0; y <= y1; ++y) {
      i64 x0, x1;
      fill.RowWithin(y, x0, x1);
      out.Span(y, x0, x1, paint.brush);
    }
    if (Paints(paint)) {
      i64 x0, x1;
      fill.WidestRowWithin(y0, y1, x0, x1);
      out.Mark(x0, y0, x1, y1);
    }
    return;
  }
  const PenBand band = BandFor(paint.penWidth);
  const bool thin = band.outside == 0;
  const DigitalEllipse outer(i64(left) - band.outside, i64(right) - 1 + band.outside,
                             i64(top) - band.outside, i64(bottom) - 1 + band.outside);
  // A wide pen's inner edge is a second ellipse, w pixels in from the outer
  // one; a one-pixel outline is the outer ellipse's own edge (the pixels with a
  // side-neighbour outside it), which keeps it thin and 8-connected.
  const DigitalEllipse inner(i64(left) + band.inside, i64(right) - 1 - band.inside,
                             i64(top) + band.inside, i64(bottom) - 1 - band.inside);
  if (!out.VisibleRows(outer.Top(), outer.Bottom(), y0, y1))
    return;
  i64 widest0, widest1;
  outer.WidestRowWithin(y0, y1, widest0, widest1);
  if (Paints(paint))
    out.Mark(widest0, y0, widest1, y1);
  if (thin) {
    for (i64 y = y0; y <= y1; ++y) {
      i64 o0 = 0, o1 = -1, i0 = 0, i1 = -1;
      outer.Row(y, o0, o1);
      i64 a0, a1, b0, b1;
      if (outer.Row(y - 1, a0, a1) && outer.Row(y + 1, b0, b1)) {
        i0 = std::max({o0 + 1, a0, b0});
        i1 = std::min({o1 - 1, a1, b1});
      }
      OutlineRow(out, y, o0, o1, i0 <= i1, i0, i1, paint);
    }
    return;
  }
  // The ring's widest row inside the clip's columns: no span needs clipping.
  // The program draws with the copying and exclusive-or pens, which have loops
  // of their own; the other modes share the general one, which keeps the
  // browser's script small.
  const bool within = out.ColumnsWithin(widest0, widest1);
  WithPixels(paint.pen, [&](const auto &pen) {
    using Pen = std::decay_t<decltype(pen)>;
    if constexpr (std::is_same_v<Pen, PaintPixels> || std::is_same_v<Pen, FlipPixels>) {
      if (within)
        RingRows<true>(out, outer, inner, y0, y1, pen, paint);
      else
        RingRows<false>(out, outer, inner, y0, y1, pen, paint);
    } else {
      RingRows<false>(out, outer, inner, y0, y1, MaskPixels{paint.pen.andMask, paint.pen.xorMask},
                      paint);
    }
  });
}

// A line is the Bresenham path from its start to its end point, each path
// point stamped with the pen's w x w square (w/2 pixels up and left of the
// point, the rest down and right), less the square of the end point. The end
// point's square belongs to the next segment of a polyline, which starts
// there, so the segments of a polyline meet without gap and (for turns of up
// to a right angle) without overlap. A pen of width 1 gives the classic
// one-pixel line without its last pixel.
void RasterLine(Surface &s, int x0, int y0, int x1, int y1, int penWidth, const Mix &mix,
                const PixelRect &clip) {
  if ((x0 == x1 && y0 == y1) || mix.Nop())
    return;
  const i64 w = std::max(penWidth, 1);
  const i64 before = w / 2, after = w - 1 - before; // square: [p - before, p + after]
  const i64 X0 = x0, Y0 = y0, X1 = x1, Y1 = y1;
  const u64 adx = u64(X1 > X0 ? X1 - X0 : X0 - X1);
  const u64 ady = u64(Y1 > Y0 ? Y1 - Y0 : Y0 - Y1);
  const int sx = X1 >= X0 ? 1 : -1;
  const bool xMajor = adx > ady;
  const u64 n = xMajor ? adx : ady, m = xMajor ? ady : adx, half = n / 2;
  // The path: point t (0..n) steps t along the major axis and
  // off(t) = floor((t * m + n/2) / n) along the minor one. Products stay below
  // 2^64 since n and m are below 2^32.

  // Columns [xa, xb] of the path points on row y (which the path crosses).
  auto run = [&](i64 y, i64 &xa, i64 &xb) {
    const u64 k = u64(y > Y0 ? y - Y0 : Y0 - y);
    if (!xMajor) {
      xa = xb = m == 0 ? X0 : X0 + sx * i64((k * m + half) / n);
      return;
    }
    // First t with off(t) >= k, and the last before off reaches k + 1.
    auto first = [&](u64 kk) -> u64 { return kk == 0 ? 0 : (kk * n - half + m - 1) / m; };
    const u64 tFirst = m == 0 ? 0 : first(k);
    const u64 tLast = (m == 0 || k == m) ? n : first(k + 1) - 1;
    xa = X0 + sx * i64(tFirst);
    xb = X0 + sx * i64(tLast);
    if (xa > xb)
      std::swap(xa, xb);
  };

  if (m == 0) {
    // Horizontal or vertical: the squares make one bar, less the end square.
    SpanWriter out(s, clip);
    if (xMajor)
      out.Box(X1 > X0 ? X0 - before : X1 + after + 1, Y0 - before,
              X1 > X0 ? X1 - before - 1 : X0 + after, Y0 + after, mix);
    else
      out.Box(X0 - before, Y1 > Y0 ? Y0 - before : Y1 + after + 1, X0 + after,
              Y1 > Y0 ? Y1 - before - 1 : Y0 + after, mix);
    return;
  }

  const i64 pathTop = std::min(Y0, Y1), pathBottom = std::max(Y0, Y1);
  SpanWriter out(s, clip);
  i64 r0, r1;
  if (!out.VisibleRows(pathTop - before, pathBottom + after, r0, r1))
    return;
  out.Mark(std::min(X0, X1) - before, r0, std::max(X0, X1) + after, r1);
  for (i64 y = r0; y <= r1; ++y) {
    // Path rows whose squares reach row y; the path is monotone, so the
    // leftmost and rightmost columns come from the two ends of that range.
    const i64 ra = std::max(y - after, pathTop), rb = std::min(y + before, pathBottom);
    i64 aa, ab, ba, bb;
    run(ra, aa, ab);
    run(rb, ba, bb);
    const i64 c0 = std::min(aa, ba) - before, c1 = std::max(ab, bb) + after;
    if (y >= Y1 - before && y <= Y1 + after) {
      out.Span(y, c0, std::min(X1 - before - 1, c1), mix);
      out.Span(y, std::max(X1 + after + 1, c0), c1, mix);
    } else {
      out.Span(y, c0, c1, mix);
    }
  }
}

} // namespace vqp::gdi
