#pragma once

#include <string>

#include "geo/map/transform.h"

// An integer point of one of the transform's coordinate formats.
struct TPoint {
  int X = 0;
  int Y = 0;

  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Converts single points between the numbered coordinate formats (0 map, 1 window pixels,
// 3 Mercator, 4 GPS in degrees x 100000) for the planning data and geocoding. It has no view,
// so pixel conversions and unknown format codes leave the point as it was.
class TTransform {
 public:
  TPoint Trans(TPoint Point, int SourceFmt, int DestFmt) const;
  TPoint TransMercatorToGPS(TPoint Point) const;
  TPoint TransGPSToMercator(TPoint Point) const;
  // Decimal degrees as the web application delivers them, with "." or "," as the decimal
  // separator (only the first "." is one); a text that is no number counts as 0.
  TPoint TransGPSStringToMercator(std::string Latitude, std::string Longitude) const;

 private:
  geo::Transform m_Transform;
};
