#include "geo/optimise/optimiserdays.h"

#include <algorithm>

#include "geo/optimise/tsptwrandom.h"

namespace geo {

namespace {

class DaySearch {
 public:
  DaySearch(const ScheduleModel& model, std::vector<int> route, int lo, int hi,
            std::chrono::steady_clock::time_point deadline, const std::atomic<bool>* stop)
      : model_(model),
        route_(std::move(route)),
        lo_(lo),
        hi_(hi),
        deadline_(deadline),
        stop_(stop) {
    replay();
  }

  const std::vector<int>& route() const { return route_; }
  ScheduleCost cost() const { return cost_; }
  bool timeUp() const {
    return (stop_ && stop_->load()) || std::chrono::steady_clock::now() >= deadline_;
  }

  void setRoute(std::vector<int> route) {
    route_ = std::move(route);
    replay();
  }

  void localSearch() {
    bool improved = true;
    while (improved && !timeUp()) {
      improved = false;
      for (int i = lo_; i < hi_; ++i) improved = relocate(i) || improved;
      for (int i = lo_; i + 1 < hi_; ++i) improved = reverse(i) || improved;
    }
  }

  void shake(TsptwRandom& random, int moves) {
    const int n = hi_ - lo_;
    for (int m = 0; m < moves && n > 1; ++m) {
      const int from = lo_ + random.below(n);
      const int to = lo_ + random.below(n);
      moveRouteNode(route_, from, to);
    }
    replay();
  }

 private:
  // The state after every position of the current route, and its days and cost.
  void replay() {
    states_.resize(route_.size());
    for (std::size_t k = 0; k < route_.size(); ++k) {
      if (k == 0) {
        states_[0] = model_.start(route_[0]);
      } else {
        states_[k] = states_[k - 1];
        model_.step(states_[k], route_[k - 1], route_[k]);
      }
    }
    cost_ = states_.empty() ? ScheduleCost{}
                            : ScheduleCost{states_.back().day + 1, states_.back().cost};
  }

  // Days and cost of the route after a change of the positions [from, to] only: the schedule
  // is replayed from there until it meets the old one again at the same time, after which
  // the rest is known.
  ScheduleCost costAfterChange(int from, int to) const {
    const int size = static_cast<int>(route_.size());
    ScheduleState state = from == 0 ? model_.start(route_[0]) : states_[from - 1];
    for (int k = std::max(from, 1); k < size; ++k) {
      model_.step(state, route_[k - 1], route_[k]);
      if (k > to && state.departure == states_[k].departure) {
        const ScheduleState& old = states_[k];
        return {cost_.days + state.day - old.day, cost_.cost + state.cost - old.cost};
      }
    }
    return {state.day + 1, state.cost};
  }

  // Keeps a change of the positions [from, to] when the schedule got better, undoes it
  // otherwise.
  bool keepIfBetter(int from, int to, const auto& apply, const auto& undo) {
    apply();
    if (costAfterChange(from, to) < cost_) {
      replay();
      return true;
    }
    undo();
    return false;
  }

  bool relocate(int i) {
    for (int j = lo_; j < hi_; ++j) {
      if (j == i) continue;
      const auto apply = [&] { moveRouteNode(route_, i, j); };
      const auto undo = [&] { moveRouteNode(route_, j, i); };
      if (keepIfBetter(std::min(i, j), std::max(i, j), apply, undo)) return true;
    }
    return false;
  }

  bool reverse(int i) {
    for (int j = i + 1; j < hi_; ++j) {
      const auto flip = [&] { std::reverse(route_.begin() + i, route_.begin() + j + 1); };
      if (keepIfBetter(i, j, flip, flip)) return true;
    }
    return false;
  }

  const ScheduleModel& model_;
  std::vector<int> route_;
  const int lo_;
  const int hi_;
  const std::chrono::steady_clock::time_point deadline_;
  const std::atomic<bool>* stop_;
  std::vector<ScheduleState> states_;
  ScheduleCost cost_;
};

}  // namespace

std::vector<int> greedyDays(const ScheduleModel& model, const std::vector<int>& head,
                            std::vector<int> body, const std::vector<int>& tail) {
  std::vector<int> route = head;
  ScheduleState state;
  if (!route.empty()) {
    state = model.start(route[0]);
    for (std::size_t k = 1; k < route.size(); ++k) model.step(state, route[k - 1], route[k]);
  }
  while (!body.empty()) {
    // The waypoint done soonest, preferring any that can still be served today.
    std::size_t chosen = 0;
    ScheduleState best;
    for (std::size_t c = 0; c < body.size(); ++c) {
      ScheduleState next = route.empty() ? model.start(body[c]) : state;
      if (!route.empty()) model.step(next, route.back(), body[c]);
      const bool sooner = c == 0 || next.day < best.day ||
                          (next.day == best.day && next.departure < best.departure);
      if (sooner) {
        chosen = c;
        best = next;
      }
    }
    route.push_back(body[chosen]);
    state = best;
    body.erase(body.begin() + static_cast<std::ptrdiff_t>(chosen));
  }
  route.insert(route.end(), tail.begin(), tail.end());
  return route;
}

std::vector<int> searchDays(const ScheduleModel& model, std::vector<int> route, int lo, int hi,
                            std::uint64_t seed, std::chrono::steady_clock::time_point deadline,
                            const std::atomic<bool>* stop) {
  DaySearch search(model, std::move(route), lo, hi, deadline, stop);
  search.localSearch();
  std::vector<int> best = search.route();
  ScheduleCost bestCost = search.cost();
  const int n = hi - lo;
  const int idleLimit = std::max(n, 50);
  TsptwRandom random(seed);
  for (int idle = 0; idle < idleLimit && n > 1 && !search.timeUp(); ++idle) {
    search.shake(random, 1 + random.below(3));
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
