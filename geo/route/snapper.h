#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "geo/map/compiledmap.h"
#include "geo/map/rtree.h"

namespace geo {

// A place on a road: on edge `edge` at `fraction` of its length from the edge's source.
// `reverse` is the edge of the same road in the other direction when the road is two-way.
struct RoadPosition {
  static constexpr std::uint32_t kNoEdge = 0xFFFFFFFFu;

  std::uint32_t edge = 0;
  std::uint32_t reverse = kNoEdge;
  double fraction = 0;
  Point point;                // on the road
  double distanceMetres = 0;  // from the point that was snapped

  bool twoWay() const { return reverse != kNoEdge; }
};

// Finds the nearest usable road to a point. Usable roads are those of the largest strongly
// connected part of the graph: from anywhere else some destinations could not be reached.
class Snapper {
 public:
  explicit Snapper(const CompiledMap& map);

  bool empty() const { return roads_.empty(); }
  std::optional<RoadPosition> nearest(Point p) const;
  // The nearest place on every road within the radius, nearest first, at most maxCount.
  std::vector<RoadPosition> within(Point p, double radiusMetres, std::size_t maxCount) const;

 private:
  struct Road {
    std::uint32_t edge;
    std::uint32_t reverse;
    double mapLength;
  };
  struct Segment {
    std::uint32_t road;
    Point a, b;
    double startLength;  // map length of the road before this segment
  };

  void addRoad(std::uint32_t edge, std::uint32_t reverse);
  RoadPosition positionOn(const Segment& segment, Point p) const;
  std::vector<RoadPosition> nearestPerRoad(Point p, double radiusMapUnits) const;

  const CompiledMap& map_;
  std::vector<Road> roads_;
  std::vector<Segment> segments_;
  PackedRTree tree_;
  RTreeView view_;
  double searchLimit_ = 0;
};

// The other-direction edge of the same road, or RoadPosition::kNoEdge.
std::uint32_t reverseEdgeOf(const CompiledMap& map, std::uint32_t edge);

}  // namespace geo
