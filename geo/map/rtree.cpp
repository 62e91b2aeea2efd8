#include "geo/map/rtree.h"

#include <algorithm>

namespace geo {

namespace {

std::vector<std::size_t> levelEndsFor(std::uint32_t itemCount, std::uint32_t nodeSize) {
  std::vector<std::size_t> ends;
  std::size_t count = itemCount;
  std::size_t total = count;
  ends.push_back(total);
  while (count > 1) {
    count = (count + nodeSize - 1) / nodeSize;
    total += count;
    ends.push_back(total);
  }
  return ends;
}

// Position along a Hilbert curve over a 65536 x 65536 grid.
std::uint32_t hilbert(std::uint32_t x, std::uint32_t y) {
  std::uint32_t d = 0;
  for (std::uint32_t s = 1u << 15; s > 0; s >>= 1) {
    const std::uint32_t rx = (x & s) ? 1 : 0;
    const std::uint32_t ry = (y & s) ? 1 : 0;
    d += s * s * ((3 * rx) ^ ry);
    if (ry == 0) {
      if (rx == 1) {
        x = s - 1 - x;
        y = s - 1 - y;
      }
      std::swap(x, y);
    }
  }
  return d;
}

std::uint32_t gridCell(double v, double lo, double span) {
  if (span <= 0) return 0;
  return static_cast<std::uint32_t>(std::clamp((v - lo) / span * 65535.0, 0.0, 65535.0));
}

}  // namespace

RTreeView::RTreeView(std::span<const Box> boxes, std::span<const std::uint32_t> indices,
                     std::uint32_t itemCount, std::uint32_t nodeSize)
    : boxes_(boxes),
      indices_(indices),
      itemCount_(itemCount),
      nodeSize_(nodeSize),
      levelEnds_(levelEndsFor(itemCount, nodeSize)) {}

bool RTreeView::consistent(std::size_t boxCount, std::size_t indexCount, std::uint32_t itemCount,
                           std::uint32_t nodeSize) {
  if (nodeSize < 2 || boxCount != indexCount) return false;
  if (itemCount == 0) return boxCount == 0;
  return levelEndsFor(itemCount, nodeSize).back() == boxCount;
}

void RTreeView::query(const Box& box, const std::function<void(std::uint32_t)>& visit) const {
  if (itemCount_ == 0 || boxes_.empty()) return;
  std::vector<std::size_t> pending;
  std::size_t nodeIndex = boxes_.size() - 1;
  for (;;) {
    const auto levelEnd = *std::upper_bound(levelEnds_.begin(), levelEnds_.end(), nodeIndex);
    const std::size_t end = std::min<std::size_t>(nodeIndex + nodeSize_, levelEnd);
    for (std::size_t pos = nodeIndex; pos < end; ++pos) {
      if (!box.intersects(boxes_[pos])) continue;
      const std::uint32_t index = indices_[pos];
      if (nodeIndex >= itemCount_) {
        // Children always lie below their parent; anything else is damage.
        if (index < nodeIndex) pending.push_back(index);
      } else {
        visit(index);
      }
    }
    if (pending.empty()) return;
    nodeIndex = pending.back();
    pending.pop_back();
  }
}

PackedRTree PackedRTree::build(std::vector<std::pair<Box, std::uint32_t>> items) {
  PackedRTree tree;
  tree.itemCount = static_cast<std::uint32_t>(items.size());
  if (items.empty()) return tree;

  Box all;
  for (const auto& item : items) all.extend(item.first);
  const double spanX = static_cast<double>(all.maxX) - all.minX;
  const double spanY = static_cast<double>(all.maxY) - all.minY;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> order;  // hilbert value, item position
  order.reserve(items.size());
  for (std::uint32_t i = 0; i < items.size(); ++i) {
    const Box& b = items[i].first;
    const double cx = (static_cast<double>(b.minX) + b.maxX) / 2;
    const double cy = (static_cast<double>(b.minY) + b.maxY) / 2;
    order.emplace_back(hilbert(gridCell(cx, all.minX, spanX), gridCell(cy, all.minY, spanY)), i);
  }
  std::sort(order.begin(), order.end());

  for (const auto& [h, i] : order) {
    tree.boxes.push_back(items[i].first);
    tree.indices.push_back(items[i].second);
  }
  const auto levelEnds = levelEndsFor(tree.itemCount, kNodeSize);
  std::size_t levelStart = 0;
  for (std::size_t level = 0; level + 1 < levelEnds.size(); ++level) {
    for (std::size_t pos = levelStart; pos < levelEnds[level]; pos += kNodeSize) {
      Box parent;
      const std::size_t end = std::min<std::size_t>(pos + kNodeSize, levelEnds[level]);
      for (std::size_t child = pos; child < end; ++child) parent.extend(tree.boxes[child]);
      tree.boxes.push_back(parent);
      tree.indices.push_back(static_cast<std::uint32_t>(pos));
    }
    levelStart = levelEnds[level];
  }
  return tree;
}

RTreeView PackedRTree::view() const { return RTreeView(boxes, indices, itemCount, kNodeSize); }

}  // namespace geo
