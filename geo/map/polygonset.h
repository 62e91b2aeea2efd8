#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "geo/map/geometry.h"
#include "geo/map/rtree.h"

namespace geo {

// Polygons with a number each, searchable by point once built.
class PolygonSet {
 public:
  void add(std::vector<Line> rings, std::uint32_t value);
  void build();

  bool anyContains(Point p) const;
  // The value of the smallest polygon (by bounding box) that holds the point.
  std::optional<std::uint32_t> smallestContaining(Point p) const;
  std::size_t size() const { return polygons_.size(); }

 private:
  struct Polygon {
    std::vector<Line> rings;
    Box box;
    std::uint32_t value;
  };
  std::vector<Polygon> polygons_;
  PackedRTree tree_;
};

// Circles around points, for "the nearest place whose reach covers this point".
class ReachSet {
 public:
  void add(Point centre, double radius, std::uint32_t value);
  void build();
  struct Hit {
    std::uint32_t value;
    double distance;  // map units from the centre
  };
  // Of the circles holding the point, the one whose centre is nearest relative to its radius.
  std::optional<Hit> nearest(Point p) const;

 private:
  struct Circle {
    Point centre;
    double radius;
    std::uint32_t value;
  };
  std::vector<Circle> circles_;
  PackedRTree tree_;
};

}  // namespace geo
