#include "geo/route/profile.h"

#include <algorithm>
#include <cmath>

namespace geo {

namespace {

// A speed of 0 would make a road endlessly slow yet still part of every search; treating it
// as walking pace keeps the searches finite and such roads a last resort.
constexpr double kSlowestKmh = 1.0;
// The distance part of the cost counts metres as if driven at this speed.
constexpr double kDistanceCostKmh = 50.0;

std::uint32_t roundedNonNegative(double value) {
  return static_cast<std::uint32_t>(std::llround(std::max(0.0, value)));
}

}  // namespace

Weight Weight::scaled(double fraction) const {
  const double f = std::clamp(fraction, 0.0, 1.0);
  return {roundedNonNegative(cost * f), roundedNonNegative(millis * f),
          roundedNonNegative(centimetres * f)};
}

Profile Profile::standard() {
  return {{130, 120, 65, 100, 35, 80, 25, 60, 25, 50, 20, 30, 15, 16, 10, 5}};
}

Profile Profile::forMode(int profileMode) {
  switch (profileMode) {
    case 1:
      return {{140, 135, 70, 125, 35, 85, 25, 60, 25, 50, 20, 40, 18, 16, 9, 5}};
    case 2:
      return {{130, 105, 65, 100, 33, 75, 25, 55, 25, 48, 20, 40, 18, 16, 9, 5}};
    case 9:
      return {{10, 7, 2, 7, 2, 7, 2, 7, 2, 7, 2, 7, 2, 5, 3, 5}};
    default:
      return standard();
  }
}

double Profile::speedKmh(std::uint8_t roadClass, bool builtUp) const {
  std::size_t slot = 0;
  if (roadClass == 0) {
    slot = builtUp ? 1 : 0;
  } else {
    const std::size_t cls = std::min<std::size_t>(roadClass, 7);
    slot = 2 + 2 * (cls - 1) + (builtUp ? 0 : 1);
  }
  return std::max<double>(kSlowestKmh, speedsKmh[slot]);
}

int clampTimeFactor(int timeFactor) { return std::clamp(timeFactor, 0, 100); }

Weight edgeWeight(const EdgeRecord& edge, const RouteOptions& options) {
  const double metres = std::max(0.0f, edge.lengthMetres);
  const double speed = options.profile.speedKmh(edge.roadClass, (edge.flags & kEdgeBuiltUp) != 0);
  const double seconds = metres * 3.6 / speed;
  const int tf = clampTimeFactor(options.timeFactor);
  const double cost = tf * seconds + (100 - tf) * metres * 3.6 / kDistanceCostKmh;
  return {roundedNonNegative(cost), roundedNonNegative(seconds * 1000),
          roundedNonNegative(metres * 100)};
}

}  // namespace geo
