#include "geo/optimise/tsptwsearch.h"

#include <algorithm>
#include <chrono>

#include "geo/optimise/tsptwrandom.h"

namespace geo {

namespace {

bool better(const TsptwSegment& a, const TsptwSegment& b) {
  return a.warp < b.warp || (a.warp == b.warp && a.cost < b.cost);
}

class Search {
 public:
  Search(const TsptwPath& path, std::vector<int> route)
      : path_(path),
        route_(std::move(route)),
        size_(static_cast<int>(route_.size())),
        lo_(static_cast<int>(path.head.size())),
        hi_(size_ - static_cast<int>(path.tail.size())),
        active_(path.nodeCount, 1) {
    rebuild();
  }

  const std::vector<int>& route() const { return route_; }
  const TsptwSegment& total() const { return prefix_[size_ - 1]; }
  int bodySize() const { return hi_ - lo_; }

  // Goes back to a route that is already a local optimum.
  void setRoute(const std::vector<int>& route) {
    route_ = route;
    std::fill(active_.begin(), active_.end(), 0);
    rebuild();
  }

  // Improves until no node marked active finds a better move; a node without one is unmarked,
  // and each move marks the nodes around the places it changed.
  void localSearch() {
    bool moved = true;
    while (moved) {
      moved = false;
      for (int i = lo_; i < hi_; ++i) {
        const int id = route_[i];
        if (!active_[id]) continue;
        if (improveAt(i)) {
          moved = true;
        } else {
          active_[id] = 0;
        }
      }
    }
  }

  // Moves a random node of the body to a random other place.
  void shake(TsptwRandom& random, int moves) {
    const int n = bodySize();
    if (n < 2) return;
    for (int m = 0; m < moves; ++m) {
      const int from = lo_ + random.below(n);
      const int to = lo_ + random.below(n);
      activateAround(from, 1);
      activateAround(to, 1);
      moveRouteNode(route_, from, to);
    }
    rebuild();
  }

 private:
  void rebuild() {
    prefix_.assign(size_, {});
    suffix_.assign(size_, {});
    TsptwSegment running;
    for (int k = 0; k < size_; ++k) prefix_[k] = running = path_.join(running, node(k));
    running = {};
    for (int k = size_ - 1; k >= 0; --k) suffix_[k] = running = path_.join(node(k), running);
  }

  bool improveAt(int i) {
    for (int len = 1; len <= 3 && i + len <= hi_; ++len) {
      if (relocate(i, len)) return true;
    }
    return i + 1 < hi_ && reverse(i);
  }

  // Marks the nodes at positions [from - 1, from + len].
  void activateAround(int from, int len) {
    for (int k = std::max(from - 1, 0); k <= std::min(from + len, size_ - 1); ++k) {
      active_[route_[k]] = 1;
    }
  }

  TsptwSegment node(int position) const { return path_.segment(route_[position]); }
  TsptwSegment prefixUpTo(int position) const {
    return position < 0 ? TsptwSegment{} : prefix_[position];
  }
  TsptwSegment suffixFrom(int position) const {
    return position >= size_ ? TsptwSegment{} : suffix_[position];
  }

  // Tries the block [i, i + len) forwards and reversed at every other place of the body;
  // takes the first improvement.
  bool relocate(int i, int len) {
    TsptwSegment block, reversed;
    for (int k = i; k < i + len; ++k) {
      block = path_.join(block, node(k));
      reversed = path_.join(node(k), reversed);
    }
    const TsptwSegment current = total();
    const bool tryReversed = len > 1;
    TsptwSegment front = prefixUpTo(i - 1);
    for (int j = i + len; j < hi_; ++j) {
      front = path_.join(front, node(j));
      if (front.warp > current.warp) break;
      const TsptwSegment rest = suffixFrom(j + 1);
      if (better(path_.join(path_.join(front, block), rest), current)) {
        return moveBlock(i, len, j + 1, false);
      }
      if (tryReversed && better(path_.join(path_.join(front, reversed), rest), current)) {
        return moveBlock(i, len, j + 1, true);
      }
    }
    TsptwSegment back = suffixFrom(i + len);
    for (int j = i - 1; j >= lo_; --j) {
      back = path_.join(node(j), back);
      if (back.warp > current.warp) break;
      const TsptwSegment start = prefixUpTo(j - 1);
      if (better(path_.join(path_.join(start, block), back), current)) {
        return moveBlock(i, len, j, false);
      }
      if (tryReversed && better(path_.join(path_.join(start, reversed), back), current)) {
        return moveBlock(i, len, j, true);
      }
    }
    return false;
  }

