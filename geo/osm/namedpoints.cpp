#include "geo/osm/namedpoints.h"

#include <cmath>

namespace geo {

std::int64_t NamedPointIndex::cell(std::int32_t v) const {
  return static_cast<std::int64_t>(std::floor(static_cast<double>(v) / cellSize_));
}

std::string NamedPointIndex::key(const std::string& name, std::int64_t cellX,
                                 std::int64_t cellY) const {
  return name + '\x1f' + std::to_string(cellX) + ',' + std::to_string(cellY);
}

void NamedPointIndex::add(const std::string& name, Point p, std::uint32_t value) {
  cells_[key(name, cell(p.x), cell(p.y))].push_back({p, value});
}

void NamedPointIndex::search(const std::string& name, Point p, double& bestDistance,
                             std::optional<std::uint32_t>& best) const {
  for (std::int64_t dx = -1; dx <= 1; ++dx) {
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      const auto found = cells_.find(key(name, cell(p.x) + dx, cell(p.y) + dy));
      if (found == cells_.end()) continue;
      for (const Entry& e : found->second) {
        const double d = std::hypot(double(e.point.x) - p.x, double(e.point.y) - p.y);
        if (d <= cellSize_ && d < bestDistance) {
          bestDistance = d;
          best = e.value;
        }
      }
    }
  }
}

std::optional<std::uint32_t> NamedPointIndex::nearest(const std::string& name, Point p) const {
  return nearest(name, std::vector<Point>{p});
}

std::optional<std::uint32_t> NamedPointIndex::nearest(const std::string& name,
                                                      const std::vector<Point>& line) const {
  double bestDistance = INFINITY;
  std::optional<std::uint32_t> best;
  for (Point p : line) search(name, p, bestDistance, best);
  return best;
}

}  // namespace geo
