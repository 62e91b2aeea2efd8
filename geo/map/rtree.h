#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "geo/map/coords.h"

namespace geo {

// A static R-tree packed in Hilbert order: the leaves come first, then each level of parent
// boxes, the root last. For a leaf the index is the item id, for a parent the position of
// its first child. Being two flat arrays, it can be searched straight out of a mapped file.
class RTreeView {
 public:
  RTreeView() = default;
  RTreeView(std::span<const Box> boxes, std::span<const std::uint32_t> indices,
            std::uint32_t itemCount, std::uint32_t nodeSize);

  std::uint32_t itemCount() const { return itemCount_; }
  // Calls visit(id) for every item whose box intersects the query box.
  void query(const Box& box, const std::function<void(std::uint32_t)>& visit) const;

  // Checks that the arrays have the shape the item count and node size demand, so that a
  // damaged file cannot lead a search out of bounds.
  static bool consistent(std::size_t boxCount, std::size_t indexCount, std::uint32_t itemCount,
                         std::uint32_t nodeSize);

 private:
  std::span<const Box> boxes_;
  std::span<const std::uint32_t> indices_;
  std::uint32_t itemCount_ = 0;
  std::uint32_t nodeSize_ = 16;
  std::vector<std::size_t> levelEnds_;
};

struct PackedRTree {
  static constexpr std::uint32_t kNodeSize = 16;
  static PackedRTree build(std::vector<std::pair<Box, std::uint32_t>> items);

  RTreeView view() const;

  std::vector<Box> boxes;
  std::vector<std::uint32_t> indices;
  std::uint32_t itemCount = 0;
};

}  // namespace geo
