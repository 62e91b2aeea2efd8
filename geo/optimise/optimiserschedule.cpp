#include "geo/optimise/optimiserschedule.h"

#include <algorithm>

namespace geo {

namespace {

std::vector<std::int64_t> widened(const std::vector<std::uint32_t>& values) {
  return {values.begin(), values.end()};
}

}  // namespace

std::int64_t narrowedReady(const OptimiserWaypoint& waypoint, int technicianStart) {
  return std::max(waypoint.windowStart, technicianStart);
}

std::int64_t narrowedDue(const OptimiserWaypoint& waypoint, int technicianEnd) {
  const std::int64_t due = waypoint.windowEnd;
  return technicianEnd > 0 ? std::min<std::int64_t>(due, technicianEnd - waypoint.stay) : due;
}

ScheduleModel::ScheduleModel(const OptimiserRequest& request)
    : size_(static_cast<int>(request.waypoints.size())),
      seconds_(widened(request.matrix.seconds)),
      metres_(widened(request.matrix.metres)),
      cost_(widened(request.matrix.cost.empty() ? request.matrix.seconds : request.matrix.cost)) {
  for (const auto& waypoint : request.waypoints) {
    ready_.push_back(narrowedReady(waypoint, request.technicianStart));
    due_.push_back(narrowedDue(waypoint, request.technicianEnd));
    stay_.push_back(waypoint.stay);
  }
}

void ScheduleModel::step(ScheduleState& state, int previous, int node) const {
  const std::int64_t arrival = state.departure + at(seconds_, previous, node);
  state.cost += at(cost_, previous, node);
  std::int64_t begin = ready_[node];
  if (arrival <= due_[node]) {
    begin = std::max(arrival, begin);
  } else {
    ++state.day;
  }
  state.departure = begin + stay_[node];
}

ScheduleCost ScheduleModel::evaluate(const std::vector<int>& route) const {
  if (route.empty()) return {};
  ScheduleState state = start(route[0]);
  for (std::size_t k = 1; k < route.size(); ++k) step(state, route[k - 1], route[k]);
  return {state.day + 1, state.cost};
}

std::vector<Visit> ScheduleModel::visits(const std::vector<int>& route) const {
  std::vector<Visit> result;
  if (route.empty()) return result;
  ScheduleState state = start(route[0]);
  result.push_back({route[0], 0, ready_[route[0]], 0, 0});
  for (std::size_t k = 1; k < route.size(); ++k) {
    const int previous = route[k - 1], node = route[k];
    const int dayBefore = state.day;
    const std::int64_t arrival = state.departure + at(seconds_, previous, node);
    step(state, previous, node);
    Visit visit{node, state.day, arrival, 0, result.back().distance + at(metres_, previous, node)};
    if (state.day != dayBefore) {
      visit.arrival = ready_[node];
    } else {
      visit.wait = std::max<std::int64_t>(ready_[node] - arrival, 0);
    }
    result.push_back(visit);
  }
  delayFirstDay(result);
  return result;
}

// The first day starts later by as much as its waiting allows, so that the day ends no later
// and no visit misses its window: less idle time, the same tour.
void ScheduleModel::delayFirstDay(std::vector<Visit>& result) const {
  std::int64_t shift = due_[result[0].node] - result[0].arrival;
  std::int64_t waited = 0;
  for (std::size_t k = 1; k < result.size() && result[k].day == 0; ++k) {
    shift = std::min(shift, due_[result[k].node] - result[k].arrival + waited);
    waited += result[k].wait;
  }
  shift = std::max<std::int64_t>(std::min(shift, waited), 0);
  result[0].arrival += shift;
  std::int64_t left = shift;
  for (std::size_t k = 1; k < result.size() && result[k].day == 0 && left > 0; ++k) {
    const std::int64_t absorbed = std::min(left, result[k].wait);
    result[k].wait -= absorbed;
    result[k].arrival += left;
    left -= absorbed;
  }
}

TsptwPath ScheduleModel::path(std::vector<int> head, std::vector<int> body,
                              std::vector<int> tail) const {
  TsptwPath path;
  path.nodeCount = size_;
  path.time = seconds_;
  path.cost = cost_;
  path.ready = ready_;
  path.due = due_;
  path.service = stay_;
  path.head = std::move(head);
  path.body = std::move(body);
  path.tail = std::move(tail);
  return path;
}

}  // namespace geo
