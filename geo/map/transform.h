#pragma once

#include "geo/map/coords.h"
#include "geo/map/viewport.h"

namespace geo {

// The numbered coordinate formats the map component converts between.
enum class CoordFormat : int { Map = 0, Pixel = 1, Mercator = 3, Gps = 4 };

bool isCoordFormat(int code);

// Converts points between formats. Pixels need a viewport; without one, and for unknown
// format codes, a conversion is refused and the point stays as it was.
class Transform {
 public:
  Transform() = default;
  explicit Transform(const Viewport* viewport) : viewport_(viewport) {}

  void setViewport(const Viewport* viewport) { viewport_ = viewport; }

  bool convert(Point& point, int sourceFormat, int destFormat) const;

 private:
  bool toMap(Point& point, CoordFormat source) const;
  bool fromMap(Point& point, CoordFormat dest) const;

  const Viewport* viewport_ = nullptr;  // not owned
};

}  // namespace geo
