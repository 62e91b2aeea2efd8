#include "geo/route/contraction.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <thread>
#include <utility>

namespace geo {

namespace {

using Arc = ContractionHierarchy::Arc;
using QueueEntry = std::pair<Weight, std::uint32_t>;
using MinQueue = std::priority_queue<QueueEntry, std::vector<QueueEntry>, std::greater<>>;

// A witness search that runs longer than this gives up and the shortcut is added anyway:
// a superfluous shortcut costs a little space, a missing one a wrong answer.
constexpr std::size_t kWitnessSettleLimit = 500;
constexpr std::size_t kEstimateSettleLimit = 50;

std::vector<std::uint32_t> offsetsOf(const std::vector<std::vector<Arc>>& lists) {
  std::vector<std::uint32_t> first{0};
  for (const auto& list : lists) first.push_back(first.back() + list.size());
  return first;
}

// Runs work(first, last) over [0, count) in a few equal slices on the machine's cores; the
// slices touch nothing in common.
template <typename Work>
void inSlices(std::size_t count, std::size_t minimumPerSlice, Work work) {
  const std::size_t cores = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
  const std::size_t slices = std::clamp<std::size_t>(count / minimumPerSlice, 1, cores);
  const std::size_t size = (count + slices - 1) / slices;
  std::vector<std::thread> helpers;
  for (std::size_t s = 1; s < slices; ++s) {
    helpers.emplace_back([&, s] { work(s * size, std::min(count, (s + 1) * size)); });
  }
  work(0, std::min(count, size));
  for (std::thread& helper : helpers) helper.join();
}

std::vector<Arc> flatten(std::vector<std::vector<Arc>>& lists) {
  std::vector<Arc> all;
  for (auto& list : lists) all.insert(all.end(), list.begin(), list.end());
  return all;
}

}  // namespace

class ContractionHierarchy::Builder {
 public:
  Builder(std::uint32_t nodeCount, std::span<const GraphArc> arcs)
      : out_(nodeCount),
        in_(nodeCount),
        up_(nodeCount),
        down_(nodeCount),
        contracted_(nodeCount, false),
        contractedNeighbours_(nodeCount, 0),
        depth_(nodeCount, 0),
        rank_(nodeCount, 0),
        witness_(nodeCount) {
    for (const GraphArc& a : arcs) {
      if (a.from != a.to && a.from < nodeCount && a.to < nodeCount) {
        addOrImprove(a.from, a.to, a.weight, kNoNode, a.edge);
      }
    }
  }

  ContractionHierarchy run() {
    MinQueue order;
    const std::vector<Weight> initial = initialPriorities();
    for (std::uint32_t v = 0; v < rank_.size(); ++v) order.push({initial[v], v});
    std::uint32_t nextRank = 0;
    while (!order.empty()) {
      const std::uint32_t v = order.top().second;
      order.pop();
      if (contracted_[v]) continue;
      // Priorities go stale as neighbours are contracted: recompute, and put the node back
      // when it is no longer the cheapest.
      const Weight current = priorityWeight(v, witness_);
      if (!order.empty() && order.top().first < current) {
        order.push({current, v});
        continue;
      }
      contract(v, nextRank++);
    }
    return finish();
  }

 private:
  ContractionHierarchy finish() {
    ContractionHierarchy ch;
    ch.rank_ = std::move(rank_);
    ch.upFirst_ = offsetsOf(up_);
    ch.downFirst_ = offsetsOf(down_);
    ch.upArcs_ = flatten(up_);
    ch.downArcs_ = flatten(down_);
    return ch;
  }

  struct Shortcut {
    std::uint32_t from, to;
    Weight weight;
  };

  // What one witness search needs; each thread has its own.
  struct Witness {
    explicit Witness(std::uint32_t nodeCount)
        : dist(nodeCount, Weight::infinite()), isTarget(nodeCount, false) {}
    std::vector<Weight> dist;
    std::vector<bool> isTarget;
    std::vector<std::uint32_t> touched;
    MinQueue queue;
  };

  // The first priorities of all nodes only read the graph, so they are worked out on all
  // cores; this is a good part of the whole build.
  std::vector<Weight> initialPriorities() {
    const auto nodeCount = static_cast<std::uint32_t>(rank_.size());
    std::vector<Weight> priorities(nodeCount);
    constexpr std::size_t kNodesPerThread = 10000;
    inSlices(nodeCount, kNodesPerThread, [&](std::size_t first, std::size_t last) {
      Witness witness(nodeCount);
      for (std::size_t v = first; v < last; ++v) {
        priorities[v] = priorityWeight(static_cast<std::uint32_t>(v), witness);
      }
    });
    return priorities;
  }

