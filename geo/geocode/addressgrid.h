#pragma once

#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "geo/geocode/addressindex.h"

namespace geo {

// Items filed under square cells of the map, for "what lies near this point".
class AddressIndex::Grid {
 public:
  explicit Grid(std::int32_t cellSize) : cellSize_(cellSize) {}

  void add(const Box& box, std::uint32_t item) {
    for (std::int64_t cx = cell(box.minX); cx <= cell(box.maxX); ++cx) {
      for (std::int64_t cy = cell(box.minY); cy <= cell(box.maxY); ++cy) {
        cells_[key(cx, cy)].push_back(item);
      }
    }
  }
  template <typename Visit>
  void visitNear(Point p, double radius, Visit visit) const {
    const auto r = static_cast<std::int64_t>(std::ceil(radius));
    for (std::int64_t cx = cell(p.x - r); cx <= cell(p.x + r); ++cx) {
      for (std::int64_t cy = cell(p.y - r); cy <= cell(p.y + r); ++cy) {
        const auto found = cells_.find(key(cx, cy));
        if (found == cells_.end()) continue;
        for (const std::uint32_t item : found->second) visit(item);
      }
    }
  }

  // The filled cells as they are, for storing the index; taking them back replaces all.
  const std::unordered_map<std::uint64_t, std::vector<std::uint32_t>>& cells() const {
    return cells_;
  }
  void setCells(std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells) {
    cells_ = std::move(cells);
  }
  std::int32_t cellSize() const { return cellSize_; }

 private:
  std::int64_t cell(std::int64_t v) const {
    return v >= 0 ? v / cellSize_ : -((-v + cellSize_ - 1) / cellSize_);
  }
  static std::uint64_t key(std::int64_t cx, std::int64_t cy) {
    return (static_cast<std::uint64_t>(cx) << 32) ^ static_cast<std::uint32_t>(cy);
  }

  std::int32_t cellSize_;
  std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells_;
};

}  // namespace geo
