#include "tools/record/palette.h"

#include <algorithm>
#include <numeric>

namespace record {
namespace {

int64_t Distance(uint32_t a, uint32_t b) {
  int64_t sum = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int64_t d = int64_t((a >> shift) & 0xFF) - int64_t((b >> shift) & 0xFF);
    sum += d * d;
  }
  return sum;
}

} // namespace

Palette BuildPalette(const std::vector<ColorUse> &uses, size_t limit) {
  Palette p;
  std::vector<size_t> kept(uses.size());
  std::iota(kept.begin(), kept.end(), size_t{0});
  if (uses.size() > limit) {
    p.reduced = true;
    // The most used colours; stable, so equal counts keep their first-seen order.
    std::stable_sort(kept.begin(), kept.end(),
                     [&](size_t a, size_t b) { return uses[a].pixels > uses[b].pixels; });
    kept.resize(limit);
    std::sort(kept.begin(), kept.end());
  }
  for (size_t k : kept) {
    p.indexOf.emplace(uses[k].color, static_cast<uint8_t>(p.colors.size()));
    p.colors.push_back(uses[k].color);
  }
  if (!p.reduced)
    return p;
  for (const ColorUse &u : uses) {
    if (p.indexOf.count(u.color))
      continue;
    size_t best = 0;
    for (size_t i = 1; i < p.colors.size(); ++i)
      if (Distance(u.color, p.colors[i]) < Distance(u.color, p.colors[best]))
        best = i;
    p.indexOf.emplace(u.color, static_cast<uint8_t>(best));
  }
  return p;
}

} // namespace record
