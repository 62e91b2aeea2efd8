#include "geo/map/viewport.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace geo {

namespace {

std::int32_t toCoordinate(double v) {
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(std::round(v), lo, hi));
}

}  // namespace

Viewport::Viewport(int widthPixels, int heightPixels) { setPixelSize(widthPixels, heightPixels); }

void Viewport::setPixelSize(int widthPixels, int heightPixels) {
  width_ = std::max(1, widthPixels);
  height_ = std::max(1, heightPixels);
}

bool Viewport::showSection(const Box& section) {
  if (section.empty() || section.maxX == section.minX || section.maxY == section.minY) {
    return false;
  }
  centreX_ = (static_cast<double>(section.minX) + section.maxX) / 2;
  centreY_ = (static_cast<double>(section.minY) + section.maxY) / 2;
  unitsPerPixel_ = std::max((static_cast<double>(section.maxX) - section.minX) / width_,
                            (static_cast<double>(section.maxY) - section.minY) / height_);
  return true;
}

Box Viewport::section() const {
  Box box;
  for (Point corner : {Point{0, 0}, Point{width_, 0}, Point{0, height_}, Point{width_, height_}}) {
    box.extend(pixelToMap(corner));
  }
  return box;
}

bool Viewport::zoom(double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return false;
  unitsPerPixel_ *= factor;
  return true;
}

void Viewport::mapOffset(double px, double py, double& mx, double& my) const {
  // Screen vector (right, up) is the map vector turned by the rotation.
  const double sx = (px - width_ / 2.0) * unitsPerPixel_;
  const double sy = -(py - height_ / 2.0) * unitsPerPixel_;
  const double c = std::cos(rotation_);
  const double s = std::sin(rotation_);
  mx = c * sx + s * sy;
  my = -s * sx + c * sy;
}

Point Viewport::pixelToMap(Point pixel) const {
  double mx = 0;
  double my = 0;
  mapOffset(pixel.x, pixel.y, mx, my);
  return {toCoordinate(centreX_ + mx), toCoordinate(centreY_ + my)};
}

Point Viewport::mapToPixel(Point map) const {
  const double mx = map.x - centreX_;
  const double my = map.y - centreY_;
  const double c = std::cos(rotation_);
  const double s = std::sin(rotation_);
  const double sx = c * mx - s * my;
  const double sy = s * mx + c * my;
  return {toCoordinate(width_ / 2.0 + sx / unitsPerPixel_),
          toCoordinate(height_ / 2.0 - sy / unitsPerPixel_)};
}

}  // namespace geo
