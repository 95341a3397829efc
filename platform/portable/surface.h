// A window's framebuffer: 32-bit pixels holding COLORREF values (0x00BBGGRR),
// row-major from the top row, plus the rectangle changed since the last present
// and the texts that stand on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sys/mman.h>
#define VQP_LARGE_PAGES 1
#endif

namespace vqp {

// Sets [p, end) to `value`, eight pixels a step as 64-bit words: a browser
// runs this unoptimised at first, where a store a pixel is slow and the C
// library's memset stores a byte at a time.
inline void FillPixels(uint32_t *p, uint32_t *end, uint32_t value) {
  const uint64_t two = uint64_t{value} << 32 | value;
  for (; end - p >= 8; p += 8) {
    std::memcpy(p, &two, sizeof two);
    std::memcpy(p + 2, &two, sizeof two);
    std::memcpy(p + 4, &two, sizeof two);
    std::memcpy(p + 6, &two, sizeof two);
  }
  for (; p != end; ++p)
    *p = value;
}

// A framebuffer's memory, allocated and filled in one pass each. A large one
// is asked to lie on the system's large pages where it offers them: drawing an
// outline touches a few pixels on each of thousands of rows, each row on its
// own small page, and fewer, larger pages mean fewer page look-ups.
class Pixels {
public:
  Pixels() = default;
  Pixels(const Pixels &) = delete;
  Pixels &operator=(const Pixels &) = delete;
  ~Pixels() { std::free(data_); }

  // Holds n pixels of `value`; out of memory, throws std::bad_alloc and
  // keeps what it held.
  void assign(size_t n, uint32_t value) {
    if (n != size_) {
      uint32_t *fresh = Allocate(n);
      std::free(data_);
      data_ = fresh;
      size_ = n;
    }
    FillPixels(data_, data_ + size_, value);
  }
  void swap(Pixels &other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
  }
  uint32_t *data() { return data_; }
  const uint32_t *data() const { return data_; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  uint32_t *begin() { return data_; }
  uint32_t *end() { return data_ + size_; }
  const uint32_t *begin() const { return data_; }
  const uint32_t *end() const { return data_ + size_; }
  uint32_t &operator[](size_t i) { return data_[i]; }
  const uint32_t &operator[](size_t i) const { return data_[i]; }

private:
  static constexpr size_t kLargePage = size_t(2) << 20;
  static uint32_t *Allocate(size_t n) {
    if (n > SIZE_MAX / sizeof(uint32_t))
      throw std::bad_alloc();
    const size_t bytes = n * sizeof(uint32_t);
    void *p = nullptr;
#if defined(VQP_LARGE_PAGES)
    if (bytes >= kLargePage) {
      const size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
      p = std::aligned_alloc(kLargePage, rounded);
      if (p)
        madvise(p, rounded, MADV_HUGEPAGE);
    }
#endif
    if (!p)
      p = std::malloc(bytes == 0 ? 1 : bytes);
    if (!p)
      throw std::bad_alloc();
    return static_cast<uint32_t *>(p);
  }
  uint32_t *data_ = nullptr;
  size_t size_ = 0;
};

// Half-open pixel rectangle [left, right) x [top, bottom), y down.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

// A text drawn with TextOutA, as its bytes, and the part of its box that lies
// on the surface.
struct SurfaceText {
  PixelRect box;
  std::string bytes;
};

struct Surface {
  int width = 0;
  int height = 0;
  Pixels pixels;
  PixelRect dirty; // what changed since the last present; empty when nothing did
  // The texts that stand on the picture, oldest first: each stays until one
  // opaque box painted over it (a fill, a rectangle's inside, another text's
  // background) covers all of its box, or a resize cuts into it. A backend
  // can tell a screen reader what the window says from them.
  std::vector<SurfaceText> texts;
  uint64_t textsVersion = 0; // moves on whenever `texts` changes
};

// Most texts kept on one surface; past it the oldest goes.
constexpr size_t kMaxSurfaceTexts = 64;

// A text was drawn with its box at `box` (already clipped to the surface).
void RecordText(Surface &s, const PixelRect &box, const char *bytes, int length);
// `box` (clipped to the surface) was painted over opaquely: the texts it
// covers whole are gone.
void CoverTexts(Surface &s, const PixelRect &box);
// The surface is now width x height with its old pixels kept at the top left:
// the texts that no longer fit whole are gone.
void KeepTextsWithin(Surface &s, int width, int height);
// The texts in the order a reader takes them: top to bottom, then left to
// right, texts on the same spot in the order they were drawn.
std::vector<const SurfaceText *> TextsInReadingOrder(const Surface &s);

// Grows `into` to the bounding rectangle of itself and r.
inline void Unite(PixelRect &into, const PixelRect &r) {
  if (r.Empty())
    return;
  if (into.Empty()) {
    into = r;
    return;
  }
  if (r.left < into.left)
    into.left = r.left;
  if (r.top < into.top)
    into.top = r.top;
  if (r.right > into.right)
    into.right = r.right;
  if (r.bottom > into.bottom)
    into.bottom = r.bottom;
}

// The part of a that lies within b; empty (all 0) when there is none.
inline PixelRect Intersect(const PixelRect &a, const PixelRect &b) {
  const PixelRect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                    a.right < b.right ? a.right : b.right,
                    a.bottom < b.bottom ? a.bottom : b.bottom};
  return r.Empty() ? PixelRect{} : r;
}

// Grows `dirty` to cover r (already clipped to the surface by the caller).
inline void MarkDirty(Surface &s, const PixelRect &r) { Unite(s.dirty, r); }

} // namespace vqp
