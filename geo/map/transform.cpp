#include "geo/map/transform.h"

namespace geo {

bool isCoordFormat(int code) { return code == 0 || code == 1 || code == 3 || code == 4; }

bool Transform::convert(Point& point, int sourceFormat, int destFormat) const {
  if (!isCoordFormat(sourceFormat) || !isCoordFormat(destFormat)) return false;
  Point p = point;
  if (!toMap(p, static_cast<CoordFormat>(sourceFormat)) ||
      !fromMap(p, static_cast<CoordFormat>(destFormat))) {
    return false;
  }
  point = p;
  return true;
}

bool Transform::toMap(Point& point, CoordFormat source) const {
  switch (source) {
    case CoordFormat::Map:
    case CoordFormat::Mercator:
      return true;
    case CoordFormat::Gps:
      point = gpsToMap(point);
      return true;
    case CoordFormat::Pixel:
      if (!viewport_) return false;
      point = viewport_->pixelToMap(point);
      return true;
  }
  return false;
}

bool Transform::fromMap(Point& point, CoordFormat dest) const {
  switch (dest) {
    case CoordFormat::Map:
    case CoordFormat::Mercator:
      return true;
    case CoordFormat::Gps:
      point = mapToGps(point);
      return true;
    case CoordFormat::Pixel:
      if (!viewport_) return false;
      point = viewport_->mapToPixel(point);
      return true;
  }
  return false;
}

}  // namespace geo
