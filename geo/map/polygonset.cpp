#include "geo/map/polygonset.h"

#include <cmath>
#include <limits>

namespace geo {

void PolygonSet::add(std::vector<Line> rings, std::uint32_t value) {
  const Box box = boundsOf(rings);
  if (box.empty()) return;
  polygons_.push_back({std::move(rings), box, value});
}

void PolygonSet::build() {
  std::vector<std::pair<Box, std::uint32_t>> items;
  for (std::uint32_t i = 0; i < polygons_.size(); ++i) items.emplace_back(polygons_[i].box, i);
  tree_ = PackedRTree::build(std::move(items));
}

bool PolygonSet::anyContains(Point p) const { return smallestContaining(p).has_value(); }

std::optional<std::uint32_t> PolygonSet::smallestContaining(Point p) const {
  std::optional<std::uint32_t> best;
  double bestArea = std::numeric_limits<double>::infinity();
  tree_.view().query(Box{p.x, p.y, p.x, p.y}, [&](std::uint32_t i) {
    const Polygon& polygon = polygons_[i];
    const double area = (double(polygon.box.maxX) - polygon.box.minX) *
                        (double(polygon.box.maxY) - polygon.box.minY);
    if (area < bestArea && insideRings(polygon.rings, p)) {
      bestArea = area;
      best = polygon.value;
    }
  });
  return best;
}

void ReachSet::add(Point centre, double radius, std::uint32_t value) {
  circles_.push_back({centre, radius, value});
}

void ReachSet::build() {
  std::vector<std::pair<Box, std::uint32_t>> items;
  for (std::uint32_t i = 0; i < circles_.size(); ++i) {
    const Circle& c = circles_[i];
    const auto r = static_cast<std::int32_t>(std::ceil(c.radius));
    items.emplace_back(Box{c.centre.x - r, c.centre.y - r, c.centre.x + r, c.centre.y + r}, i);
  }
  tree_ = PackedRTree::build(std::move(items));
}

std::optional<ReachSet::Hit> ReachSet::nearest(Point p) const {
  std::optional<Hit> best;
  double bestRatio = 1.0;
  tree_.view().query(Box{p.x, p.y, p.x, p.y}, [&](std::uint32_t i) {
    const Circle& c = circles_[i];
    const double distance = std::hypot(double(p.x) - c.centre.x, double(p.y) - c.centre.y);
    if (distance / c.radius <= bestRatio) {
      bestRatio = distance / c.radius;
      best = Hit{c.value, distance};
    }
  });
  return best;
}

}  // namespace geo
