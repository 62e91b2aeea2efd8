#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "geo/optimise/tsptwinstance.h"
#include "geo/optimise/tsptwsearch.h"

namespace geo {
namespace {

const std::string kSmallInstance = R"(NAME : small
TYPE : TSPTW
DIMENSION : 3
EDGE_WEIGHT_TYPE : EXPLICIT
EDGE_WEIGHT_FORMAT : FULL_MATRIX
EDGE_WEIGHT_SECTION
0 5 9
5 0 4
9 4 0
TIME_WINDOW_SECTION
1 0 100
2 0 10
3 20 30
DEPOT_SECTION
1
-1
EOF
)";

TEST(TsptwInstance, ReadsMatrixWindowsAndDepot) {
  TsptwInstance instance;
  std::string error;
  ASSERT_TRUE(parseTsptwInstance(kSmallInstance, instance, error)) << error;
  EXPECT_EQ(instance.name, "small");
  EXPECT_EQ(instance.dimension, 3);
  EXPECT_EQ(instance.travel(2, 1), 4);
  EXPECT_EQ(instance.ready, (std::vector<std::int64_t>{0, 0, 20}));
  EXPECT_EQ(instance.due, (std::vector<std::int64_t>{100, 10, 30}));
  const TsptwPath path = instance.path();
  EXPECT_EQ(path.head, std::vector<int>{0});
  EXPECT_EQ(path.body, (std::vector<int>{1, 2}));
  EXPECT_EQ(path.tail, std::vector<int>{0});
}

TEST(TsptwInstance, RefusesBrokenFilesWithAMessage) {
  const auto replaced = [](std::string from, std::string to) {
    std::string text = kSmallInstance;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"no dimension", replaced("DIMENSION : 3\n", "")},
      {"dimension not a number", replaced("DIMENSION : 3", "DIMENSION : drei")},
      {"dimension too large to hold", replaced("DIMENSION : 3", "DIMENSION : 99999999")},
      {"dimension changed after the matrix",
       replaced("TIME_WINDOW_SECTION", "DIMENSION : 4\nTIME_WINDOW_SECTION")},
      {"coordinates instead of a matrix", replaced("EXPLICIT", "EUC_2D")},
      {"matrix too short", replaced("9 4 0\n", "")},
      {"negative distance", replaced("0 5 9", "0 -5 9")},
      {"window ends before it starts", replaced("3 20 30", "3 30 20")},
      {"node numbered twice", replaced("3 20 30", "2 20 30")},
      {"node out of range", replaced("3 20 30", "4 20 30")},
      {"windows missing", replaced("TIME_WINDOW_SECTION", "OTHER")},
      {"other depot", replaced("DEPOT_SECTION\n1", "DEPOT_SECTION\n2")},
      {"empty", ""},
  };
  for (const auto& [what, text] : cases) {
    TsptwInstance instance;
    std::string error;
    EXPECT_FALSE(parseTsptwInstance(text, instance, error)) << what;
    EXPECT_FALSE(error.empty()) << what;
  }
  TsptwInstance instance;
  std::string error;
  EXPECT_FALSE(readTsptwInstance("/nonexistent/file.tsptw", instance, error));
  EXPECT_NE(error.find("/nonexistent/file.tsptw"), std::string::npos);
}

// Random instance: points in a square, rounded Euclidean times, windows around the arrival
// times of a random tour so that at least that tour is feasible.
TsptwPath randomPath(std::mt19937& random, int customers, int width, std::int64_t service) {
  const int n = customers + 1;
  std::uniform_int_distribution<int> coordinate(0, 50);
  std::vector<std::pair<int, int>> points(n);
  for (auto& p : points) p = {coordinate(random), coordinate(random)};
  TsptwPath path;
  path.nodeCount = n;
  for (int a = 0; a < n; ++a) {
    for (int b = 0; b < n; ++b) {
      const double dx = points[a].first - points[b].first;
      const double dy = points[a].second - points[b].second;
      path.time.push_back(std::lround(std::hypot(dx, dy)));
    }
  }
  std::vector<int> tour(customers);
  std::iota(tour.begin(), tour.end(), 1);
  std::shuffle(tour.begin(), tour.end(), random);
  path.ready.assign(n, 0);
  path.due.assign(n, 0);
  path.service.assign(n, service);
  path.service[0] = 0;
  std::int64_t t = 0;
  int at = 0;
  std::uniform_int_distribution<int> offset(0, width);
  for (int node : tour) {
    t += path.time[at * n + node];
    path.ready[node] = std::max<std::int64_t>(t - offset(random), 0);
    path.due[node] = path.ready[node] + width;
    t += service;
    at = node;
  }
  path.due[0] = t + path.time[at * n] + width;
  path.head = {0};
  path.body = tour;
  std::sort(path.body.begin(), path.body.end());
  path.tail = {0};
  return path;
}