  void addOrImprove(std::uint32_t from, std::uint32_t to, Weight weight, std::uint32_t middle,
                    std::uint32_t edge) {
    for (Arc& arc : out_[from]) {
      if (arc.other != to) continue;
      if (weight < arc.weight) {
        arc = {to, middle, edge, weight};
        for (Arc& mirror : in_[to]) {
          if (mirror.other == from) mirror = {from, middle, edge, weight};
        }
      }
      return;
    }
    out_[from].push_back({to, middle, edge, weight});
    in_[to].push_back({from, middle, edge, weight});
  }

  // Shortcuts needed when v is taken out: for every pair of live neighbours u -> v -> w whose
  // path over v is shorter than anything a search around v finds. Estimating a priority
  // searches less far than the real contraction.
  std::vector<Shortcut> shortcutsFor(std::uint32_t v, std::size_t settleLimit, Witness& w) const {
    std::vector<Shortcut> shortcuts;
    for (const Arc& into : in_[v]) {
      const std::uint32_t u = into.other;
      Weight limit;
      std::size_t targets = 0;
      for (const Arc& onward : out_[v]) {
        if (onward.other == u) continue;
        limit = std::max(limit, into.weight + onward.weight);
        w.isTarget[onward.other] = true;
        ++targets;
      }
      if (targets == 0) continue;
      witnessSearch(u, v, limit, settleLimit, targets, w);
      for (const Arc& onward : out_[v]) {
        w.isTarget[onward.other] = false;
        if (onward.other == u) continue;
        const Weight viaV = into.weight + onward.weight;
        if (viaV < w.dist[onward.other]) shortcuts.push_back({u, onward.other, viaV});
      }
      clearWitness(w);
    }
    return shortcuts;
  }

  void witnessSearch(std::uint32_t source, std::uint32_t avoided, Weight limit,
                     std::size_t settleLimit, std::size_t targets, Witness& w) const {
    w.queue = {};
    w.dist[source] = Weight{};
    w.touched.push_back(source);
    w.queue.push({Weight{}, source});
    std::size_t settled = 0;
    while (!w.queue.empty() && settled < settleLimit && targets > 0) {
      const auto [d, node] = w.queue.top();
      w.queue.pop();
      if (w.dist[node] < d) continue;
      if (limit < d) break;
      ++settled;
      if (w.isTarget[node]) --targets;
      for (const Arc& arc : out_[node]) {
        if (arc.other == avoided) continue;
        const Weight next = d + arc.weight;
        if (next < w.dist[arc.other]) {
          if (w.dist[arc.other].isInfinite()) w.touched.push_back(arc.other);
          w.dist[arc.other] = next;
          w.queue.push({next, arc.other});
        }
      }
    }
  }

  static void clearWitness(Witness& w) {
    for (std::uint32_t node : w.touched) w.dist[node] = Weight::infinite();
    w.touched.clear();
  }

  // Edge difference plus contracted neighbours plus depth, as a weight so that it sorts in
  // the queue.
  Weight priorityWeight(std::uint32_t v, Witness& w) const {
    const auto degree = static_cast<std::int64_t>(in_[v].size() + out_[v].size());
    const std::int64_t priority =
        static_cast<std::int64_t>(shortcutsFor(v, kEstimateSettleLimit, w).size()) - degree +
        contractedNeighbours_[v] + depth_[v];
    // Shifted so that negative priorities still compare correctly as unsigned numbers.
    return {static_cast<std::uint32_t>(priority + (1LL << 30)), v, 0};
  }

