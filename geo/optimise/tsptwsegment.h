#pragma once

#include <algorithm>
#include <cstdint>

namespace geo {

// Summary of a stretch of a path under time windows, joined in constant time (the time-warp
// concatenation): duration includes travel, service and unavoidable waiting; warp is how much
// the stretch arrives too late in total; earliest/latest bound the service start at its first
// node for which duration is minimal and no extra warp arises.
struct TsptwSegment {
  int first = -1;  // -1: empty
  int last = -1;
  std::int64_t duration = 0;
  std::int64_t warp = 0;
  std::int64_t earliest = 0;
  std::int64_t latest = 0;
  std::int64_t cost = 0;

  bool empty() const { return first < 0; }

  static TsptwSegment node(int id, std::int64_t ready, std::int64_t due, std::int64_t service) {
    return {id, id, service, 0, ready, due, 0};
  }

  // travelTime and travelCost are between a.last and b.first.
  static TsptwSegment join(const TsptwSegment& a, const TsptwSegment& b, std::int64_t travelTime,
                           std::int64_t travelCost) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    const std::int64_t delta = a.duration - a.warp + travelTime;
    const std::int64_t waitAdded = std::max<std::int64_t>(b.earliest - delta - a.latest, 0);
    const std::int64_t warpAdded = std::max<std::int64_t>(a.earliest + delta - b.latest, 0);
    return {a.first,
            b.last,
            a.duration + b.duration + travelTime + waitAdded,
            a.warp + b.warp + warpAdded,
            std::max(b.earliest - delta, a.earliest) - waitAdded,
            std::min(b.latest - delta, a.latest) + warpAdded,
            a.cost + b.cost + travelCost};
  }
};

}  // namespace geo
