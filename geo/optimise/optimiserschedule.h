#pragma once

#include <cstdint>
#include <vector>

#include "geo/optimise/optimiser.h"
#include "geo/optimise/tsptwsearch.h"

namespace geo {

// Days first, then cost.
struct ScheduleCost {
  int days = 0;
  std::int64_t cost = 0;

  friend auto operator<=>(const ScheduleCost&, const ScheduleCost&) = default;
};

// Where a schedule stands after a visit: its day, when the stay there ends and the cost so far.
struct ScheduleState {
  int day = 0;
  std::int64_t departure = 0;
  std::int64_t cost = 0;
};

struct Visit {
  int node = 0;
  int day = 0;
  std::int64_t arrival = 0;
  std::int64_t wait = 0;
  std::int64_t distance = 0;
};

// The waypoints of a checked request with their windows narrowed to the technician's hours,
// and the rule that a waypoint missed on one day is visited at its window start the next day.
class ScheduleModel {
 public:
  // The request must have passed validation: every narrowed window is non-empty.
  explicit ScheduleModel(const OptimiserRequest& request);

  int size() const { return size_; }
  ScheduleCost evaluate(const std::vector<int>& route) const;
  ScheduleState start(int node) const { return {0, ready_[node] + stay_[node], 0}; }
  // Drives on from previous to node, on the same day when its window is still open.
  void step(ScheduleState& state, int previous, int node) const;
  // The visits of a route; the first day starts as late as it can without more days.
  std::vector<Visit> visits(const std::vector<int>& route) const;
  TsptwPath path(std::vector<int> head, std::vector<int> body, std::vector<int> tail) const;

 private:
  void delayFirstDay(std::vector<Visit>& visits) const;
  std::int64_t at(const std::vector<std::int64_t>& m, int from, int to) const {
    return m[static_cast<std::size_t>(from) * size_ + to];
  }

  int size_;
  std::vector<std::int64_t> ready_;
  std::vector<std::int64_t> due_;
  std::vector<std::int64_t> stay_;
  std::vector<std::int64_t> seconds_;
  std::vector<std::int64_t> metres_;
  std::vector<std::int64_t> cost_;
};

// Latest service start so that the stay ends by the technician's end (0: no end).
std::int64_t narrowedDue(const OptimiserWaypoint& waypoint, int technicianEnd);
std::int64_t narrowedReady(const OptimiserWaypoint& waypoint, int technicianStart);

}  // namespace geo
