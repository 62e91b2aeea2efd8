#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "geo/map/compiledmap.h"
#include "geo/map/mapbuilder.h"
#include "geo/tests/tempdir.h"

namespace geo::testing {

// A hand-made road network written as a compiled map. Coordinates are map metres near the
// equator, where map units and metres on the ground agree closely.
class RoadSketch {
 public:
  struct Road {
    std::uint32_t from, to;
    std::uint8_t roadClass = 5;
    bool oneWay = false;
    bool builtUp = false;
    std::string name = "";
    std::vector<Point> inner = {};
    bool againstDrawing = false;  // a one-way road driven from `to` to `from`
  };

  void road(const Road& r) {
    Point previous = points_.at(r.from);
    double length = 0;
    for (Point p : r.inner) {
      length += std::hypot(double(p.x) - previous.x, double(p.y) - previous.y);
      previous = p;
    }
    const Point end = points_.at(r.to);
    length += std::hypot(double(end.x) - previous.x, double(end.y) - previous.y);
    builder_.addRoad({r.from, r.to, r.inner, length, r.name.empty() ? "Weg" : r.name, r.roadClass,
                      !r.againstDrawing, !r.oneWay || r.againstDrawing, r.builtUp});
  }

  std::uint32_t at(std::int32_t x, std::int32_t y) {
    points_.push_back({x, y});
    return builder_.addNode({x, y});
  }

  std::unique_ptr<CompiledMap> open() {
    std::string error;
    EXPECT_TRUE(builder_.write(dir_.path(), error)) << error;
    auto map = CompiledMap::open(dir_.path(), error);
    EXPECT_TRUE(map) << error;
    return map;
  }

 private:
  TempDir dir_;
  MapBuilder builder_;
  std::vector<Point> points_;
};

}  // namespace geo::testing
