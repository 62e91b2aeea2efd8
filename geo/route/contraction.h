#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "geo/route/routeweight.h"

namespace geo {

// A directed arc of the graph to be contracted; edge is the caller's id, handed back when a
// path is unpacked.
struct GraphArc {
  std::uint32_t from = 0;
  std::uint32_t to = 0;
  Weight weight;
  std::uint32_t edge = 0;
};

// Where a search starts or ends: a node reached at an extra weight (the part of an edge
// between a point on the road and the edge's end).
struct SearchEndpoint {
  std::uint32_t node = 0;
  Weight offset;
};

struct HierarchyPath {
  Weight weight = Weight::infinite();  // infinite when the targets cannot be reached
  std::size_t source = 0;              // which source endpoint the path leaves from
  std::size_t target = 0;              // which target endpoint it arrives at
  std::vector<std::uint32_t> edges;    // the caller's edge ids from source to target node
};

// Contraction hierarchy: nodes are ranked, shortcuts keep shortest paths when lower nodes
// are taken out, and every query searches upwards only, from both ends. That makes one
// query touch a few hundred nodes, and a matrix one search per point plus bucket scans.
class ContractionHierarchy {
 public:
  static ContractionHierarchy build(std::uint32_t nodeCount, std::span<const GraphArc> arcs);

  std::uint32_t nodeCount() const { return static_cast<std::uint32_t>(rank_.size()); }
  std::size_t arcCount() const { return upArcs_.size() + downArcs_.size(); }

  HierarchyPath shortestPath(std::span<const SearchEndpoint> sources,
                             std::span<const SearchEndpoint> targets) const;

  // Weights from every source group to every target group, row by row (sources.size() x
  // targets.size()); a group stands for one point and holds its ways onto the graph.
  std::vector<Weight> table(const std::vector<std::vector<SearchEndpoint>>& sources,
                            const std::vector<std::vector<SearchEndpoint>>& targets) const;

  struct Arc {
    std::uint32_t other;   // target of an upward arc, source of a downward one
    std::uint32_t middle;  // contracted node a shortcut leads over; kNoNode for graph arcs
    std::uint32_t edge;    // caller's edge id of a graph arc
    Weight weight;
  };
  static_assert(sizeof(Arc) == 24);
  static constexpr std::uint32_t kNoNode = 0xFFFFFFFFu;

  // The arrays a hierarchy consists of, for storing it and reading it back.
  struct Arrays {
    std::vector<std::uint32_t> rank;
    std::vector<std::uint32_t> upFirst, downFirst;  // per node, where its arcs start
    std::vector<Arc> upArcs, downArcs;
  };
  std::span<const std::uint32_t> ranks() const { return rank_; }
  std::span<const std::uint32_t> upOffsets() const { return upFirst_; }
  std::span<const std::uint32_t> downOffsets() const { return downFirst_; }
  std::span<const Arc> upArcList() const { return upArcs_; }
  std::span<const Arc> downArcList() const { return downArcs_; }
  // A hierarchy from stored arrays, when they form one over a graph of edgeCount edges:
  // ranks a permutation, arcs upwards, every shortcut made of two arcs over a lower node.
  // Anything else gives nothing, so that no query can run off the arrays.
  static std::optional<ContractionHierarchy> fromArrays(Arrays arrays, std::uint32_t edgeCount);

 private:
  class Builder;
  struct Search;
  // Search arrays span all nodes; they are kept for the next query instead of being made
  // anew each time, which on a large map would cost more than the search itself.
  class SearchPool {
   public:
    SearchPool();
    ~SearchPool();
    std::unique_ptr<Search> take(std::uint32_t nodeCount);
    void giveBack(std::unique_ptr<Search> search);

   private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<Search>> spare_;
  };
  struct PooledSearch;

  std::span<const Arc> upFrom(std::uint32_t node) const;
  std::span<const Arc> downInto(std::uint32_t node) const;
  void unpack(std::uint32_t from, std::uint32_t to, const Arc& arc,
              std::vector<std::uint32_t>& edges) const;
  const Arc& arcBetween(std::uint32_t from, std::uint32_t to) const;

  std::vector<std::uint32_t> rank_;
  std::vector<std::uint32_t> upFirst_, downFirst_;
  std::vector<Arc> upArcs_;    // per node, arcs to higher-ranked nodes
  std::vector<Arc> downArcs_;  // per node, arcs from higher-ranked nodes into it
  std::shared_ptr<SearchPool> pool_ = std::make_shared<SearchPool>();
};

}  // namespace geo
