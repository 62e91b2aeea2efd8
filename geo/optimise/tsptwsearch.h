#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

#include "geo/optimise/tsptwsegment.h"

namespace geo {

// One path over the nodes of a travel matrix: a fixed head, a body whose order is free and a
// fixed tail. Each node has a window for the start of its service and a service time; times
// and costs are integers in any one unit.
struct TsptwPath {
  int nodeCount = 0;
  std::vector<std::int64_t> time;  // row-major nodeCount x nodeCount travel times
  std::vector<std::int64_t> cost;  // same shape; empty means the travel times are the cost
  std::vector<std::int64_t> ready;
  std::vector<std::int64_t> due;
  std::vector<std::int64_t> service;
  std::vector<int> head;
  std::vector<int> body;
  std::vector<int> tail;

  std::int64_t travelTime(int from, int to) const {
    return time[static_cast<std::size_t>(from) * nodeCount + to];
  }
  std::int64_t travelCost(int from, int to) const {
    return cost.empty() ? travelTime(from, to)
                        : cost[static_cast<std::size_t>(from) * nodeCount + to];
  }
  TsptwSegment segment(int node) const {
    return TsptwSegment::node(node, ready[node], due[node], service[node]);
  }
  TsptwSegment join(const TsptwSegment& a, const TsptwSegment& b) const {
    if (a.empty() || b.empty()) return TsptwSegment::join(a, b, 0, 0);
    return TsptwSegment::join(a, b, travelTime(a.last, b.first), travelCost(a.last, b.first));
  }
};

// Takes the node at position from out and puts it back so that it stands at position to.
inline void moveRouteNode(std::vector<int>& route, int from, int to) {
  if (from < to) {
    std::rotate(route.begin() + from, route.begin() + from + 1, route.begin() + to + 1);
  } else if (to < from) {
    std::rotate(route.begin() + to, route.begin() + from, route.begin() + from + 1);
  }
}

struct TsptwSearchOptions {
  std::uint64_t seed = 1;
  std::int64_t timeLimitMs = 0;  // 0: no limit
  // Rounds without a better answer before the search stops; 0: half the body, at least 30.
  int idleRounds = 0;
  // Set from another thread to end the search early with its best answer so far.
  const std::atomic<bool>* stop = nullptr;
};

struct TsptwAnswer {
  std::vector<int> route;  // head, the body in its new order, tail
  std::int64_t cost = 0;
  std::int64_t warp = 0;  // total lateness; 0 when every window is kept
  bool feasible() const { return warp == 0; }
};

// Iterated local search: relocations of up to three nodes (also reversed) and reversals,
// ordered by (lateness, cost), shaken by random relocations. The same seed gives the same
// answer unless the time limit ends the search first.
TsptwAnswer searchTsptw(const TsptwPath& path, const TsptwSearchOptions& options);

}  // namespace geo
