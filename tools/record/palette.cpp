#include "tools/record/palette.h"

#include <limits>

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

// Index of the colour in `candidates` (where `alive`) nearest to `color`,
// other than `self`; the lowest index among equals.
size_t Nearest(uint32_t color, size_t self, const std::vector<ColorUse> &candidates,
               const std::vector<bool> &alive) {
  size_t best = self;
  int64_t bestDistance = std::numeric_limits<int64_t>::max();
  for (size_t j = 0; j < candidates.size(); ++j) {
    if (j == self || !alive[j])
      continue;
    const int64_t d = Distance(color, candidates[j].color);
    if (d < bestDistance) {
      best = j;
      bestDistance = d;
    }
  }
  return best;
}

} // namespace

Palette BuildPalette(const std::vector<ColorUse> &uses, size_t limit) {
  Palette p;
  const size_t n = uses.size();
  std::vector<bool> alive(n, true);
  if (n > limit) {
    // Merge colours one at a time, always the one whose pixels (with those
    // already merged into it) move least by going to their nearest neighbour:
    // a rare shade beside a common one goes first, a rare colour unlike any
    // other stays.
    p.reduced = true;
    std::vector<double> weight(n);
    std::vector<size_t> nearest(n);
    for (size_t i = 0; i < n; ++i) {
      weight[i] = static_cast<double>(uses[i].pixels);
      nearest[i] = Nearest(uses[i].color, i, uses, alive);
    }
    for (size_t left = n; left > limit; --left) {
      size_t drop = n;
      double dropCost = 0;
      for (size_t i = 0; i < n; ++i) {
        if (!alive[i])
          continue;
        const double cost =
            weight[i] * static_cast<double>(Distance(uses[i].color, uses[nearest[i]].color));
        if (drop == n || cost <= dropCost) { // equal costs: the later-seen colour goes
          drop = i;
          dropCost = cost;
        }
      }
      alive[drop] = false;
      weight[nearest[drop]] += weight[drop];
      for (size_t i = 0; i < n; ++i)
        if (alive[i] && nearest[i] == drop)
          nearest[i] = Nearest(uses[i].color, i, uses, alive);
    }
  }
  std::vector<size_t> indexOfUse(n);
  for (size_t i = 0; i < n; ++i)
    if (alive[i]) {
      indexOfUse[i] = p.colors.size();
      p.colors.push_back(uses[i].color);
    }
  // Every colour shows as itself or as the nearest colour kept.
  for (size_t i = 0; i < n; ++i) {
    const size_t shown = alive[i] ? i : Nearest(uses[i].color, i, uses, alive);
    p.indexOf.emplace(uses[i].color, static_cast<uint8_t>(indexOfUse[shown]));
  }
  return p;
}

} // namespace record
