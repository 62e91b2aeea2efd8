#pragma once

#include <compare>
#include <cstdint>
#include <limits>

namespace geo {

// What a stretch of road costs: the profile's cost first, then driving time, then length.
// Searches compare the three in this order, so among paths of equal cost the one chosen is
// the same whichever search finds it; that keeps matrix entries and single routes equal.
struct Weight {
  std::uint32_t cost = 0;         // hundredths of a second, time and distance mixed
  std::uint32_t millis = 0;       // driving time
  std::uint32_t centimetres = 0;  // length

  static constexpr Weight infinite() {
    constexpr auto kMax = std::numeric_limits<std::uint32_t>::max();
    return {kMax, kMax, kMax};
  }
  bool isInfinite() const { return cost == std::numeric_limits<std::uint32_t>::max(); }

  friend auto operator<=>(const Weight&, const Weight&) = default;
  friend Weight operator+(const Weight& a, const Weight& b) {
    if (a.isInfinite() || b.isInfinite()) return infinite();
    return {a.cost + b.cost, a.millis + b.millis, a.centimetres + b.centimetres};
  }

  // Part of an edge; each figure rounded on its own.
  Weight scaled(double fraction) const;

  std::uint32_t metres() const { return (centimetres + 50) / 100; }
  std::uint32_t seconds() const { return (millis + 500) / 1000; }
  std::uint32_t tensOfSeconds() const { return (millis + 5000) / 10000; }
};

}  // namespace geo