// Checks a route node by node, independent of the segment arithmetic.
std::int64_t lateness(const TsptwPath& path, const std::vector<int>& route) {
  std::int64_t t = 0, late = 0;
  for (std::size_t k = 0; k < route.size(); ++k) {
    if (k > 0) t += path.travelTime(route[k - 1], route[k]);
    t = std::max(t, path.ready[route[k]]);
    late += std::max<std::int64_t>(t - path.due[route[k]], 0);
    t = std::min(t, path.due[route[k]]) + path.service[route[k]];
  }
  return late;
}

std::int64_t costOf(const TsptwPath& path, const std::vector<int>& route) {
  std::int64_t cost = 0;
  for (std::size_t k = 1; k < route.size(); ++k) cost += path.travelCost(route[k - 1], route[k]);
  return cost;
}

// Every order of up to seven customers, so the search must find the true optimum.
std::int64_t bruteForceOptimum(const TsptwPath& path) {
  std::vector<int> body = path.body;
  std::int64_t best = -1;
  do {
    std::vector<int> route = path.head;
    route.insert(route.end(), body.begin(), body.end());
    route.insert(route.end(), path.tail.begin(), path.tail.end());
    if (lateness(path, route) == 0 && (best < 0 || costOf(path, route) < best)) {
      best = costOf(path, route);
    }
  } while (std::next_permutation(body.begin(), body.end()));
  return best;
}

TEST(TsptwSearch, FindsTheOptimumOfSmallInstances) {
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    const int width = round % 2 ? 15 : 60;
    const TsptwPath path = randomPath(random, 3 + round % 5, width, round % 3);
    const TsptwAnswer answer = searchTsptw(path, {});
    ASSERT_TRUE(answer.feasible()) << "round " << round;
    EXPECT_EQ(lateness(path, answer.route), 0) << "round " << round;
    EXPECT_EQ(answer.cost, costOf(path, answer.route)) << "round " << round;
    EXPECT_EQ(answer.cost, bruteForceOptimum(path)) << "round " << round;
  }
}

TEST(TsptwSearch, KeepsHeadAndTailAndVisitsEveryBodyNodeOnce) {
  std::mt19937 random(11);
  TsptwPath path = randomPath(random, 30, 40, 2);
  // An asymmetric cost that differs from the times: the search must add up the cost matrix.
  for (std::size_t k = 0; k < path.time.size(); ++k) {
    path.cost.push_back(path.time[k] + static_cast<std::int64_t>(k % 7));
  }
  path.head = {0, path.body.front()};
  path.body.erase(path.body.begin());
  path.tail = {path.body.back()};
  path.body.pop_back();
  const TsptwAnswer answer = searchTsptw(path, {});
  ASSERT_EQ(answer.route.size(), 31u);
  EXPECT_EQ(answer.route[0], path.head[0]);
  EXPECT_EQ(answer.route[1], path.head[1]);
  EXPECT_EQ(answer.route.back(), path.tail[0]);
  std::vector<int> middle(answer.route.begin() + 2, answer.route.end() - 1);
  std::sort(middle.begin(), middle.end());
  EXPECT_EQ(middle, path.body);
  EXPECT_EQ(answer.cost, costOf(path, answer.route));
  EXPECT_EQ(answer.warp == 0, lateness(path, answer.route) == 0);
}

TEST(TsptwSearch, SameSeedSameAnswer) {
  std::mt19937 random(3);
  const TsptwPath path = randomPath(random, 40, 80, 0);
  TsptwSearchOptions options;
  options.seed = 99;
  EXPECT_EQ(searchTsptw(path, options).route, searchTsptw(path, options).route);
}

TEST(TsptwSearch, ReportsLatenessWhenNoOrderKeepsTheWindows) {
  TsptwPath path;
  path.nodeCount = 3;
  path.time = {0, 10, 10, 10, 0, 10, 10, 10, 0};
  path.ready = {0, 0, 0};
  path.due = {100, 5, 5};  // neither customer can be reached in time
  path.service = {0, 0, 0};
  path.head = {0};
  path.body = {1, 2};
  path.tail = {0};
  const TsptwAnswer answer = searchTsptw(path, {});
  EXPECT_FALSE(answer.feasible());
  EXPECT_EQ(answer.warp, lateness(path, answer.route));
}

TEST(TsptwSearch, SolvesADumasInstanceToItsBestKnownValue) {
  const std::string file = std::string(ZEP_SHARED_DATA_DIR) + "/tsptw/dumas/n40w60.002.tsptw";
  TsptwInstance instance;
  std::string error;
  if (!readTsptwInstance(file, instance, error)) GTEST_SKIP() << error;
  const TsptwAnswer answer = searchTsptw(instance.path(), {});
  EXPECT_TRUE(answer.feasible());
  EXPECT_EQ(answer.cost, 470);
  EXPECT_EQ(lateness(instance.path(), answer.route), 0);
}

}  // namespace
}  // namespace geo
