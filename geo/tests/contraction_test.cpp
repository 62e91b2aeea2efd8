#include "geo/route/contraction.h"

#include <gtest/gtest.h>

#include <random>

#include "geo/tests/plaindijkstra.h"

namespace geo {
namespace {

using testing::dijkstra;

// A random road-like graph: nodes on a grid, links to near neighbours, some one-way, with
// a separate island of nodes that nothing leads to or from. Small integer weights make
// equal-cost alternatives frequent, where only the tie-break keeps results unique.
std::vector<GraphArc> randomGraph(std::uint32_t side, std::uint32_t island, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::uint32_t> cost(1, 6), oneWay(0, 4), skip(0, 5);
  std::vector<GraphArc> arcs;
  const auto link = [&](std::uint32_t a, std::uint32_t b) {
    if (skip(random) == 0) return;
    const std::uint32_t c = cost(random);
    const Weight w{c, c * 1000 + cost(random), c * 500 + cost(random)};
    const auto id = static_cast<std::uint32_t>(arcs.size());
    arcs.push_back({a, b, w, id});
    if (oneWay(random) != 0) arcs.push_back({b, a, w, id + 1});
  };
  for (std::uint32_t y = 0; y < side; ++y) {
    for (std::uint32_t x = 0; x < side; ++x) {
      const std::uint32_t n = y * side + x;
      if (x + 1 < side) link(n, n + 1);
      if (y + 1 < side) link(n, n + side);
      if (x + 1 < side && y + 1 < side && skip(random) < 2) link(n, n + side + 1);
    }
  }
  const std::uint32_t first = side * side;
  for (std::uint32_t i = 0; i + 1 < island; ++i) link(first + i, first + i + 1);
  return arcs;
}

TEST(ContractionHierarchy, TableAndPathsEqualPlainDijkstraOnRandomGraphs) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    const std::uint32_t side = 14, island = 5, n = side * side + island;
    const std::vector<GraphArc> arcs = randomGraph(side, island, seed);
    const auto ch = ContractionHierarchy::build(n, arcs);

    std::vector<std::vector<SearchEndpoint>> all;
    for (std::uint32_t v = 0; v < n; ++v) all.push_back({{v, {}}});
    const std::vector<Weight> table = ch.table(all, all);
    for (std::uint32_t s = 0; s < n; s += 7) {
      const std::vector<Weight> expected = dijkstra(n, arcs, s);
      for (std::uint32_t t = 0; t < n; ++t) {
        ASSERT_EQ(table[s * n + t], expected[t]) << s << " -> " << t;
        const SearchEndpoint from[] = {{s, {}}}, to[] = {{t, {}}};
        const HierarchyPath path = ch.shortestPath(from, to);
        ASSERT_EQ(path.weight, expected[t]) << s << " -> " << t;
        if (path.weight.isInfinite()) continue;
        // The unpacked edges form a chain from s to t that weighs what the search says.
        std::uint32_t at = s;
        Weight sum;
        for (std::uint32_t edge : path.edges) {
          ASSERT_EQ(arcs[edge].from, at);
          at = arcs[edge].to;
          sum = sum + arcs[edge].weight;
        }
        EXPECT_EQ(at, t);
        EXPECT_EQ(sum, path.weight);
      }
    }
  }
}

TEST(ContractionHierarchy, IslandAndMainGraphCannotReachEachOther) {
  const std::vector<GraphArc> arcs = randomGraph(6, 4, 9);
  const auto ch = ContractionHierarchy::build(40, arcs);
  const SearchEndpoint main[] = {{0, {}}}, island[] = {{37, {}}};
  EXPECT_TRUE(ch.shortestPath(main, island).weight.isInfinite());
  EXPECT_TRUE(ch.shortestPath(island, main).weight.isInfinite());
  EXPECT_TRUE(ch.table({{{0, {}}}}, {{{37, {}}}}).front().isInfinite());
}

TEST(ContractionHierarchy, StartOffsetsChooseTheCheaperWayOntoTheGraph) {
  // 0 -> 1 -> 2 and 3 -> 2, reached from two entry points with different offsets.
  const std::vector<GraphArc> arcs = {
      {0, 1, {10, 10, 10}, 0}, {1, 2, {10, 10, 10}, 1}, {3, 2, {5, 5, 5}, 2}};
  const auto ch = ContractionHierarchy::build(4, arcs);
  const SearchEndpoint cheapViaZero[] = {{0, {1, 1, 1}}, {3, {20, 20, 20}}};
  const SearchEndpoint cheapViaThree[] = {{0, {1, 1, 1}}, {3, {2, 2, 2}}};
  const SearchEndpoint target[] = {{2, {3, 3, 3}}};

  const HierarchyPath first = ch.shortestPath(cheapViaZero, target);
  EXPECT_EQ(first.weight, (Weight{24, 24, 24}));
  EXPECT_EQ(first.source, 0u);
  EXPECT_EQ(first.edges, (std::vector<std::uint32_t>{0, 1}));

  const HierarchyPath second = ch.shortestPath(cheapViaThree, target);
  EXPECT_EQ(second.weight, (Weight{10, 10, 10}));
  EXPECT_EQ(second.source, 1u);
  EXPECT_EQ(second.edges, (std::vector<std::uint32_t>{2}));
}

TEST(ContractionHierarchy, EqualCostsAreDecidedByTimeThenLength) {
  // Two ways of equal cost from 0 to 3: over 1 slower, over 2 faster but longer.
  const std::vector<GraphArc> arcs = {{0, 1, {5, 100, 10}, 0},
                                      {1, 3, {5, 100, 10}, 1},
                                      {0, 2, {5, 90, 50}, 2},
                                      {2, 3, {5, 90, 50}, 3}};
  const auto ch = ContractionHierarchy::build(4, arcs);
  const SearchEndpoint from[] = {{0, {}}}, to[] = {{3, {}}};
  EXPECT_EQ(ch.shortestPath(from, to).edges, (std::vector<std::uint32_t>{2, 3}));
  EXPECT_EQ(ch.table({{{0, {}}}}, {{{3, {}}}}).front(), (Weight{10, 180, 100}));
}

}  // namespace
}  // namespace geo
