#pragma once

#include <array>
#include <cstdint>

#include "geo/map/mapformat.h"
#include "geo/route/routeweight.h"

namespace geo {

// Speeds of one driving profile in km/h, in the order the driving options hand them over:
// motorway outside and inside built-up areas, then for road classes 1 to 7 the speed
// inside and then outside built-up areas.
struct Profile {
  std::array<std::uint16_t, 16> speedsKmh{};

  // The table used when no special profile is asked for.
  static Profile standard();
  // The tables of the driving profile numbers; unknown numbers get the standard table.
  static Profile forMode(int profileMode);

  double speedKmh(std::uint8_t roadClass, bool builtUp) const;

  friend bool operator==(const Profile&, const Profile&) = default;
};

// Weight of time against distance, 0 (shortest) to 100 (fastest); larger values count as 100
// and negative ones as 0.
int clampTimeFactor(int timeFactor);

struct RouteOptions {
  Profile profile = Profile::standard();
  int timeFactor = 100;

  friend bool operator==(const RouteOptions&, const RouteOptions&) = default;
};

// Weight of driving a whole edge under the options.
Weight edgeWeight(const EdgeRecord& edge, const RouteOptions& options);

}  // namespace geo
