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
  // Points closer than half a pixel to the last one kept add nothing visible but cost time.
  constexpr double kMinStep = 0.5;
  for (std::size_t i = 0; i < Points.size(); ++i) {
    const QPointF p = (*this)(Points[i]);
    const bool last = i + 1 == Points.size();
    if (!polygon.isEmpty() && !last && std::abs(p.x() - polygon.last().x()) < kMinStep &&
        std::abs(p.y() - polygon.last().y()) < kMinStep) {
      continue;
    }
    polygon.append(p);
  }
  return polygon;
}
