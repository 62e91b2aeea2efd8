#pragma once

#include <functional>
#include <queue>
#include <vector>

#include "geo/route/contraction.h"

namespace geo::testing {

// Plain Dijkstra from one node, the reference a hierarchy must agree with.
inline std::vector<Weight> dijkstra(std::uint32_t nodeCount, const std::vector<GraphArc>& arcs,
                                    std::uint32_t source) {
  std::vector<std::vector<const GraphArc*>> out(nodeCount);
  for (const GraphArc& a : arcs) out[a.from].push_back(&a);
  std::vector<Weight> dist(nodeCount, Weight::infinite());
  using Entry = std::pair<Weight, std::uint32_t>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  dist[source] = {};
  queue.push({{}, source});
  while (!queue.empty()) {
    const auto [d, node] = queue.top();
    queue.pop();
    if (dist[node] < d) continue;
    for (const GraphArc* a : out[node]) {
      if (d + a->weight < dist[a->to]) {
        dist[a->to] = d + a->weight;
        queue.push({dist[a->to], a->to});
      }
    }
  }
  return dist;
}

}  // namespace geo::testing
