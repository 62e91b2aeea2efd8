#include "geo/map/rtree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace geo {
namespace {

// The packed tree must find exactly what a plain scan finds, for trees of one, a few and
// several levels.
TEST(PackedRTree, FindsExactlyTheIntersectingItems) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> coordinate(0, 100000);
  std::uniform_int_distribution<int> extent(0, 3000);
  for (int count : {0, 1, 15, 16, 17, 300, 5000}) {
    std::vector<std::pair<Box, std::uint32_t>> items;
    for (int i = 0; i < count; ++i) {
      const int x = coordinate(random), y = coordinate(random);
      items.push_back(
          {Box{x, y, x + extent(random), y + extent(random)}, static_cast<std::uint32_t>(i)});
    }
    const PackedRTree tree = PackedRTree::build(items);
    EXPECT_TRUE(RTreeView::consistent(tree.boxes.size(), tree.indices.size(), tree.itemCount,
                                      PackedRTree::kNodeSize));
    for (int q = 0; q < 50; ++q) {
      const int x = coordinate(random), y = coordinate(random);
      const Box query{x, y, x + extent(random) * 3, y + extent(random) * 3};
      std::vector<std::uint32_t> expected, found;
      for (const auto& [box, id] : items) {
        if (box.intersects(query)) expected.push_back(id);
      }
      tree.view().query(query, [&](std::uint32_t id) { found.push_back(id); });
      std::sort(found.begin(), found.end());
      EXPECT_EQ(found, expected) << count << " items, query " << q;
    }
  }
}

TEST(PackedRTree, ShapeCheckRejectsWrongSizes) {
  EXPECT_TRUE(RTreeView::consistent(0, 0, 0, 16));
  EXPECT_TRUE(RTreeView::consistent(1, 1, 1, 16));
  EXPECT_TRUE(RTreeView::consistent(17 + 2 + 1, 20, 17, 16));
  EXPECT_FALSE(RTreeView::consistent(19, 19, 17, 16));
  EXPECT_FALSE(RTreeView::consistent(20, 19, 17, 16));
  EXPECT_FALSE(RTreeView::consistent(20, 20, 17, 0));
}

}  // namespace
}  // namespace geo
