#pragma once

#include <cstdint>

namespace geo {

// A point in one of the integer coordinate formats. Map coordinates are spherical Mercator
// metres (EPSG:3857), x east and y north; GPS coordinates are degrees x 100000, x longitude
// and y latitude.
struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;

  friend bool operator==(const Point&, const Point&) = default;
};

// An axis-aligned box in map coordinates, borders included.
struct Box {
  std::int32_t minX = 0;
  std::int32_t minY = 0;
  std::int32_t maxX = -1;
  std::int32_t maxY = -1;

  bool empty() const { return maxX < minX || maxY < minY; }
  bool contains(Point p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
  bool intersects(const Box& o) const {
    return !empty() && !o.empty() && minX <= o.maxX && o.minX <= maxX && minY <= o.maxY &&
           o.minY <= maxY;
  }
  void extend(Point p);
  void extend(const Box& other);

  friend bool operator==(const Box&, const Box&) = default;
};

inline constexpr double kEarthRadius = 6378137.0;  // the sphere of EPSG:3857
// Web Mercator is cut off where the map becomes a square.
inline constexpr double kMaxLatitude = 85.05112877980659;
inline constexpr double kGpsUnitsPerDegree = 100000.0;

struct MercatorMetres {
  double x = 0;
  double y = 0;
};

MercatorMetres lonLatToMercator(double lonDegrees, double latDegrees);
void mercatorToLonLat(MercatorMetres m, double& lonDegrees, double& latDegrees);

Point lonLatToMap(double lonDegrees, double latDegrees);
Point gpsToMap(Point gps);
Point mapToGps(Point map);

// Great-circle distance in metres; map coordinates are no good for lengths away from the
// equator because Mercator stretches them by 1 / cos(latitude).
double distanceMetres(double lon1, double lat1, double lon2, double lat2);
double mapDistanceMetres(Point a, Point b);

}  // namespace geo
