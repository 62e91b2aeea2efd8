#include "geo/route/snapper.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "geo/map/geometry.h"
#include "geo/route/graphcomponents.h"

namespace geo {

namespace {

Box boxAround(Point p, double radius) {
  const auto r = static_cast<std::int64_t>(std::ceil(radius));
  const auto clampCoord = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  return {clampCoord(p.x - r), clampCoord(p.y - r), clampCoord(p.x + r), clampCoord(p.y + r)};
}

std::vector<bool> nodesOfLargestComponent(const CompiledMap& map) {
  const std::vector<std::uint32_t> component = stronglyConnectedComponents(map);
  std::vector<std::size_t> sizes;
  for (std::uint32_t c : component) {
    if (c >= sizes.size()) sizes.resize(c + 1, 0);
    ++sizes[c];
  }
  std::vector<bool> inLargest(component.size(), false);
  if (sizes.empty()) return inLargest;
  const auto largest =
      static_cast<std::uint32_t>(std::max_element(sizes.begin(), sizes.end()) - sizes.begin());
  for (std::size_t n = 0; n < component.size(); ++n) inLargest[n] = component[n] == largest;
  return inLargest;
}

double mapUnitsPerMetre(Point p) {
  const double latitude = mapToGps(p).y / kGpsUnitsPerDegree;
  return 1.0 / std::max(0.01, std::cos(latitude * M_PI / 180.0));
}

}  // namespace

std::uint32_t reverseEdgeOf(const CompiledMap& map, std::uint32_t edge) {
  const EdgeRecord& e = map.edges()[edge];
  if (e.flags & kEdgeOneWay) return RoadPosition::kNoEdge;
  const auto candidates = map.edgesFrom(e.target);
  for (const EdgeRecord& r : candidates) {
    if (r.target == e.source && r.shape.first == e.shape.first && r.shape.count == e.shape.count &&
        ((r.flags ^ e.flags) & kEdgeReversed)) {
      return static_cast<std::uint32_t>(&r - map.edges().data());
    }
  }
  return RoadPosition::kNoEdge;
}

Snapper::Snapper(const CompiledMap& map) : map_(map) {
  const std::vector<bool> usable = nodesOfLargestComponent(map);
  const auto edges = map.edges();
  for (std::uint32_t id = 0; id < edges.size(); ++id) {
    const EdgeRecord& e = edges[id];
    if (!usable[e.source] || !usable[e.target]) continue;
    const std::uint32_t reverse = reverseEdgeOf(map, id);
    // A two-way road is indexed once, by its edge in drawing direction.
    if (reverse != RoadPosition::kNoEdge && (e.flags & kEdgeReversed)) continue;
    addRoad(id, reverse);
  }
  std::vector<std::pair<Box, std::uint32_t>> items;
  items.reserve(segments_.size());
  for (std::uint32_t i = 0; i < segments_.size(); ++i) {
    Box box;
    box.extend(segments_[i].a);
    box.extend(segments_[i].b);
    items.push_back({box, i});
  }
  tree_ = PackedRTree::build(std::move(items));
  view_ = tree_.view();
  const Box b = map.bounds();
  searchLimit_ =
      4.0 * (std::abs(double(b.maxX) - b.minX) + std::abs(double(b.maxY) - b.minY)) + 1000.0;
}

void Snapper::addRoad(std::uint32_t edge, std::uint32_t reverse) {
  const auto road = static_cast<std::uint32_t>(roads_.size());
  const std::vector<Point> line = map_.edgeGeometry(map_.edges()[edge]);
  double length = 0;
  for (std::size_t i = 1; i < line.size(); ++i) {
    segments_.push_back({road, line[i - 1], line[i], length});
    length += std::hypot(double(line[i].x) - line[i - 1].x, double(line[i].y) - line[i - 1].y);
  }
  roads_.push_back({edge, reverse, length});
}

RoadPosition Snapper::positionOn(const Segment& s, Point p) const {
  const double dx = double(s.b.x) - s.a.x, dy = double(s.b.y) - s.a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = 0;
  if (lengthSquared > 0) {
    t = std::clamp(((double(p.x) - s.a.x) * dx + (double(p.y) - s.a.y) * dy) / lengthSquared, 0.0,
                   1.0);
  }
  const Point onRoad{static_cast<std::int32_t>(std::lround(s.a.x + t * dx)),
                     static_cast<std::int32_t>(std::lround(s.a.y + t * dy))};
  const Road& road = roads_[s.road];
  const double along = s.startLength + t * std::sqrt(lengthSquared);
  RoadPosition pos;
  pos.edge = road.edge;
  pos.reverse = road.reverse;
  pos.fraction = road.mapLength > 0 ? std::clamp(along / road.mapLength, 0.0, 1.0) : 0.0;
  pos.point = onRoad;
  pos.distanceMetres = mapDistanceMetres(p, onRoad);
  return pos;
}

std::vector<RoadPosition> Snapper::nearestPerRoad(Point p, double radiusMapUnits) const {
  std::map<std::uint32_t, std::pair<double, RoadPosition>> best;
  view_.query(boxAround(p, radiusMapUnits), [&](std::uint32_t id) {
    const Segment& s = segments_[id];
    const RoadPosition pos = positionOn(s, p);
    const double d = std::hypot(double(pos.point.x) - p.x, double(pos.point.y) - p.y);
    if (d > radiusMapUnits) return;
    auto found = best.find(s.road);
    if (found == best.end() || d < found->second.first) best[s.road] = {d, pos};
  });
  std::vector<std::pair<double, RoadPosition>> ranked;
  for (auto& [road, entry] : best) ranked.push_back(entry);
  // Ties go to the lower edge id so that the same point always snaps the same way.
  std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.edge < b.second.edge;
  });
  std::vector<RoadPosition> result;
  for (auto& entry : ranked) result.push_back(entry.second);
  return result;
}

std::optional<RoadPosition> Snapper::nearest(Point p) const {
  if (roads_.empty()) return std::nullopt;
  // Widen the box until it holds a road no farther than the box reaches: anything nearer
  // would then lie in the box too.
  for (double radius = 64; radius < 4 * searchLimit_; radius *= 4) {
    const std::vector<RoadPosition> found = nearestPerRoad(p, radius);
    if (!found.empty()) return found.front();
  }
  return std::nullopt;
}

std::vector<RoadPosition> Snapper::within(Point p, double radiusMetres,
                                          std::size_t maxCount) const {
  std::vector<RoadPosition> found = nearestPerRoad(p, radiusMetres * mapUnitsPerMetre(p));
  if (found.size() > maxCount) found.resize(maxCount);
  return found;
}

}  // namespace geo
