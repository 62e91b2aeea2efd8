#include "geo/map/coords.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace geo {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

std::int32_t roundToInt32(double v) {
  constexpr double lo = -2147483648.0;
  constexpr double hi = 2147483647.0;
  return static_cast<std::int32_t>(std::clamp(std::round(v), lo, hi));
}

}  // namespace

void Box::extend(Point p) {
  if (empty()) {
    minX = maxX = p.x;
    minY = maxY = p.y;
    return;
  }
  minX = std::min(minX, p.x);
  minY = std::min(minY, p.y);
  maxX = std::max(maxX, p.x);
  maxY = std::max(maxY, p.y);
}

void Box::extend(const Box& other) {
  if (other.empty()) return;
  extend(Point{other.minX, other.minY});
  extend(Point{other.maxX, other.maxY});
}

MercatorMetres lonLatToMercator(double lonDegrees, double latDegrees) {
  const double lat = std::clamp(latDegrees, -kMaxLatitude, kMaxLatitude);
  return {kEarthRadius * lonDegrees * kDegree,
          kEarthRadius * std::log(std::tan(std::numbers::pi / 4 + lat * kDegree / 2))};
}

void mercatorToLonLat(MercatorMetres m, double& lonDegrees, double& latDegrees) {
  lonDegrees = m.x / kEarthRadius / kDegree;
  latDegrees = (2 * std::atan(std::exp(m.y / kEarthRadius)) - std::numbers::pi / 2) / kDegree;
}

Point lonLatToMap(double lonDegrees, double latDegrees) {
  const MercatorMetres m = lonLatToMercator(lonDegrees, latDegrees);
  return {roundToInt32(m.x), roundToInt32(m.y)};
}

Point gpsToMap(Point gps) {
  return lonLatToMap(gps.x / kGpsUnitsPerDegree, gps.y / kGpsUnitsPerDegree);
}

Point mapToGps(Point map) {
  double lon = 0;
  double lat = 0;
  mercatorToLonLat({static_cast<double>(map.x), static_cast<double>(map.y)}, lon, lat);
  return {roundToInt32(lon * kGpsUnitsPerDegree), roundToInt32(lat * kGpsUnitsPerDegree)};
}

double distanceMetres(double lon1, double lat1, double lon2, double lat2) {
  // Mean earth radius: the haversine formula is exact only on a sphere anyway.
  constexpr double kMeanRadius = 6371008.8;
  const double dLat = (lat2 - lat1) * kDegree;
  const double dLon = (lon2 - lon1) * kDegree;
  const double a =
      std::sin(dLat / 2) * std::sin(dLat / 2) +
      std::cos(lat1 * kDegree) * std::cos(lat2 * kDegree) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2 * kMeanRadius * std::asin(std::min(1.0, std::sqrt(a)));
}

double mapDistanceMetres(Point a, Point b) {
  double lon1 = 0, lat1 = 0, lon2 = 0, lat2 = 0;
  mercatorToLonLat({static_cast<double>(a.x), static_cast<double>(a.y)}, lon1, lat1);
  mercatorToLonLat({static_cast<double>(b.x), static_cast<double>(b.y)}, lon2, lat2);
  return distanceMetres(lon1, lat1, lon2, lat2);
}

}  // namespace geo