  void contract(std::uint32_t v, std::uint32_t rank) {
    const std::vector<Shortcut> shortcuts = shortcutsFor(v, kWitnessSettleLimit, witness_);
    rank_[v] = rank;
    contracted_[v] = true;
    // The arcs that remain are those to nodes contracted later, hence ranked higher.
    up_[v] = std::move(out_[v]);
    down_[v] = std::move(in_[v]);
    // A node's depth is how many levels of contracted nodes lie below it; taking the depth
    // into the priority keeps the hierarchy flat, which keeps the upper levels sparse.
    for (const auto* arcs : {&up_[v], &down_[v]}) {
      for (const Arc& a : *arcs) depth_[a.other] = std::max(depth_[a.other], depth_[v] + 1);
    }
    for (const Arc& a : up_[v]) {
      ++contractedNeighbours_[a.other];
      std::erase_if(in_[a.other], [v](const Arc& b) { return b.other == v; });
    }
    for (const Arc& a : down_[v]) {
      ++contractedNeighbours_[a.other];
      std::erase_if(out_[a.other], [v](const Arc& b) { return b.other == v; });
    }
    out_[v] = {};
    in_[v] = {};
    for (const Shortcut& s : shortcuts) addOrImprove(s.from, s.to, s.weight, v, 0);
  }

  std::vector<std::vector<Arc>> out_, in_, up_, down_;
  std::vector<bool> contracted_;
  std::vector<std::uint32_t> contractedNeighbours_;
  std::vector<std::uint32_t> depth_;
  std::vector<std::uint32_t> rank_;
  Witness witness_;
};

// One upward Dijkstra search; the arrays are reused between searches of a matrix.
struct ContractionHierarchy::Search {
  explicit Search(std::uint32_t nodeCount)
      : dist(nodeCount, Weight::infinite()), parent(nodeCount, kNoNode), via(nodeCount, 0) {}

  void reset() {
    for (std::uint32_t node : touched) {
      dist[node] = Weight::infinite();
      parent[node] = kNoNode;
    }
    touched.clear();
    settled.clear();
  }

  // parent is the node the search came from (kNoNode at a start, where via is the endpoint
  // index); via is the position of the arc in the arc list.
  void run(const ContractionHierarchy& ch, std::span<const SearchEndpoint> starts, bool upward) {
    MinQueue queue;
    for (std::size_t i = 0; i < starts.size(); ++i) {
      const SearchEndpoint& start = starts[i];
      if (start.node >= dist.size() || start.offset.isInfinite()) continue;
      if (start.offset < dist[start.node]) {
        if (dist[start.node].isInfinite()) touched.push_back(start.node);
        dist[start.node] = start.offset;
        parent[start.node] = kNoNode;
        via[start.node] = static_cast<std::uint32_t>(i);
        queue.push({start.offset, start.node});
      }
    }
    const Arc* base = upward ? ch.upArcs_.data() : ch.downArcs_.data();
    while (!queue.empty()) {
      const auto [d, node] = queue.top();
      queue.pop();
      if (dist[node] < d || stalled(ch, node, upward)) continue;
      settled.push_back(node);
      for (const Arc& arc : upward ? ch.upFrom(node) : ch.downInto(node)) {
        const Weight next = d + arc.weight;
        if (next < dist[arc.other]) {
          if (dist[arc.other].isInfinite()) touched.push_back(arc.other);
          dist[arc.other] = next;
          parent[arc.other] = node;
          via[arc.other] = static_cast<std::uint32_t>(&arc - base);
          queue.push({next, arc.other});
        }
      }
    }
  }

  // A node that a higher node already reaches more cheaply lies on no shortest path from
  // this search's starts; expanding it would only widen the search.
  bool stalled(const ContractionHierarchy& ch, std::uint32_t node, bool upward) const {
    for (const Arc& arc : upward ? ch.downInto(node) : ch.upFrom(node)) {
      if (dist[arc.other] + arc.weight < dist[node]) return true;
    }
    return false;
  }

  std::vector<Weight> dist;
  std::vector<std::uint32_t> parent, via;
  std::vector<std::uint32_t> touched, settled;
};

ContractionHierarchy::SearchPool::SearchPool() = default;
ContractionHierarchy::SearchPool::~SearchPool() = default;

std::unique_ptr<ContractionHierarchy::Search> ContractionHierarchy::SearchPool::take(
    std::uint32_t nodeCount) {
  std::lock_guard lock(mutex_);
  if (spare_.empty()) return std::make_unique<Search>(nodeCount);
  auto search = std::move(spare_.back());
  spare_.pop_back();
  return search;
}

void ContractionHierarchy::SearchPool::giveBack(std::unique_ptr<Search> search) {
  search->reset();
  std::lock_guard lock(mutex_);
  spare_.push_back(std::move(search));
}

// A search taken from the pool for one query and handed back afterwards.
struct ContractionHierarchy::PooledSearch {
  PooledSearch(SearchPool& pool, std::uint32_t nodeCount)
      : pool(pool), search(pool.take(nodeCount)) {}
  ~PooledSearch() { pool.giveBack(std::move(search)); }
  PooledSearch(const PooledSearch&) = delete;
  PooledSearch& operator=(const PooledSearch&) = delete;
  Search* operator->() { return search.get(); }