  // Puts the block [i, i + len) before the node now at position target (outside the block).
  bool moveBlock(int i, int len, int target, bool reversed) {
    activateAround(i, len);
    activateAround(target, 0);
    if (reversed) std::reverse(route_.begin() + i, route_.begin() + i + len);
    if (target > i) {
      std::rotate(route_.begin() + i, route_.begin() + i + len, route_.begin() + target);
    } else {
      std::rotate(route_.begin() + target, route_.begin() + i, route_.begin() + i + len);
    }
    rebuild();
    return true;
  }

  // Reverses [i, j] for the first j that improves.
  bool reverse(int i) {
    const TsptwSegment current = total();
    const TsptwSegment start = prefixUpTo(i - 1);
    TsptwSegment reversed = node(i);
    for (int j = i + 1; j < hi_; ++j) {
      reversed = path_.join(node(j), reversed);
      if (reversed.warp > current.warp) break;
      if (better(path_.join(path_.join(start, reversed), suffixFrom(j + 1)), current)) {
        activateAround(i, 0);
        activateAround(j, 0);
        std::reverse(route_.begin() + i, route_.begin() + j + 1);
        rebuild();
        return true;
      }
    }
    return false;
  }

  const TsptwPath& path_;
  std::vector<int> route_;
  const int size_;
  const int lo_;
  const int hi_;
  std::vector<TsptwSegment> prefix_;
  std::vector<TsptwSegment> suffix_;
  std::vector<char> active_;  // by node id
};

std::vector<int> initialRoute(const TsptwPath& path) {
  std::vector<int> body = path.body;
  std::stable_sort(body.begin(), body.end(), [&](int a, int b) {
    return path.due[a] < path.due[b] ||
           (path.due[a] == path.due[b] && path.ready[a] < path.ready[b]);
  });
  std::vector<int> route = path.head;
  route.insert(route.end(), body.begin(), body.end());
  route.insert(route.end(), path.tail.begin(), path.tail.end());
  return route;
}

TsptwAnswer answerOf(const std::vector<int>& route, const TsptwSegment& total) {
  return {route, total.cost, total.warp};
}

}  // namespace

TsptwAnswer searchTsptw(const TsptwPath& path, const TsptwSearchOptions& options) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(options.timeLimitMs);
  const auto timeUp = [&] {
    return (options.stop && options.stop->load()) ||
           (options.timeLimitMs > 0 && Clock::now() >= deadline);
  };

  const std::vector<int> start = initialRoute(path);
  if (start.empty()) return {};
  Search search(path, start);
  if (path.body.size() < 2) return answerOf(search.route(), search.total());
  search.localSearch();
  std::vector<int> best = search.route();
  TsptwSegment bestTotal = search.total();
  std::vector<int> current = best;
  TsptwSegment currentTotal = bestTotal;

  TsptwRandom random(options.seed);
  const int n = search.bodySize();
  const int idleLimit = options.idleRounds > 0 ? options.idleRounds : std::max(n / 2, 30);
  const int maxShake = std::min(8, n);
  int shake = 1;
  for (int idle = 0; idle < idleLimit && !timeUp(); ++idle) {
    search.shake(random, shake);
    search.localSearch();
    // Equal answers are taken too, so the search can drift across plateaus.
    if (!better(currentTotal, search.total())) {
      if (better(search.total(), currentTotal)) shake = 1;
      current = search.route();
      currentTotal = search.total();
      if (better(currentTotal, bestTotal)) {
        best = current;
        bestTotal = currentTotal;
        idle = -1;
      }
    } else {
      shake = shake % maxShake + 1;
      search.setRoute(current);
    }
  }
  return answerOf(best, bestTotal);
}

}  // namespace geo
