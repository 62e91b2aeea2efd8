#pragma once

#include <QPointF>
#include <QPolygonF>
#include <span>

#include "geo/map/coords.h"
#include "geo/map/viewport.h"

// Map coordinates to window pixels of one viewport, as floating-point pixels, so lines stay
// smooth when drawn (the viewport itself answers whole pixels).
class PixelMapper {
 public:
  explicit PixelMapper(const geo::Viewport& Viewport);

  QPointF operator()(geo::Point P) const;
  QPolygonF line(std::span<const geo::Point> Points) const;
  double unitsPerPixel() const { return upp_; }

 private:
  double cx_ = 0, cy_ = 0, cos_ = 1, sin_ = 0, halfW_ = 0, halfH_ = 0, upp_ = 1;
};
