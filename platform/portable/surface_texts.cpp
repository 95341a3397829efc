// The texts that stand on a surface (see surface.h): what TextOutA drew, kept
// until the pixels under them are painted over.
#include <algorithm>

#include "surface.h"

namespace vqp {

namespace {

bool Inside(const PixelRect &inner, const PixelRect &outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Same(const SurfaceText &t, const PixelRect &box, const char *bytes, int length) {
  return t.box.left == box.left && t.box.top == box.top && t.box.right == box.right &&
         t.box.bottom == box.bottom && t.bytes.size() == size_t(length) &&
         t.bytes.compare(0, t.bytes.size(), bytes, size_t(length)) == 0;
}

// Drops the texts that lie inside `r` (inside = true) or not wholly inside
// it (inside = false); a change moves the version on.
void Drop(Surface &s, const PixelRect &r, bool inside) {
  const auto end = std::remove_if(s.texts.begin(), s.texts.end(),
                                  [&](const SurfaceText &t) { return Inside(t.box, r) == inside; });
  if (end == s.texts.end())
    return;
  s.texts.erase(end, s.texts.end());
  ++s.textsVersion;
}

} // namespace

void RecordText(Surface &s, const PixelRect &box, const char *bytes, int length) {
  if (box.Empty() || bytes == nullptr || length <= 0)
    return;
  // Drawn again where it stands (in the transparent mode): still one text.
  for (const SurfaceText &t : s.texts)
    if (Same(t, box, bytes, length))
      return;
  if (s.texts.size() >= kMaxSurfaceTexts)
    s.texts.erase(s.texts.begin());
  s.texts.push_back(SurfaceText{box, std::string(bytes, size_t(length))});
  ++s.textsVersion;
}

void CoverTexts(Surface &s, const PixelRect &box) { Drop(s, box, true); }

void KeepTextsWithin(Surface &s, int width, int height) {
  Drop(s, PixelRect{0, 0, width, height}, false);
}

std::vector<const SurfaceText *> TextsInReadingOrder(const Surface &s) {
  std::vector<const SurfaceText *> order;
  for (const SurfaceText &t : s.texts)
    order.push_back(&t);
  std::stable_sort(order.begin(), order.end(), [](const SurfaceText *a, const SurfaceText *b) {
    return a->box.top != b->box.top ? a->box.top < b->box.top : a->box.left < b->box.left;
  });
  return order;
}

} // namespace vqp
