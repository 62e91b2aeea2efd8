#include "map/component/pixelmapper.h"

#include <cmath>

PixelMapper::PixelMapper(const geo::Viewport& Viewport)
    : cos_(std::cos(Viewport.rotation())),
      sin_(std::sin(Viewport.rotation())),
      halfW_(Viewport.width() / 2.0),
      halfH_(Viewport.height() / 2.0),
      upp_(Viewport.unitsPerPixel()) {
  // The viewport keeps its centre to itself; the upper left corner's map point minus the
  // corner's offset from the centre gives it back to within half a map unit.
  const geo::Point corner = Viewport.pixelToMap({0, 0});
  const double sx = -halfW_ * upp_;
  const double sy = halfH_ * upp_;
  cx_ = corner.x - (cos_ * sx + sin_ * sy);
  cy_ = corner.y - (-sin_ * sx + cos_ * sy);
}

QPointF PixelMapper::operator()(geo::Point P) const {
  const double mx = P.x - cx_;
  const double my = P.y - cy_;
  return {halfW_ + (cos_ * mx - sin_ * my) / upp_, halfH_ - (sin_ * mx + cos_ * my) / upp_};
}

QPolygonF PixelMapper::line(std::span<const geo::Point> Points) const {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(Points.size()));
  for (const geo::Point& p : Points) polygon.append((*this)(p));
  return polygon;
}
