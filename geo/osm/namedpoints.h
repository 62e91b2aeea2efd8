#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "geo/map/coords.h"

namespace geo {

// Points filed under a name on a grid, for "the nearest point of this name around here"
// (such as the nearest address in the street of the same name).
class NamedPointIndex {
 public:
  explicit NamedPointIndex(std::int32_t cellSize) : cellSize_(cellSize) {}

  void add(const std::string& name, Point p, std::uint32_t value);
  // The value of the nearest point of that name at most one cell size away from p.
  std::optional<std::uint32_t> nearest(const std::string& name, Point p) const;
  // The same for the point nearest to any point of a line.
  std::optional<std::uint32_t> nearest(const std::string& name,
                                       const std::vector<Point>& line) const;

 private:
  struct Entry {
    Point point;
    std::uint32_t value;
  };
  std::string key(const std::string& name, std::int64_t cellX, std::int64_t cellY) const;
  std::int64_t cell(std::int32_t v) const;
  void search(const std::string& name, Point p, double& bestDistance,
              std::optional<std::uint32_t>& best) const;

  std::int32_t cellSize_;
  std::unordered_map<std::string, std::vector<Entry>> cells_;
};

}  // namespace geo
