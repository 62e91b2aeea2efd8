#include "geo/optimiserdays.h"

#include <algorithm>

namespace geo {

namespace {

class DaySearch {
 public:
  DaySearch(const ScheduleModel& model, std::vector<int> route, int lo, int hi,
            std::chrono::steady_clock::time_point deadline)
      : model_(model), route_(std::move(route)), lo_(lo), hi_(hi), deadline_(deadline) {
    cost_ = model_.evaluate(route_);
  }

  const std::vector<int>& route() const { return route_; }
  ScheduleCost cost() const { return cost_; }
  bool timeUp() const { return std::chrono::steady_clock::now() >= deadline_; }

  void setRoute(std::vector<int> route) {
    route_ = std::move(route);
    cost_ = model_.evaluate(route_);
  }

  void localSearch() {
    bool improved = true;
    while (improved && !timeUp()) {
      improved = false;
      for (int i = lo_; i < hi_; ++i) improved = relocate(i) || improved;
      for (int i = lo_; i + 1 < hi_; ++i) improved = reverse(i) || improved;
    }
  }

  void shake(std::uint64_t& state, int moves) {
    const int n = hi_ - lo_;
    for (int m = 0; m < moves && n > 1; ++m) {
      const int from = lo_ + static_cast<int>(next(state) % n);
      const int to = lo_ + static_cast<int>(next(state) % n);
      moveNode(from, to);
    }
    cost_ = model_.evaluate(route_);
  }

  static std::uint64_t next(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

 private:
  void moveNode(int from, int to) {
    if (from < to) {
      std::rotate(route_.begin() + from, route_.begin() + from + 1, route_.begin() + to + 1);
    } else if (to < from) {
      std::rotate(route_.begin() + to, route_.begin() + from, route_.begin() + from + 1);
    }
  }

  // Keeps the change when the schedule got better, undoes it otherwise.
  bool keepIfBetter(const auto& apply, const auto& undo) {
    apply();
    const ScheduleCost tried = model_.evaluate(route_);
    if (tried < cost_) {
      cost_ = tried;
      return true;
    }
    undo();
    return false;
  }

  bool relocate(int i) {
    for (int j = lo_; j < hi_; ++j) {
      if (j == i) continue;
      if (keepIfBetter([&] { moveNode(i, j); }, [&] { moveNode(j, i); })) return true;
    }
    return false;
  }

  bool reverse(int i) {
    for (int j = i + 1; j < hi_; ++j) {
      const auto flip = [&] { std::reverse(route_.begin() + i, route_.begin() + j + 1); };
      if (keepIfBetter(flip, flip)) return true;
    }
    return false;
  }

  const ScheduleModel& model_;
  std::vector<int> route_;
  const int lo_;
  const int hi_;
  const std::chrono::steady_clock::time_point deadline_;
  ScheduleCost cost_;
};

}  // namespace

std::vector<int> searchDays(const ScheduleModel& model, std::vector<int> route, int lo, int hi,
                            std::uint64_t seed, std::chrono::steady_clock::time_point deadline) {
  DaySearch search(model, std::move(route), lo, hi, deadline);
  search.localSearch();
  std::vector<int> best = search.route();
  ScheduleCost bestCost = search.cost();
  const int n = hi - lo;
  const int idleLimit = std::max(n, 50);
  std::uint64_t state = seed;
  for (int idle = 0; idle < idleLimit && n > 1 && !search.timeUp(); ++idle) {
    search.shake(state, 1 + static_cast<int>(DaySearch::next(state) % 3));
    search.localSearch();
    if (search.cost() < bestCost) {
      best = search.route();
      bestCost = search.cost();
      idle = -1;
    } else if (bestCost < search.cost()) {
      search.setRoute(best);
    }
  }
  return best;
}

}  // namespace geo