  SearchPool& pool;
  std::unique_ptr<Search> search;
};

ContractionHierarchy ContractionHierarchy::build(std::uint32_t nodeCount,
                                                 std::span<const GraphArc> arcs) {
  return Builder(nodeCount, arcs).run();
}

namespace {

bool offsetsFit(const std::vector<std::uint32_t>& first, std::size_t nodeCount,
                std::size_t arcCount) {
  return first.size() == nodeCount + 1 && first.front() == 0 && first.back() == arcCount &&
         std::is_sorted(first.begin(), first.end());
}

}  // namespace

std::optional<ContractionHierarchy> ContractionHierarchy::fromArrays(Arrays a,
                                                                     std::uint32_t edgeCount) {
  const std::size_t n = a.rank.size();
  if (!offsetsFit(a.upFirst, n, a.upArcs.size()) ||
      !offsetsFit(a.downFirst, n, a.downArcs.size())) {
    return std::nullopt;
  }
  std::vector<bool> rankUsed(n, false);
  for (const std::uint32_t r : a.rank) {
    if (r >= n || rankUsed[r]) return std::nullopt;
    rankUsed[r] = true;
  }
  ContractionHierarchy ch;
  ch.rank_ = std::move(a.rank);
  ch.upFirst_ = std::move(a.upFirst);
  ch.downFirst_ = std::move(a.downFirst);
  ch.upArcs_ = std::move(a.upArcs);
  ch.downArcs_ = std::move(a.downArcs);
  // Both arcs of a shortcut must be there, or unpacking it would find nothing.
  const auto hasArc = [&](std::uint32_t from, std::uint32_t to) {
    const bool upward = ch.rank_[from] < ch.rank_[to];
    const auto arcs = upward ? ch.upFrom(from) : ch.downInto(to);
    const std::uint32_t other = upward ? to : from;
    return std::any_of(arcs.begin(), arcs.end(),
                       [&](const Arc& arc) { return arc.other == other; });
  };
  const auto arcFits = [&](std::uint32_t node, const Arc& arc, bool upward) {
    if (arc.other >= n || ch.rank_[arc.other] <= ch.rank_[node]) return false;
    if (arc.middle == kNoNode) return arc.edge < edgeCount;
    if (arc.middle >= n || ch.rank_[arc.middle] >= ch.rank_[node]) return false;
    const std::uint32_t from = upward ? node : arc.other;
    const std::uint32_t to = upward ? arc.other : node;
    return hasArc(from, arc.middle) && hasArc(arc.middle, to);
  };
  for (std::uint32_t node = 0; node < n; ++node) {
    for (const Arc& arc : ch.upFrom(node)) {
      if (!arcFits(node, arc, true)) return std::nullopt;
    }
    for (const Arc& arc : ch.downInto(node)) {
      if (!arcFits(node, arc, false)) return std::nullopt;
    }
  }
  return ch;
}

std::span<const ContractionHierarchy::Arc> ContractionHierarchy::upFrom(std::uint32_t node) const {
  return {upArcs_.data() + upFirst_[node], upArcs_.data() + upFirst_[node + 1]};
}

std::span<const ContractionHierarchy::Arc> ContractionHierarchy::downInto(
    std::uint32_t node) const {
  return {downArcs_.data() + downFirst_[node], downArcs_.data() + downFirst_[node + 1]};
}

const ContractionHierarchy::Arc& ContractionHierarchy::arcBetween(std::uint32_t from,
                                                                  std::uint32_t to) const {
  const bool upward = rank_[from] < rank_[to];
  const auto arcs = upward ? upFrom(from) : downInto(to);
  const std::uint32_t other = upward ? to : from;
  return *std::find_if(arcs.begin(), arcs.end(), [&](const Arc& a) { return a.other == other; });
}

void ContractionHierarchy::unpack(std::uint32_t from, std::uint32_t to, const Arc& arc,
                                  std::vector<std::uint32_t>& edges) const {
  struct Step {
    std::uint32_t from, to;
    const Arc* arc;
  };
  // Shortcuts nest as deep as the hierarchy is high; a stack keeps that off the call stack.
  std::vector<Step> stack{{from, to, &arc}};
  while (!stack.empty()) {
    const Step step = stack.back();
    stack.pop_back();
    if (step.arc->middle == kNoNode) {
      edges.push_back(step.arc->edge);
      continue;
    }
    const std::uint32_t middle = step.arc->middle;
    stack.push_back({middle, step.to, &arcBetween(middle, step.to)});
    stack.push_back({step.from, middle, &arcBetween(step.from, middle)});
  }
}

HierarchyPath ContractionHierarchy::shortestPath(std::span<const SearchEndpoint> sources,
                                                 std::span<const SearchEndpoint> targets) const {
  PooledSearch forwardSearch(*pool_, nodeCount()), backwardSearch(*pool_, nodeCount());
  Search& forward = *forwardSearch.search;
  Search& backward = *backwardSearch.search;
  forward.run(*this, sources, true);
  backward.run(*this, targets, false);
  HierarchyPath path;
  std::uint32_t meet = kNoNode;
  for (std::uint32_t node : backward.settled) {
    const Weight total = forward.dist[node] + backward.dist[node];
    if (total < path.weight) {
      path.weight = total;
      meet = node;
    }
  }
  if (meet == kNoNode) return path;

  std::vector<std::uint32_t> reversedEdges;
  std::uint32_t node = meet;
  for (; forward.parent[node] != kNoNode; node = forward.parent[node]) {
    std::vector<std::uint32_t> piece;
    unpack(forward.parent[node], node, upArcs_[forward.via[node]], piece);
    reversedEdges.insert(reversedEdges.end(), piece.rbegin(), piece.rend());
  }
  path.source = forward.via[node];
  path.edges.assign(reversedEdges.rbegin(), reversedEdges.rend());
  for (node = meet; backward.parent[node] != kNoNode; node = backward.parent[node]) {
    unpack(node, backward.parent[node], downArcs_[backward.via[node]], path.edges);
  }
  path.target = backward.via[node];
  return path;
}

// The searches of a matrix are independent of each other, so they run on all cores: first
// one backward search per target into buckets, then one forward search per source over them.
std::vector<Weight> ContractionHierarchy::table(
    const std::vector<std::vector<SearchEndpoint>>& sources,
    const std::vector<std::vector<SearchEndpoint>>& targets) const {
  struct BucketEntry {
    std::uint32_t node;
    std::uint32_t target;
    Weight weight;
  };
  constexpr std::size_t kSearchesPerThread = 16;
  std::vector<std::vector<BucketEntry>> slices(targets.size());
  inSlices(targets.size(), kSearchesPerThread, [&](std::size_t first, std::size_t last) {
    PooledSearch pooled(*pool_, nodeCount());
    Search& search = *pooled.search;
    for (std::size_t t = first; t < last; ++t) {
      search.run(*this, targets[t], false);
      for (std::uint32_t node : search.settled) {
        slices[t].push_back({node, static_cast<std::uint32_t>(t), search.dist[node]});
      }
      search.reset();
    }
  });
  std::vector<BucketEntry> entries;
  for (const auto& slice : slices) entries.insert(entries.end(), slice.begin(), slice.end());
  // Each cell takes the least of its entries, so the order among equal nodes does not matter.
  std::sort(entries.begin(), entries.end(),
            [](const BucketEntry& a, const BucketEntry& b) { return a.node < b.node; });

  std::vector<Weight> result(sources.size() * targets.size(), Weight::infinite());
  inSlices(sources.size(), kSearchesPerThread, [&](std::size_t first, std::size_t last) {
    PooledSearch pooled(*pool_, nodeCount());
    Search& search = *pooled.search;
    for (std::size_t s = first; s < last; ++s) {
      search.run(*this, sources[s], true);
      Weight* row = result.data() + s * targets.size();
      for (std::uint32_t node : search.settled) {
        const Weight up = search.dist[node];
        auto entry =
            std::lower_bound(entries.begin(), entries.end(), node,
                             [](const BucketEntry& e, std::uint32_t n) { return e.node < n; });
        for (; entry != entries.end() && entry->node == node; ++entry) {
          const Weight total = up + entry->weight;
          if (total < row[entry->target]) row[entry->target] = total;
        }
      }
      search.reset();
    }
  });
  return result;
}

}  // namespace geo
